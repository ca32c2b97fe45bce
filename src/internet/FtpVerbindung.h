#pragma once
// One FTP connection for the length of one operation, on libcurl: log in
// (passive mode; TLS as configured), walk into folders, list, check, upload,
// download and delete files. The blocking network calls run on a worker
// thread while the calling thread keeps its events running, so the window
// stays responsive and a cancel button works. Whatever a server sends is
// bounded: a listing and a file in size, the whole operation in time.
// Nothing here shows a window or writes a log line; the callers do.

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <memory>

namespace kelvora {

// Seconds one operation (login, folders, listing, a file and its receipt)
// may take at most.
inline constexpr int FtpZeitlimitVorgabe = 60;
// A server silent for half the time limit (at least 2, at most this many
// seconds) is given up before the limit.
inline constexpr int FtpStilleHoechstens = 20;
// The most a listing and a fetched file may hold; the exchanged feed files
// are a few KB.
inline constexpr qsizetype FtpListeHoechstBytes = 1024 * 1024;
inline constexpr qsizetype FtpDateiHoechstBytes = 256 * 1024;

enum class FtpVerschluesselung {
    WennMoeglich, // TLS when the server offers it, else in clear
    Erforderlich, // no login without TLS
    Aus, // never TLS
};

struct FtpEinstellungen {
    int zeitlimitMs = FtpZeitlimitVorgabe * 1000;
    FtpVerschluesselung verschluesselung = FtpVerschluesselung::WennMoeglich;
    QString zertifikate; // file of trusted root certificates; empty: the system's
};

// Where to connect: port 0 means 21, or 990 with implicit TLS (the
// connection encrypted from its first byte, as port 990 always is).
struct FtpZiel {
    QString host;
    int port = 0;
    bool implizit = false;
};

class FtpVerbindung {
public:
    FtpVerbindung();
    ~FtpVerbindung(); // closes the connection
    FtpVerbindung(const FtpVerbindung&) = delete;
    FtpVerbindung& operator=(const FtpVerbindung&) = delete;

    // Connects and logs in. Afterwards AktuellerOrdner() is the folder the
    // server put us in. The time limit runs from here.
    bool Oeffnen(const FtpZiel& ziel, const QString& benutzer, const QString& passwort,
        const FtpEinstellungen& einstellungen = {});
    // The host name connected to.
    QString Host() const;
    // Whether the login went over TLS.
    bool Verschluesselt() const;

    // The server's current folder as it reported it, cleaned (TextBereinigen).
    QString AktuellerOrdner() const;

    // Enters a sub-folder of the current folder and reads the current folder
    // back; true when the server's answer ends with the folder name.
    bool OrdnerWechseln(const QString& ordner);

    // Names in the current folder matching a pattern with * and ? (letter
    // case ignored), in the server's order. A listing longer than
    // FtpListeHoechstBytes is refused.
    bool Dateiliste(const QString& muster, QStringList& namen);
    // True when a file of exactly this name lies in the current folder.
    bool DateiVorhanden(const QString& name);
    // When the server last changed the file (invalid when it cannot tell).
    bool Aenderungszeit(const QString& name, QDateTime& zeit);

    // Sends a local file into the current folder (an existing one is replaced).
    bool Hochladen(const QString& lokalerPfad, const QString& name);
    // Fetches a file of the current folder into memory (binary, byte for
    // byte); empty on failure. A file larger than the limit is refused.
    bool Herunterladen(const QString& name, QByteArray& inhalt, qsizetype hoechstBytes = FtpDateiHoechstBytes);
    bool Loeschen(const QString& name);

    void Schliessen();

    // What went wrong last: a German sentence for the user, and libcurl's
    // own words with the server's last reply for the error log.
    QString LetzterFehler() const;
    QString TechnischerFehler() const;

private:
    struct Intern;
    std::unique_ptr<Intern> d;
};

// libcurl's words for the last failed transfer, when text holds that
// failure's German reason (for the error log); else empty.
QString FtpTechnischerGrundZu(const QString& text);

// Cancels the transfer in progress; every further transfer fails at once
// until FtpAbbruchZuruecksetzen() (called at the start of a user action).
void FtpAbbrechen();
void FtpAbbruchZuruecksetzen();
bool FtpAbgebrochen();

} // namespace kelvora
