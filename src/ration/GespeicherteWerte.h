#pragma once
// Values read back from table Ration and from the feed table are checked
// before a calculation uses them and before anything is written. A file
// edited by another program, an old import, a server's feed file or a damaged
// row can hold an amount of 7,7E+303 kg, a dry matter of -5 g or a text where
// a number belongs (SQLite keeps text in a number column as it is). Such a
// value is refused with a message that names the feed, the value and what is
// allowed; it never becomes a ration, and a balancing never starts on it.
//
// The values are read straight from the tables, before any conversion: a
// text that the typed read would have to give up on is named as it stands,
// and the reading of the feed values later meets only numbers.

#include "ration/RationAuswerten.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QVariant>

namespace kelvora {

class Verbindung;

struct GespeicherteRation {
    bool gelesen = false; // false: the query failed, the connection holds the error
    QList<RationZeile> zeilen; // ordered by FutterID as RationZeilenLesen
    QStringList futterNamen; // Bezeichnung of each row's feed
    QStringList artNamen; // the FutterArten name of each row's feed
    qsizetype fehlerZeile = -1; // index of the first row with an unusable value
    QString meldung; // its message, empty when every value is usable
    // The fields of the columns the caller asked for besides, by feed ID, for
    // the rows without fault whose feed exists.
    QHash<long, QVariantList> futterZeilen;
};

// Reads every row of table Ration with the stored values of its feed and
// checks them all. A row with an unusable value has the usable of its
// amounts in zeilen (the others 0), so that it can still be listed.
// The same query reads the caller's columns of Futtermittel as well
// (futterSpalten), so that the values of the feeds need no read of their own.
// Runs inside the caller's transaction (a read of the whole ration sees one
// state of the database).
GespeicherteRation GespeicherteRationPruefen(Verbindung& verbindung, const QStringList& futterSpalten = {});

} // namespace kelvora
