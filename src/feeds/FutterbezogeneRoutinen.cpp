#include "feeds/FutterbezogeneRoutinen.h"

#include "database/DatenbankRoutinen.h"
#include "database/SchnelleAbfrage.h"
#include "grundlagen/NullFilter.h"
#include "frame/Protokoll.h"

#include <QHash>
#include <QPair>
#include <QSqlQuery>
#include <QStringList>
#include <QVarLengthArray>

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <optional>

namespace kelvora {

namespace {

// Columns of the plain number codes 4 to 18 and 22 to 25; codes 55 to 68
// reuse 5 to 18 per kg fresh matter.
const char* ZahlenSpalte(int code)
{
    switch (code) {
    case FutterCode::TM_g:
        return "TM_g";
    case FutterCode::nXP_gTM:
        return "nXP_gTM";
    case FutterCode::XP_gTM:
        return "XP_gTM";
    case FutterCode::NEL_MJTM:
        return "NEL_MJTM";
    case FutterCode::XF_gTM:
        return "XF_gTM";
    case FutterCode::RNB_gTM:
        return "RNB_gTM";
    case FutterCode::ME_MJTM:
        return "ME_MJTM";
    case FutterCode::Ca_gTM:
        return "Ca_gTM";
    case FutterCode::P_gTM:
        return "P_gTM";
    case FutterCode::Mg_gTM:
        return "Mg_gTM";
    case FutterCode::K_gTM:
        return "K_gTM";
    case FutterCode::Na_gTM:
        return "Na_gTM";
    case FutterCode::Cu_mgTM:
        return "Cu_mgTM";
    case FutterCode::Zn_mgTM:
        return "Zn_mgTM";
    case FutterCode::Mn_mgTM:
        return "Mn_mgTM";
    case FutterCode::NDF_gTM:
        return "NDF_gTM";
    case FutterCode::UDP_gTM:
        return "UDP_gTM";
    case FutterCode::ADF_gTM:
        return "ADF_gTM";
    case FutterCode::NFC_gTM:
        return "NFC_gTM";
    default:
        return nullptr;
    }
}

// The same as a QString, made once per code.
const QString& ZahlenSpalteName(int code)
{
    static const std::array<QString, FutterCode::NFC_gTM + 1> namen = [] {
        std::array<QString, FutterCode::NFC_gTM + 1> n;
        for (int c = 0; c <= FutterCode::NFC_gTM; ++c) {
            if (const char* s = ZahlenSpalte(c))
                n[static_cast<std::size_t>(c)] = QString::fromLatin1(s);
        }
        return n;
    }();
    static const QString leer;
    return code >= 0 && code <= FutterCode::NFC_gTM ? namen[static_cast<std::size_t>(code)] : leer;
}

// The columns a code needs beside ME and NEL. Reading only these instead of
// the whole row makes a value about three times cheaper, which the ration
// evaluation feels: it asks for a dozen values per feed.
QStringList SpaltenFuer(int code)
{
    if (const char* spalte = ZahlenSpalte(code))
        return { QString::fromLatin1(spalte) };
    const int tmCode = code - FutterCode::FrischmasseVersatz;
    if (tmCode >= FutterCode::nXP_gTM && tmCode <= FutterCode::Mn_mgTM)
        return { QString::fromLatin1(ZahlenSpalte(tmCode)), QStringLiteral("TM_g") };
    switch (code) {
    case FutterCode::ArtName:
    case FutterCode::FutterArt:
    case FutterCode::ArtKurzName:
        return { QStringLiteral("FutterArt") };
    case FutterCode::Bezeichnung:
        return { QStringLiteral("Bezeichnung") };
    case FutterCode::ArtUndBezeichnung:
        return { QStringLiteral("FutterArt"), QStringLiteral("Bezeichnung") };
    case FutterCode::Verfuegbarkeit:
        return { QStringLiteral("Verfügbarkeit") };
    case FutterCode::PreisJeKgFM:
        return { QStringLiteral("Preis") };
    case FutterCode::PreisJeKgTM:
        return { QStringLiteral("Preis"), QStringLiteral("TM_g") };
    default:
        return {};
    }
}

// One gram of nitrogen per 6.25 g of protein.
constexpr double ProteinJeGrammN = 6.25;

// A stored completion reads back bit for bit; the margin only forgives the
// last digit of a value that went through another program.
bool WieBerechnet(double gespeichert, double formel)
{
    return std::abs(gespeichert - formel) <= 1e-9 * std::max(1.0, std::abs(formel));
}

// Read with every feed, whatever the codes: the completions need them.
const QStringList& ErgaenzungsSpalten()
{
    static const QStringList spalten { QStringLiteral("ME_MJTM"), QStringLiteral("NEL_MJTM"), QStringLiteral("XP_gTM"),
        QStringLiteral("UDP_gTM"), QStringLiteral("nXP_gTM"), QStringLiteral("RNB_gTM") };
    return spalten;
}

// Upper case as the type names are shown: letter by letter, so "ß" stays.
QString Grossbuchstaben(const QString& text)
{
    QString t = text;
    for (QChar& c : t)
        c = c.toUpper();
    return t;
}

} // namespace

bool EnergieErgaenzen(Energiewerte& werte)
{
    if (werte.ME_MJTM == 0 && werte.NEL_MJTM > 0) {
        werte.ME_MJTM = werte.NEL_MJTM / NELAnteilAnME;
        return true;
    }
    if (werte.ME_MJTM > 0 && werte.NEL_MJTM == 0) {
        werte.NEL_MJTM = werte.ME_MJTM * NELAnteilAnME;
        return true;
    }
    return false;
}

double nXPSchaetzen(double xp, double udp, double me)
{
    if (!(xp > 0))
        return 0;
    return (11.93 - 6.82 * udp / xp) * me + 1.03 * udp;
}

double RNBAusXP(double xp, double nXP)
{
    return (xp - nXP) / ProteinJeGrammN;
}

EiweissErgaenzung EiweissErgaenzen(Eiweisswerte& w)
{
    EiweissErgaenzung e;
    // UDP is a part of the crude protein; more of it than XP is a typing
    // error, from which no estimate should be stored.
    if (w.nXP_gTM == 0 && w.XP_gTM > 0 && w.UDP_gTM > 0 && w.UDP_gTM <= w.XP_gTM && w.ME_MJTM > 0) {
        w.nXP_gTM = nXPSchaetzen(w.XP_gTM, w.UDP_gTM, w.ME_MJTM);
        e.nXP = true;
    }
    if (w.RNB_gTM == 0 && w.XP_gTM > 0 && w.nXP_gTM > 0) {
        const double rnb = RNBAusXP(w.XP_gTM, w.nXP_gTM);
        if (rnb != 0) {
            w.RNB_gTM = rnb;
            e.RNB = true;
        }
    }
    return e;
}

bool nXPBerechnet(const Eiweisswerte& w)
{
    return w.nXP_gTM > 0 && w.UDP_gTM > 0 && w.ME_MJTM > 0
        && WieBerechnet(w.nXP_gTM, nXPSchaetzen(w.XP_gTM, w.UDP_gTM, w.ME_MJTM));
}

bool RNBBerechnet(const Eiweisswerte& w)
{
    return w.RNB_gTM != 0 && w.XP_gTM > 0 && w.nXP_gTM > 0 && WieBerechnet(w.RNB_gTM, RNBAusXP(w.XP_gTM, w.nXP_gTM));
}

double TMinFM(double wertJeKgTM, double tm_g)
{
    return wertJeKgTM * tm_g / 1000.0;
}

double FMinTM(double wertJeKgFM, double tm_g)
{
    if (tm_g == 0)
        return 0;
    return wertJeKgFM * 1000.0 / tm_g;
}

double MJinMcal(double mj)
{
    return mj * McalFaktor / MJjeKcalFaktor;
}

double McalInMJ(double mcal)
{
    return mcal / McalFaktor * MJjeKcalFaktor;
}

// ----------------------------------------------------------- FutterLeser

// Where the columns of a read sit in its rows, found once per set of columns
// instead of by name for every value of every feed.
struct Spaltenplan {
    QStringList spalten;
    QHash<QString, int> index;
    std::array<int, FutterCode::NFC_gTM + 1> zahl {}; // number code -> field, -1 when not read
    int art = -1;
    int bezeichnung = -1;
    int verfuegbarkeit = -1;
    int preis = -1;

