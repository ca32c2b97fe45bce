#pragma once
// Key filters for entry boxes: the number filter of the feed editor's value
// boxes and the text-entry filter for names and search texts. They judge the
// typed character on key press, as the user types; pasted text is not
// filtered.

#include <QChar>
#include <QObject>

class QKeyEvent;
class QLineEdit;

namespace kelvora {

// The character a key press types, in the classic key-press codes:
// Ctrl+letter gives 1 to 26 (Ctrl+C 3, Ctrl+V 22, Ctrl+X 24), Return and
// Enter 13, Backspace 8. A null QChar for keys that type nothing (arrows,
// Delete, Tab, Esc, function keys), which every filter lets through.
QChar GetipptesZeichen(const QKeyEvent* taste);

// Whole-number or decimal box: digits, Backspace, copy, paste, cut and
// select-all pass;
// in a decimal box one comma, a full stop turning into it. Everything else,
// the minus sign included, is discarded; Enter is swallowed.
void ZahlenfilterSetzen(QLineEdit* box, bool dezimal);

// The text-entry filter (see TextZeichenErlaubt). Enter is swallowed on key
// press, so a box that reacts to Enter does so on the key release.
void TexteingabefilterSetzen(QLineEdit* box);

} // namespace kelvora
