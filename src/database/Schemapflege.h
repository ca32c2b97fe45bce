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

// The upkeep run at every start: column FutterArtIOFC (INTEGER, default 0)
// in table Futtermittel of the feed database. A missing database is left to
// the checks made when it is first needed. True when a column was added.
bool SchemaPflegen();

} // namespace kelvora
