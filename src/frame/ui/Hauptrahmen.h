#pragma once
// What the child windows of every folder ask of the program's main window:
// the workspace they open in, other windows by name, the "Kopieren in"
// pop-up, menu items, the status line and the database indicator. The main
// window itself (menus, toolbar, timers, the list of windows it can open)
// stands above all folders, in app/ui/HauptFenster.h.

#include <QMainWindow>

class QAction;
class QMdiArea;

namespace kelvora {

class Hauptrahmen : public QMainWindow {
    Q_OBJECT
public:
    using QMainWindow::QMainWindow;

    // Opens the window's single instance (created on first use) as a child
    // of the frame and brings it forward; nullptr for a window this program
    // version does not have.
    virtual QWidget* FensterOeffnen(const QString& name) = 0;
    // The open instance or nullptr.
    virtual QWidget* OffenesFenster(const QString& name) const = 0;

    // Shows the pop-up menu `KopierenIn` for the window `aufrufer`.
    virtual void KopierenInZeigen(QWidget* aufrufer, const QPoint& globalePosition) = 0;

    virtual QMdiArea* Arbeitsbereich() const = 0;
    virtual QAction* Aktion(const QString& name) const = 0;

    // Status line and indicator (reached through the seam).
    virtual void MeldungZeigen(qint64 farbe, const QString& text, int sekunden, bool ausblenden) = 0;
    virtual QString DatenbankAnzeigeText() const = 0;
    virtual void DatenbankAnzeigeSetzen(const QString& text, qint64 farbe, bool durchsichtig) = 0;

    // Starts the update search with the hourglass.
    virtual void UpdateSucheStarten() = 0;
};

} // namespace kelvora
