#pragma once
// The shared cleaning of texts that leave the program (feed names in file
// names, folder names read back from a server).

#include <QString>

namespace kelvora {

// Removes ampersands, apostrophes, double quotes and the characters with the
// codes 0 and 31; tab, line feed, carriage return and the non-breaking blank
// (160) become blanks; runs of blanks shrink to one blank.
QString TextBereinigen(const QString& text);

} // namespace kelvora
