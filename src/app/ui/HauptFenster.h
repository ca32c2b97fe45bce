#pragma once
// The program's frame: a multiple-document window with the menu bar, the
// toolbar, the status line, the database indicator and the timers. Loading
// it is the program's start, closing it ends the program.

#include "frame/ui/Hauptrahmen.h"

#include <QHash>
#include <functional>

class QAction;
class QLabel;
class QMdiArea;
class QMenu;
class QTimer;
class QToolBar;
class QToolButton;

namespace kelvora {

class HauptFenster final : public Hauptrahmen {
    Q_OBJECT
public:
    explicit HauptFenster(QWidget* parent = nullptr);
    ~HauptFenster() override;

    // Start-up: position, title, menu states, guide, identity lines, schema.
    void Laden();

    // Opens the window's single instance (created on first use) as a child
    // of the frame and brings it forward; nullptr for a window this program
    // version does not have.
    QWidget* FensterOeffnen(const QString& name) override;
    // The open instance or nullptr.
    QWidget* OffenesFenster(const QString& name) const override;
    // Presses the command `knopf` of the open window `fenster` when it is
    // enabled; true when pressed.
    bool BefehlDruecken(const QString& fenster, const QString& knopf);

    // The window that last opened the pop-up menu `KopierenIn`.
    void KopierenInZeigen(QWidget* aufrufer, const QPoint& globalePosition) override;

    QMdiArea* Arbeitsbereich() const override { return bereich; }

    // Status line and indicator (reached through the seam).
    void MeldungZeigen(qint64 farbe, const QString& text, int sekunden, bool ausblenden) override;
    QString DatenbankAnzeigeText() const override;
    void DatenbankAnzeigeSetzen(const QString& text, qint64 farbe, bool durchsichtig) override;

    // Starts tmrUpdateFinden with the hourglass; its tick runs the search.
    void UpdateSucheStarten() override;

    QAction* Aktion(const QString& name) const override;
    bool SprechblasenAn() const { return mhTip; }

protected:
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void MenueAufbauen();
    void SymbolleisteAufbauen();
    void StatuszeileAufbauen();
    void TimerAufbauen();
    void MenueZustaendeAnwenden();
    void IntervallKlick(QAction* geklickt);
    void FensterMenueFuellen();
    void SprechblasenSetzen(bool an);
    void FutterAbgelegt(QToolButton* ziel, long futterID);

    QAction* Eintrag(QMenu* menue, const QString& name, const QString& text);
    QAction* Trenner(QMenu* menue, const QString& name);

    QMdiArea* bereich = nullptr;
    QToolBar* symbolleiste = nullptr;
    QLabel* lblMeldungen = nullptr;
    QLabel* lblDatenbankOffen = nullptr;
    QTimer* tmrAufgaben = nullptr;
    QTimer* tmrMeldungAusblenden = nullptr;
    QTimer* tmrProgressBar = nullptr;
    QTimer* tmrUpdateFinden = nullptr;
    QMenu* menueKopierenIn = nullptr;
    QMenu* menueFenster = nullptr;
    QMenu* menueNeueVersion = nullptr;
    QHash<QString, QAction*> aktionen;
    QWidget* kopierenInAufrufer = nullptr;
    bool mhTip = true;
};

} // namespace kelvora
