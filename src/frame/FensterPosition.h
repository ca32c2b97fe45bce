#pragma once
// Window positions and call counters kept in the INI file, one section per
// window name. Everything here is in twips (15 twips = 1 pixel at 96 dpi), so
// positions written by earlier versions of the program stay valid. The
// widget side lives in frame/ui/FensterPositionQt.h.

#include <QString>

namespace kelvora {

constexpr int TwipsProPixel = 15;

// What a window knows about itself and its surroundings when it loads.
struct FensterLadeDaten {
    QString name;  // section of the INI file (the window's name)
    double minBreite = 0;
    double maxBreite = 0;
    double minHoehe = 0;
    double maxHoehe = 0;
    bool zentrieren = false;
    bool aufrufZaehlen = false;
    // Loaded windows with the same name, this one included.
    int gleichnamigeFenster = 1;
    // Inner area of the main window (for the main window itself: the screen).
    double innenBreite = 0;
    double innenHoehe = 0;
    bool hauptfensterMaximiert = false;
};

struct FensterRechteck {
    double links = 0;
    double oben = 0;
    double breite = 0;
    double hoehe = 0;
};

struct FensterLadeErgebnis {
    FensterRechteck rechteck;
    long aufrufZaehler = 0;  // the new counter, 0 when the call was not counted
};

// Reads the stored position of the window, fits it into the limits and the
// main window, and counts the call when asked to.
FensterLadeErgebnis FensterPositionLaden(const FensterLadeDaten& daten);

// Only the placement (no counting): the stored values are those of the
// window's section.
FensterRechteck FensterPositionBerechnen(const FensterLadeDaten& daten);

// A stored position or size in twips; a value that is no number or lies
// far beyond any screen gives vorgabe (and a log line), so a damaged INI
// never places a window in nowhere nor is written back.
double PositionLesen(const QString& name, const QString& schluessel, double vorgabe);

// Whether the window's section holds a stored size (false before its first
// close).
bool PositionGespeichert(const QString& name);

// The stored "AufrufZähler"; anything but a whole number of up to nine
// digits (a negative or damaged value) counts as 0 with a log line, so
// counting starts again.
long AufrufZaehlerLesen(const QString& name);

// Counts one more opening of the window and returns the new count: writes
// "AufrufZählerStart" on the first, "AufrufZähler" and, with letzterAufruf,
// "LetzterAufruf", in one write under the INI lock, so two instances
// started at once both count.
long AufrufZaehlen(const QString& name, bool letzterAufruf = true);

// Writes the position of a window that closes (all four values or none)
// and logs that it did.
[[nodiscard]] bool FensterPositionSpeichern(const QString& name, const FensterRechteck& rechteck);

// Decimal text of a single-precision number, as positions are stored.
QString EinfacheGenauigkeitText(double wert);

} // namespace kelvora
