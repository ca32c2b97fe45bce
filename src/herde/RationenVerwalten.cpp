#include "herde/RationenVerwalten.h"

#include "database/DatenbankRoutinen.h"
#include "frame/FunktionenFuerINI.h"
#include "frame/Oberflaeche.h"
#include "frame/Protokoll.h"
#include "frame/Statuszeile.h"
#include "grundlagen/Formate.h"
#include "grundlagen/NullFilter.h"
#include "grundlagen/ZahlText.h"
#include "ration/RationMengen.h"
#include "ration/RationTiereingaben.h"

#include <QHash>
#include <QSqlQuery>
#include <QSqlRecord>
#include <algorithm>

namespace kelvora {

namespace {

// The outcome of one action on its way out.
class Aktion {
public:
    Aktion(bool* abgelehnt, QString fehlgeschlagen)
        : abgelehnt(abgelehnt)
        , fehlgeschlagen(std::move(fehlgeschlagen))
    {
        if (abgelehnt)
            *abgelehnt = false;
    }
    bool Ablehnen(const QString& text) const
    {
        if (abgelehnt)
            *abgelehnt = true;
        MsgBox(text, Knoepfe::OK, Symbol::Ausrufezeichen);
        return false;
    }
    bool Fehler(Verbindung& v) const
    {
        DatenbankFehlerMelden(v, fehlgeschlagen);
        return false;
    }
    const QString& Fehlgeschlagen() const { return fehlgeschlagen; }

private:
    bool* abgelehnt;
    QString fehlgeschlagen;
};

QString UnbekanntText(const QString& name)
{
    return QStringLiteral("Eine gespeicherte Ration ") + Genannt(name.trimmed())
        + QStringLiteral(" gibt es nicht. Nichts wurde verändert.");
}

// A number as the window's box shows it, unless the mask would round it:
// the INI must give back exactly the stored value.
QString ZahlText(double wert, const QString& maske)
{
    const QString text = Formatieren(wert, maske);
    return ZahlAusText(text) == wert ? text : DezimalText(wert);
}

QList<ini::Eintrag> Tiereintraege(long gewicht, double milch, double fett, double eiweiss,
    std::optional<double> milchpreis, const QString& name)
{
    return { { QStringLiteral("Gewicht"), QString::number(gewicht) },
        { QStringLiteral("Milch"), ZahlText(milch, MilchMaske()) },
        { QStringLiteral("Fett"), ZahlText(fett, QStringLiteral("#0.00")) },
        { QStringLiteral("Eiweiss"), ZahlText(eiweiss, QStringLiteral("#0.00")) },
        { QStringLiteral("Milchpreis"), milchpreis ? ZahlText(*milchpreis, QStringLiteral("#0.00")) : QString() },
        { RationNameSchluessel(), name } };
}

// Writes the INI keys of the action, then commits; a commit that fails puts
// the keys back as they were. False (reported) when either fails.
bool MitINIBestaetigen(Transaktion& t, Verbindung& v, const QList<ini::Eintrag>& eintraege, const Aktion& aktion)
{
    QList<ini::Eintrag> vorher;
    for (const ini::Eintrag& e : eintraege)
        vorher.append({ e.schluessel, INILesen(RationFensterName(), e.schluessel) });
    if (!eintraege.isEmpty() && !INISpeichernMehrere(RationFensterName(), eintraege)) {
        MsgBox(aktion.Fehlgeschlagen()
                + QStringLiteral("\n\nKELVORA.INI lässt sich nicht schreiben; die Tiereingaben und der Name der "
                                 "aktuellen Ration wären sonst verloren. Bitte prüfen Sie freien Speicherplatz "
                                 "und Schreibrechte im Datenordner. An den gespeicherten Daten wurde nichts "
                                 "verändert."),
            Knoepfe::OK, Symbol::Kritisch);
        return false;
    }
    if (t.Bestaetigen())
        return true;
    if (!eintraege.isEmpty() && !INISpeichernMehrere(RationFensterName(), vorher))
        FehlerProtokollieren(QStringLiteral("Die Tiereingaben in KELVORA.INI passen nicht mehr zu Tabelle Ration."));
    return aktion.Fehler(v);
}

struct RohZeile {
    QVariantList werte; // FutterID, FutterFrischMenge, ProzentAnteil, FixeMenge
};

bool AktuelleRohzeilen(Verbindung& v, QList<RohZeile>& zeilen)
{
    QSqlQuery q;
    if (!AbfrageOeffnen(v, q,
            QStringLiteral("SELECT FutterID, FutterFrischMenge, ProzentAnteil, FixeMenge FROM Ration "
                           "ORDER BY FutterID, ID")))
        return false;
    while (q.next())
        zeilen.append({ { q.value(0), q.value(1), q.value(2), q.value(3) } });
    return !q.lastError().isValid();
}

long FutterNummer(const QVariant& wert)
{
    return NullFilter(wert, "Long").toLongLong();
}

// The loading order of the new rows: feeds the replaced ration had keep
// their place among each other, new feeds follow in list order.
QList<long> Reihung(const QList<RohZeile>& zeilen, const BenannteRation* alt)
{
    QHash<long, long> bisher;
    if (alt)
        for (const InhaltZeile& z : alt->inhalt)
            bisher.insert(z.zeile.futterID, z.reihung);
    QList<qsizetype> folge(zeilen.size());
    for (qsizetype i = 0; i < folge.size(); ++i)
        folge[i] = i;
    std::stable_sort(folge.begin(), folge.end(), [&](qsizetype a, qsizetype b) {
        const long fa = FutterNummer(zeilen[a].werte[0]);
        const long fb = FutterNummer(zeilen[b].werte[0]);
        const bool da = bisher.contains(fa), db = bisher.contains(fb);
        if (da != db)
            return da;
        return da && bisher.value(fa) < bisher.value(fb);
    });
    QList<long> reihung(zeilen.size());
    for (qsizetype platz = 0; platz < folge.size(); ++platz)
        reihung[folge[platz]] = static_cast<long>(platz + 1);
    return reihung;
}

QString Jetzt()
{
    return ui().Jetzt().toString(Qt::ISODate);
}

QVariant Preis(std::optional<double> preis)
{
    return preis ? QVariant(*preis) : QVariant(QMetaType::fromType<double>());
}

bool IstAktuell(const QString& name)
{
    const QString aktuell = AktuellerRationName();
    return !aktuell.isEmpty() && GleicherName(aktuell, name);
}

} // namespace

QString RationNameSchluessel()
{
    return QStringLiteral("RationName");
}

QString AktuellerRationName()
{
    return INILesen(RationFensterName(), RationNameSchluessel());
}

bool RationSpeichern(const QString& pfad, const RationSpeichernAngaben& a, bool* abgelehnt, QString* gespeicherterName)
{
    const QString name = a.name.trimmed();
    const Aktion aktion(
        abgelehnt, QStringLiteral("Die Ration ") + Genannt(name) + QStringLiteral(" konnte nicht gespeichert werden."));
    if (const QString fehler = RationsNameFehler(name); !fehler.isEmpty())
        return aktion.Ablehnen(fehler);
    if (a.tiere)
        if (const QString fehler = GrenzePruefen(TiereGrenze(), static_cast<double>(*a.tiere)); !fehler.isEmpty())
            return aktion.Ablehnen(fehler);

    Verbindung v;
    if (!RationenDatenbankOeffnen(v, pfad))
        return false;
    Transaktion t(v);
    QList<RohZeile> zeilen;
    BenannteRation alt;
    bool vorhanden = false;
    if (!t.Beginnen() || !AktuelleRohzeilen(v, zeilen) || !RationLesen(v, name, alt, vorhanden))
        return aktion.Fehler(v);
    if (zeilen.isEmpty())
        return aktion.Ablehnen(QStringLiteral("Die aktuelle Ration enthält kein Futtermittel. Gespeichert wird nur "
                                              "eine Ration mit Futtermitteln."));
    if (vorhanden && !a.ersetzen)
        return aktion.Ablehnen(QStringLiteral("Es gibt schon eine Ration ") + Genannt(alt.name)
            + QStringLiteral(". Sie wird nur ersetzt, wenn Sie das ausdrücklich wählen; nichts "
                             "wurde verändert."));

    const QString jetzt = Jetzt();
    long id = alt.id;
    QSqlQuery q;
    bool ok;
    if (vorhanden) {
        ok = AnweisungAusfuehren(v,
                 QStringLiteral("UPDATE Rationen SET Tiere = ?, Gewicht = ?, Milch = ?, Fett = ?, "
                                "Milchpreis = ?, GeaendertAm = ?, Eiweiss = ? WHERE ID = ?"),
                 { qlonglong(a.tiere.value_or(alt.tiere)), qlonglong(a.gewicht), a.milch, a.fett, Preis(a.milchpreis),
                     jetzt, a.eiweiss, qlonglong(id) })
            && AnweisungAusfuehren(
                v, QStringLiteral("DELETE FROM RationenInhalt WHERE RationID = ?"), { qlonglong(id) });
    } else {
        ok = AbfrageOeffnen(v, q,
            QStringLiteral("INSERT INTO Rationen (Name, Tiere, Gewicht, Milch, Fett, Milchpreis, "
                           "Reserve, AngelegtAm, GeaendertAm, Eiweiss) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
            { name, qlonglong(a.tiere.value_or(0)), qlonglong(a.gewicht), a.milch, a.fett, Preis(a.milchpreis),
                ReserveVorgabe, jetzt, jetzt, a.eiweiss });
        id = ok ? q.lastInsertId().toLongLong() : 0;
    }
    const QList<long> reihung = Reihung(zeilen, vorhanden ? &alt : nullptr);
    for (qsizetype i = 0; ok && i < zeilen.size(); ++i)
        ok = AnweisungAusfuehren(v,
            QStringLiteral("INSERT INTO RationenInhalt (RationID, FutterID, FutterFrischMenge, "
                           "ProzentAnteil, FixeMenge, Reihung) VALUES (?, ?, ?, ?, ?, ?)"),
            QVariantList { qlonglong(id) } + zeilen[i].werte + QVariantList { qlonglong(reihung[i]) });
    if (!ok)
        return aktion.Fehler(v);
    const QString gespeichert = vorhanden ? alt.name : name;
    if (!MitINIBestaetigen(t, v, Tiereintraege(a.gewicht, a.milch, a.fett, a.eiweiss, a.milchpreis, gespeichert), aktion))
        return false;
    HauptFensterMeldungAusgeben(
        Farbe::Gruen, QStringLiteral("Ration ") + Genannt(gespeichert) + QStringLiteral(" wurde gespeichert"), 5);
    if (gespeicherterName)
        *gespeicherterName = gespeichert;
    return true;
}

namespace {

// An action on a stored ration: the database opened, the action's
// transaction begun and the named ration read. Lesen is false (reported)
// when any of it fails or there is no ration of that name.
struct VorhandeneRation {
    Verbindung v;
    Transaktion t { v };
    BenannteRation r;

    bool Lesen(const QString& pfad, const QString& name, const Aktion& aktion)
    {
        if (!RationenDatenbankOeffnen(v, pfad))
            return false;
        bool gefunden = false;
        if (!t.Beginnen() || !RationLesen(v, name, r, gefunden))
            return aktion.Fehler(v);
        if (!gefunden)
            return aktion.Ablehnen(UnbekanntText(name));
        return true;
    }
};

} // namespace

bool RationLaden(const QString& pfad, const QString& name, bool* abgelehnt, BenannteRation* geladen)
{
    const Aktion aktion(abgelehnt,
        QStringLiteral("Die Ration ") + Genannt(name.trimmed()) + QStringLiteral(" konnte nicht geladen werden."));
    VorhandeneRation vorhanden;
    if (!vorhanden.Lesen(pfad, name, aktion))
        return false;
    auto& [v, t, r] = vorhanden;
    if (const QString fehler = GespeicherteRationFehler(r); !fehler.isEmpty())
        return aktion.Ablehnen(fehler);

    bool ok = AnweisungAusfuehren(v, QStringLiteral("DELETE FROM Ration"));
    for (const InhaltZeile& z : r.inhalt)
        ok = ok
            && AnweisungAusfuehren(v,
                QStringLiteral("INSERT INTO Ration (FutterID, FutterFrischMenge, ProzentAnteil, "
                               "FixeMenge) VALUES (?, ?, ?, ?)"),
                z.roh);
    if (!ok)
        return aktion.Fehler(v);
    if (!MitINIBestaetigen(t, v, Tiereintraege(r.gewicht, r.milch, r.fett, r.eiweiss, r.milchpreis, r.name), aktion))
        return false;
    if (geladen)
        *geladen = r;
    return true;
}

bool RationUmbenennen(const QString& pfad, const QString& alt, const QString& neu, bool* abgelehnt)
{
    const QString neuerName = neu.trimmed();
    const Aktion aktion(abgelehnt,
        QStringLiteral("Die Ration ") + Genannt(alt.trimmed()) + QStringLiteral(" konnte nicht umbenannt werden."));
    if (const QString fehler = RationsNameFehler(neuerName); !fehler.isEmpty())
        return aktion.Ablehnen(fehler);
    Verbindung v;
    if (!RationenDatenbankOeffnen(v, pfad))
        return false;
    Transaktion t(v);
    BenannteRation r, andere;
    bool gefunden = false, vergeben = false;
    if (!t.Beginnen() || !RationLesen(v, alt, r, gefunden) || !RationLesen(v, neuerName, andere, vergeben))
        return aktion.Fehler(v);
    if (!gefunden)
        return aktion.Ablehnen(UnbekanntText(alt));
    // Another spelling of its own name is no clash.
    if (vergeben && andere.id != r.id)
        return aktion.Ablehnen(QStringLiteral("Es gibt schon eine Ration ") + Genannt(andere.name)
            + QStringLiteral(". Zwei Rationen können nicht gleich heißen; nichts wurde verändert."));
    if (!AnweisungAusfuehren(v, QStringLiteral("UPDATE Rationen SET Name = ?, GeaendertAm = ? WHERE ID = ?"),
            { neuerName, Jetzt(), qlonglong(r.id) }))
        return aktion.Fehler(v);
    QList<ini::Eintrag> ini;
    if (IstAktuell(r.name))
        ini.append({ RationNameSchluessel(), neuerName });
    return MitINIBestaetigen(t, v, ini, aktion);
}

bool RationLoeschen(const QString& pfad, const QString& name, bool* abgelehnt)
{
    const Aktion aktion(abgelehnt,
        QStringLiteral("Die Ration ") + Genannt(name.trimmed()) + QStringLiteral(" konnte nicht gelöscht werden."));
    VorhandeneRation vorhanden;
    if (!vorhanden.Lesen(pfad, name, aktion))
        return false;
    auto& [v, t, r] = vorhanden;
    if (!AnweisungAusfuehren(v, QStringLiteral("DELETE FROM RationenInhalt WHERE RationID = ?"), { qlonglong(r.id) })
        || !AnweisungAusfuehren(v, QStringLiteral("DELETE FROM Rationen WHERE ID = ?"), { qlonglong(r.id) }))
        return aktion.Fehler(v);
    // Table Ration keeps its rows; they are simply no longer a stored ration.
    QList<ini::Eintrag> ini;
    if (IstAktuell(r.name))
        ini.append({ RationNameSchluessel(), QString() });
    return MitINIBestaetigen(t, v, ini, aktion);
}

bool WeichtAb(const BenannteRation& g, const QList<RationZeile>& aktuell, const RationSpeichernAngaben& e)
{
    if (g.gewicht != e.gewicht || g.milch != e.milch || g.fett != e.fett || g.eiweiss != e.eiweiss || g.milchpreis != e.milchpreis
        || (e.tiere && *e.tiere != g.tiere))
        return true;
    // Row IDs differ between the two tables; what counts is what the
    // evaluation reads, in its order.
    auto schluessel
        = [](const RationZeile& z) { return std::make_tuple(z.futterID, z.frischMenge, z.prozentAnteil, z.fixeMenge); };
    QList<RationZeile> a = aktuell, b = g.Zeilen();
    if (a.size() != b.size())
        return true;
    const auto kleiner = [&](const RationZeile& x, const RationZeile& y) { return schluessel(x) < schluessel(y); };
    std::sort(a.begin(), a.end(), kleiner);
    std::sort(b.begin(), b.end(), kleiner);
    for (qsizetype i = 0; i < a.size(); ++i)
        if (schluessel(a[i]) != schluessel(b[i]))
            return true;
    return false;
}

} // namespace kelvora
