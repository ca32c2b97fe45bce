#pragma once
// The feed file of the exchange: its name on the server and in the data
// folder, its lines, and what a taken-over file gives the editor. Windows-1252
// text with CR LF, written by internet/FtpDateien.h's AnsiDateiSchreiben.

#include "feeds/StammdatenMaske.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <optional>

namespace kelvora {

// The value elements of a feed file, in their order; each is also the name
// of the editor's box ("txt" + element). The first FutterDateiGrundwerte()
// are always written; the German values behind them (ME, nXP, RNB, Mg, Na,
// K, Cu, Zn, Mn) only when the feed has them. A file without them reads as
// before: the reader finds every element by its name.
const QStringList& FutterDateiWerte();
int FutterDateiGrundwerte();

// One feed as it is written into a file.
struct FutterFuerDatei {
    int gruppe = 0; // FutterArtIOFC
    QString bezeichnung;
    QDateTime angelegt; // invalid when empty
    QDateTime letzteAenderung;
    QList<QVariant> werte; // in the order of FutterDateiWerte(); null gives ""
};

// A feed name as it stands in a file name: blanks become "_" (the listing
// shows every "_" as a blank again) and slashes "-", so that upload, listing
// and take-over meet. Names that differ only in these characters count as
// the same feed.
QString ServerNamensform(const QString& bezeichnung);

// "3_Raps_schrot.xml": group code, "_", the name in server form, ".xml".
QString FutterDateiName(int gruppe, const QString& bezeichnung);

// The lines of the file; E1, E2 and the dates only when they are given (the
// dates only when younger than 1 January twenty years back).
QStringList FutterDateiZeilen(
    const FutterFuerDatei& futter, const QString& e1, const QString& e2, const QDateTime& jetzt);

// A feed file on the server as the feed list shows it.
struct ServerFutter {
    QString datei;
    int gruppe = 0;
    QString bezeichnung; // from the file name, "_" shown as blanks
};

// A server file name "<group 1 to 5>_<name>.xml" (".XML" as well); nothing
// for receipts, lock files, names with a folder or control characters and
// other names. datei keeps the name as listed, for fetching.
std::optional<ServerFutter> ServerFutterAusName(const QString& datei);

// The texts of a feed file for the editor's boxes; "" where the file has no
// such element.
struct FutterAusDatei {
    QString bezeichnung;
    QStringList werte; // in the order of FutterDateiWerte()
    QString e1, e2;
};
FutterAusDatei FutterDateiLesen(const QString& text);

// "erstellt von " with the identity lines of the file that are not empty,
// without control characters, each cut at 100 characters. Shown as plain
// text: the lines are a stranger's.
QString ErstelltVonText(const FutterAusDatei& futter);

// The editor's boxes for a feed taken over from the server, as the window
// and the command line take it over: the group (nothing selected for a code
// outside 1 to 5), the name without control characters, the file's texts in
// the dry-matter boxes as they stand (the checks before saving read them)
// and the fresh-matter column computed.
Eingabemaske MaskeAusServerFutter(int gruppe, const FutterAusDatei& futter);

} // namespace kelvora
