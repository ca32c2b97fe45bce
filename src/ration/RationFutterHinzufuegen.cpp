#include "ration/RationFutterHinzufuegen.h"

#include "database/DatenbankRoutinen.h"
#include "frame/Oberflaeche.h"
#include "frame/Programm.h"
#include "ration/RationTabelle.h"

namespace kelvora {

namespace {

ZuBearbeitendeZeile Hinzufuegen(const QString& datenbankPfad, long futterID)
{
    ZuBearbeitendeZeile ergebnis;
    Verbindung v;
    if (futterID <= 0 || !DatenbankOeffnen(v, datenbankPfad))
        return ergebnis;

    // A feed stands at most once in the ration.
    if (const auto vorhanden = RationZeileZumFutter(v, futterID)) {
        ergebnis.offen = true;
        ergebnis.id = vorhanden->id;
        ergebnis.frischMenge = vorhanden->frischMenge;
        return ergebnis;
    }

    const QString name = FutterBezeichnungLesen(v, futterID);
    const QString frage = QStringLiteral("Soll das Futtermittel Nr. ") + QString::number(futterID)
                          + QStringLiteral(" (") + name + QStringLiteral(") der Ration hinzugefügt werden?");
    if (MsgBox(frage, Knoepfe::JaNein, Symbol::Frage, Antwort::Ja,
               QStringLiteral("Futtermittel zur Ration hinzufügen"))
        != Antwort::Ja)
        return ergebnis;

    const long id = RationZeileAnhaengen(v, futterID);
    if (id > 0) {
        ergebnis.offen = true;
        ergebnis.id = id;
    }
    return ergebnis;
}

} // namespace

ZuBearbeitendeZeile GezogenesFutterHinzufuegen(const QString& datenbankPfad)
{
    const ZuBearbeitendeZeile ergebnis = Hinzufuegen(datenbankPfad, programm().ZiehFutterID);
    programm().ZiehFutterID = 0;
    return ergebnis;
}

} // namespace kelvora
