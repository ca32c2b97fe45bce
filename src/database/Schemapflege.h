#pragma once
// Schema upkeep: databases of older program versions gain the columns that
// newer versions need.

#include <QString>
#include <QVariant>

namespace kelvora {

class Verbindung;

// Adds a column to a table. typwort is one of DATETIME, DATE, MEMO, TEXT (with
// textLaenge), LONG, INTEGER, DOUBLE, BOOLEAN, CURRENCY. Unless ohneVorgabe,
// the column gets the default vorgabe. With a verbindung the statement runs
// on it, otherwise on a connection of its own. True when the column was added;
// a column that exists already gives false without a message or log line.
bool Feldhinzufuegen(const QString& datenbankPfad, const QString& tabelle, const QString& spalte,
    const QString& typwort, int textLaenge = 0, bool fehlerZeigen = false, bool ohneVorgabe = false,
    const QVariant& vorgabe = QVariant(), Verbindung* verbindung = nullptr);

// The tables of the named rations: Rationen, and RationenInhalt with its
// rows' columns. Older databases have no Rationen and a RationenInhalt of ID
// and FutterID only (read by the check whether a feed is in use); both gain
// what is missing in one transaction, rows already there stay. Nothing is
// written when everything is in place. False when the tables could not be
// read or changed (the connection keeps the error for DatenbankFehlerMelden);
// geaendert tells whether anything was added.
[[nodiscard]] bool RationenTabellenPflegen(Verbindung& verbindung, bool* geaendert = nullptr);

// The upkeep run at every start: the tables of the named rations and column
// FutterArtIOFC (INTEGER, default 0) in table Futtermittel of the feed
// database. A missing database is left to the checks made when it is first
// needed. True when a table or column was added.
bool SchemaPflegen();

} // namespace kelvora
