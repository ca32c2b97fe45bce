#include "herde/ui/RationenVergleichFenster.h"

#include "database/DatenbankRoutinen.h"
#include "frame/FensterPosition.h"
#include "frame/Oberflaeche.h"
#include "frame/ui/Farbwert.h"
#include "frame/ui/FensterPositionQt.h"
#include "frame/ui/Hauptrahmen.h"
#include "herde/RationenBewerten.h"
#include "herde/ui/HerdeDrucken.h"
#include "printing/ui/DruckVorschau.h"
#include "ration/ui/VersorgungsDiagramm.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScrollArea>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>

namespace kelvora {

RationenVergleichFenster::RationenVergleichFenster(Hauptrahmen* h, QWidget* parent)
    : HerdenListenfenster(parent)
    , haupt(h)
{
    setObjectName(QStringLiteral("RationenVergleichFenster"));
    setWindowTitle(QStringLiteral("Rationen vergleichen"));
    Aufbauen();
    Laden();
}

RationenVergleichFenster::~RationenVergleichFenster() = default;

void RationenVergleichFenster::Aufbauen()
{
    auto* aussen = new QHBoxLayout(this);
    auto* links = new QVBoxLayout;
    auto* ueber = new QLabel(QStringLiteral("&Rationen (2 bis 6 ankreuzen):"), this);
    lstRationen = new QListWidget(this);
    lstRationen->setObjectName(QStringLiteral("lstRationen"));
    lstRationen->setToolTip(QStringLiteral("Leertaste oder Klick auf das Kästchen kreuzt eine Ration an."));
    ueber->setBuddy(lstRationen);
    lstRationen->setMaximumWidth(fontMetrics().horizontalAdvance(QString(24, QLatin1Char('x'))));
    connect(lstRationen, &QListWidget::itemChanged, this, [this] {
        if (!fuellt)
            Vergleichen();
    });
    cmdDrucken = new QPushButton(QStringLiteral("&Drucken"), this);
    cmdDrucken->setObjectName(QStringLiteral("cmdDrucken"));
    cmdDrucken->setToolTip(QStringLiteral("Den Vergleich drucken (auch F3-Taste)"));
    connect(cmdDrucken, &QPushButton::clicked, this, [this] { Drucken(); });
    auto* cmdAktualisieren = new QPushButton(QStringLiteral("&Aktualisieren"), this);
    cmdAktualisieren->setObjectName(QStringLiteral("cmdAktualisieren"));
    cmdAktualisieren->setToolTip(QStringLiteral("Die gespeicherten Rationen neu lesen (auch F5-Taste)"));
    connect(cmdAktualisieren, &QPushButton::clicked, this, [this] { Aktualisieren(); });
    links->addWidget(ueber);
    links->addWidget(lstRationen, 1);
    links->addWidget(cmdAktualisieren);
    links->addWidget(cmdDrucken);
    aussen->addLayout(links);

    auto* rechts = new QVBoxLayout;
    lblHinweis = new QLabel(this);
    lblHinweis->setObjectName(QStringLiteral("lblHinweis"));
    lblHinweis->setTextFormat(Qt::PlainText);
    lblHinweis->setWordWrap(true);
    tblVergleich = new QTableWidget(this);
    tblVergleich->setObjectName(QStringLiteral("tblVergleich"));
    tblVergleich->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tblVergleich->verticalHeader()->setVisible(false);
    tblVergleich->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    // The chart below the table, one group of bars per ration; the splitter
    // lets the user give either the room. Six rations have more bars than
    // half a screen holds with a readable label each: the chart keeps its
    // height per bar and scrolls.
    diagramm = new VersorgungsDiagramm(this);
    auto* diagrammRahmen = new QScrollArea(this);
    diagrammRahmen->setObjectName(QStringLiteral("diagrammRahmen"));
    diagrammRahmen->setWidgetResizable(true);
    diagrammRahmen->setFrameShape(QFrame::NoFrame);
    diagrammRahmen->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    diagrammRahmen->setWidget(diagramm);
    auto* teiler = new QSplitter(Qt::Vertical, this);
    teiler->addWidget(tblVergleich);
    teiler->addWidget(diagrammRahmen);
    teiler->setStretchFactor(0, 1);
    teiler->setStretchFactor(1, 1);
    // Half and half to begin with: the table would otherwise take all.
    diagrammRahmen->setMinimumHeight(160);
    teiler->setSizes({ 1000, 1000 });
    rechts->addWidget(lblHinweis);
    rechts->addWidget(teiler, 1);
    aussen->addLayout(rechts, 1);
}

void RationenVergleichFenster::Laden()
{
    // Opened for the first time it takes the work area: six rations need the width.
    ListenfensterEinsetzen(
        this, haupt ? haupt->Arbeitsbereich() : nullptr, QSize(640, 400), [this] { Aktualisieren(); });
    Aktualisieren();
}

void RationenVergleichFenster::Aktualisieren()
{
    QStringList angekreuzt;
    for (int i = 0; i < lstRationen->count(); ++i)
        if (lstRationen->item(i)->checkState() == Qt::Checked)
            angekreuzt << lstRationen->item(i)->text();
    const bool ersterLauf = lstRationen->count() == 0;

    QList<RationsUeberblick> rationen;
    if (!RationenUeberblicken(PfadHolen(QStringLiteral("Futter")), rationen))
        return;
    fuellt = true;
    lstRationen->clear();
    for (const RationsUeberblick& r : std::as_const(rationen)) {
        auto* item = new QListWidgetItem(r.ration.name, lstRationen);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        // At the first opening the first six are ticked, so that something shows.
        const bool an = ersterLauf ? lstRationen->count() <= VergleichHoechstens : angekreuzt.contains(r.ration.name);
        item->setCheckState(an ? Qt::Checked : Qt::Unchecked);
    }
    fuellt = false;
    Vergleichen();
}

void RationenVergleichFenster::Vergleichen()
{
    QStringList namen;
    for (int i = 0; i < lstRationen->count(); ++i)
        if (lstRationen->item(i)->checkState() == Qt::Checked)
            namen << lstRationen->item(i)->text();
    const QString fehler = VergleichsNamenFehler(namen);
    QList<RationsBewertung> bewertungen;
    if (fehler.isEmpty() && !RationenBewerten(PfadHolen(QStringLiteral("Futter")), namen, bewertungen))
        bewertungen.clear();
    lblHinweis->setText(lstRationen->count() < VergleichMindestens
            ? QStringLiteral("Zum Vergleichen braucht es mindestens zwei gespeicherte Rationen. "
                             "Speichern Sie Rationen im Fenster „Ration zusammenstellen und prüfen“.")
            : fehler);
    lblHinweis->setVisible(!lblHinweis->text().isEmpty());
    tabelle = VergleichstabelleBilden(bewertungen);
    TabelleZeigen(tabelle);
    QList<DiagrammGruppe> gruppen;
    for (const RationsBewertung& b : std::as_const(bewertungen))
        gruppen.append({ b.ration.name, VersorgungsbalkenAus(b.auswertung) });
    // The chart shortens a label to "..." when its bar is lower than the
    // text with padding: about 30 pixels a bar.
    const qsizetype zahl = gruppen.size() * (gruppen.isEmpty() ? 0 : gruppen.first().balken.size());
    diagramm->setMinimumHeight(static_cast<int>(std::max<qsizetype>(30 * zahl + 60, 160)));
    diagramm->Setzen(gruppen);
    cmdDrucken->setEnabled(!bewertungen.isEmpty());
}

void RationenVergleichFenster::TabelleZeigen(const Vergleichstabelle& t)
{
    tblVergleich->clear();
    tblVergleich->clearSpans();
    tblVergleich->setColumnCount(static_cast<int>(3 + t.namen.size()));
    tblVergleich->setRowCount(t.namen.isEmpty() ? 0 : static_cast<int>(t.zeilen.size()));
    tblVergleich->setHorizontalHeaderLabels(QStringList { QString(), QString(), QStringLiteral("Zielwert") } + t.namen);
    if (t.namen.isEmpty())
        return;
    QFont fett = tblVergleich->font();
    fett.setBold(true);
    for (int r = 0; r < t.zeilen.size(); ++r) {
        const VergleichsTabellenZeile& z = t.zeilen[r];
        if (!z.abschnitt.isEmpty()) {
            auto* item = new QTableWidgetItem(z.abschnitt);
            item->setFont(fett);
            tblVergleich->setItem(r, 0, item);
            tblVergleich->setSpan(r, 0, 1, tblVergleich->columnCount());
            continue;
        }
        auto* gruppe = new QTableWidgetItem(z.gruppe);
        gruppe->setFont(fett);
        tblVergleich->setItem(r, 0, gruppe);
        tblVergleich->setItem(r, 1, new QTableWidgetItem(z.beschriftung));
        tblVergleich->setItem(r, 2, new QTableWidgetItem(z.ziel));
        for (int i = 0; i < z.zellen.size(); ++i) {
            const VergleichsZelle& zelle = z.zellen[i];
            auto* item = new QTableWidgetItem(zelle.text);
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (zelle.farbe != 0) {
                item->setBackground(FarbeAusWert(zelle.farbe));
                item->setForeground(Qt::black);
                item->setToolTip(BewertungText(zelle.bewertung));
            }
            tblVergleich->setItem(r, 3 + i, item);
        }
    }
    tblVergleich->resizeColumnsToContents();
    // Long captions are cut (the full text shows as tool tip); a ration's
    // column keeps room for "Unterversorgung", its longest word.
    const int zeichen = fontMetrics().averageCharWidth();
    const int rationsSpalte = fontMetrics().horizontalAdvance(QStringLiteral("Unterversorgung")) + 2 * zeichen;
    for (int spalte = 0; spalte < tblVergleich->columnCount(); ++spalte) {
        const int hoechstens = spalte == 1 ? 30 * zeichen : spalte < 3 ? 22 * zeichen : std::max(18 * zeichen, rationsSpalte);
        if (tblVergleich->columnWidth(spalte) > hoechstens)
            tblVergleich->setColumnWidth(spalte, hoechstens);
    }
    for (int r = 0; r < tblVergleich->rowCount(); ++r)
        for (int c = 0; c < tblVergleich->columnCount(); ++c)
            if (QTableWidgetItem* item = tblVergleich->item(r, c); item && item->toolTip().isEmpty())
                item->setToolTip(item->text());
}

void RationenVergleichFenster::Drucken()
{
    if (tabelle.namen.isEmpty())
        return;
    const Vergleichstabelle t = tabelle;
    DruckvorschauZeigen(this, QStringLiteral("Rationen vergleichen"),
        QStringLiteral("Rationsvergleich ") + ui().Jetzt().date().toString(QStringLiteral("dd.MM.yyyy"))
            + QStringLiteral(".pdf"),
        true, [t](QPagedPaintDevice& geraet) { return VergleichDrucken(geraet, t); });
}

} // namespace kelvora
