#include "ration/RationTabelle.h"

#include "database/DatenbankRoutinen.h"
#include "grundlagen/NullFilter.h"

#include <QSqlQuery>
#include <QSqlRecord>

namespace kelvora {

namespace {

QVariant Lang(long wert)
{
    return QVariant::fromValue<qlonglong>(wert);
}

std::optional<RationZeile> ErsteZeile(Verbindung& verbindung, const QString& sql, long wert)
{
    QSqlQuery q;
    if (!AbfrageOeffnen(verbindung, q, sql, {Lang(wert)}) || !q.next())
        return std::nullopt;
    return RationZeileAus(q.record());
}

} // namespace

std::optional<RationZeile> RationZeileZumFutter(Verbindung& verbindung, long futterID)
{
    return ErsteZeile(verbindung, QStringLiteral("SELECT * FROM Ration WHERE FutterID = ?"), futterID);
}

std::optional<RationZeile> RationZeileMitID(Verbindung& verbindung, long id)
{
    return ErsteZeile(verbindung, QStringLiteral("SELECT * FROM Ration WHERE ID = ?"), id);
}

double RationFrischMenge(Verbindung& verbindung, long id)
{
    QSqlQuery q;
    if (!AbfrageOeffnen(verbindung, q, QStringLiteral("SELECT FutterFrischMenge FROM Ration WHERE ID = ?"), {Lang(id)})
        || !q.next())
        return 0;
    return NullFilter(q.value(0), "Double").toDouble();
}

long RationZeileAnhaengen(Verbindung& verbindung, long futterID)
{
    QSqlQuery q;
    if (!AbfrageOeffnen(verbindung, q,
                        QStringLiteral("INSERT INTO Ration (FutterID, FutterFrischMenge, FixeMenge) VALUES (?, ?, ?)"),
                        {Lang(futterID), 0.0, 1}))
        return 0;
    return q.lastInsertId().toLongLong();
}

long RationZeileAnhaengen(Verbindung& verbindung, long futterID, double frischMenge, double prozentAnteil,
                          int fixeMenge)
{
    QSqlQuery q;
    if (!AbfrageOeffnen(verbindung, q,
                        QStringLiteral("INSERT INTO Ration (FutterID, FutterFrischMenge, ProzentAnteil, FixeMenge) "
                                       "VALUES (?, ?, ?, ?)"),
                        {Lang(futterID), frischMenge, prozentAnteil, fixeMenge}))
        return 0;
    return q.lastInsertId().toLongLong();
}

bool RationZeileSchreiben(Verbindung& verbindung, long id, double frischMenge, double prozentAnteil, int fixeMenge)
{
    return AnweisungAusfuehren(
        verbindung,
        QStringLiteral("UPDATE Ration SET FutterFrischMenge = ?, ProzentAnteil = ?, FixeMenge = ? WHERE ID = ?"),
        {frischMenge, prozentAnteil, fixeMenge, Lang(id)});
}

bool RationAnteilSchreiben(Verbindung& verbindung, long id, double prozentAnteil, bool frischNullen)
{
    if (frischNullen)
        return AnweisungAusfuehren(
            verbindung, QStringLiteral("UPDATE Ration SET ProzentAnteil = ?, FutterFrischMenge = 0 WHERE ID = ?"),
            {prozentAnteil, Lang(id)});
    return AnweisungAusfuehren(verbindung, QStringLiteral("UPDATE Ration SET ProzentAnteil = ? WHERE ID = ?"),
                               {prozentAnteil, Lang(id)});
}

QString FutterBezeichnungLesen(Verbindung& verbindung, long futterID)
{
    QSqlQuery q;
    if (!AbfrageOeffnen(verbindung, q, QStringLiteral("SELECT * FROM Futtermittel WHERE ID = ?"), {Lang(futterID)})
        || !q.next())
        return QStringLiteral(" ");
    return NullFilter(q.record().value(QStringLiteral("Bezeichnung")), "String+").toString().trimmed();
}

} // namespace kelvora
