#include "ration/RationAuswerten.h"

#include "grundlagen/DatenTypen.h"
#include "database/DatenbankRoutinen.h"
#include "grundlagen/Formate.h"
#include "grundlagen/NullFilter.h"
#include "feeds/FutterbezogeneRoutinen.h"
#include "frame/Oberflaeche.h"
#include "frame/Protokoll.h"
#include "ration/Futterkosten.h"
#include "ration/GfE.h"
#include "ration/GespeicherteWerte.h"
#include "ration/Kennzahlen.h"

#include <QHash>

namespace kelvora {

using namespace auswertung;

namespace {

// Whole grams beyond the Long range are an error of the run, as with the
// Long conversion of the feed values they come from.
long Ganzzahl(double wert)
{
    if (!ImLongBereich(wert))
        throw Laufzeitfehler(6, QStringLiteral("Überlauf"));
    return R(wert);
}

long Addieren(long summe, long wert)
{
    return Ganzzahl(static_cast<double>(summe) + static_cast<double>(wert));
}

// Grams of a nutrient given per kg DM: the table value is taken as a whole
// number first, then the product is rounded again.
long Gramm(double frischMenge, const QVariant& wertJeKgTM, double tmAnteil)
{
    return Ganzzahl(frischMenge * static_cast<double>(Ganzzahl(WertAlsZahl(wertJeKgTM))) * tmAnteil);
}

// The value codes FutterZeileBerechnen asks for each feed, read together.
const QList<int>& AuswertungsCodes()
{
    static const QList<int> codes{FutterCode::FutterArt, FutterCode::NEL_MJTM, FutterCode::TM_g,
                                  FutterCode::UDP_gTM,   FutterCode::NFC_gTM,  FutterCode::ADF_gTM,
                                  FutterCode::NDF_gTM,   FutterCode::XP_gTM,   FutterCode::Ca_gTM,
                                  FutterCode::P_gTM,     FutterCode::ArtName,  FutterCode::Bezeichnung,
                                  FutterCode::PreisJeKgFM, FutterCode::ME_MJTM,  FutterCode::nXP_gTM,
                                  FutterCode::RNB_gTM,     FutterCode::Mg_gTM,   FutterCode::Na_gTM,
                                  FutterCode::K_gTM,       FutterCode::Cu_mgTM,  FutterCode::Zn_mgTM,
                                  FutterCode::Mn_mgTM};
    return codes;
}

QString Text(const QVariant& v)
{
    // Names come as texts; an empty one shows as a blank, as NullFilter gives it.
    if (v.metaType().id() == QMetaType::QString) {
        const QString t = *static_cast<const QString*>(v.constData());
        return t.isEmpty() ? QStringLiteral(" ") : t;
    }
    return NullFilter(v.isValid() ? v : QVariant(QString()), "String+").toString();
}

void FutterZeileBerechnen(Auswertung& a, const RationZeile& zeile, const FutterWertFunktion& wert)
{
    RationSummen& s = a.summen;
    const long art = static_cast<long>(WertAlsZahl(wert(zeile.futterID, FutterCode::FutterArt)));
    const bool grundfutter = art >= 1 && art <= 5;
    if (zeile.fixeMenge == 0)
        s.freiesFutterNEL = WertAlsZahl(wert(zeile.futterID, FutterCode::NEL_MJTM));

    const double fm = zeile.frischMenge;
    const double d = WertAlsZahl(wert(zeile.futterID, FutterCode::TM_g)) / 1000;
    const double tmKg = fm * d;
    s.trockenmasse += tmKg;
    s.frischmasse += fm;

    const long udp = Gramm(fm, wert(zeile.futterID, FutterCode::UDP_gTM), d);
    const long nfc = Gramm(fm, wert(zeile.futterID, FutterCode::NFC_gTM), d);
    const long adf = Gramm(fm, wert(zeile.futterID, FutterCode::ADF_gTM), d);
    const long ndf = Gramm(fm, wert(zeile.futterID, FutterCode::NDF_gTM), d);
    s.udp = Addieren(s.udp, udp);
    s.nfc = Addieren(s.nfc, nfc);
    s.adf = Addieren(s.adf, adf);
    s.ndf = Addieren(s.ndf, ndf);
    if (grundfutter)
        s.grundfutterNDF = Addieren(s.grundfutterNDF, ndf);
    else
        s.kraftfutterTM += tmKg;

    const long xp = Gramm(fm, wert(zeile.futterID, FutterCode::XP_gTM), d);
    const double nel = fm * WertAlsZahl(wert(zeile.futterID, FutterCode::NEL_MJTM)) * d;
    const double ca = fm * WertAlsZahl(wert(zeile.futterID, FutterCode::Ca_gTM)) * d;
    const double p = fm * WertAlsZahl(wert(zeile.futterID, FutterCode::P_gTM)) * d;
    s.rohprotein = Addieren(s.rohprotein, xp);
    s.nel += nel;
    s.ca += ca;
    s.p += p;

    ListenZeile l;
    l.art = ZeilenArt::Futter;
    l.id = zeile.id;
    const QString artName = Text(wert(zeile.futterID, FutterCode::ArtName));
    const QString name = Text(wert(zeile.futterID, FutterCode::Bezeichnung));
    QString bezeichnung = name;
    QString frisch;
    if (zeile.fixeMenge == 1) {
        frisch = Formatieren(fm, QStringLiteral("##,##0.00"));
    } else if (fm == 0) {
        frisch = Formatieren(zeile.prozentAnteil, QStringLiteral("##0")) + QStringLiteral(" % ");
    } else {
        bezeichnung = QStringLiteral("(") + Formatieren(zeile.prozentAnteil, QStringLiteral("##0"))
            + QStringLiteral(" %) ") + name;
        frisch = Formatieren(fm, QStringLiteral("##,##0.00")) + QStringLiteral(" *");
    }
    const QString g = QStringLiteral("###,##0");
    l.texte = {artName,
               bezeichnung,
               frisch,
               Formatieren(tmKg, QStringLiteral("##,##0.00")),
               Formatieren(static_cast<double>(xp), g),
               Formatieren(static_cast<double>(udp), g),
               Formatieren(nel, QStringLiteral("#,##0.0")),
               Formatieren(static_cast<double>(nfc), g),
               Formatieren(static_cast<double>(adf), g),
               Formatieren(static_cast<double>(ndf), g),
               Formatieren(ca, QStringLiteral("#,##0.00")),
               Formatieren(p, QStringLiteral("#,##0.00"))};
    a.zeilen.append(l);
}

void SummenZeilen(Auswertung& a)
{
    const RationSummen& s = a.summen;
    a.zeilen.append(LeereZeile(ZeilenArt::Leer));
    ListenZeile l = LeereZeile(ZeilenArt::Summen);
    const QString g = QStringLiteral("###,##0");
    l.texte[SpBezeichnung] = QStringLiteral("SUMMEN");
    l.texte[SpFrisch] = Formatieren(s.frischmasse, QStringLiteral("##,##0.0"));
    l.texte[SpTM] = Formatieren(s.trockenmasse, QStringLiteral("##,##0.00"));
    l.texte[SpRohprotein] = Formatieren(static_cast<double>(s.rohprotein), g);
    l.texte[SpUDP] = Formatieren(static_cast<double>(s.udp), g);
    l.texte[SpNEL] = Formatieren(s.nel, QStringLiteral("#,##0.0"));
    l.texte[SpNFC] = Formatieren(static_cast<double>(s.nfc), g);
    l.texte[SpADF] = Formatieren(static_cast<double>(s.adf), g);
    l.texte[SpNDF] = Formatieren(static_cast<double>(s.ndf), g);
    l.texte[SpCa] = Formatieren(s.ca, QStringLiteral("#,##0.00"));
    l.texte[SpP] = Formatieren(s.p, QStringLiteral("#,##0.00"));
    a.zeilen.append(l);
}

// The sums go to the "Ist" column of the balancing that ran last.
void ErgebnisSummen(Auswertung& a, const TierEingaben& tier)
{
    ErgebnisWerte& e = a.ergebnis;
    e.aktualisieren = true;
    if (tier.letzterAusgleich != QLatin1String("NDF") && tier.letzterAusgleich != QLatin1String("TM"))
        return;
    e.spalte = tier.letzterAusgleich;
    const RationSummen& s = a.summen;
    e.ist[ErgNEL] = Formatieren(s.nel, QStringLiteral("#,##0")) + QStringLiteral(" MJ");
    e.ist[ErgRohprotein] = Formatieren(static_cast<double>(s.rohprotein), QStringLiteral("#####0")) + QStringLiteral(" g");
    e.ist[ErgCalzium] = Formatieren(s.ca, QStringLiteral("#,##0")) + QStringLiteral(" g");
    e.ist[ErgPhosphor] = Formatieren(s.p, QStringLiteral("#,##0")) + QStringLiteral(" g");
}

// A run that failed on one row shows no sums and no figures, but every feed
// row stays in the list, the failing one marked, so that the user can open
// it and correct it. The rows before ab are already listed.
void AbgebrochenZeigen(Auswertung& a, const QList<RationZeile>& rationZeilen, qsizetype ab, qsizetype fehlerZeile,
    const FutterWertFunktion& wert)
{
    a.ergebnis = ErgebnisWerte{};
    for (Anzeige& anzeige : a.anzeigen)
        Leeren(anzeige);
    QList<ListenZeile> zeilen;
    for (const ListenZeile& l : std::as_const(a.zeilen)) {
        if (l.art == ZeilenArt::Futter)
            zeilen.append(l);
    }
    for (qsizetype i = ab; i < rationZeilen.size(); ++i) {
        const RationZeile& r = rationZeilen.at(i);
        ListenZeile l = LeereZeile(ZeilenArt::Futter);
        l.id = r.id;
        l.texte[SpFutterart] = Text(wert(r.futterID, FutterCode::ArtName));
        l.texte[SpBezeichnung] = Text(wert(r.futterID, FutterCode::Bezeichnung));
        l.texte[SpFrisch] = r.fixeMenge == 1 || r.frischMenge != 0
            ? Formatieren(r.frischMenge, QStringLiteral("##,##0.00"))
            : Formatieren(r.prozentAnteil, QStringLiteral("##0")) + QStringLiteral(" % ");
        if (i == fehlerZeile) {
            l.fehler = true;
            l.texte[SpBezeichnung] += QStringLiteral(" - nicht berechenbar, Menge prüfen");
        }
        zeilen.append(l);
    }
    a.zeilen = zeilen;
}

void KostenZeigen(Auswertung& a, const TierEingaben& tier, const QList<RationZeile>& zeilen,
                  const FutterWertFunktion& wert)
{
    const KostenTexte t = KostenTexteBilden(FutterkostenBerechnen(zeilen, wert), tier.milch, tier.milchpreis);
    const QStringList& namen = KostenAnzeigenNamen();
    Zeigen(a, namen[0], t.jeTag).tipp = t.tipp;
    Zeigen(a, namen[1], t.jeKgMilch).tipp = t.tipp;
    Zeigen(a, namen[2], t.einkommen).tipp = t.tipp;
}

// The German block: nXP, RNB and minerals of the same rows.
void GfEZeigen(Auswertung& a, const TierEingaben& tier, const QList<RationZeile>& zeilen,
               const FutterWertFunktion& wert)
{
    const GfEErgebnis e = GfEBerechnen(GfEFutterLesen(zeilen, wert), static_cast<double>(tier.gewicht), tier.milch,
                                       tier.eiweiss);
    for (const Anzeige& neu : GfEAnzeigenBilden(e))
        AnzeigeVon(a, neu.name) = neu;
}

Auswertung LeereAuswertung(const TierEingaben& tier)
{
    Auswertung a;
    for (const QString& name : AnzeigenNamen()) {
        Anzeige anzeige;
        anzeige.name = name;
        a.anzeigen.append(anzeige);
    }
    a.fettKg = FettKg(tier.milch, tier.fett);
    a.fcm = FCMBerechnen(tier.milch, tier.fett);
    a.ergebnisZeigen = tier.tmAusgeglichen && tier.ndfAusgeglichen;
    return a;
}

// A stored value that is no usable number stops the evaluation before it
// starts, like an overflow: every feed row stays listed as it stands, the
// one with the value marked, so the user can open it and correct it.
Auswertung UngueltigZeigen(const TierEingaben& tier, const GespeicherteRation& g)
{
    Auswertung a = LeereAuswertung(tier);
    a.datenbankOffen = true;
    a.abgebrochen = true;
    FehlerProtokollieren(QStringLiteral("RationAuswerten: ") + g.meldung);
    MsgBox(g.meldung, Knoepfe::OK, Symbol::Kritisch);
    AbgebrochenZeigen(a, g.zeilen, 0, g.fehlerZeile, [&g](long futterID, int code) -> QVariant {
        for (qsizetype i = 0; i < g.zeilen.size(); ++i) {
            if (g.zeilen[i].futterID != futterID)
                continue;
            if (code == FutterCode::ArtName)
                return g.artNamen[i];
            if (code == FutterCode::Bezeichnung)
                return g.futterNamen[i];
        }
        return {};
    });
    return a;
}

} // namespace

double WertAlsZahl(const QVariant& wert)
{
    if (const std::optional<double> d = EinfacheZahl(wert))
        return *d;
    return wert.toDouble();
}

const QStringList& AnzeigenNamen()
{
    static const QStringList namen = QStringList{
        QStringLiteral("lblKraftfutterKiloAnzeige"), QStringLiteral("lblKraftfutterProzentAnzeige"),
        QStringLiteral("lblNDFGrammMaxAnzeige"),     QStringLiteral("lblTMKiloMaxAnzeige"),
        QStringLiteral("lblTMKiloMaxAnzeige2"),      QStringLiteral("lblTMKiloAnzeige"),
        QStringLiteral("lblTMGehaltAnzeige"),        QStringLiteral("lblNELMJAnzeige"),
        QStringLiteral("lblNelKonzAnzeige"),         QStringLiteral("lblUDPGrammAnzeige"),
        QStringLiteral("lblUDPKonzAnzeige"),         QStringLiteral("lblNFCGrammAnzeige"),
        QStringLiteral("lblNFCKonzAnzeige"),         QStringLiteral("lblNDFGrammAnzeige"),
        QStringLiteral("lblNDFKonzAnzeige"),         QStringLiteral("lblNDFGFGrammAnzeige"),
        QStringLiteral("lblNDFGFKonzAnzeige"),       QStringLiteral("lblADFGrammAnzeige"),
        QStringLiteral("lblADFKonzAnzeige"),         QStringLiteral("lblUnterversorgungRohprotein"),
        QStringLiteral("lblUnterversorgungNEL"),
    } + KostenAnzeigenNamen() + GfEAnzeigenNamen();
    return namen;
}

const Anzeige* Auswertung::AnzeigeNach(const QString& name) const
{
    for (const Anzeige& anzeige : anzeigen) {
        if (anzeige.name == name)
            return &anzeige;
    }
    return nullptr;
}

Auswertung RationBerechnen(const TierEingaben& tier, const QList<RationZeile>& rationZeilen,
                           const FutterWertFunktion& wert)
{
    Auswertung a = LeereAuswertung(tier);
    a.datenbankOffen = true;
    qsizetype zeile = 0;
    try {
        for (; zeile < rationZeilen.size(); ++zeile)
            FutterZeileBerechnen(a, rationZeilen.at(zeile), wert);
        SummenZeilen(a);
        ErgebnisSummen(a, tier);
        const bool mitTrockenmasse = a.summen.frischmasse > 0 && a.summen.trockenmasse > 0;
        if (mitTrockenmasse)
            KraftfutterAnzeigen(a);
        AufnahmeGrenzenAnzeigen(a, tier);
        if (mitTrockenmasse)
            KennzahlenAnzeigen(a);
        else
            // Without dry matter there is nothing to judge; figures of an
            // earlier ration must not stay on screen as if they still held.
            KennzahlenLeeren(a);
        BedarfAnzeigen(a, tier);
        VersorgungAnzeigen(a, tier);
        KostenZeigen(a, tier, rationZeilen, wert);
        GfEZeigen(a, tier, rationZeilen, wert);
    } catch (const Laufzeitfehler& f) {
        a.abgebrochen = true;
        const QString text = FehlerBeschreibung(f.nummer, QString::fromStdString(f.what()),
                                                QStringLiteral("RationAuswerten"),
                                                QStringLiteral("RationTierErstellenFenster"));
        FehlerProtokollieren(text);
        MsgBox(Uebersetzen(text), Knoepfe::OK, Symbol::Kritisch);
        AbgebrochenZeigen(a, rationZeilen, zeile, zeile, wert);
    }
    return a;
}

// Where each code of AuswertungsCodes sits in a feed's values; -1 for the
// codes that are asked for only now and then.
int Platz(int code)
{
    static const std::array<int, 100> plaetze = [] {
        std::array<int, 100> p;
        p.fill(-1);
        const QList<int>& codes = AuswertungsCodes();
        for (qsizetype i = 0; i < codes.size(); ++i)
            p[static_cast<std::size_t>(codes.at(i))] = static_cast<int>(i);
        return p;
    }();
    return code >= 0 && code < 100 ? plaetze[static_cast<std::size_t>(code)] : -1;
}

struct FutterWerteLeser::Intern {
    explicit Intern(Verbindung& v)
        : leser(v)
    {
    }
    FutterLeser leser;
    struct Futter {
        QList<QVariant> werte; // in the order of AuswertungsCodes
        QHash<int, QVariant> weitere;
    };
    QHash<long, Futter> gelesen;

