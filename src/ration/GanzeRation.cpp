#include "ration/GanzeRation.h"

#include "database/DatenbankRoutinen.h"
#include "database/NullFilter.h"
#include "feeds/FutterbezogeneRoutinen.h"
#include "frame/Oberflaeche.h"
#include "frame/Programm.h"

namespace kelvora {

namespace {

struct RationsZeile {
    bool vorhanden = false;
    long futterID = 0;
    double frischMenge = 0;
    int fixeMenge = 0;
};

RationsZeile ZeileLesen(Verbindung& v, long id)
{
    RationsZeile z;
    QSqlQuery q(v.Datenbank());
    if (!AbfrageOeffnen(v, q, QStringLiteral("SELECT FutterID, FutterFrischMenge, FixeMenge FROM Ration WHERE ID = ?"),
                        {qlonglong(id)})
        || !q.next())
        return z;
    z.vorhanden = true;
    z.futterID = NullFilter(q.value(0), "Long").toLongLong();
    z.frischMenge = NullFilter(q.value(1), "Double").toDouble();
    z.fixeMenge = NullFilter(q.value(2), "Integer").toInt();
    return z;
}

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

bool ZeileLoeschen(long id)
{
    return DatensatzLoeschen(programm().futterDatenbank, QStringLiteral("Ration"), id, false);
}

} // namespace

bool InVariableUmwandeln(const QList<ListenMarkierung>& zeilen)
{
    Verbindung v;
    if (!DatenbankOeffnen(v, programm().futterDatenbank))
        return true;

    // Every line is checked before anything is written.
    double tmMarkiert = 0;
    QList<QPair<long, double>> umzuwandeln;  // row ID, dry matter in kg
    for (const ListenMarkierung& l : zeilen) {
        const RationsZeile z = ZeileLesen(v, l.id);
        if (!z.vorhanden)
            continue;
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

    QSqlDatabase db = v.Datenbank();
    db.transaction();
    bool alles = true;
    for (const auto& [id, tm] : umzuwandeln) {
        alles = alles
            && AnweisungAusfuehren(v,
                                   QStringLiteral("UPDATE Ration SET ProzentAnteil = ?, FutterFrischMenge = 0, "
                                                  "FixeMenge = 0 WHERE ID = ?"),
                                   {tm / tmMarkiert * 100, qlonglong(id)});
    }
    if (!alles || !db.commit())
        db.rollback();
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
    ZeileLoeschen(z->id);
    return true;
}

bool FutterEntfernenPerRelais(const QList<ListenMarkierung>& zeilen)
{
    const ListenMarkierung* z = EinzigeMarkierte(zeilen);
    if (!z)
        return false;
    if (Frage(QStringLiteral("Soll das markierte Futtermittel wirklich aus der Ration gelöscht werden?"),
              QStringLiteral("Futter aus Ration löschen")))
        ZeileLoeschen(z->id);
    return true;
}

bool RationLeeren()
{
    if (!Frage(QStringLiteral("Soll die angezeigte Ration wirklich gelöscht werden?"),
               QStringLiteral("Ration löschen")))
        return false;
    DatensatzLoeschen(programm().futterDatenbank, QStringLiteral("Ration"), 0, true);
    return true;
}

} // namespace kelvora
