#pragma once
// A private-profile file with the behaviour of the Windows functions:
// sections and keys compared without regard to case, Windows-1252 text with
// CR LF line ends, every other line of the file kept as it stands, the file
// and the section created on the first write. A file an editor saved as
// UTF-8 (with or without byte-order mark) is read as UTF-8 and written back
// as it was read.

#include <QList>
#include <QString>

namespace kelvora::ini {

// The value of key in section, or vorgabe when file, section or key is
// missing; at most maxZeichen characters (the rest is cut). Surrounding blanks
// and one pair of enclosing quotes are removed as the Windows function does.
QString Lesen(const QString& datei, const QString& abschnitt, const QString& schluessel,
              const QString& vorgabe, int maxZeichen = 100);

struct Eintrag {
    QString schluessel;
    QString wert;
};

// Writes the entries into one section in one go, under the file's Sperre.
// The new file is written beside the old one and renamed into place only
// when every byte reached the disk; on any failure (full disk, read-only
// file or folder, the lock held elsewhere) the old file stays byte for byte
// and fehler, when given, receives the German reason.
[[nodiscard]] bool Schreiben(const QString& datei, const QString& abschnitt, const QList<Eintrag>& eintraege,
                             QString* fehler = nullptr);
[[nodiscard]] bool Schreiben(const QString& datei, const QString& abschnitt, const QString& schluessel,
                             const QString& wert, QString* fehler = nullptr);

// Holds the lock file next to an INI file (datei + ".lock") while it lives,
// so that the read-modify-write of one program instance (counting a start,
// writing a value) never interleaves with another's and no update is lost.
// Nested locks of the same file in this process share the one lock file.
// A lock left by a program that crashed is taken over.
class Sperre {
public:
    explicit Sperre(const QString& datei);
    ~Sperre();
    Sperre(const Sperre&) = delete;
    Sperre& operator=(const Sperre&) = delete;

    bool Gehalten() const { return gehalten; }
    // German reason when the lock could not be taken.
    const QString& Fehler() const { return fehler; }

private:
    QString pfad;
    bool gehalten = false;
    QString fehler;
};

} // namespace kelvora::ini
