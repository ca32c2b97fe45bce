#pragma once
// Commands on the ration as a whole: turning marked fixed amounts into
// shares of the free dry matter, removing the marked feed, clearing the
// ration. Lines are given in the order of the ration list with the row ID
// of column 13 (0 for summary lines) and their selection.

#include <QList>

namespace kelvora {

struct ListenMarkierung {
    long id = 0;
    bool markiert = false;
};

// True when the evaluation is to run afterwards (false: stopped by a
// message before anything was written).
bool InVariableUmwandeln(const QList<ListenMarkierung>& zeilen);

// Delete or F9 on the list: exactly one marked line with a row; asks first.
// True when the row was deleted (then evaluate).
bool FutterEntfernenPerTaste(const QList<ListenMarkierung>& zeilen);

// The relay command of other windows: exactly one marked line; asks first.
// True when the evaluation is to run (also after No).
bool FutterEntfernenPerRelais(const QList<ListenMarkierung>& zeilen);

// Asks, then deletes every row. True when the evaluation is to run.
bool RationLeeren();

} // namespace kelvora
