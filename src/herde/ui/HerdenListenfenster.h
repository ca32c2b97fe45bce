#pragma once
// What the herd's list windows share: F3 prints, F5 reads the stored
// rations again, closing keeps the window's place.

#include <QWidget>

namespace kelvora {

class HerdenListenfenster : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;

    // Reads the stored rations again and shows them.
    virtual void Aktualisieren() = 0;
    // The print preview of what is shown.
    virtual void Drucken() = 0;

protected:
    void closeEvent(QCloseEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
};

} // namespace kelvora
