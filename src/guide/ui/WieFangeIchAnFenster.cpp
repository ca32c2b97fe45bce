#include "guide/ui/WieFangeIchAnFenster.h"

#include "frame/FunktionenFuerINI.h"
#include "frame/Programm.h"
#include "frame/ui/FensterPositionQt.h"
#include "frame/ui/Hauptrahmen.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace kelvora {

namespace {

QPushButton* Knopf(QWidget* eltern, QLayout* layout, const QString& name, const QString& text)
{
    auto* k = new QPushButton(text, eltern);
    k->setObjectName(name);
    layout->addWidget(k);
    return k;
}

QGroupBox* Rahmen(QWidget* eltern, QVBoxLayout* aussen, const QString& name, const QString& text)
{
    auto* r = new QGroupBox(text, eltern);
    r->setObjectName(name);
    new QHBoxLayout(r);
    aussen->addWidget(r);
    return r;
}

} // namespace

WieFangeIchAnFenster::WieFangeIchAnFenster(Hauptrahmen* h)
    : QWidget(nullptr)
    , haupt(h)
{
    setObjectName(QStringLiteral("WieFangeIchAnFenster"));
    setWindowTitle(QStringLiteral("Wie fange ich an  - Die wichtigsten Funktionen"));
    setAcceptDrops(true);
    setAttribute(Qt::WA_DeleteOnClose);

    auto* aussen = new QVBoxLayout(this);
    QGroupBox* r1 = Rahmen(this, aussen, QStringLiteral("frm1"),
                           QStringLiteral("1. Kuh beschreiben (Gewicht, Milch, Fettgehalt)"));
    QGroupBox* r2 = Rahmen(this, aussen, QStringLiteral("frm2"), QStringLiteral("2. Liste der Futtermittel öffnen"));
    QGroupBox* r3 = Rahmen(this, aussen, QStringLiteral("frm3"), QStringLiteral("3. Futtermittel herüberziehen"));
    QGroupBox* r4 = Rahmen(this, aussen, QStringLiteral("frm4"),
                           QStringLiteral("4. Ausgleichen nach NDF oder nach Trockenmasse"));
    QGroupBox* r5 = Rahmen(this, aussen, QStringLiteral("frm5"), QStringLiteral("5. Ergebnis kontrollieren"));

    connect(Knopf(r1, r1->layout(), QStringLiteral("Command1"), QStringLiteral("Daten eingeben")),
            &QPushButton::clicked, this,
            [this] { Oeffnen(QStringLiteral("RationTierErstellenFenster"), QStringLiteral("Gewicht")); });
    connect(Knopf(r2, r2->layout(), QStringLiteral("Command2"),
                  QStringLiteral("Liste aller bisher eingegebenen Futtermittel")),
            &QPushButton::clicked, this, [this] { Oeffnen(QStringLiteral("wdwFuttermittel")); });
    connect(Knopf(r2, r2->layout(), QStringLiteral("Command5"), QStringLiteral("Neues Futtermittel anlegen")),
            &QPushButton::clicked, this,
            [this] { Oeffnen(QStringLiteral("StammdatenFenster2"), QStringLiteral("AlleFelderLöschen")); });

    // Step 3: the two windows side by side, with the hint between.
    auto* spalte = new QVBoxLayout;
    auto* knoepfe3 = new QHBoxLayout;
    spalte->addLayout(knoepfe3);
    delete r3->layout();
    r3->setLayout(spalte);
    connect(Knopf(r3, knoepfe3, QStringLiteral("Command3"), QStringLiteral("grünes Fenster")), &QPushButton::clicked,
            this, [this] { Oeffnen(QStringLiteral("wdwFuttermittel")); });
    connect(Knopf(r3, knoepfe3, QStringLiteral("Command4"), QStringLiteral("blaues Fenster")), &QPushButton::clicked,
            this, [this] { Oeffnen(QStringLiteral("RationTierErstellenFenster")); });
    auto* hinweis = new QLabel(QStringLiteral("Jetzt die Futtermittel der Reihe nach mit der linken Maustaste aus der "
                                              "Liste (grünes Fenster) in das Fenster zu Kelvora (blaues Fenster) "
                                              "ziehen."),
                               r3);
    hinweis->setObjectName(QStringLiteral("lbl1"));
    hinweis->setWordWrap(true);
    spalte->addWidget(hinweis);

    connect(Knopf(r4, r4->layout(), QStringLiteral("Command7"), QStringLiteral("nach Trockenmasse")),
            &QPushButton::clicked, this, [this] { BefehlDerRationDruecken(QStringLiteral("cmdTMAusgleichen")); });
    connect(Knopf(r4, r4->layout(), QStringLiteral("Command8"), QStringLiteral("nach NDF")), &QPushButton::clicked,
            this, [this] { BefehlDerRationDruecken(QStringLiteral("cmdNDFAusgleichen")); });
    connect(Knopf(r5, r5->layout(), QStringLiteral("Command6"), QStringLiteral("Gegenüberstellung der Ergebnisse")),
            &QPushButton::clicked, this, [this] { Oeffnen(QStringLiteral("ErgebnisFenster")); });

    // The relay other windows press after a drop.
    auto* relais = new QPushButton(this);
    relais->setObjectName(QStringLiteral("DropEreignisAufrufen"));
    relais->setVisible(false);
    connect(relais, &QPushButton::clicked, this, &WieFangeIchAnFenster::NormalZeigen);
}

