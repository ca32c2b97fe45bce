#include "herde/ui/HerdenFenster.h"

#include "database/DatenbankRoutinen.h"
#include "frame/FensterPosition.h"
#include "frame/Oberflaeche.h"
#include "frame/ui/Farbwert.h"
#include "frame/ui/FensterPositionQt.h"
#include "frame/ui/Hauptrahmen.h"
#include "herde/ui/HerdeDrucken.h"
#include "printing/ui/DruckVorschau.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace kelvora {

namespace {

QTableWidget* Tabelle(QWidget* eltern, const QString& name)
{
    auto* t = new QTableWidget(eltern);
    t->setObjectName(name);
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->verticalHeader()->setVisible(false);
    t->verticalHeader()->setDefaultSectionSize(t->fontMetrics().height() + 4);
    return t;
}

// The list's lines; the last one (the totals) bold.
void Fuellen(QTableWidget* t, const DruckListe& liste)
{
    t->clear();
    t->setColumnCount(static_cast<int>(liste.spalten.size()));
    t->setRowCount(static_cast<int>(liste.zeilen.size()));
    QStringList koepfe;
    for (const DruckSpalte& s : liste.spalten)
        koepfe << s.kopf;
    t->setHorizontalHeaderLabels(koepfe);
    QFont fett = t->font();
    fett.setBold(true);
    for (int r = 0; r < liste.zeilen.size(); ++r)
        for (int c = 0; c < liste.spalten.size(); ++c) {
            auto* item = new QTableWidgetItem(liste.zeilen[r].value(c));
            if (liste.spalten[c].ausrichtung == DruckAusrichtung::Rechts)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (r == liste.zeilen.size() - 1)
                item->setFont(fett);
            t->setItem(r, c, item);
        }
    t->resizeColumnsToContents();
}

} // namespace

HerdenFenster::HerdenFenster(Hauptrahmen* h, QWidget* parent)
    : HerdenListenfenster(parent)
    , haupt(h)
{
    setObjectName(QStringLiteral("HerdenFenster"));
    setWindowTitle(QStringLiteral("Herde"));
    Aufbauen();
    Laden();
}

HerdenFenster::~HerdenFenster() = default;

void HerdenFenster::Aufbauen()
{
    auto* aussen = new QVBoxLayout(this);
    auto* knoepfe = new QHBoxLayout;
    auto* erklaerung = new QLabel(QStringLiteral("Alle gespeicherten Rationen mit Tieren, je Tag. Mengen je Kuh wie "
                                                 "in der Ration gespeichert."),
        this);
    erklaerung->setWordWrap(true);
    auto* cmdAktualisieren = new QPushButton(QStringLiteral("&Aktualisieren"), this);
    cmdAktualisieren->setObjectName(QStringLiteral("cmdAktualisieren"));
    cmdAktualisieren->setToolTip(QStringLiteral("Die gespeicherten Rationen neu zusammenrechnen (auch F5-Taste)"));
    connect(cmdAktualisieren, &QPushButton::clicked, this, [this] { Aktualisieren(); });
    cmdDrucken = new QPushButton(QStringLiteral("&Drucken"), this);
    cmdDrucken->setObjectName(QStringLiteral("cmdDrucken"));
    cmdDrucken->setToolTip(QStringLiteral("Die Herde drucken (auch F3-Taste)"));
    connect(cmdDrucken, &QPushButton::clicked, this, [this] { Drucken(); });
    knoepfe->addWidget(erklaerung, 1);
    knoepfe->addWidget(cmdAktualisieren);
    knoepfe->addWidget(cmdDrucken);
    aussen->addLayout(knoepfe);

    auto* gruppen = new QLabel(QStringLiteral("&Gruppen:"), this);
    tblGruppen = Tabelle(this, QStringLiteral("tblGruppen"));
    gruppen->setBuddy(tblGruppen);
    lblNichtAusgeglichen = new QLabel(this);
    lblNichtAusgeglichen->setObjectName(QStringLiteral("lblNichtAusgeglichen"));
    lblNichtAusgeglichen->setTextFormat(Qt::PlainText);
    lblNichtAusgeglichen->setWordWrap(true);
    auto* futter = new QLabel(QStringLiteral("F&uttermittel:"), this);
    tblFutter = Tabelle(this, QStringLiteral("tblFutter"));
    futter->setBuddy(tblFutter);
    aussen->addWidget(gruppen);
    aussen->addWidget(tblGruppen, 2);
    aussen->addWidget(lblNichtAusgeglichen);
    aussen->addWidget(futter);
    aussen->addWidget(tblFutter, 3);
}

void HerdenFenster::Laden()
{
    ListenfensterEinsetzen(
        this, haupt ? haupt->Arbeitsbereich() : nullptr, QSize(600, 420), [this] { Aktualisieren(); });
    Aktualisieren();
}

void HerdenFenster::Aktualisieren()
{
    Herde neu;
    if (!HerdeBerechnen(PfadHolen(QStringLiteral("Futter")), neu))
        return;
    herde = neu;
    Fuellen(tblGruppen, HerdenGruppenListe(herde));
    Fuellen(tblFutter, HerdenFutterListe(herde));
    const QString offen = NichtAusgeglichenText(herde);
    lblNichtAusgeglichen->setText(offen);
    LabelFaerben(lblNichtAusgeglichen, offen.isEmpty() ? 0 : Farbe::Hellrot);
    lblNichtAusgeglichen->setVisible(!offen.isEmpty());
    cmdDrucken->setEnabled(!herde.gruppen.isEmpty());
}

void HerdenFenster::Drucken()
{
    if (herde.gruppen.isEmpty())
        return;
    const Herde h = herde;
    DruckvorschauZeigen(this, QStringLiteral("Herde drucken"),
        QStringLiteral("Herde ") + ui().Jetzt().date().toString(QStringLiteral("dd.MM.yyyy")) + QStringLiteral(".pdf"),
        false, [h](QPagedPaintDevice& geraet) { return HerdeDrucken(geraet, h); });
}

} // namespace kelvora
