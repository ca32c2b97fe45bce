#include "frame/ui/Farbwert.h"

#include "frame/Oberflaeche.h"
#include "frame/Statuszeile.h"

#include <QLabel>

namespace kelvora {

QColor FarbeAusWert(qint64 wert, const QPalette& palette)
{
    if (wert == Farbe::Schaltflaeche)
        return palette.color(QPalette::Button);
    const RGB f = FarbeZerlegen(wert & 0xFFFFFF);
    return QColor(f.rot, f.gruen, f.blau);
}

void LabelFaerben(QLabel* label, qint64 hintergrund, bool durchsichtig)
{
    QPalette p = label->palette();
    p.setColor(QPalette::Window, FarbeAusWert(hintergrund, p));
    p.setColor(QPalette::WindowText, FarbeAusWert(TextfarbeFuer(hintergrund), p));
    label->setPalette(p);
    label->setAutoFillBackground(!durchsichtig);
}

} // namespace kelvora
