#pragma once
// Where the FTP password is kept: in the desktop's password store (the
// Secret Service of GNOME or KDE, the Windows credentials, the macOS
// keychain, through QtKeychain) when the machine has one, else as before in
// KELVORA.INI. A password found in the INI file is moved into the store and
// removed from the file. The store answers asynchronously; each call waits
// for it with a local event loop, bounded in time, and a store that does not
// answer counts as none for the rest of the run.

#include <QString>

namespace kelvora {

enum class PasswortQuelle {
    Passwortspeicher, // the desktop's password store
    Ini, // KELVORA.INI: the machine has no store
    Keine, // no password anywhere
};

enum class AblageAntwort { Erledigt, NichtVorhanden, KeinSpeicher };

class Passwortablage {
public:
    virtual ~Passwortablage() = default;
    virtual AblageAntwort Lesen(const QString& schluessel, QString& passwort) = 0;
    virtual AblageAntwort Schreiben(const QString& schluessel, const QString& passwort) = 0;
};

// The installed store; until one is installed, the desktop's.
Passwortablage& passwortablage();
// Installs a store (not owned); nullptr restores the desktop's.
void PasswortablageSetzen(Passwortablage* ablage);

// Seconds a call waits for the desktop's store (which may first ask the
// user to unlock it).
inline constexpr int PasswortablageWarteSekunden = 30;

struct FtpPasswort {
    QString passwort;
    PasswortQuelle quelle = PasswortQuelle::Keine;
};
// The password of user benutzer on server: from the INI file when one is
// there (then moved into the store, when there is one), else from the store.
FtpPasswort FtpPasswortHolen(const QString& server, const QString& benutzer);

} // namespace kelvora
