// The feed list window: layout, loading and unloading, filling, sorting and
// resizing. Commands, keys and dragging are in FutterListeBefehle.cpp.

#include "feeds/ui/FutterListe.h"

#include "feeds/FutterbezogeneRoutinen.h"
#include "feeds/StammdatenMaske.h"
#include "feeds/ui/FutterArtenListeFuellen.h"
#include "frame/FensterPosition.h"
#include "frame/FunktionenFuerINI.h"
#include "frame/Oberflaeche.h"
#include "frame/Programm.h"
#include "grundlagen/Formate.h"
#include "frame/Protokoll.h"
#include "frame/ui/FensterPositionQt.h"
#include "frame/ui/Hauptrahmen.h"
#include "internet/FtpVerbindung.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTimer>
#include <algorithm>

namespace kelvora {

namespace {

QPointer<FutterListe> offeneListe;

constexpr int Rand = 8;
constexpr int ListeOben = 72;
// The list keeps 60 twips to the right and bottom edges of the window.
constexpr int AbstandUntenRechts = 60 / TwipsProPixel;
// The two visible columns share the list width less 400 twips.
constexpr int SpaltenAbzug = 400 / TwipsProPixel;
constexpr int HinweisHoehe = 20;
constexpr int MinBreite = 600;
constexpr int PreisSpalte = 3;
constexpr int MinHoehe = 320;

QString Fenstername()
{
    return QStringLiteral("wdwFuttermittel");
}

// Rows sort by the number in the ID column and by German collation in the
// text columns.
class FutterZeileItem : public QTreeWidgetItem {
public:
    using QTreeWidgetItem::QTreeWidgetItem;
    bool operator<(const QTreeWidgetItem& andere) const override
    {
        const int spalte = treeWidget() ? treeWidget()->sortColumn() : 0;
        if (spalte == 0)
            return FutterListe::ZeilenID(this) < FutterListe::ZeilenID(&andere);
        if (spalte >= PreisSpalte) // price, nXP, RNB by number; feeds without one first
            return data(spalte, Qt::UserRole).toDouble() < andere.data(spalte, Qt::UserRole).toDouble();
        return BezeichnungVergleichen(text(spalte), andere.text(spalte)) < 0;
    }
};

} // namespace

FutterAenderungsMelder& FutterAenderungen()
{
    static FutterAenderungsMelder melder;
    return melder;
}

void ListeAktualisierenAnstossen()
{
    emit FutterAenderungen().geaendert();
    if (!programm().listeOffen || !offeneListe)
        return;
    if (auto* t = offeneListe->findChild<QTimer*>(QStringLiteral("tmrAktualisieren")))
        t->start();
}

FutterListe* FutterListe::Instanz()
{
    return offeneListe.data();
}

FutterListe::FutterListe(Hauptrahmen* hauptFenster)
    : QWidget(nullptr)
    , haupt(hauptFenster)
{
    setObjectName(Fenstername());
    setWindowTitle(QStringLiteral("Liste aller Futtermittel"));
    setAttribute(Qt::WA_DeleteOnClose);
    setMinimumSize(MinBreite, MinHoehe);
    Aufbauen();
    Verbinden();
    Laden();
}

FutterListe::~FutterListe()
{
    Entladen();
}

void FutterListe::Aufbauen()
{
    auto knopf = [this](const char* name, const QString& text, int x, int y, int b) {
        auto* k = new QPushButton(text, this);
        k->setObjectName(QString::fromUtf8(name));
        k->setGeometry(x, y, b, 26);
        k->setAutoDefault(false);
        return k;
    };

    lblFutterart = new QLabel(QStringLiteral("Futterart:"), this);
    lblFutterart->setObjectName(QStringLiteral("lblFutterart"));
    lblFutterart->setGeometry(Rand, 10, 70, 20);
    cmbFutterArt = new QComboBox(this);
    cmbFutterArt->setObjectName(QStringLiteral("cmbFutterArt"));
    cmbFutterArt->setGeometry(80, 6, 220, 26);
    cmbFutterArt->setMaxVisibleItems(12);

    auto* lblSuchen = new QLabel(QStringLiteral("Suche:"), this);
    lblSuchen->setGeometry(Rand, 42, 70, 20);
    txtSuchen = new QLineEdit(this);
    txtSuchen->setObjectName(QStringLiteral("txtSuchen"));
    txtSuchen->setGeometry(80, 38, 220, 26);
    txtSuchen->setMaxLength(100);
    cmdSuchen = knopf("cmdSuchen", QStringLiteral("Suchen"), 306, 38, 110);

    chkNRC = new QCheckBox(QStringLiteral("nur vollständige Futtermittel"), this);
    chkNRC->setObjectName(QStringLiteral("chkNRC"));
    chkNRC->setGeometry(424, 42, 170, 20);

    cmdMaskeLeer = knopf("cmdMaskeLeer", QStringLiteral("Neues Futtermittel"), 306, 6, 140);
    cmdLoeschen = knopf("cmdLoeschen", QStringLiteral("Löschen"), 452, 6, 110);
    cmdInternet = knopf("cmdInternet", QStringLiteral("Aus dem Internet"), 452, 38, 110);
    cmdAbbrechen = knopf("cmdAbbrechen", QStringLiteral("Abbrechen"), 452, 38, 110);
    cmdAbbrechen->setToolTip(QStringLiteral("Die laufende Übertragung abbrechen"));
    cmdAbbrechen->setVisible(false);
    cmdInternet->setToolTip(QStringLiteral("Neue Futtermittel vom Austausch-Server suchen"));
    cmdMaskeLeer->setToolTip(QStringLiteral("Neues Futtermittel anlegen (F4)"));
    cmdLoeschen->setToolTip(QStringLiteral("Markiertes Futtermittel löschen (Entf, F9)"));

    lvwListe = new FutterListenAnsicht(this);
    lvwListe->setObjectName(QStringLiteral("lvwListe"));
    lvwListe->move(Rand, ListeOben);

    // Feeds the completeness filter hides stay reachable through this line.
    lblAusgeblendet = new QLabel(this);
    lblAusgeblendet->setObjectName(QStringLiteral("lblAusgeblendet"));
    lblAusgeblendet->setTextFormat(Qt::RichText);
    lblAusgeblendet->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    lblAusgeblendet->setToolTip(QStringLiteral(
        "Futtermittel, bei denen ADF, NDF, NFC oder UDP fehlen, lassen sich in der Ration nicht vollständig "
        "bewerten. Klicken Sie hier, um sie zu zeigen oder wieder auszublenden."));
    lblAusgeblendet->hide();

    tmrAktualisieren = new QTimer(this);
    tmrAktualisieren->setObjectName(QStringLiteral("tmrAktualisieren"));
    tmrAktualisieren->setSingleShot(true);
    tmrAktualisieren->setInterval(100);

    setTabOrder(cmbFutterArt, txtSuchen);
    setTabOrder(txtSuchen, cmdSuchen);
    setTabOrder(cmdSuchen, lvwListe);
    setTabOrder(lvwListe, cmdMaskeLeer);
    setTabOrder(cmdMaskeLeer, cmdLoeschen);
    setTabOrder(cmdLoeschen, cmdInternet);

    for (QWidget* w : findChildren<QWidget*>())
        w->installEventFilter(this);
    lvwListe->viewport()->installEventFilter(this);
}

void FutterListe::Verbinden()
{
    connect(tmrAktualisieren, &QTimer::timeout, this, [this] {
        tmrAktualisieren->stop();
        ListeFuellen();
    });
    connect(cmdSuchen, &QPushButton::clicked, this, &FutterListe::ListeFuellen);
    connect(chkNRC, &QCheckBox::clicked, this, [this] {
        if (!laedt)
            ListeFuellen();
    });
    connect(cmbFutterArt, &QComboBox::activated, this, [this](int index) {
        if (!laedt && index >= 0)
            ListeFuellen();
    });
    connect(lblAusgeblendet, &QLabel::linkActivated, this, &FutterListe::UnvollstaendigeUmschalten);
    connect(cmdLoeschen, &QPushButton::clicked, this, &FutterListe::MarkiertesFutterLoeschen);
    connect(cmdMaskeLeer, &QPushButton::clicked, this, &FutterListe::NeuesFutter);
    connect(cmdInternet, &QPushButton::clicked, this, &FutterListe::ServerFutterSuchen);
    connect(cmdAbbrechen, &QPushButton::clicked, this, [] { FtpAbbrechen(); });
    connect(lvwListe, &QTreeWidget::itemDoubleClicked, this, [this] { MarkiertesFutterOeffnen(); });
    connect(lvwListe->header(), &QHeaderView::sectionClicked, this, &FutterListe::Sortieren);
}

void FutterListe::Laden()
{
    laedt = true;
    programm().listeOffen = true;
    offeneListe = this;
    ProtokollSchreiben(Fenstername() + QStringLiteral(" wird geöffnet"));

    // The stored size is the size of the whole window, frame included, so
    // the minimum is the inner minimum plus the frame.
    QMdiArea* bereich = haupt ? haupt->Arbeitsbereich() : nullptr;
    QSize minimum = minimumSize();
    QSize maximum = minimum;
    if (bereich) {
        QMdiSubWindow* u = bereich->addSubWindow(this);
        minimum = u->minimumSizeHint().expandedTo(minimum);
        u->setMinimumSize(minimum);
        maximum = bereich->viewport()->size().expandedTo(minimum);
    }
    FensterPositionLaden(this, bereich, minimum.width() * TwipsProPixel, maximum.width() * TwipsProPixel,
        minimum.height() * TwipsProPixel, maximum.height() * TwipsProPixel, false, true);

    // Only complete feeds can be judged in a ration, so the filter stays on.
    chkNRC->setChecked(true);
    chkNRC->setVisible(false);
    FutterArtenListeFuellen(cmbFutterArt, QString(), false, true);
    cmdInternet->setEnabled(true);
    cmdInternet->setVisible(true);

    txtSuchen->setText(INILesen(Fenstername(), QStringLiteral("txtSuchen"), QString()));
    ListeFuellen();
    laedt = false;
}

void FutterListe::Entladen()
{
    if (entladen)
        return;
    entladen = true;
    tmrAktualisieren->stop();
    ProtokollSchreiben(Fenstername() + QStringLiteral(" wird geschlossen"));
    INISpeichern(Fenstername(), QStringLiteral("txtSuchen"), txtSuchen->text().trimmed());
    FensterPositionSpeichern(this);
    programm().listeOffen = false;
    if (offeneListe == this)
        offeneListe = nullptr;
}

void FutterListe::closeEvent(QCloseEvent* e)
{
    // A close request in the middle of a fill would pull the list from under
    // it; when the program ends, nothing holds the window.
    if (beschaeftigt && !programm().programmEndet) {
        e->ignore();
        return;
    }
    Entladen();
    e->accept();
}

FutterListenFilter FutterListe::Filter() const
{
    FutterListenFilter f;
    const int index = cmbFutterArt->currentIndex();
    f.gruppe = index > 0 ? cmbFutterArt->itemData(index).toInt() : 0;
    f.suchtext = txtSuchen->text();
    f.nurVollstaendige = chkNRC->isChecked();
    return f;
}

void FutterListe::SpaltenAnlegen()
{
    lvwListe->setColumnCount(6);
    lvwListe->setHeaderLabels({ QStringLiteral("ID"), QStringLiteral("Art"), QStringLiteral("Bezeichnung"),
        QStringLiteral("Preis €/dt"), QStringLiteral("nXP"), QStringLiteral("RNB") });
    lvwListe->headerItem()->setToolTip(PreisSpalte + 1, QStringLiteral("Nutzbares Rohprotein, g je kg TM"));
    lvwListe->headerItem()->setToolTip(PreisSpalte + 2, QStringLiteral("Ruminale Stickstoffbilanz, g je kg TM"));
    for (int spalte = PreisSpalte; spalte < 6; ++spalte)
        lvwListe->headerItem()->setTextAlignment(spalte, Qt::AlignRight | Qt::AlignVCenter);
    lvwListe->setColumnHidden(0, true);
    SpaltenBreitenSetzen();
}

void FutterListe::SpaltenBreitenSetzen()
{
    const int rest = std::max(0, lvwListe->width() - SpaltenAbzug);
    lvwListe->setColumnWidth(1, static_cast<int>(rest * 0.2));
    lvwListe->setColumnWidth(2, static_cast<int>(rest * 0.44));
    lvwListe->setColumnWidth(PreisSpalte, static_cast<int>(rest * 0.12));
    lvwListe->setColumnWidth(PreisSpalte + 1, static_cast<int>(rest * 0.12));
    lvwListe->setColumnWidth(PreisSpalte + 2, static_cast<int>(rest * 0.12));
}

void FutterListe::ListeFuellen()
{
    beschaeftigt = true;
    ui().Sanduhr(true);
    lvwListe->setUpdatesEnabled(false);
    lvwListe->clear();
    SpaltenAnlegen();

    QList<FutterListenZeile> zeilen;
    int ausgeblendet = 0;
    FutterListeLesen(Filter(), zeilen, &ausgeblendet);
    HinweisZeigen(ausgeblendet);

    QList<QTreeWidgetItem*> items;
    items.reserve(zeilen.size());
    for (const FutterListenZeile& z : zeilen) {
        QTreeWidgetItem* item = ZeileErzeugen(z.id, FutterGruppenName(z.gruppe), z.bezeichnung, z.preis);
        const std::pair<int, std::optional<double>> gfe[] = { { PreisSpalte + 1, z.nxp }, { PreisSpalte + 2, z.rnb } };
        for (const auto& [spalte, wert] : gfe) {
            item->setText(spalte, wert ? Formatieren(*wert, spalte == PreisSpalte + 1 ? QStringLiteral("##0")
                                                                                      : QStringLiteral("#0.0"))
                                       : QString());
            // Without a value below every value, as for the price.
            item->setData(spalte, Qt::UserRole, wert.value_or(-1e9));
            item->setTextAlignment(spalte, Qt::AlignRight | Qt::AlignVCenter);
        }
        items.append(item);
    }
    lvwListe->addTopLevelItems(items);
    // A sort the user chose stays in force when the list is filled again.
    if (sortSpalte >= 0)
        lvwListe->sortItems(sortSpalte, sortFolge);
    lvwListe->clearSelection();
    lvwListe->setUpdatesEnabled(true);
    ++fuellungen;
    ui().Sanduhr(false);
    beschaeftigt = false;
}

QTreeWidgetItem* FutterListe::ZeileErzeugen(
    long id, const QString& art, const QString& bezeichnung, std::optional<double> preis) const
{
    auto* item = new FutterZeileItem(QStringList { QString::number(id), art, bezeichnung, PreisText(preis) });
    item->setData(0, Qt::UserRole, QStringLiteral("Msg_") + QString::number(id));
    item->setData(PreisSpalte, Qt::UserRole, preis.value_or(-1));
    item->setTextAlignment(PreisSpalte, Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

void FutterListe::HinweisZeigen(int ausgeblendet)
{
    if (!chkNRC->isChecked()) {
        lblAusgeblendet->setText(QStringLiteral("Futtermittel ohne vollständige Nährstoffe werden gezeigt - "
                                                "<a href=\"ausblenden\">wieder ausblenden</a>"));
        lblAusgeblendet->show();
        return;
    }
    lblAusgeblendet->setText(QStringLiteral("<a href=\"zeigen\">%1 Futtermittel ohne vollständige Nährstoffe "
                                            "ausgeblendet</a>")
                                 .arg(ausgeblendet));
    lblAusgeblendet->setVisible(ausgeblendet > 0);
}

void FutterListe::UnvollstaendigeUmschalten()
{
    chkNRC->setChecked(!chkNRC->isChecked());
    ListeFuellen();
}

void FutterListe::Sortieren(int spalte)
{
    if (spalte == sortSpalte)
        sortFolge = sortFolge == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    else
        sortFolge = Qt::AscendingOrder;
    sortSpalte = spalte;
    lvwListe->header()->setSortIndicatorShown(true);
    lvwListe->header()->setSortIndicator(spalte, sortFolge);
    lvwListe->sortItems(spalte, sortFolge);
}

void FutterListe::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    if (window()->isMinimized())
        return;
    if (const QMdiSubWindow* u = UnterfensterVon(this); u && u->isMinimized())
        return;
    if (width() >= minimumWidth())
        lvwListe->resize(width() - lvwListe->x() - AbstandUntenRechts, lvwListe->height());
    if (height() >= minimumHeight())
        lvwListe->resize(lvwListe->width(), height() - lvwListe->y() - AbstandUntenRechts - HinweisHoehe);
    lblAusgeblendet->setGeometry(lvwListe->x(), lvwListe->y() + lvwListe->height() + 2, lvwListe->width(),
                                 HinweisHoehe - 2);
    SpaltenBreitenSetzen();
}

} // namespace kelvora
