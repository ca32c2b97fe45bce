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
    double tm_g = 0;
    bool Frei() const { return fixeMenge == 0; }
};

const QString AusgleichFehlgeschlagen = QStringLiteral("Die Ration konnte nicht ausgeglichen werden.");

void Verweigern(const QString& text);

// Opens the feed database and reads the ration with each feed's dry matter.
// A read that fails has been reported to the user (Fehlgeschlagen); a row or
// feed with a stored value that is no usable number is refused
// (Abgebrochen). Gefuellt: ready to balance.
enum class Lesen { Gelesen, Fehlgeschlagen, Ungueltig };

Lesen RationOeffnen(Verbindung& v, QList<Zeile>& zeilen)
{
    if (!DatenbankOeffnen(v, programm().futterDatenbank))
        return Lesen::Fehlgeschlagen;
    QList<RationZeile> gelesen;
    if (!RationZeilenLesen(v, gelesen)) {
        DatenbankFehlerMelden(v, AusgleichFehlgeschlagen);
        return Lesen::Fehlgeschlagen;
    }
    for (const RationZeile& r : gelesen) {
        Zeile z;
        static_cast<RationZeile&>(z) = r;
        const QList<QVariant> werte = FutterWerte(v, z.futterID, { FutterCode::TM_g, FutterCode::Bezeichnung });
        if (v.Beschaedigt()) {
            DatenbankFehlerMelden(v, AusgleichFehlgeschlagen);
            return Lesen::Fehlgeschlagen;
        }
        z.tm_g = werte.value(0).toDouble();
        const QString name = werte.value(1).toString();
        QString ungueltig = GespeicherteZeilePruefen(z, name);
        if (ungueltig.isEmpty())
            ungueltig = GespeicherteFutterwertePruefen(name, z.tm_g);
        if (!ungueltig.isEmpty()) {
            Verweigern(ungueltig);
            return Lesen::Ungueltig;
        }
        zeilen.append(z);
    }
    return Lesen::Gelesen;
}

AusgleichErgebnis Ergebnis(Lesen l)
{
    return l == Lesen::Ungueltig ? AusgleichErgebnis::Abgebrochen : AusgleichErgebnis::Fehlgeschlagen;
}

[[nodiscard]] bool MengeSpeichern(Verbindung& v, const Zeile& z)
{
    return AnweisungAusfuehren(v, QStringLiteral("UPDATE Ration SET FutterFrischMenge = ? WHERE ID = ?"),
                               {z.frischMenge, qlonglong(z.id)});
}

void Hinweis(const QString& text)
{
    MsgBox(text, Knoepfe::OK, Symbol::Keins);
}

void Verweigern(const QString& text)
{
    MsgBox(text, Knoepfe::OK, Symbol::Ausrufezeichen);
}

enum class Fuellung { Gefuellt, KeinFreies, Verweigert, Fehlgeschlagen };

// The dry-matter fill. Writes the free rows' amounts inside the open
// transaction of the caller.
Fuellung TMFuellen(Verbindung& v, QList<Zeile>& zeilen, double tmMaxKg)
{
    double tmFix = 0;
    int frei = 0;
    for (const Zeile& z : zeilen) {
        if (z.Frei())
            ++frei;
        else
            tmFix += z.frischMenge * z.tm_g;
    }
    if (frei == 0) {
        // A fixed amount is one typed in kilograms; there is no switch of
        // its own, so the message says how a feed becomes free.
        Hinweis(QStringLiteral("Ausgleich ist nicht möglich, da alle Futtermittel der Ration eine feste Menge in kg "
                               "haben, die beim Ausgleich nicht verändert wird. Sie müssen ein Futtermittel für den "
                               "Ausgleich freigeben: Geben Sie bei ihm statt der Menge einen Anteil in % des frei "
                               "aufnehmbaren Futters ein, oder markieren Sie es in der Liste und wählen Sie mit der "
                               "rechten Maustaste \"in variable Mengen umwandeln\"!"));
        return Fuellung::KeinFreies;
    }
    if (tmMaxKg <= 0) {
        Verweigern(QStringLiteral("Ausgleich ist nicht möglich, da für diese Kuh keine maximale "
                                  "Trockenmasseaufnahme bekannt ist: Die Aufnahmetabelle reicht bis 50 kg "
                                  "fettkorrigierte Milch. Bitte prüfen Sie Milch kg und Fett %!"));
        return Fuellung::Verweigert;
    }
    const double tmMax = tmMaxKg * 1000;
    if (tmMax < tmFix) {
        Hinweis(QStringLiteral("Ausgleich ist nicht möglich, da mit den fixierten Futtermitteln bereits die maximale "
                               "TM-Menge überschritten wird!"));
        return Fuellung::Gefuellt;
    }
    // Without dry matter a free feed cannot take any share of the rest.
    for (const Zeile& z : zeilen) {
        if (z.Frei() && z.tm_g <= 0) {
            Verweigern(QStringLiteral("Ausgleich ist nicht möglich, da beim Futtermittel \"")
                       + FutterWert(v, z.futterID, FutterCode::Bezeichnung).toString()
                       + QStringLiteral("\" keine Trockenmasse eingetragen ist. Bitte tragen Sie die Trockenmasse "
                                        "im Futtermittel ein oder nehmen Sie es aus dem Ausgleich heraus!"));
            return Fuellung::Verweigert;
        }
    }
    const double tmRest = tmMax - tmFix;
    for (Zeile& z : zeilen) {
        if (!z.Frei())
            continue;
        z.frischMenge = frei == 1 ? tmRest / z.tm_g : z.prozentAnteil * (tmRest / z.tm_g) / 100;
        if (!MengeSpeichern(v, z))
            return Fuellung::Fehlgeschlagen;
    }
    return Fuellung::Gefuellt;
}