    void Merken(long futterID, const QList<int>& codes, const QList<QVariant>& werte)
    {
        Futter& futter = gelesen[futterID];
        if (codes == AuswertungsCodes() && futter.werte.isEmpty()) {
            // The usual read: the values stand in this order already.
            futter.werte = werte;
            return;
        }
        if (futter.werte.isEmpty())
            futter.werte.resize(AuswertungsCodes().size());
        for (qsizetype i = 0; i < codes.size(); ++i) {
            const int platz = Platz(codes.at(i));
            if (platz >= 0)
                futter.werte[platz] = werte.value(i);
            else
                futter.weitere.insert(codes.at(i), werte.value(i));
        }
    }

    QVariant Wert(long futterID, int code)
    {
        const int platz = Platz(code);
        const auto futter = gelesen.constFind(futterID);
        if (futter != gelesen.constEnd()) {
            if (platz >= 0)
                return futter->werte.at(platz);
            const auto it = futter->weitere.constFind(code);
            if (it != futter->weitere.constEnd())
                return *it;
        }
        QList<int> codes = AuswertungsCodes();
        if (!codes.contains(code))
            codes << code;
        Merken(futterID, codes, leser.Werte(futterID, codes));
        const Futter& neu = gelesen[futterID];
        return platz >= 0 ? neu.werte.at(platz) : neu.weitere.value(code);
    }
};

FutterWerteLeser::FutterWerteLeser(Verbindung& verbindung)
    : d(std::make_unique<Intern>(verbindung))
{
}

FutterWerteLeser::~FutterWerteLeser() = default;

void FutterWerteLeser::Vorlesen(const QList<long>& futterIDs)
{
    QList<long> neu;
    for (long id : futterIDs)
        if (!d->gelesen.contains(id) && !neu.contains(id))
            neu << id;
    const QHash<long, QList<QVariant>> werte = d->leser.VieleWerte(neu, AuswertungsCodes());
    for (auto it = werte.cbegin(); it != werte.cend(); ++it)
        d->Merken(it.key(), AuswertungsCodes(), it.value());
}

void FutterWerteLeser::Vorlesen(const QHash<long, QVariantList>& zeilen)
{
    QList<long> neu;
    for (auto it = zeilen.cbegin(); it != zeilen.cend(); ++it)
        if (!d->gelesen.contains(it.key()))
            neu << it.key();
    const QHash<long, QList<QVariant>> werte = d->leser.WerteAusZeilen(zeilen, neu, AuswertungsCodes());
    for (auto it = werte.cbegin(); it != werte.cend(); ++it)
        d->Merken(it.key(), AuswertungsCodes(), it.value());
}

const QStringList& FutterWerteLeser::Spalten()
{
    static const QStringList spalten = FutterLeser::Spalten(AuswertungsCodes());
    return spalten;
}

FutterWertFunktion FutterWerteLeser::Funktion()
{
    Intern* intern = d.get();
    return [intern](long futterID, int code) { return intern->Wert(futterID, code); };
}

RationZeile RationZeileAus(const std::array<QVariant, 5>& felder)
{
    // The usual row: whole numbers and doubles as the database gives them.
    auto ganz = [](const QVariant& v) -> std::optional<long> {
        if (v.metaType().id() != QMetaType::LongLong)
            return std::nullopt;
        const qlonglong n = *static_cast<const qlonglong*>(v.constData());
        if (n < -2147483648LL || n > 2147483647LL)
            return std::nullopt;
        return static_cast<long>(n);
    };
    const std::optional<long> id = ganz(felder[0]);
    const std::optional<long> futterID = ganz(felder[1]);
    const std::optional<long> fest = ganz(felder[4]);
    if (id && futterID && fest && !felder[2].isNull() && !felder[3].isNull()) {
        const std::optional<double> frisch = EinfacheZahl(felder[2]);
        const std::optional<double> prozent = EinfacheZahl(felder[3]);
        if (frisch && prozent) {
            RationZeile z;
            z.id = *id;
            z.futterID = *futterID;
            z.frischMenge = *frisch;
            z.prozentAnteil = *prozent;
            z.fixeMenge = *fest == 0 ? 0 : 1;
            return z;
        }
    }
    static const QString tabelle = QStringLiteral("Ration");
    static const QString namen[] = { QStringLiteral("ID"), QStringLiteral("FutterID"),
        QStringLiteral("FutterFrischMenge"), QStringLiteral("ProzentAnteil"), QStringLiteral("FixeMenge") };
    RationZeile z;
    z.id = NullFilter(felder[0], "Long").toLongLong();
    auto feld = [&](int i, const char* typ) {
        const NullFilterStelle stelle(tabelle, namen[i], z.id);
        return NullFilter(felder[static_cast<std::size_t>(i)], typ);
    };
    z.futterID = feld(1, "Long").toLongLong();
    z.frischMenge = feld(2, "Double").toDouble();
    z.prozentAnteil = feld(3, "Double").toDouble();
    const QVariant& fix = felder[4];
    const bool frei
        = fix.isValid() && !fix.isNull() && !fix.toString().trimmed().isEmpty() && feld(4, "Integer").toInt() == 0;
    z.fixeMenge = frei ? 0 : 1;
    return z;
}

RationZeile RationZeileAus(const QSqlRecord& satz)
{
    return RationZeileAus({ satz.value(QStringLiteral("ID")), satz.value(QStringLiteral("FutterID")),
        satz.value(QStringLiteral("FutterFrischMenge")), satz.value(QStringLiteral("ProzentAnteil")),
        satz.value(QStringLiteral("FixeMenge")) });
}

bool RationZeilenLesen(Verbindung& verbindung, QList<RationZeile>& zeilen)
{
    zeilen.clear();
    QSqlQuery abfrage(verbindung.Datenbank());
    if (!AbfrageOeffnenPruefen(verbindung, abfrage, QStringLiteral("SELECT * FROM Ration ORDER BY FutterID")))
        return false;
    while (abfrage.next())
        zeilen.append(RationZeileAus(abfrage.record()));
    // A page that breaks in the middle of the table ends the loop early.
    if (abfrage.lastError().isValid()) {
        verbindung.FehlerMerken(abfrage.lastError(), QStringLiteral("SELECT * FROM Ration ORDER BY FutterID"));
        zeilen.clear();
        return false;
    }
    return true;
}

Auswertung RationAuswerten(const TierEingaben& tier)
{
    return RationAuswerten(tier, PfadHolen(QStringLiteral("Futter")));
}

Auswertung RationAuswerten(const TierEingaben& tier, const QString& datenbankPfad)
{
    Verbindung verbindung;
    if (!DatenbankOeffnen(verbindung, datenbankPfad))
        return LeereAuswertung(tier);
    GespeicherteRation gespeichert;
    Auswertung a;
    {
        // The whole run reads one state of the database: no other program's
        // write can slip in between two reads, nor make one of them fail.
        // Messages come after the lock is given back: a message box waiting
        // for the user must not keep other windows and commands out.
        Transaktion lesen(verbindung);
        if (lesen.LesenBeginnen())
            gespeichert = GespeicherteRationPruefen(verbindung, FutterWerteLeser::Spalten());
        if (gespeichert.gelesen && gespeichert.fehlerZeile < 0) {
            // Each feed is read once per run, by the check's query, with
            // every value the calculation asks for (the energy completion is
            // stored on the way).
            FutterWerteLeser leser(verbindung);
            leser.Vorlesen(gespeichert.futterZeilen);
            a = RationBerechnen(tier, gespeichert.zeilen, leser.Funktion());
            // Only a completed energy value is written in this run; when it
            // is not kept, the next run completes it again.
            if (!lesen.Bestaetigen())
                ProtokollSchreiben(QStringLiteral("Ergänzte Energiewerte nicht gespeichert: ") + datenbankPfad, 4);
        }
    }
    // A ration that cannot be read is not an empty ration: showing sums of 0
    // would pass for a result.
    if (!gespeichert.gelesen) {
        DatenbankFehlerMelden(verbindung, QStringLiteral("Die Ration kann nicht gelesen werden."));
        return LeereAuswertung(tier);
    }
    if (gespeichert.fehlerZeile >= 0)
        return UngueltigZeigen(tier, gespeichert);
    // Feed rows that could not be read would count as feeds without value.
    if (verbindung.Beschaedigt()) {
        DatenbankFehlerMelden(verbindung, QStringLiteral("Die Futtermittel der Ration können nicht gelesen werden."));
        return LeereAuswertung(tier);
    }
    return a;
}

} // namespace kelvora
