#pragma once
// One FTP connection for the length of one operation, on libcurl: log in
// (passive mode; TLS when the server offers it, never required), walk into
// folders, list, check, upload, download and delete files. The blocking
// network calls run on a worker thread while the calling thread keeps its
// events running, so the window stays responsive and a cancel button works.
// Nothing here shows a window or writes a log line; the callers do.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <memory>

namespace kelvora {

// Seconds after which a server that does not answer is given up.
inline constexpr int FtpZeitlimitVorgabe = 20;

class FtpVerbindung {
public:
    FtpVerbindung();
    ~FtpVerbindung(); // closes the connection
    FtpVerbindung(const FtpVerbindung&) = delete;
    FtpVerbindung& operator=(const FtpVerbindung&) = delete;

    // Connects and logs in; port 0 means 21. Afterwards AktuellerOrdner() is
    // the folder the server put us in.
    bool Oeffnen(const QString& host, int port, const QString& benutzer, const QString& passwort,
        int zeitlimitSekunden = FtpZeitlimitVorgabe);
    bool Offen() const;
    QString Host() const;

    // The server's current folder as it reported it, cleaned (TextBereinigen).
    QString AktuellerOrdner() const;

    // Enters a sub-folder of the current folder and reads the current folder
    // back; true when the server's answer ends with the folder name.
    bool OrdnerWechseln(const QString& ordner);

    // Names in the current folder matching a pattern with * and ? (letter
    // case ignored), in the server's order.
    bool Dateiliste(const QString& muster, QStringList& namen);
    // True when a file of exactly this name lies in the current folder.
    bool DateiVorhanden(const QString& name);

    // Sends a local file into the current folder (an existing one is replaced).
    bool Hochladen(const QString& lokalerPfad, const QString& name);
    // Fetches a file of the current folder into memory (binary, byte for
    // byte); empty on failure.
    bool Herunterladen(const QString& name, QByteArray& inhalt);
    bool Loeschen(const QString& name);

    void Schliessen();

    // What went wrong last, in German, for the log and the command line.
    QString LetzterFehler() const;

private:
    struct Intern;
    std::unique_ptr<Intern> d;
};

// Cancels the transfer in progress; every further transfer fails at once
// until FtpAbbruchZuruecksetzen() (called at the start of a user action).
void FtpAbbrechen();
void FtpAbbruchZuruecksetzen();
bool FtpAbgebrochen();

} // namespace kelvora
