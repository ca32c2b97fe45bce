#include "ration/GanzeRation.h"

#include "database/DatenbankRoutinen.h"
#include "feeds/FutterbezogeneRoutinen.h"
#include "frame/Oberflaeche.h"
#include "frame/Programm.h"
#include "ration/RationTabelle.h"

namespace kelvora {

namespace {

void Stopp(const QString& text)
{
    MsgBox(text, Knoepfe::OK, Symbol::Kritisch);
}

const ListenMarkierung* EinzigeMarkierte(const QList<ListenMarkierung>& zeilen)
{
    const ListenMarkierung* gefunden = nullptr;
    for (const ListenMarkierung& z : zeilen) {
        if (!z.markiert)
            continue;
        if (gefunden)
            return nullptr;
        gefunden = &z;
    }
    return gefunden;
}

bool Frage(const QString& text, const QString& titel)
{
    return MsgBox(text, Knoepfe::JaNein, Symbol::Frage, Antwort::Nein, titel) == Antwort::Ja;
}

// Deletes one row, or every row with id 0; a failure has been reported.
void Loeschen(long id, const QString& fehlerText)
{
    Verbindung v;
    if (!DatenbankOeffnen(v, programm().futterDatenbank))
        return;
    const bool ok = id == 0
        ? AnweisungAusfuehren(v, QStringLiteral("DELETE FROM Ration"))
        : AnweisungAusfuehren(v, QStringLiteral("DELETE FROM Ration WHERE ID = ?"), { qlonglong(id) });
    if (!ok)
        DatenbankFehlerMelden(v, fehlerText);
}

const QString EntfernenFehlgeschlagen = QStringLiteral("Das Futtermittel konnte nicht aus der Ration entfernt werden.");

} // namespace

bool InVariableUmwandeln(const QList<ListenMarkierung>& zeilen)
{
    const QString fehlgeschlagen
        = QStringLiteral("Die markierten Futtermittel konnten nicht in variable Mengen umgewandelt werden.");
    Verbindung v;
    if (!DatenbankOeffnen(v, programm().futterDatenbank))
        return true;

    // Every line is checked before anything is written.
    double tmMarkiert = 0;
    QList<QPair<long, double>> umzuwandeln;  // row ID, dry matter in kg
    for (const ListenMarkierung& l : zeilen) {
        if (l.id == 0)
            continue;
        const std::optional<RationZeile> gelesen = RationZeileMitID(v, l.id);
        if (v.LetzterFehler().nummer != 0) {
            DatenbankFehlerMelden(v, fehlgeschlagen);
            return false;
        }
        if (!gelesen)
            continue;
        const RationZeile& z = *gelesen;
        if (l.markiert) {
            if (z.frischMenge == 0) {
                Stopp(QStringLiteral("Eines der markierten Futtermittel hat keine Menge in der Ration. Die Funktion "
                                     "kann daher nicht ausgeführt werden!"));
                return false;
            }
            const double tm = z.frischMenge * FutterWert(v, z.futterID, FutterCode::TM_g).toDouble() / 1000;
            tmMarkiert += tm;
            umzuwandeln.append({l.id, tm});
        } else if (z.fixeMenge == 0) {
            Stopp(QStringLiteral("Eines der nicht markierten Futtermittel ist bereits als vaiabel markiert. Diese "
                                 "Funktion kann nur ausgeführt werden, wenn alle Futtermittel, die in variable Werte "
                                 "umgerechnet werden sollen, markiert sind und eine FutterFrischMenge haben!"));
            return false;
        }
    }
    if (umzuwandeln.isEmpty())
        return true;
    if (tmMarkiert <= 0) {
        Stopp(QStringLiteral("Die markierten Futtermittel enthalten keine Trockenmasse. Anteile an der Trockenmasse "
                             "können daher nicht berechnet werden. Bitte tragen Sie zuerst die Trockenmasse der "
                             "Futtermittel ein!"));
        return false;
    }

    Transaktion t(v);
    bool alles = t.Beginnen();
    for (const auto& [id, tm] : umzuwandeln) {
        alles = alles
            && AnweisungAusfuehren(v,
                                   QStringLiteral("UPDATE Ration SET ProzentAnteil = ?, FutterFrischMenge = 0, "
                                                  "FixeMenge = 0 WHERE ID = ?"),
                                   {tm / tmMarkiert * 100, qlonglong(id)});
    }
    if (!alles || !t.Bestaetigen())
        DatenbankFehlerMelden(v, fehlgeschlagen);
    return true;
}

bool FutterEntfernenPerTaste(const QList<ListenMarkierung>& zeilen)
{
    const ListenMarkierung* z = EinzigeMarkierte(zeilen);
    if (!z || z->id == 0)
        return false;
    if (!Frage(QStringLiteral("Soll das markierte Futtermittel wirklich aus dieser Ration gelöscht werden?"),
               QStringLiteral("Futtermittel entfernen")))
        return false;
    Loeschen(z->id, EntfernenFehlgeschlagen);
    return true;
}

bool FutterEntfernenPerRelais(const QList<ListenMarkierung>& zeilen)
{
    const ListenMarkierung* z = EinzigeMarkierte(zeilen);
    if (!z)
        return false;
    if (Frage(QStringLiteral("Soll das markierte Futtermittel wirklich aus der Ration gelöscht werden?"),
              QStringLiteral("Futter aus Ration löschen")))
        Loeschen(z->id, EntfernenFehlgeschlagen);
    return true;
}

bool RationLeeren()
{
    if (!Frage(QStringLiteral("Soll die angezeigte Ration wirklich gelöscht werden?"),
               QStringLiteral("Ration löschen")))
        return false;
    Loeschen(0, QStringLiteral("Die Ration konnte nicht gelöscht werden."));
    return true;
}

} // namespace kelvora
