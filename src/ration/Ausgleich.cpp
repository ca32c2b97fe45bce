#include "ration/Ausgleich.h"

#include "ration/GespeicherteWerte.h"
#include "ration/RationAuswerten.h"

#include "database/DatenbankRoutinen.h"
#include "grundlagen/Formate.h"
#include "feeds/FutterbezogeneRoutinen.h"
#include "frame/Oberflaeche.h"
#include "frame/Programm.h"

#include <QList>
#include <optional>

namespace kelvora {

namespace {

struct Zeile : RationZeile {
    QString name;
    double tm_g = 0;
    double ndf_gTM = 0;
    bool Frei() const { return fixeMenge == 0; }
};

// A message of the balancing, shown once the database is let go: a message
// box that waits for the user must not keep other windows and commands out.
struct Meldung {
    QString text;
    Symbol symbol = Symbol::Keins;
};

Meldung Verweigert(const QString& text)
{
    return { text, Symbol::Ausrufezeichen };
}

// How far the balancing got before the database is let go.
enum class Stand { Fertig, Verweigert, Fehlgeschlagen };

// Reads and checks the stored values of every row and its feed, then the
// dry matter and NDF of each feed. Verweigert (with the message) for a stored
// value that is no usable number: nothing is calculated from it.
Stand RationLesen(Verbindung& v, QList<Zeile>& zeilen, Meldung& meldung)
{
    const GespeicherteRation gespeichert = GespeicherteRationPruefen(v);
    if (!gespeichert.gelesen)
        return Stand::Fehlgeschlagen;
    if (gespeichert.fehlerZeile >= 0) {
        meldung = Verweigert(gespeichert.meldung);
        return Stand::Verweigert;
    }
    FutterLeser leser(v);
    for (qsizetype i = 0; i < gespeichert.zeilen.size(); ++i) {
        Zeile z;
        static_cast<RationZeile&>(z) = gespeichert.zeilen[i];
        z.name = gespeichert.futterNamen[i];
        const QList<QVariant> werte = leser.Werte(z.futterID, { FutterCode::TM_g, FutterCode::NDF_gTM });
        if (v.Beschaedigt())
            return Stand::Fehlgeschlagen;
        z.tm_g = werte.value(0).toDouble();
        z.ndf_gTM = werte.value(1).toDouble();
        zeilen.append(z);
    }
    return Stand::Fertig;
}

// The dry-matter fill on the rows in memory. A refusal comes back as its
// message; hinweis receives a note that does not stop the balancing.
std::optional<Meldung> TMFuellen(QList<Zeile>& zeilen, double tmMaxKg, Meldung& hinweis)
{
    double tmFix = 0;
    int frei = 0;
    for (const Zeile& z : zeilen) {
        if (z.Frei())
            ++frei;
        else
            tmFix += z.frischMenge * z.tm_g;
    }
    if (zeilen.isEmpty())
        return Meldung { QStringLiteral("Ausgleich ist nicht möglich, da die Ration noch kein Futtermittel enthält. "
                                        "Ziehen Sie zuerst Futtermittel aus der Liste der Futtermittel in die Ration!"),
            Symbol::Keins };
    if (frei == 0) {
        // A fixed amount is one typed in kilograms; there is no switch of
        // its own, so the message says how a feed becomes free.
        return Meldung { QStringLiteral("Ausgleich ist nicht möglich, da alle Futtermittel der Ration eine feste Menge "
                                        "in kg haben, die beim Ausgleich nicht verändert wird. Sie müssen ein "
                                        "Futtermittel für den Ausgleich freigeben: Geben Sie bei ihm statt der Menge "
                                        "einen Anteil in % des frei aufnehmbaren Futters ein, oder markieren Sie es in "
                                        "der Liste und wählen Sie mit der rechten Maustaste \"in variable Mengen "
                                        "umwandeln\"!"),
            Symbol::Keins };
    }
    if (tmMaxKg <= 0)
        return Verweigert(QStringLiteral("Ausgleich ist nicht möglich, da für diese Kuh keine maximale "
                                         "Trockenmasseaufnahme bekannt ist: Die Aufnahmetabelle reicht bis 50 kg "
                                         "fettkorrigierte Milch. Bitte prüfen Sie Milch kg und Fett %!"));
    const double tmMax = tmMaxKg * 1000;
    if (tmMax < tmFix) {
        hinweis.text = QStringLiteral("Ausgleich ist nicht möglich, da mit den fixierten Futtermitteln bereits die "
                                      "maximale TM-Menge überschritten wird!");
        return std::nullopt;
    }
    // Without dry matter a free feed cannot take any share of the rest.
    for (const Zeile& z : zeilen) {
        if (z.Frei() && z.tm_g <= 0)
            return Verweigert(QStringLiteral("Ausgleich ist nicht möglich, da beim Futtermittel \"") + z.name
                + QStringLiteral("\" keine Trockenmasse eingetragen ist. Bitte tragen Sie die "
                                 "Trockenmasse im Futtermittel ein oder nehmen Sie es aus dem "
                                 "Ausgleich heraus!"));
    }
    const double tmRest = tmMax - tmFix;
    for (Zeile& z : zeilen) {
        if (z.Frei())
            z.frischMenge = frei == 1 ? tmRest / z.tm_g : z.prozentAnteil * (tmRest / z.tm_g) / 100;
    }
    return std::nullopt;
}

// The NDF stage after the fill: every free row scaled by one factor so that
// the ration's NDF equals the maximum.
std::optional<Meldung> NDFSkalieren(QList<Zeile>& zeilen, double ndfMaxGramm)
{
    double ndfGesamt = 0;
    double ndfFrei = 0;
    for (const Zeile& z : zeilen) {
        const double ndf = z.frischMenge * (z.tm_g / 1000) * static_cast<double>(R(z.ndf_gTM));
        ndfGesamt += ndf;
        if (z.fixeMenge != 1)
            ndfFrei += ndf;
    }
    if (ndfFrei <= 0)
        return Verweigert(QStringLiteral("Ausgleich nach NDF ist nicht möglich, da die Futtermittel, die beim "
                                         "Ausgleich verändert werden dürfen, kein NDF enthalten. Bitte geben Sie ein "
                                         "Futtermittel mit NDF für den Ausgleich frei!"));
    const double ueberschuss = ndfGesamt - ndfMaxGramm;
    const double faktor = (ndfFrei - ueberschuss) / ndfFrei;
    if (faktor < 0)
        return Verweigert(QStringLiteral("Ausgleich nach NDF ist nicht möglich, da die fixierten Futtermittel allein "
                                         "schon mehr NDF liefern, als das NDF-Maximum zulässt! Bitte verringern Sie "
                                         "die Mengen der fixierten Futtermittel oder geben Sie sie für den Ausgleich "
                                         "frei."));
    for (Zeile& z : zeilen) {
        if (z.fixeMenge == 0)
            z.frischMenge *= faktor;
    }
    return std::nullopt;
}

[[nodiscard]] bool MengenSpeichern(Verbindung& v, const QList<Zeile>& zeilen)
{
    for (const Zeile& z : zeilen) {
        if (z.Frei()
            && !AnweisungAusfuehren(v, QStringLiteral("UPDATE Ration SET FutterFrischMenge = ? WHERE ID = ?"),
                { z.frischMenge, qlonglong(z.id) }))
            return false;
    }
    return true;
}

// Balancing is one action in one transaction. The write lock is taken before
// the ration is read, so that another window or command cannot change it
// between this read and the write; the amounts are calculated in memory and
// written together. A failure on the way rolls back every row written so
// far. Messages come after the transaction has ended.
AusgleichErgebnis Ausgleichen(double tmMaxKg, std::optional<double> ndfMaxGramm)
{
    Verbindung v;
    if (!DatenbankOeffnen(v, programm().futterDatenbank))
        return AusgleichErgebnis::Fehlgeschlagen;
    Meldung meldung;
    Meldung hinweis;
    Stand stand = Stand::Fehlgeschlagen;
    {
        Transaktion t(v);
        QList<Zeile> zeilen;
        if (t.Beginnen())
            stand = RationLesen(v, zeilen, meldung);
        if (stand == Stand::Fertig) {
            std::optional<Meldung> abbruch = TMFuellen(zeilen, tmMaxKg, hinweis);
            if (!abbruch && ndfMaxGramm)
                abbruch = NDFSkalieren(zeilen, *ndfMaxGramm);
            if (abbruch) {
                meldung = *abbruch;
                stand = Stand::Verweigert;
            } else if (!MengenSpeichern(v, zeilen) || !t.Bestaetigen()) {
                stand = Stand::Fehlgeschlagen;
            }
        }
    }
    if (stand == Stand::Fehlgeschlagen) {
        DatenbankFehlerMelden(v, QStringLiteral("Die Ration konnte nicht ausgeglichen werden."));
        return AusgleichErgebnis::Fehlgeschlagen;
    }
    if (!hinweis.text.isEmpty())
        MsgBox(hinweis.text, Knoepfe::OK, hinweis.symbol);
    if (stand == Stand::Verweigert) {
        MsgBox(meldung.text, Knoepfe::OK, meldung.symbol);
        return AusgleichErgebnis::Abgebrochen;
    }
    return AusgleichErgebnis::Abgeschlossen;
}

} // namespace

AusgleichErgebnis TMAusgleichen(double tmMaxKg)
{
    return Ausgleichen(tmMaxKg, std::nullopt);
}

AusgleichErgebnis NDFAusgleichen(double tmMaxKg, double ndfMaxGramm)
{
    return Ausgleichen(tmMaxKg, ndfMaxGramm);
}

} // namespace kelvora
