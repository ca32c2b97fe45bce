#pragma once
// Reading and setting the marked lines of list views. Lines are numbered
// from 1 in the order the list shows them; 0 means no line.

class QListWidget;
class QTreeWidget;

namespace kelvora {

// Clears every marking; when zeile lies between 1 and the line count, marks
// that line and scrolls it into view. With auffrischen the list is redrawn
// and pending window messages run.
void ZeileMarkieren(QTreeWidget* liste, long zeile, bool auffrischen = false);

// Clears every marking, marks the last line and scrolls it into view.
void LetzteZeileMarkieren(QTreeWidget* liste);

// The number of marked lines; index receives the line number of the marked
// line when exactly one is marked, else 0.
long MarkierteZeilen(const QTreeWidget* liste, long& index);

// The same for a plain list box.
long MarkierteEintraege(const QListWidget* liste, long& index);

} // namespace kelvora
