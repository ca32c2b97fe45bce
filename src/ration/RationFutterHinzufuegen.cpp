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
    const auto vorhanden = RationZeileZumFutter(v, futterID);
    if (v.LetzterFehler().nummer != 0) {
        DatenbankFehlerMelden(v, QStringLiteral("Die Ration kann nicht gelesen werden."));
        return ergebnis;
    }
    if (vorhanden) {
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
    if (id <= 0) {
        DatenbankFehlerMelden(v, QStringLiteral("Das Futtermittel konnte nicht in die Ration aufgenommen werden."));
        return ergebnis;
    }
    ergebnis.offen = true;
    ergebnis.id = id;
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
