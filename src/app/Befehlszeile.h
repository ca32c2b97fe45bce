#pragma once
// The command line of the program: its own options (data folder, version,
// self test, help) before an optional command. Without a command the program
// starts with its windows; --version, --help, a command and a wrong command
// line need no display.

#include <QString>
#include <QStringList>
#include <QTextStream>

namespace kelvora {

struct Befehlszeile {
    QString datenordner;  // null: not given, the default folder
    bool version = false;
    bool selbsttest = false;
    bool hilfe = false;
    bool wartung = false;   // maintainer mode (sharing feeds)
    QString befehl;         // empty: the program with its windows
    QStringList befehlsWoerter;  // the words after the command's name
    QString fehler;         // German message for a wrong command line
};

// The message for --datenordner without a folder (or with blanks only).
QString DatenordnerFehltText();

// argumente as main receives them (the program first).
Befehlszeile BefehlszeileLesen(const QStringList& argumente);

// True when the command line runs without windows and so without a display.
bool OhneFenster(const Befehlszeile& bz);
// True when the command paints (a PDF) and needs a GUI application.
bool BrauchtGrafik(const Befehlszeile& bz);

// Runs what OhneFenster names: prints the version or the help, runs the
// command, or tells what is wrong (exit code 2). Returns the exit code.
int OhneFensterAusfuehren(const Befehlszeile& bz, QTextStream& aus, QTextStream& fehler);

// BefehlszeileLesen and OhneFensterAusfuehren in one (for tests and scripts
// that start a command from inside the program).
int BefehlszeileAusfuehren(const QStringList& argumente, QTextStream& aus, QTextStream& fehler);

// The data folder when the command line names none: KELVORA_DATENORDNER,
// the folder of the executable, or the per-user folder when that one is not
// writable.
QString VorgabeDatenordner();

// Makes ordner (empty: VorgabeDatenordner()) the data folder of the window
// or the command that starts: creates it and, like an installer, gives a
// folder without any trace of the user's data the delivered feed database
// from LieferOrdner(). Returns a German message when the folder cannot be
// created.
QString DatenordnerVorbereiten(const QString& ordner);
// The same for the folder of the command line.
QString DatenordnerVorbereiten(const Befehlszeile& bz);

} // namespace kelvora
