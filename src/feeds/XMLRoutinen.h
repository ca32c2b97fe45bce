#pragma once
// Reading the exchanged feed files. They are plain text without declaration
// or escaping, one element per line, so an element is found by searching
// for its tags rather than by an XML parser.

#include <QString>

namespace kelvora {

// The text between <tag> and </tag>, the start tag searched without regard
// to letter case. "" for a blank tag name, a missing start or end tag, or a
// start tag written in other letters than tag (that case is reported to the
// user as a damaged file structure).
QString XMLWert(const QString& text, const QString& tag);

} // namespace kelvora