    explicit Spaltenplan(const QStringList& s = {})
        : spalten(s)
    {
        for (int i = 0; i < spalten.size(); ++i)
            index.insert(spalten.at(i), i);
        for (int c = 0; c <= FutterCode::NFC_gTM; ++c)
            zahl[static_cast<std::size_t>(c)] = ZahlenSpalte(c) ? index.value(ZahlenSpalteName(c), -1) : -1;
        art = index.value(QStringLiteral("FutterArt"), -1);
        bezeichnung = index.value(QStringLiteral("Bezeichnung"), -1);
        verfuegbarkeit = index.value(QStringLiteral("Verfügbarkeit"), -1);
        preis = index.value(QStringLiteral("Preis"), -1);
    }

    bool Enthaelt(const QStringList& andere) const
    {
        return std::all_of(andere.cbegin(), andere.cend(), [this](const QString& s) { return index.contains(s); });
    }
};

struct FutterLeser::Intern {
    explicit Intern(Verbindung& v)
        : verbindung(v)
    {
    }

    Verbindung& verbindung;
    // Prepared row reads by their SQL text: a run asks the same set of codes
    // for every feed, so one statement serves all of them.
    std::map<QString, std::unique_ptr<QSqlQuery>> abfragen;
    // Type names by type ID (name, short name), read together at the first
    // need: the table holds a few dozen rows.
    std::optional<QHash<int, QPair<QString, QString>>> artNamen;
    // Rows read ahead by VieleWerte: their columns, where each column sits,
    // and the fields by feed.
    Spaltenplan vorPlan;
    // Whether the read ahead holds every column of letzteSpalten.
    std::optional<bool> vorPlanGenuegt;
    // The plan of the last own read of a row.
    Spaltenplan eigenerPlan;
    QHash<long, QVariantList> vorgelesen;
    // The columns of the last set of codes asked for: a run asks the same
    // set for every feed.
    QList<int> letzteCodes;
    QStringList letzteSpalten;

