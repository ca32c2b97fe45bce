#pragma once
// The shared cleaning of texts that come from outside or leave the program
// (feed names from a server file, names in file names, fields of a
// command's tab-separated output, folder names read back from a server).

#include <QString>

namespace kelvora {

// Takes out the control characters U+0000 to U+001F, U+007F and U+0080 to
// U+009F: a server could otherwise break a tab-separated column, a line of
// a file or send a terminal escape sequence. Tab, line feed and carriage
// return separate words, so each leaves one blank (none after a blank).
QString OhneSteuerzeichen(const QString& text);

// The cleaning of a name before it is shared: OhneSteuerzeichen, and
// ampersands, apostrophes and double quotes removed, the non-breaking blank
// (160) as a blank, runs of blanks shrunk to one blank.
QString TextBereinigen(const QString& text);

} // namespace kelvora