// Balancing is one action: the transaction is begun before the first write
// and confirmed after the last; a failure on the way reports itself and the
// destructor of the transaction rolls back every row written so far.
AusgleichErgebnis Fehler(Verbindung& v)
{
    DatenbankFehlerMelden(v, AusgleichFehlgeschlagen);
    return AusgleichErgebnis::Fehlgeschlagen;
}

// The start both balancings share: read the ration, take the write lock and
// fill the free feeds by dry matter. Nothing when that was done; otherwise
// how the balancing ends.
std::optional<AusgleichErgebnis> Fuellen(Verbindung& v, Transaktion& t, QList<Zeile>& zeilen, double tmMaxKg)
{
    if (const Lesen l = RationOeffnen(v, zeilen); l != Lesen::Gelesen)
        return Ergebnis(l);
    if (!t.Beginnen())
        return Fehler(v);
    const Fuellung f = TMFuellen(v, zeilen, tmMaxKg);
    if (f == Fuellung::Fehlgeschlagen)
        return Fehler(v);
    if (f != Fuellung::Gefuellt)
        return AusgleichErgebnis::Abgebrochen;
    return std::nullopt;
}

} // namespace

AusgleichErgebnis TMAusgleichen(double tmMaxKg)
{
    Verbindung v;
    Transaktion t(v);
    QList<Zeile> zeilen;
    if (const auto e = Fuellen(v, t, zeilen, tmMaxKg))
        return *e;
    if (!t.Bestaetigen())
        return Fehler(v);
    return AusgleichErgebnis::Abgeschlossen;
}

AusgleichErgebnis NDFAusgleichen(double tmMaxKg, double ndfMaxGramm)
{
    Verbindung v;
    Transaktion t(v);
    QList<Zeile> zeilen;
    if (const auto e = Fuellen(v, t, zeilen, tmMaxKg))
        return *e;

    double ndfGesamt = 0;
    double ndfFrei = 0;
    for (const Zeile& z : zeilen) {
        const QList<QVariant> werte = FutterWerte(v, z.futterID, { FutterCode::NDF_gTM, FutterCode::Bezeichnung });
        if (v.Beschaedigt())
            return Fehler(v);
        const QString ungueltig = GespeicherteFutterwertePruefen(
            werte.value(1).toString(), z.tm_g, { { QStringLiteral("NDF_gTM"), werte.value(0).toDouble() } });
        if (!ungueltig.isEmpty()) {
            Verweigern(ungueltig);
            return AusgleichErgebnis::Abgebrochen;
        }
        const double ndf_gTM = static_cast<double>(R(werte.value(0).toDouble()));
        const double ndf = z.frischMenge * (z.tm_g / 1000) * ndf_gTM;
        ndfGesamt += ndf;
        if (z.fixeMenge != 1)
            ndfFrei += ndf;
    }
    if (ndfFrei <= 0) {
        Verweigern(QStringLiteral("Ausgleich nach NDF ist nicht möglich, da die Futtermittel, die beim Ausgleich "
                                  "verändert werden dürfen, kein NDF enthalten. Bitte geben Sie ein Futtermittel mit "
                                  "NDF für den Ausgleich frei!"));
        return AusgleichErgebnis::Abgebrochen;
    }
    const double ueberschuss = ndfGesamt - ndfMaxGramm;
    const double faktor = (ndfFrei - ueberschuss) / ndfFrei;
    if (faktor < 0) {
        Verweigern(QStringLiteral("Ausgleich nach NDF ist nicht möglich, da die fixierten Futtermittel allein schon "
                                  "mehr NDF liefern, als das NDF-Maximum zulässt! Bitte verringern Sie die Mengen der "
                                  "fixierten Futtermittel oder geben Sie sie für den Ausgleich frei."));
        return AusgleichErgebnis::Abgebrochen;
    }
    for (Zeile& z : zeilen) {
        if (z.fixeMenge != 0)
            continue;
        z.frischMenge *= faktor;
        if (!MengeSpeichern(v, z))
            return Fehler(v);
    }
    if (!t.Bestaetigen())
        return Fehler(v);
    return AusgleichErgebnis::Abgeschlossen;
}

} // namespace kelvora
