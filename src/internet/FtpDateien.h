#pragma once
// Single files between the data folder and a folder on the exchange server:
// the server's configuration, connecting (with the fallback server), the
// folder walk, upload (optionally guarded by a lock file), download (refused
// while a lock file lies beside the file) and the receipt left behind after
// a download. Failures are logged here and their reasons kept; telling them
// (AustauschFehlerMelden), status lines and questions belong to the callers.

#include "internet/AustauschZugang.h"
#include "internet/FtpVerbindung.h"

#include <QString>

namespace kelvora {

// Up to three folder names below the server root; empty names are skipped.
struct FtpOrdner {
    QString ordner1, ordner2, ordner3;
    // The names joined by trenner (empty names included, as the log shows them).
    QString Text(const QString& trenner) const;
};

// Connects to the configured server; when that fails, once to the fallback
// server with the same account. Logs the reason of a failure. Forgets the
// reason of an earlier operation, so that FtpLetzterFehler() never tells
// an older failure as this one's.
bool FTPVerbindungOeffnen(FtpVerbindung& verbindung, const FtpZugang& zugang = AustauschZugang());

// The walk from the root into the folder: the current folder must read "/",
// then each folder is entered in turn. nichtBetreten receives the folder that
// failed ("" when the server did not start at its root).
bool OrdnerBetreten(FtpVerbindung& verbindung, const FtpOrdner& ordner, QString* nichtBetreten = nullptr);
// The same walk; a failure is logged under the procedure's name and kept
// as the reason the user reads (FtpLetzterFehler).
bool OrdnerBetretenMitProtokoll(
    FtpVerbindung& verbindung, const FtpOrdner& ordner, const QString& prozedur, QString* nichtBetreten = nullptr);

// The lock file of a file: its name with the last four characters replaced
// by ".lock".
QString SperrdateiName(const QString& name);

// True when a file of the local path's name lies in the server folder.
// verbunden (when given) tells whether the server could be asked at all.
bool FTPDateiExistiert(const QString& lokalerPfad, const FtpOrdner& ordner, bool* verbunden = nullptr);

// Uploads the local file under its own name; with sperren a lock file lies
// beside it on the server while it is written.
bool DateiAufDenServerLaden(const QString& lokalerPfad, const FtpOrdner& ordner, bool sperren = false);

// Fetches the file of the local path's name into the data folder (at most
// FtpDateiHoechstBytes). A lock file beside it on the server refuses the
// download, and one older than a day is named with its age; the local file is
// replaced only when the whole file has arrived. Afterwards a receipt
// ("abgeholt_yyyymmdd_hhmmss.xml") is written locally and uploaded into the
// same server folder.
bool DateiVomServerHolen(const QString& lokalerPfad, const FtpOrdner& ordner, bool protokollieren = true);

// Writes (appends to) the receipt file in the data folder; its path, or ""
// when it could not be written.
QString QuittungSchreiben(const QString& bemerkung = QString());

// Writes a failure of the exchange to the error log and keeps what the user
// is to read, for the window and the command line to tell. libcurl's own
// words for a failure whose reason the text holds go into the log in
// brackets; credentials in addresses are masked. With one text the user
// reads it without a leading procedure name ("DateiVomServerHolen: ").
void FtpFehlerProtokollieren(const QString& text);
void FtpFehlerProtokollieren(const QString& protokoll, const QString& fuerDenBenutzer);
// The German reason of the last failure.
QString FtpLetzterFehler();

// Tells a failed exchange step: `was` failed, FtpLetzterFehler() says why.
// The user reads both in a message box that stays until it is closed (on
// the command line: on stderr) and, for a moment, in the status line.
void AustauschFehlerMelden(const QString& was);

// Text as the exchanged files are written: Windows-1252, CR LF line ends.
QByteArray Ansi(const QString& text);
bool AnsiDateiSchreiben(const QString& pfad, const QStringList& zeilen, bool anhaengen = false);

} // namespace kelvora
