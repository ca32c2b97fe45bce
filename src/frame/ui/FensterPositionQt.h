#pragma once
// Window positions on real widgets: a child window inside the main window's
// MDI area, or the main window itself. The section in the INI file is the
// window's objectName; sizes and positions are stored in twips.

#include "frame/FensterPosition.h"

#include <QSizeF>
#include <functional>

class QMdiArea;
class QMdiSubWindow;
class QWidget;

namespace kelvora {

// Restores the position of `fenster` and counts the call when asked to;
// returns the new call counter (0 when the call is not counted).
//
// With `bereich` set, `fenster` is a child window: the content widget of a
// QMdiSubWindow of `bereich` (added to it when it is not there yet) or the
// sub window itself. The inner area of the main window is the MDI area's
// viewport, and the window is cascaded among the sub windows whose widgets
// carry the same objectName.
// Without `bereich`, `fenster` is the top-level main window and its inner
// area is the available geometry of its screen.
//
// Unless `versteckt` is true the window is then shown in normal state and,
// when it is enabled and visible, given the focus.
long FensterPositionLaden(QWidget* fenster, QMdiArea* bereich, double minBreite, double maxBreite,
                          double minHoehe, double maxHoehe, bool zentrieren, bool aufrufZaehlen,
                          bool versteckt = false);

// Stores the current size and position of `fenster` (its sub window when it
// sits in one) under its objectName and logs that it was closed.
void FensterPositionSpeichern(QWidget* fenster);

// The available geometry of the screen that shows `fenster` (the primary
// screen when it is null or not on a screen yet), in twips: the main window's
// maximum size.
QSizeF BildschirmInTwips(const QWidget* fenster = nullptr);

// The size in twips that a child window needs for its layout at the given
// inner width (at least), word-wrapped labels included, with the title bar
// and border of the sub window around it.
QSizeF InhaltInTwips(QWidget* fenster, int mindestBreite);

// The sub window of `bereich` that holds `fenster`, or null.
QMdiSubWindow* UnterfensterVon(QWidget* fenster);

// Puts a list window into the work area (without one, it stands alone) at
// its stored place, at least `minimum` and at most the work area; opened for
// the first time it takes the whole work area. `aktualisieren` runs
// whenever the window is activated, so it shows what other windows changed.
void ListenfensterEinsetzen(
    QWidget* fenster, QMdiArea* bereich, QSize minimum, const std::function<void()>& aktualisieren);

} // namespace kelvora
