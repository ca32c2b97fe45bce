#include "herde/ui/HerdenListenfenster.h"

#include "frame/ui/FensterPositionQt.h"

#include <QCloseEvent>
#include <QKeyEvent>

namespace kelvora {

void HerdenListenfenster::keyReleaseEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_F3)
        Drucken();
    else if (e->key() == Qt::Key_F5)
        Aktualisieren();
    else
        QWidget::keyReleaseEvent(e);
}

void HerdenListenfenster::closeEvent(QCloseEvent* e)
{
    FensterPositionSpeichern(this);
    e->accept();
}

} // namespace kelvora
