#pragma once
// Whether a file the user names may be written by the program (a report as
// a PDF). A typo or a link must never cost the feed database, its copies, the
// settings or the logs: those are refused by name, also in another letter
// case and also when the name reaches them through a symbolic or hard link.
// Only a regular file is ever replaced, and only when it is a PDF itself;
// folders, devices, FIFOs and sockets are never written.

#include <QString>

namespace kelvora {

struct Schreibziel {
    bool erlaubt = false;
    // The file that will be written: pfad made absolute, symbolic links
    // followed. Write to this name, not to pfad.
    QString datei;
    // German message naming pfad and the reason; empty when allowed.
    QString meldung;
};

// Checks pfad against the program's own files of the data folder that is
// set (programm()), the safety-copy folder and the files delivered with the
// program. Check right before writing, and once more right before the
// written file is put in place: the answer is only as fresh as the file
// system it looked at.
Schreibziel SchreibzielPruefen(const QString& pfad);

} // namespace kelvora
