#include "ration/ui/ErgebnisFenster.h"

#include "frame/FunktionenFuerINI.h"
#include "frame/Programm.h"
#include "frame/ui/FensterPositionQt.h"
#include "frame/ui/Hauptrahmen.h"
#include "ration/RationErgebnisPosition.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <cmath>

namespace kelvora {

namespace {

struct Zeile {
    const char* name;     // part of the cell names, e.g. "lblIstNDFUDP"
    const char* text;     // caption in the first column
    const char* ziel;     // design-time target of a share row, else empty
};

constexpr Zeile Zeilen[ErgZeilen] = {
    {"NEL", "NEL", ""},
    {"Rohprotein", "Rohprotein", ""},
    {"UDP", "UDP", "35-38% vom RP"},
    {"NFC", "NFC", "35-43%"},
    {"NDF", "NDF", "min. 28%"},
    {"GrundfutterNDF", "Grundfutter-NDF", "75% der NDF"},
    {"ADF", "ADF", "min. 18%"},
    {"Calzium", "Calzium", ""},
    {"Phosphor", "Phosphor", ""},
};

bool IstAnteil(int zeile)
{
    return zeile >= ErgUDP && zeile <= ErgADF;
}

// Texts a cell shows before the evaluation wrote into it; they read as 0.
const QString Platzhalter = QStringLiteral("-");

int Pixel(double twips)
{
    return static_cast<int>(std::lround(twips / TwipsProPixel));
}

} // namespace

ErgebnisFenster::ErgebnisFenster(Hauptrahmen* h, QWidget* parent)
    : QWidget(parent)
    , haupt(h)
{
    setObjectName(ErgebnisFensterName());
    setWindowTitle(QStringLiteral("Ergebnis der Kelvora"));
    Aufbauen();
    Laden();
}

ErgebnisFenster::~ErgebnisFenster() = default;

void ErgebnisFenster::Aufbauen()
{
    auto* raster = new QGridLayout(this);
    auto text = [this](const QString& t, const QString& name = QString()) {
        auto* l = new QLabel(t, this);
        if (!name.isEmpty())
            l->setObjectName(name);
        return l;
    };
    auto wert = [&](const QString& name) {
        QLabel* l = text(Platzhalter, name);
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        return l;
    };

    raster->addWidget(text(QStringLiteral("Soll")), 1, 1, Qt::AlignCenter);
    raster->addWidget(text(QStringLiteral("Bewertung nach NDF")), 0, 2, 1, 2, Qt::AlignCenter);
    raster->addWidget(text(QStringLiteral("Bewertung nach TMA")), 0, 4, 1, 2, Qt::AlignCenter);
    for (int spalte : {2, 4}) {
        raster->addWidget(text(QStringLiteral("Ist")), 1, spalte, Qt::AlignCenter);
        raster->addWidget(text(QStringLiteral("Abweichung")), 1, spalte + 1, Qt::AlignCenter);
    }
    for (int i = 0; i < ErgZeilen; ++i) {
        const QString name = QString::fromLatin1(Zeilen[i].name);
        const int r = i + 2;
        raster->addWidget(text(QString::fromUtf8(Zeilen[i].text)), r, 0);
        soll[i] = wert(QStringLiteral("lblSoll") + name);
        if (IstAnteil(i))
            soll[i]->setText(QString::fromUtf8(Zeilen[i].ziel));
        raster->addWidget(soll[i], r, 1);
        ndf.ist[i] = wert(QStringLiteral("lblIstNDF") + name);
        ndf.abweichung[i] = wert(QStringLiteral("lblAbweichungNDF") + name);
        tma.ist[i] = wert(QStringLiteral("lblIstTMA") + name);
        tma.abweichung[i] = wert(QStringLiteral("lblAbweichungTMA") + name);
        raster->addWidget(ndf.ist[i], r, 2);
        raster->addWidget(ndf.abweichung[i], r, 3);
        raster->addWidget(tma.ist[i], r, 4);
        raster->addWidget(tma.abweichung[i], r, 5);
    }
    raster->setRowStretch(ErgZeilen + 2, 1);
}

void ErgebnisFenster::Laden()
{
    QMdiArea* bereich = haupt ? haupt->Arbeitsbereich() : nullptr;
    const double hauptBreite = haupt ? haupt->width() * double(TwipsProPixel) : BildschirmInTwips(this).width();
    const FensterRechteck r = ErgebnisFensterPosition(hauptBreite);
    QWidget* rahmen = this;
    if (bereich) {
        QMdiSubWindow* sub = UnterfensterVon(this);
        rahmen = sub ? sub : bereich->addSubWindow(this);
    }
    rahmen->resize(Pixel(r.breite), Pixel(r.hoehe));
    rahmen->move(Pixel(r.links), Pixel(r.oben));
    ErgebnisFensterAufrufZaehlen();
}

ErgebnisFenster::Spalte* ErgebnisFenster::SpalteFuer(const QString& name)
{
    if (name == QLatin1String("NDF"))
        return &ndf;
    if (name == QLatin1String("TM"))
        return &tma;
    return nullptr;
}

void ErgebnisFenster::IstSchreiben(const QString& spalte, const ErgebnisSpalte& ist, bool anteile)
{
    Spalte* s = SpalteFuer(spalte);
    if (!s)
        return;
    for (int i = 0; i < ErgZeilen; ++i)
        if (anteile || !IstAnteil(i))
            s->ist[i]->setText(ist[i]);
}

void ErgebnisFenster::SollSchreiben(const ErgebnisSpalte& werte)
{
    for (int i = 0; i < ErgZeilen; ++i)
        if (!IstAnteil(i))
            soll[i]->setText(werte[i]);
}

void ErgebnisFenster::AbweichungenNeuBerechnen()
{
    ErgebnisSpalte sollTexte;
    for (int i = 0; i < ErgZeilen; ++i)
        sollTexte[i] = soll[i]->text();
    for (Spalte* s : {&ndf, &tma}) {
        ErgebnisSpalte istTexte;
        for (int i = 0; i < ErgZeilen; ++i)
            istTexte[i] = s->ist[i]->text();
        const ErgebnisAbweichungen a = AbweichungenBerechnen(istTexte, sollTexte);
        for (int i = 0; i < ErgZeilen; ++i) {
            s->abweichung[i]->setText(a[i].text);
            s->abweichung[i]->setVisible(a[i].sichtbar);
        }
    }
}

ErgebnisTabelle ErgebnisFenster::Tabelle() const
{
    const auto gezeigt = [](const QLabel* l) { return l->isVisibleTo(l->parentWidget()) ? l->text() : QString(); };
    ErgebnisTabelle t;
    for (int i = 0; i < ErgZeilen; ++i) {
        t.soll[i] = soll[i]->text();
        t.istNDF[i] = ndf.ist[i]->text();
        t.abweichungNDF[i] = gezeigt(ndf.abweichung[i]);
        t.istTMA[i] = tma.ist[i]->text();
        t.abweichungTMA[i] = gezeigt(tma.abweichung[i]);
    }
    return t;
}

void ErgebnisFenster::resizeEvent(QResizeEvent* e)
{
    angezeigt = true;
    QWidget::resizeEvent(e);
}

void ErgebnisFenster::closeEvent(QCloseEvent* e)
{
    INISpeichern(QStringLiteral("OffeneFenster"), ErgebnisFensterName(),
                 programm().programmEndet ? QStringLiteral("1") : QStringLiteral("0"));
    const QWidget* rahmen = UnterfensterVon(this);
    if (!rahmen)
        rahmen = this;
    if (angezeigt && !rahmen->isMinimized() && !rahmen->isMaximized())
        FensterPositionSpeichern(this);
    e->accept();
}

ErgebnisFenster* ErgebnisFensterMinimiert(Hauptrahmen* haupt)
{
    if (!haupt)
        return nullptr;
    auto* fenster = qobject_cast<ErgebnisFenster*>(haupt->OffenesFenster(ErgebnisFensterName()));
    if (!fenster)
        fenster = new ErgebnisFenster(haupt);
    if (QMdiSubWindow* sub = UnterfensterVon(fenster))
        sub->showMinimized();
    return fenster;
}

} // namespace kelvora
