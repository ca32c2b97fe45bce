#pragma once
// The update search: compares the build's release date with the date the
// maker publishes in "Versionen.txt" on the web server. Runs only when the
// user asks for it (see UpdateSucheAnfordern); the flags of the search are
// in updateAnfrage().

#include <QDate>
#include <QString>

namespace kelvora {

// What the version file said.
enum class VersionsStand {
    Neuer, // a newer version is published
    Aktuell, // the published version is not newer than this build
    DateiFehlt, // the server has no version file ("http_404")
    KeineAngabe, // the answer holds no readable date for this program
    ServerFehler, // the server answered with an error status (fehler names it)
    NichtErreichbar, // no answer from the server
    KeinServer, // no address configured
};

struct VersionsAuskunft {
    VersionsStand stand = VersionsStand::KeinServer;
    QDate imInternet; // valid for Neuer and Aktuell
    QString fehler; // why the server gave no answer, or its error status
    QString schreibfehler; // Versionen.txt could not be written (the check went on)
    bool neuer() const { return stand == VersionsStand::Neuer; }
};

// The address of the version file: key "Adresse" of section "Update" in
// KELVORA.INI; empty means no update server is set.
QString UpdateAdresse();
// The maker's page from which the new version is downloaded: key
// "Downloadseite" of section "Update", else the folder of the version file
// on the same server; empty when neither is set.
QString UpdateDownloadseite();
// The date the last check found on the server (invalid before any).
QDate ZuletztGefundeneVersion();
// Time the whole transfer may take.
constexpr int UpdateZeitlimitSekunden = 15;

// Reads the version file (at most 1000 bytes, never a cached copy), keeps a
// copy in "Versionen.txt" in the data folder and compares. Reports a newer
// version in the status line; with updateAnfrage().vomBenutzer also tells the
// user when there is none or nothing could be read.
VersionsAuskunft VersionPruefen();

struct UpdateErgebnis {
    bool gesucht = false; // false: cancelled, running already or not due yet
    VersionsAuskunft auskunft;
    bool installieren = false; // the user wants the new version now
};

// The scheduled search run by the main window's timer: at most once per
// "NachNeuerVersionSuchenIntervallTage" days (emptying "LetzteUpdateSuche"
// makes it due at once). The caller shows a new version in the menu and opens
// the installer window when `installieren` is set.
UpdateErgebnis UpdateSuchen();

// Program-wide flags of the update search. The search runs only when the
// user asks for it (menu item or the support window's "Version prüfen").
struct UpdateAnfrage {
    bool vomBenutzer = false;               // failures and "no new version" are reported
    bool ergebnisZeigen = false;            // a new version is offered for installation
    bool installationsFensterOffen = false; // the installer window shows the result itself
    bool exportFensterOffen = false;        // feed exchange windows: no search while open
    bool importFensterOffen = false;
    bool uebersprungen = false;             // the last run was not due yet
    bool sofort = false;                    // the next run is due whatever the dates say
};
UpdateAnfrage& updateAnfrage();

// Who asked for the search; they log different lines.
enum class UpdateAusloeser { Menue, Informationsfenster, Befehlszeile };

// Logs, empties "LetzteUpdateSuche" and makes the next search due at once.
// From the menu and the support window the search counts as asked for by
// the user (its result is shown); the command line prints it instead.
// Starting the timer is the main window's part.
void UpdateSucheAnfordern(UpdateAusloeser ausloeser = UpdateAusloeser::Menue);

} // namespace kelvora