    const QStringList& SpaltenFuerCodes(const QList<int>& codes)
    {
        if (codes != letzteCodes || letzteSpalten.isEmpty()) {
            letzteCodes = codes;
            letzteSpalten = FutterLeser::Spalten(codes);
            vorPlanGenuegt.reset();
        }
        return letzteSpalten;
    }

    QString ArtName(int art, int welche)
    {
        if (!artNamen) {
            artNamen.emplace();
            const QString sql = QStringLiteral("SELECT ID, Bezeichnung, KurzBezeichnung FROM FutterArten");
            auto merken = [this](const QVariant& id, const QVariant& name, const QVariant& kurz) {
                artNamen->insert(id.toInt(),
                    { NullFilter(name, "String").toString(), NullFilter(kurz, "String").toString() });
            };
            if (verbindung.HaeltLeseSperre()) {
                // Inside a read transaction nothing can be busy: the quick way.
                SchnelleAbfrage abfrage(verbindung, sql);
                while (abfrage.Naechste())
                    merken(abfrage.Wert(0), abfrage.Wert(1), abfrage.Wert(2));
            } else {
                // Another program's write is waited out like any busy read.
                QSqlQuery abfrage;
                if (AbfrageOeffnen(verbindung, abfrage, sql)) {
                    while (abfrage.next())
                        merken(abfrage.value(0), abfrage.value(1), abfrage.value(2));
                }
            }
        }
        const auto it = artNamen->constFind(art);
        if (it == artNamen->constEnd())
            return QString();
        return welche == 1 ? it->first : it->second;
    }

