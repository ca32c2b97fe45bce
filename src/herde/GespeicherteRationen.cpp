#include "herde/GespeicherteRationen.h"

#include "database/DatenbankRoutinen.h"
#include "database/Schemapflege.h"
#include "feeds/FutterListeDaten.h"
#include "frame/Protokoll.h"
#include "grundlagen/NullFilter.h"
#include "grundlagen/Textbereinigung.h"
#include "grundlagen/Textkodierung.h"
#include "ration/RationTiereingaben.h"

#include <QHash>
#include <QSqlQuery>
#include <QSqlRecord>
#include <algorithm>

namespace kelvora {

namespace {

const QString RationenSpalten
    = QStringLiteral("ID, Name, Tiere, Gewicht, Milch, Fett, Milchpreis, Reserve, Bemerkung, AngelegtAm, GeaendertAm, Eiweiss");

BenannteRation KopfAus(const QSqlQuery& q)
{
    static const QString tabelle = QStringLiteral("Rationen");
    BenannteRation r;
    r.id = NullFilter(q.value(0), "Long").toLongLong();
    auto feld = [&](int i, const char* typ) {
        const NullFilterStelle stelle(tabelle, q.record().fieldName(i), r.id);
        return NullFilter(q.value(i), typ);
    };
    r.name = feld(1, "String").toString();
    r.tiere = feld(2, "Long").toLongLong();
    r.gewicht = feld(3, "Long").toLongLong();
    r.milch = feld(4, "Double").toDouble();
    r.fett = feld(5, "Double").toDouble();
    // An empty price is no price, not a price of 0.
    if (!q.value(6).isNull() && !q.value(6).toString().trimmed().isEmpty())
        r.milchpreis = feld(6, "Double").toDouble();
    r.reserve = feld(7, "Double").toDouble();
    r.bemerkung = feld(8, "String").toString();
    r.angelegt = feld(9, "String").toString();
    r.geaendert = feld(10, "String").toString();
    r.eiweiss = feld(11, "Double").toDouble();
    return r;
}

// The rows of the rations given (all of them when alle), into their inhalt.
bool InhaltLesen(Verbindung& v, QList<BenannteRation>& rationen, bool alle)
{
    QHash<long, BenannteRation*> nachID;
    for (BenannteRation& r : rationen) {
        r.inhalt.clear();
        nachID.insert(r.id, &r);
    }
    QString sql = QStringLiteral("SELECT ID, FutterID, FutterFrischMenge, ProzentAnteil, FixeMenge, Reihung, "
                                 "RationID FROM RationenInhalt");
    QVariantList werte;
    if (!alle) {
        sql += QStringLiteral(" WHERE RationID = ?");
        werte << qlonglong(rationen.value(0).id);
    }
    QSqlQuery q;
    if (!AbfrageOeffnen(v, q, sql + QStringLiteral(" ORDER BY RationID, FutterID, ID"), werte))
        return false;
    while (q.next()) {
        BenannteRation* r = nachID.value(NullFilter(q.value(6), "Long").toLongLong());
        if (!r)
            continue;
        InhaltZeile z;
        z.zeile = RationZeileAus(q.record());
        z.reihung = NullFilter(q.value(5), "Long").toLongLong();
        z.roh = { q.value(1), q.value(2), q.value(3), q.value(4) };
        r->inhalt.append(z);
    }
    if (q.lastError().isValid()) {
        v.FehlerMerken(q.lastError(), sql);
        return false;
    }
    return true;
}

} // namespace

const Eingabegrenze& TiereGrenze()
{
    static const Eingabegrenze g { QStringLiteral("Tiere"), 0, 9999, QStringLiteral("Kühe") };
    return g;
}

const Eingabegrenze& ReserveGrenze()
{
    static const Eingabegrenze g { QStringLiteral("Reserve"), 0, 50, QStringLiteral("%") };
    return g;
}

QList<RationZeile> BenannteRation::Zeilen() const
{
    QList<RationZeile> zeilen;
    for (const InhaltZeile& z : inhalt)
        zeilen.append(z.zeile);
    return zeilen;
}

QList<InhaltZeile> BenannteRation::NachReihung() const
{
    QList<InhaltZeile> zeilen = inhalt;
    std::stable_sort(
        zeilen.begin(), zeilen.end(), [](const InhaltZeile& a, const InhaltZeile& b) { return a.reihung < b.reihung; });
    return zeilen;
}

QList<long> FutterNummern(const QList<BenannteRation>& rationen)
{
    QList<long> nummern;
    for (const BenannteRation& r : rationen)
        for (const InhaltZeile& z : r.inhalt)
            if (!nummern.contains(z.zeile.futterID))
                nummern << z.zeile.futterID;
    return nummern;
}

QString Genannt(const QString& name)
{
    return QStringLiteral("„") + name + QStringLiteral("“");
}

QString RationsNameFehler(const QString& name)
{
    const QString t = name.trimmed();
    if (t.isEmpty())
        return QStringLiteral("Bitte geben Sie einen Namen für die Ration ein.");
    if (t.size() > RationsNameLaenge)
        return QStringLiteral("Der Name der Ration ist zu lang: höchstens %1 Zeichen, nicht %2.")
            .arg(RationsNameLaenge)
            .arg(t.size());
    if (OhneSteuerzeichen(t) != t)
        return QStringLiteral("Der Name der Ration darf keine Steuerzeichen (Tabulator, Zeilenumbruch …) enthalten.");
    // The current name is kept in KELVORA.INI, which holds Windows-1252; a
    // name it cannot hold would come back as another name.
    if (const QStringList fremd = NichtAnsiZeichen(t); !fremd.isEmpty())
        return QStringLiteral("Der Name der Ration enthält Zeichen, die KELVORA.INI (Windows-1252) nicht aufnehmen "
                              "kann: ")
            + fremd.join(QStringLiteral(" ")) + QStringLiteral(". Bitte schreiben Sie den Namen ohne sie.");
    return QString();
}

bool GleicherName(const QString& a, const QString& b)
{
    return a.trimmed().toCaseFolded() == b.trimmed().toCaseFolded();
}

bool Lesend(Verbindung& v, const std::function<bool()>& lesen)
{
    Transaktion t(v);
    const bool ok = t.LesenBeginnen() && lesen();
    if (ok && !t.Bestaetigen())
        ProtokollSchreiben(QStringLiteral("Ergänzte Energiewerte nicht gespeichert: ") + v.Pfad(), 4);
    return ok;
}

bool RationenDatenbankOeffnen(Verbindung& v, const QString& pfad)
{
    if (!DatenbankOeffnen(v, pfad))
        return false;
    if (RationenTabellenPflegen(v))
        return true;
    DatenbankFehlerMelden(v, QStringLiteral("Die Tabellen der gespeicherten Rationen können nicht angelegt werden."));
    return false;
}

bool RationenLesen(Verbindung& v, QList<BenannteRation>& rationen, bool mitInhalt)
{
    rationen.clear();
    QSqlQuery q;
    if (!AbfrageOeffnen(v, q, QStringLiteral("SELECT ") + RationenSpalten + QStringLiteral(" FROM Rationen")))
        return false;
    while (q.next())
        rationen.append(KopfAus(q));
    if (q.lastError().isValid()) {
        v.FehlerMerken(q.lastError(), QStringLiteral("SELECT ... FROM Rationen"));
        rationen.clear();
        return false;
    }
    std::sort(rationen.begin(), rationen.end(), [](const BenannteRation& a, const BenannteRation& b) {
        // In German order: "Färsen" before "Frischmelker", "Gruppe 9" before "Gruppe 10".
        const int c = BezeichnungVergleichen(a.name, b.name);
        return c != 0 ? c < 0 : a.id < b.id;
    });
    return !mitInhalt || InhaltLesen(v, rationen, true);
}

bool RationLesen(Verbindung& v, const QString& name, BenannteRation& ration, bool& gefunden)
{
    gefunden = false;
    QList<BenannteRation> alle;
    if (!RationenLesen(v, alle))
        return false;
    // Found here rather than in SQL: COLLATE NOCASE folds only A to Z.
    const auto it = std::find_if(
        alle.cbegin(), alle.cend(), [&name](const BenannteRation& r) { return GleicherName(r.name, name); });
    if (it == alle.cend())
        return true;
    QList<BenannteRation> eine { *it };
    if (!InhaltLesen(v, eine, false))
        return false;
    ration = eine.first();
    gefunden = true;
    return true;
}

QString GespeicherteRationFehler(const BenannteRation& r)
{
    const QString kopf = QStringLiteral("Die gespeicherte Ration ") + Genannt(r.name)
        + QStringLiteral(" lässt sich nicht verwenden: ");
    const QList<Gewichtsklasse>& klassen = Gewichtsklassen();
    if (std::none_of(klassen.cbegin(), klassen.cend(), [&r](const Gewichtsklasse& k) { return k.nummer == r.gewicht; }))
        return kopf + QStringLiteral("Die Gewichtsklasse %1 kg gibt es nicht.").arg(r.gewicht);
    const std::pair<const Eingabegrenze&, double> werte[] = {
        { MilchGrenze(), r.milch },
        { FettGrenze(), r.fett },
        { EiweissGrenze(), r.eiweiss },
        { MilchpreisGrenze(), r.milchpreis.value_or(0) },
        { TiereGrenze(), static_cast<double>(r.tiere) },
        { ReserveGrenze(), r.reserve },
    };
    for (const auto& [grenze, wert] : werte)
        if (const QString m = GrenzePruefen(grenze, wert); !m.isEmpty())
            return kopf + m;
    return QString();
}

TierEingaben TierAusRation(const BenannteRation& r, int monat)
{
    TierEingaben t;
    t.gewicht = r.gewicht;
    t.milch = r.milch;
    t.fett = r.fett;
    t.eiweiss = r.eiweiss;
    t.milchpreis = r.milchpreis;
    t.monat = monat;
    return t;
}

} // namespace kelvora
