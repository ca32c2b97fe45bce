#pragma once
// The status line of the main window, reachable from logic through the seam.

#include <QString>

namespace kelvora {

// Logs "HauptFensterMeldungAusgeben: " + text, shows the line for the given
// seconds (hidden at once when ausblenden is true) and, with
// nochmalProtokollieren, logs the line again into the error log too.
void HauptFensterMeldungAusgeben(qint64 farbe, const QString& text, int sekunden = 5, bool ausblenden = false,
                                 bool nochmalProtokollieren = false);

// Contrast rule: text colour (0x00BBGGRR) for a back colour.
qint64 TextfarbeFuer(qint64 hintergrund);

// Converts a window-system colour value to red, green, blue.
struct RGB {
    int rot, gruen, blau;
};
RGB FarbeZerlegen(qint64 farbe);

} // namespace kelvora