    // The row's fields for the given columns; false when the query fails or
    // the feed does not exist.
    bool ZeileLesen(long futterID, const QStringList& spalten, QVariantList& felder)
    {
        QString sql = QStringLiteral("SELECT ");
        for (const QString& s : spalten)
            sql += (&s == &spalten.first() ? QString() : QStringLiteral(", ")) + SqlName(s);
        sql += QStringLiteral(" FROM Futtermittel WHERE ID = ?");

        std::unique_ptr<QSqlQuery>& abfrage = abfragen[sql];
        bool ok = verbindung.IstOffen();
        if (ok && !abfrage) {
            abfrage = std::make_unique<QSqlQuery>(verbindung.Datenbank());
            abfrage->setForwardOnly(true);
            ok = abfrage->prepare(sql);
            if (!ok) {
                verbindung.FehlerMerken(abfrage->lastError(), sql);
                abfrage.reset();
                return false;
            }
        }
        if (!ok) {
            FehlerProtokollieren(QStringLiteral("Fehler beim Öffnen einer Tabelle: ") + sql);
            return false;
        }
        abfrage->bindValue(0, QVariant::fromValue<qlonglong>(futterID));
        if (!abfrage->exec()) {
            verbindung.FehlerMerken(abfrage->lastError(), sql, { QVariant::fromValue<qlonglong>(futterID) });
            return false;
        }
        const bool gefunden = abfrage->next();
        if (!gefunden && abfrage->lastError().isValid())
            verbindung.FehlerMerken(abfrage->lastError(), sql, { QVariant::fromValue<qlonglong>(futterID) });
        if (gefunden) {
            felder.clear();
            for (int i = 0; i < spalten.size(); ++i)
                felder << abfrage->value(i);
        }
        // Done with the statement before a completion writes to the row.
        abfrage->finish();
        return gefunden;
    }
};

FutterLeser::FutterLeser(Verbindung& verbindung)
    : d(std::make_unique<Intern>(verbindung))
{
}

FutterLeser::~FutterLeser() = default;

QStringList FutterLeser::Spalten(const QList<int>& codes)
{
    // Only the columns the codes and the completions need: a narrow read is
    // markedly cheaper than the whole row.
    QStringList spalten = ErgaenzungsSpalten();
    for (int code : codes) {
        for (const QString& s : SpaltenFuer(code)) {
            if (!spalten.contains(s))
                spalten << s;
        }
    }
    return spalten;
}

QList<QVariant> FutterLeser::Werte(long futterID, const QList<int>& codes)
{
    QList<QVariant> werte(codes.size());
    const QStringList& benoetigt = d->SpaltenFuerCodes(codes);
    QVariantList felder;
    const Spaltenplan* plan = nullptr;
    const auto vorher = d->vorgelesen.constFind(futterID);
    if (vorher != d->vorgelesen.constEnd() && !d->vorPlanGenuegt)
        d->vorPlanGenuegt = d->vorPlan.Enthaelt(benoetigt);
    if (vorher != d->vorgelesen.constEnd() && *d->vorPlanGenuegt) {
        // The read ahead serves this one read: a later read sees what the
        // completion below wrote.
        felder = *vorher;
        plan = &d->vorPlan;
        d->vorgelesen.erase(vorher);
    } else {
        if (d->eigenerPlan.spalten != benoetigt)
            d->eigenerPlan = Spaltenplan(benoetigt);
        if (!d->ZeileLesen(futterID, benoetigt, felder))
            return werte;
        plan = &d->eigenerPlan;
    }

    static const QString tabelle = QStringLiteral("Futtermittel");
    auto feld = [&](int i, const char* typ) {
        if (i < 0 || i >= felder.size())
            return NullFilter(QVariant(), typ);
        const NullFilterStelle stelle(tabelle, plan->spalten.at(i), futterID);
        return NullFilter(felder.at(i), typ);
    };
    // Each number column is converted once, however many codes ask for it.
    QVarLengthArray<double, 48> zahlen(felder.size());
    QVarLengthArray<bool, 48> umgewandelt(felder.size(), false);
    auto zahlAus = [&](int i) {
        if (i < 0 || i >= felder.size())
            return 0.0;
        if (!umgewandelt[i]) {
            const std::optional<double> einfach = EinfacheZahl(felder.at(i));
            zahlen[i] = einfach ? *einfach : feld(i, "Double").toDouble();
            umgewandelt[i] = true;
        }
        return zahlen[i];
    };
    auto zahl = [&](int code) { return zahlAus(plan->zahl[static_cast<std::size_t>(code)]); };

    // A feed that knows only one of its energy values gets the other one for
    // good, so that every later reader sees the same pair; with the energy
    // known, a missing nXP and RNB follow from the protein values.
    Energiewerte energie { zahl(FutterCode::ME_MJTM), zahl(FutterCode::NEL_MJTM) };
    const double meVorher = energie.ME_MJTM;
    QStringList ergaenzt;
    QVariantList ergaenzteWerte;
    if (EnergieErgaenzen(energie)) {
        const bool meNeu = energie.ME_MJTM != meVorher;
        ergaenzt << (meNeu ? QStringLiteral("ME_MJTM") : QStringLiteral("NEL_MJTM"));
        ergaenzteWerte << (meNeu ? energie.ME_MJTM : energie.NEL_MJTM);
    }
    Eiweisswerte eiweiss { zahl(FutterCode::XP_gTM), zahl(FutterCode::UDP_gTM), energie.ME_MJTM,
        zahl(FutterCode::nXP_gTM), zahl(FutterCode::RNB_gTM) };
    const EiweissErgaenzung eiweissNeu = EiweissErgaenzen(eiweiss);
    if (eiweissNeu.nXP) {
        ergaenzt << QStringLiteral("nXP_gTM");
        ergaenzteWerte << eiweiss.nXP_gTM;
    }
    if (eiweissNeu.RNB) {
        ergaenzt << QStringLiteral("RNB_gTM");
        ergaenzteWerte << eiweiss.RNB_gTM;
    }
    if (!ergaenzt.isEmpty()) {
        const QString update = QStringLiteral("UPDATE Futtermittel SET ") + ergaenzt.join(QStringLiteral(" = ?, "))
            + QStringLiteral(" = ? WHERE ID = ?");
        ergaenzteWerte << QVariant::fromValue<qlonglong>(futterID);
        // Not stored (a write-protected database): the completed values still
        // serve this read, and the next read completes them again.
        if (!AnweisungAusfuehren(d->verbindung, update, ergaenzteWerte))
            ProtokollSchreiben(
                QStringLiteral("Ergänzte Werte nicht gespeichert für Futtermittel ") + QString::number(futterID), 4);
    }

    auto wert = [&](int c) -> double {
        switch (c) {
        case FutterCode::ME_MJTM:
            return energie.ME_MJTM;
        case FutterCode::NEL_MJTM:
            return energie.NEL_MJTM;
        case FutterCode::nXP_gTM:
            return eiweiss.nXP_gTM;
        case FutterCode::RNB_gTM:
            return eiweiss.RNB_gTM;
        default:
            return zahl(c);
        }
    };
    std::optional<int> artGelesen;
    auto art = [&] {
        if (!artGelesen) {
            // The type is a small whole number; anything else takes the long way.
            const std::optional<double> z
                = plan->art >= 0 && plan->art < felder.size() ? EinfacheZahl(felder.at(plan->art)) : std::nullopt;
            if (z && *z == std::floor(*z) && *z >= -32768 && *z <= 32000)
                artGelesen = static_cast<int>(*z);
            else
                artGelesen = static_cast<int>(feld(plan->art, "Integer").toInt());
        }
        return *artGelesen;
    };
    auto name = [&] { return feld(plan->bezeichnung, "String").toString(); };

    auto einWert = [&](int code) -> QVariant {
        switch (code) {
        case FutterCode::ArtName:
            return d->ArtName(art(), 1);
        case FutterCode::Bezeichnung:
            return name();
        case FutterCode::ArtUndBezeichnung:
            return Grossbuchstaben(d->ArtName(art(), 1)) + QStringLiteral(" - ") + name();
        case FutterCode::FutterArt:
            return QVariant::fromValue<qint32>(art());
        case FutterCode::ArtKurzName:
            return d->ArtName(art(), 2);
        case FutterCode::Verfuegbarkeit:
            return QVariant::fromValue<qint16>(
                static_cast<qint16>(feld(plan->verfuegbarkeit, "Integer").toInt()));
        case FutterCode::PreisJeKgFM:
            return feld(plan->preis, "Currency").toDouble() / 100.0;
        case FutterCode::PreisJeKgTM: {
            const double tm = zahl(FutterCode::TM_g);
            if (!(tm > 0))
                return {};
            return feld(plan->preis, "Currency").toDouble() * 1000.0 / tm;
        }
        default:
            break;
        }
        if (ZahlenSpalte(code))
            return wert(code);
        const int tmCode = code - FutterCode::FrischmasseVersatz;
        if (tmCode >= FutterCode::nXP_gTM && tmCode <= FutterCode::Mn_mgTM)
            return TMinFM(wert(tmCode), zahl(FutterCode::TM_g));
        return {};
    };
    for (qsizetype i = 0; i < codes.size(); ++i)
        werte[i] = einWert(codes.at(i));
    return werte;
}

QHash<long, QList<QVariant>> FutterLeser::VieleWerte(const QList<long>& futterIDs, const QList<int>& codes)
{
    const QStringList spalten = Spalten(codes);
    QString auswahl = QStringLiteral("SELECT ID");
    for (const QString& s : spalten)
        auswahl += QStringLiteral(", ") + SqlName(s);
    auswahl += QStringLiteral(" FROM Futtermittel WHERE ID IN (");
    QHash<long, QVariantList> zeilen;
    // Bound parameters per statement stay far below SQLite's limit.
    constexpr qsizetype Block = 500;
    for (qsizetype anfang = 0; anfang < futterIDs.size(); anfang += Block) {
        const QList<long> teil = futterIDs.mid(anfang, Block);
        QVariantList werte;
        for (long id : teil)
            werte << QVariant::fromValue<qlonglong>(id);
        QSqlQuery q;
        if (!AbfrageOeffnen(d->verbindung, q,
                auswahl + QStringLiteral("?") + QStringLiteral(", ?").repeated(teil.size() - 1) + QLatin1Char(')'),
                werte))
            break;
        while (q.next()) {
            QVariantList felder;
            felder.reserve(spalten.size());
            for (int i = 0; i < spalten.size(); ++i)
                felder << q.value(i + 1);
            zeilen.insert(static_cast<long>(q.value(0).toLongLong()), felder);
        }
    }
    return WerteAusZeilen(zeilen, futterIDs, codes);
}

QHash<long, QList<QVariant>> FutterLeser::WerteAusZeilen(
    const QHash<long, QVariantList>& zeilen, const QList<long>& futterIDs, const QList<int>& codes)
{
    const QStringList& spalten = d->SpaltenFuerCodes(codes);
    if (d->vorPlan.spalten != spalten)
        d->vorPlan = Spaltenplan(spalten);
    d->vorPlanGenuegt.reset();
    d->vorgelesen = zeilen;
    // The completions of all feeds go to disk together, not one write each.
    std::optional<Transaktion> eigene;
    if (!d->verbindung.HaeltLeseSperre()) {
        eigene.emplace(d->verbindung);
        if (!eigene->LesenBeginnen())
            eigene.reset();
    }
    QHash<long, QList<QVariant>> ergebnis;
    for (long id : futterIDs)
        if (d->vorgelesen.contains(id) && !ergebnis.contains(id))
            ergebnis.insert(id, Werte(id, codes));
    d->vorgelesen.clear();
    if (eigene && !eigene->Bestaetigen())
        ProtokollSchreiben(QStringLiteral("Ergänzte Werte nicht gespeichert: ") + d->verbindung.Pfad(), 4);
    return ergebnis;
}

QList<QVariant> FutterWerte(Verbindung& verbindung, long futterID, const QList<int>& codes)
{
    return FutterLeser(verbindung).Werte(futterID, codes);
}

QVariant FutterWert(Verbindung& verbindung, long futterID, int code)
{
    return FutterWerte(verbindung, futterID, { code }).value(0);
}

} // namespace kelvora
