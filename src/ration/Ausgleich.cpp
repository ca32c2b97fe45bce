#include "ration/Ausgleich.h"

#include "ration/RationAuswerten.h"

#include "database/DatenbankRoutinen.h"
#include "database/Formate.h"
#include "feeds/FutterbezogeneRoutinen.h"
#include "frame/Oberflaeche.h"
#include "frame/Programm.h"

#include <QList>

namespace kelvora {

namespace {

struct Zeile : RationZeile {
    double tm_g = 0;
    bool Frei() const { return fixeMenge == 0; }
};

// Opens the feed database and reads the ration with each feed's dry matter;
// false when either fails.
bool RationOeffnen(Verbindung& v, QList<Zeile>& zeilen)
{
    QList<RationZeile> gelesen;
    if (!DatenbankOeffnen(v, programm().futterDatenbank) || !RationZeilenLesen(v, gelesen))
        return false;
    for (const RationZeile& r : gelesen) {
        Zeile z;
        static_cast<RationZeile&>(z) = r;
        z.tm_g = FutterWert(v, z.futterID, FutterCode::TM_g).toDouble();
        zeilen.append(z);
    }
    return true;
}

bool MengeSpeichern(Verbindung& v, const Zeile& z)
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

enum class Fuellung { Gefuellt, KeinFreies, Verweigert };

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
        MengeSpeichern(v, z);
    }
    return Fuellung::Gefuellt;
}

class Transaktion {
public:
    explicit Transaktion(Verbindung& v)
        : db(v.Datenbank())
    {
        db.transaction();
    }
    ~Transaktion()
    {
        if (!fertig)
            db.rollback();
    }
    void Bestaetigen()
    {
        fertig = db.commit();
        if (!fertig)
            db.rollback();
        fertig = true;
    }

private:
    QSqlDatabase db;
    bool fertig = false;
};

} // namespace

AusgleichErgebnis TMAusgleichen(double tmMaxKg)
{
    Verbindung v;
    QList<Zeile> zeilen;
    if (!RationOeffnen(v, zeilen))
        return AusgleichErgebnis::Abgeschlossen;
    Transaktion t(v);
    const Fuellung f = TMFuellen(v, zeilen, tmMaxKg);
    if (f != Fuellung::Gefuellt)
        return AusgleichErgebnis::Abgebrochen;
    t.Bestaetigen();
    return AusgleichErgebnis::Abgeschlossen;
}

AusgleichErgebnis NDFAusgleichen(double tmMaxKg, double ndfMaxGramm)
{
    Verbindung v;
    QList<Zeile> zeilen;
    if (!RationOeffnen(v, zeilen))
        return AusgleichErgebnis::Abgeschlossen;
    Transaktion t(v);
    if (TMFuellen(v, zeilen, tmMaxKg) != Fuellung::Gefuellt)
        return AusgleichErgebnis::Abgebrochen;

    double ndfGesamt = 0;
    double ndfFrei = 0;
    for (const Zeile& z : zeilen) {
        const double ndf_gTM = static_cast<double>(R(FutterWert(v, z.futterID, FutterCode::NDF_gTM).toDouble()));
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
        MengeSpeichern(v, z);
    }
    t.Bestaetigen();
    return AusgleichErgebnis::Abgeschlossen;
}

} // namespace kelvora
