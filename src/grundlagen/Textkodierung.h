#pragma once
// The encodings of the text files the program shares with others. They are
// written in Windows-1252 as they always were; read, a file may also come
// in UTF-8, saved so by an editor or another program.

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace kelvora {

enum class Kodierung { Ansi, Utf8, Utf8MitBOM };

struct DekodierterText {
    QString text;
    Kodierung kodierung = Kodierung::Ansi;
};

// A file that starts with the UTF-8 byte-order mark is UTF-8 (without the
// mark); one that holds bytes above 127 and is valid UTF-8 throughout is
// UTF-8 too (in Windows-1252 such byte pairs would be text like "Ã¼", which
// nobody writes); everything else is Windows-1252.
DekodierterText TextDekodieren(const QByteArray& bytes);

// The bytes of text in the given encoding, with the mark for Utf8MitBOM:
// a file read with TextDekodieren is written back as it came.
QByteArray TextKodieren(const QString& text, Kodierung kodierung);

// The characters of text that Windows-1252 cannot hold, each once, in the
// order they first occur ("Łubin Ś" gives "Ł", "Ś").
QStringList NichtAnsiZeichen(const QString& text);

} // namespace kelvora