void WieFangeIchAnFenster::Laden()
{
    // The size follows from the frames: the layout's height at a fixed
    // width, plus the title bar and border of the sub window around it.
    const int innenBreite = qMax(480, layout()->sizeHint().width());
    const int innenHoehe = layout()->totalHeightForWidth(innenBreite);
    const int rand = style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth);
    const int titel = style()->pixelMetric(QStyle::PM_TitleBarHeight);
    const double breite = (innenBreite + 2 * rand) * TwipsProPixel;
    const double hoehe = (innenHoehe + titel + 2 * rand) * TwipsProPixel;
    FensterPositionLaden(this, haupt->Arbeitsbereich(), breite, breite, hoehe, hoehe, false, true, true);
}

void WieFangeIchAnFenster::Oeffnen(const QString& fenster, const QString& fokusAuf)
{
    QWidget* w = haupt->FensterOeffnen(fenster);
    if (!w || fokusAuf.isEmpty())
        return;
    if (auto* ziel = w->findChild<QWidget*>(fokusAuf); ziel && ziel->isEnabled() && ziel->isVisible())
        ziel->setFocus();
}

void WieFangeIchAnFenster::BefehlDerRationDruecken(const QString& befehl)
{
    QWidget* w = haupt->OffenesFenster(QStringLiteral("RationTierErstellenFenster"));
    if (!w)
        w = haupt->FensterOeffnen(QStringLiteral("RationTierErstellenFenster"));
    if (!w)
        return;
    auto* knopf = w->findChild<QAbstractButton*>(befehl);
    if (knopf && knopf->isEnabled() && knopf->isVisible())
        knopf->click();
}

void WieFangeIchAnFenster::NormalZeigen()
{
    if (QMdiSubWindow* u = UnterfensterVon(this))
        u->showNormal();
    else
        showNormal();
}

void WieFangeIchAnFenster::closeEvent(QCloseEvent* e)
{
    INISpeichern(QStringLiteral("OffeneFenster"), objectName(),
                 programm().programmEndet ? QStringLiteral("1") : QStringLiteral("0"));
    FensterPositionSpeichern(this);
    e->accept();
}

void WieFangeIchAnFenster::dragEnterEvent(QDragEnterEvent* e)
{
    if (e->mimeData()->hasFormat(QString::fromLatin1(FutterMimeTyp)))
        e->acceptProposedAction();
}

void WieFangeIchAnFenster::dropEvent(QDropEvent* e)
{
    e->acceptProposedAction();
    NormalZeigen();
}

} // namespace kelvora
