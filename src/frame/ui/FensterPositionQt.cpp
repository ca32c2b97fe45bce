#include "frame/ui/FensterPositionQt.h"

#include "frame/Oberflaeche.h"

#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QLayout>
#include <QScreen>
#include <QStyle>
#include <QWidget>
#include <cmath>

namespace kelvora {

namespace {

int InPixel(double twips)
{
    return static_cast<int>(std::lround(twips / TwipsProPixel));
}

double InTwips(int pixel)
{
    return static_cast<double>(pixel) * TwipsProPixel;
}

// The name under which a window keeps its settings: the content widget's
// objectName; a sub window without a name of its own goes by its widget.
QString Fenstername(const QWidget* fenster)
{
    if (const auto* sub = qobject_cast<const QMdiSubWindow*>(fenster)) {
        if (sub->objectName().isEmpty() && sub->widget())
            return sub->widget()->objectName();
    }
    return fenster->objectName();
}

QString Unterfenstername(const QMdiSubWindow* sub)
{
    return sub->widget() ? sub->widget()->objectName() : sub->objectName();
}

void Anwenden(QWidget* rahmen, const FensterRechteck& r)
{
    rahmen->resize(InPixel(r.breite), InPixel(r.hoehe));
    rahmen->move(InPixel(r.links), InPixel(r.oben));
}

void ZustandNormal(QWidget* w)
{
    w->setWindowState(w->windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen));
}

} // namespace

QMdiSubWindow* UnterfensterVon(QWidget* fenster)
{
    if (!fenster)
        return nullptr;
    if (auto* sub = qobject_cast<QMdiSubWindow*>(fenster))
        return sub;
    auto* sub = qobject_cast<QMdiSubWindow*>(fenster->parentWidget());
    return sub && sub->widget() == fenster ? sub : nullptr;
}

void ListenfensterEinsetzen(
    QWidget* fenster, QMdiArea* bereich, QSize minimum, const std::function<void()>& aktualisieren)
{
    QSize maximum = minimum;
    if (bereich) {
        QMdiSubWindow* u = bereich->addSubWindow(fenster);
        u->setMinimumSize(minimum);
        maximum = bereich->viewport()->size().expandedTo(minimum);
        QObject::connect(u, &QMdiSubWindow::aboutToActivate, fenster, aktualisieren);
    }
    FensterPositionLaden(fenster, bereich, minimum.width() * TwipsProPixel, maximum.width() * TwipsProPixel,
        minimum.height() * TwipsProPixel, maximum.height() * TwipsProPixel, false, true);
    if (!PositionGespeichert(fenster->objectName()) && bereich)
        if (QMdiSubWindow* u = UnterfensterVon(fenster))
            u->setGeometry(QRect(QPoint(0, 0), maximum));
}

QSizeF BildschirmInTwips(const QWidget* fenster)
{
    QScreen* bildschirm = fenster ? fenster->screen() : nullptr;
    if (!bildschirm)
        bildschirm = QGuiApplication::primaryScreen();
    if (!bildschirm)
        return {};
    const QRect r = bildschirm->availableGeometry();
    return {InTwips(r.width()), InTwips(r.height())};
}

QSizeF InhaltInTwips(QWidget* fenster, int mindestBreite)
{
    QLayout* l = fenster->layout();
    const int innenBreite = qMax(mindestBreite, l ? l->sizeHint().width() : fenster->sizeHint().width());
    const int innenHoehe = l && l->hasHeightForWidth() ? l->totalHeightForWidth(innenBreite)
                                                       : fenster->sizeHint().height();
    const int rand = fenster->style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth);
    const int titel = fenster->style()->pixelMetric(QStyle::PM_TitleBarHeight);
    return {InTwips(innenBreite + 2 * rand), InTwips(innenHoehe + titel + 2 * rand)};
}

long FensterPositionLaden(QWidget* fenster, QMdiArea* bereich, double minBreite, double maxBreite, double minHoehe,
                          double maxHoehe, bool zentrieren, bool aufrufZaehlen, bool versteckt)
{
    if (!fenster)
        return 0;

    FensterLadeDaten d;
    d.name = Fenstername(fenster);
    d.minBreite = minBreite;
    d.maxBreite = maxBreite;
    d.minHoehe = minHoehe;
    d.maxHoehe = maxHoehe;
    d.zentrieren = zentrieren;
    d.aufrufZaehlen = aufrufZaehlen;

    QWidget* rahmen = fenster;
    QMdiSubWindow* sub = nullptr;
    if (bereich) {
        sub = UnterfensterVon(fenster);
        if (!sub)
            sub = bereich->addSubWindow(fenster);
        rahmen = sub;
        d.gleichnamigeFenster = 0;
        for (const QMdiSubWindow* s : bereich->subWindowList())
            if (Unterfenstername(s) == d.name)
                ++d.gleichnamigeFenster;
        const QSize innen = bereich->viewport()->size();
        d.innenBreite = InTwips(innen.width());
        d.innenHoehe = InTwips(innen.height());
        d.hauptfensterMaximiert = bereich->window()->isMaximized();
    } else {
        const QSizeF bildschirm = BildschirmInTwips(fenster);
        d.innenBreite = bildschirm.width();
        d.innenHoehe = bildschirm.height();
        d.hauptfensterMaximiert = fenster->isMaximized();
    }

    const FensterLadeErgebnis e = FensterPositionLaden(d);
    Anwenden(rahmen, e.rechteck);
    ui().EreignisseVerarbeiten();

    if (!versteckt) {
        ZustandNormal(rahmen);
        rahmen->show();
        if (rahmen->isEnabled() && rahmen->isVisible()) {
            if (sub)
                bereich->setActiveSubWindow(sub);
            else
                fenster->activateWindow();
            fenster->setFocus();
        }
    }
    return e.aufrufZaehler;
}

void FensterPositionSpeichern(QWidget* fenster)
{
    if (!fenster)
        return;
    const QWidget* rahmen = UnterfensterVon(fenster);
    if (!rahmen)
        rahmen = fenster;
    FensterRechteck r;
    r.links = InTwips(rahmen->x());
    r.oben = InTwips(rahmen->y());
    r.breite = InTwips(rahmen->width());
    r.hoehe = InTwips(rahmen->height());
    // A window that closes has nobody left to ask; a failed write is in the
    // error log and the status line.
    [[maybe_unused]] const bool gespeichert = FensterPositionSpeichern(Fenstername(fenster), r);
}

} // namespace kelvora
