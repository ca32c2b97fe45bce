#pragma once
// Exchanging feeds through the server folder /Datenquellen/Futtermittel/Kelvora:
// sharing one feed as a file, listing the server's feeds that are not yet in
// the local database, and fetching one of them for the editor. The local
// database is never changed here; a taken-over feed is stored only when the
// user saves it in the editor.

#include "feeds/FutterDatei.h"
#include "internet/FtpDateien.h"

namespace kelvora {

FtpOrdner AustauschOrdner();

enum class Hochladeergebnis {
    Hochgeladen,
    Verzichtet,
    NichtGefunden,
    OhneGruppe,
    NichtDarstellbar,
    Fehlgeschlagen,
    Abgebrochen
};

// Writes the feed's file into the data folder and uploads it, with the
// status lines of each step. Unless ohneFragen, an existing server file is
// replaced only after the user agreed. A feed that does not exist gives
// NichtGefunden without a message; one without a group is refused with a
// message (OhneGruppe). The name goes out cleaned as TextBereinigen
// cleans it; a name or identity line (E1, E2) with characters that
// Windows-1252 cannot hold is refused with a message that names them
// (NichtDarstellbar). dateiName receives the file's name.
Hochladeergebnis FutterHochladen(long futterID, bool ohneFragen = false, QString* dateiName = nullptr);

// The feed files in the server folder: all, or those of one group (1 to 5).
struct ServerDateien {
    bool verbunden = false; // the server answered and took the login
    bool ordnerGefunden = false; // the walk into the exchange folder worked
    QStringList namen;
};
ServerDateien ServerDateienLesen(int gruppe);

// The most server files one listing takes.
inline constexpr int ServerFutterHoechstzahl = 999;

// The feeds among the server's file names that are none of `bekannt` (same
// group and same name, blanks and "_" alike), in the server's order. Receipts
// and foreign files are skipped; gekuerzt reports that more than 999 feed
// files were there and the rest was left out.
QList<ServerFutter> NeueServerFutter(
    const QStringList& dateien, const QList<ServerFutter>& bekannt, bool* gekuerzt = nullptr);

// Group and name of every feed of the local database (whatever the list's
// filters show). False when the database could not be read.
bool LokaleFutterLesen(QList<ServerFutter>& futter);

// Fetches a listed server file under its name exactly as listed into the
// data folder and reads it, as UTF-8 when it is (grundlagen/Textkodierung.h),
// else as Windows-1252. False when it is no feed file name or could not be
// fetched or read.
bool ServerFutterHolen(const QString& datei, FutterAusDatei& futter);

} // namespace kelvora
