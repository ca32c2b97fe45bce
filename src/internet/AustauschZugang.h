#pragma once
// Section "Austausch" of KELVORA.INI: the exchange server, how to log in,
// how long to wait, whether to encrypt; where the password is kept; and
// what became of the last connection, for the information window.

#include "internet/FtpVerbindung.h"
#include "internet/Passwortablage.h"

#include <QDateTime>
#include <QString>

namespace kelvora {

struct FtpZugang {
    QString server; // "Server"; credentials written into it are masked
    QString ersatzserver; // "Ersatzserver": tried when the server cannot be reached
    int port = 0; // "Port": 0 or missing means 21 (990 for ftps://); used for both servers
    QString benutzer; // "Benutzer"
    QString passwort; // from the password store, else "Passwort"
    PasswortQuelle passwortQuelle = PasswortQuelle::Keine;
    // "Zeitlimit" (seconds, the whole operation), "Verschluesselung"
    // (erforderlich, wenn_moeglich, aus), "Zertifikate" (a file of trusted
    // root certificates, relative to the data folder).
    FtpEinstellungen einstellungen;
    QString fehler; // a setting that cannot be used: no connection is tried
};
// Reads the section; the password comes from the desktop's store, and one
// found in the INI file is moved there (see Passwortablage.h).
FtpZugang AustauschZugang();
bool AustauschEingestellt();
// The server as written in the INI file, with credentials written into it
// masked: fit for messages and logs.
QString AustauschServer();
// What the user reads when no server is set, and how to set one.
QString AustauschFehltMeldung();

// Where a "Server" entry points: "name", "name:port", "ftp://name" or
// "ftps://name" (implicit TLS); port (from "Port") applies unless the entry
// names one. False, with the German reason, for an entry that cannot be
// used (credentials in it, characters no host name has).
bool FtpZielLesen(const QString& eingabe, int port, FtpZiel& ziel, QString& fehler);

// The last connection to the exchange server, kept in the INI file so that
// the information window can tell it after a command-line run too.
struct LetzteFtpVerbindung {
    QDateTime zeit; // invalid: none yet
    QString server;
    bool verschluesselt = false;
};
void LetzteVerbindungMerken(const FtpVerbindung& v);
LetzteFtpVerbindung LetzteVerbindungLesen();

// For the information window: where the password is kept and whether the
// last connection was encrypted, one line each.
QString PasswortablageText();
QString LetzteVerbindungText();

} // namespace kelvora
