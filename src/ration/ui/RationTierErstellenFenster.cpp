#include "ration/ui/RationTierErstellenFenster.h"

#include "database/DatenbankRoutinen.h"
#include "feeds/ui/FutterListe.h"
#include "feeds/ui/StammdatenTasten.h"
#include "frame/FensterPosition.h"
#include "frame/FunktionenFuerINI.h"
#include "frame/Oberflaeche.h"
#include "frame/Programm.h"
#include "frame/ui/FensterPositionQt.h"
#include "frame/ui/Hauptrahmen.h"
#include "grundlagen/DatenTypen.h"
#include "ration/Eingabegrenzen.h"
#include "ration/RationBericht.h"
#include "ration/RationTabelle.h"
#include "ration/RationTiereingaben.h"
#include "ration/ui/RationGfEBlock.h"
#include "ration/ui/VersorgungsDiagramm.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QPushButton>
#include <QStyle>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace kelvora {

namespace {

constexpr int RandPixel = 120 / TwipsProPixel;   // margin of the list and the window
constexpr double MinHoeheTwips = 6000;

const QList<RationListenSpalte>& Spalten = RationListenSpalten();
const int SpaltenAnzahl = static_cast<int>(Spalten.size());
const int IDSpalte = SpaltenAnzahl - 1;

bool IstFutter(const QMimeData* daten)
{
    return daten && daten->hasFormat(QString::fromLatin1(FutterMimeTyp));
}

long FutterAus(const QMimeData* daten)
{
    return TextInLong(QString::fromLatin1(daten->data(QString::fromLatin1(FutterMimeTyp))));
}

// The window acts on keys when they are released. A release whose press
// went to another window - the OK of a range message, the "Nein" of a
// question - belongs to that window: acted on here, it would bring the
// message back or open the editor the question was about.
class FremdeTastenSperre : public QObject {
public:
    explicit FremdeTastenSperre(QWidget* fenster)
        : QObject(fenster)
        , fenster(fenster)
    {
        qApp->installEventFilter(this);
    }

    bool eventFilter(QObject* objekt, QEvent* ereignis) override
    {
        const QEvent::Type typ = ereignis->type();
        auto* w = qobject_cast<QWidget*>(objekt);
        if ((typ != QEvent::KeyPress && typ != QEvent::KeyRelease) || !w)
            return false;
        // A key the window leaves alone goes on to the frames around it.
        if (w != fenster && w->isAncestorOf(fenster))
            return false;
        const bool hier = w == fenster || fenster->isAncestorOf(w);
        const auto* taste = static_cast<QKeyEvent*>(ereignis);
        if (typ == QEvent::KeyPress) {
            if (!taste->isAutoRepeat()) {
                letzteTaste = taste->key();
                gedruecktHier = hier;
            }
            return false;
        }
        return hier && !(gedruecktHier && letzteTaste == taste->key());
    }

private:
    QWidget* fenster;
    int letzteTaste = 0;
    bool gedruecktHier = false;
};

// The limits of the three animal boxes that take typed numbers.
const Eingabegrenze& TiereingabeGrenze(bool milch, bool fett)
{
    return milch ? MilchGrenze() : fett ? FettGrenze() : MilchpreisGrenze();
}

} // namespace

RationTierErstellenFenster::RationTierErstellenFenster(Hauptrahmen* h, QWidget* parent)
    : QWidget(parent)
    , haupt(h)
{
    setObjectName(RationFensterName());
    setWindowTitle(QStringLiteral("Ration zusammenstellen und prüfen"));
    setAcceptDrops(true);
    new FremdeTastenSperre(this);
    SteuerelementeAufbauen();
    Laden();
}

RationTierErstellenFenster::~RationTierErstellenFenster() = default;

QPushButton* RationTierErstellenFenster::Befehl(const QString& name, const QString& text, const QString& tipp)
{
    auto* b = new QPushButton(text, this);
    b->setObjectName(name);
    b->setToolTip(tipp);
    b->setAutoDefault(false);
    return b;
}

void RationTierErstellenFenster::SteuerelementeAufbauen()
{
    // The animal inputs beside the figures, the costs and the commands each
    // in one row below them: so the window fits a screen of 1024 x 768 and
    // the list below gets whatever height is left.
    auto* aussen = new QVBoxLayout(this);
    aussen->setContentsMargins(RandPixel, RandPixel, RandPixel, RandPixel);
    auto* oben = new QHBoxLayout;
    oben->addWidget(TiereingabenAufbauen(), 0, Qt::AlignTop);
    tabAuswertung = new QTabWidget(this);
    tabAuswertung->setObjectName(QStringLiteral("tabAuswertung"));
    tabAuswertung->addTab(KennzahlenAufbauen(), QStringLiteral("Kennzahlen"));
    oben->addWidget(tabAuswertung, 0, Qt::AlignTop);
    oben->addStretch(1);
    aussen->addLayout(oben);
    aussen->addWidget(KostenAufbauen());
    aussen->addWidget(BefehleAufbauen());

    lvwListe = new QTreeWidget(this);
    lvwListe->setObjectName(QStringLiteral("lvwListe"));
    lvwListe->setRootIsDecorated(false);
    lvwListe->setUniformRowHeights(true);
    lvwListe->setSelectionMode(QAbstractItemView::ExtendedSelection);
    lvwListe->setSelectionBehavior(QAbstractItemView::SelectRows);
    lvwListe->setAllColumnsShowFocus(true);
    lvwListe->header()->setStretchLastSection(false);
    lvwListe->installEventFilter(this);
    lvwListe->viewport()->setAcceptDrops(true);
    lvwListe->viewport()->installEventFilter(this);
    connect(lvwListe, &QTreeWidget::itemDoubleClicked, this, [this] { AusListeOeffnen(); });
    // A price or value saved in the feed editor changes the figures shown
    // here; while the amount editor is open the take-over evaluates anyway.
    connect(&FutterAenderungen(), &FutterAenderungsMelder::geaendert, this, [this] {
        if (!laedt && !frmDetails->isVisible())
            RationAuswerten();
    });
    // The German block is a page beside the list, so the list keeps its room.
    auto* seiten = new QTabWidget(this);
    seiten->setObjectName(QStringLiteral("tabRation"));
    seiten->addTab(lvwListe, QStringLiteral("Ration"));
    gfeBlock = new RationGfEBlock(seiten);
    seiten->addTab(gfeBlock, QStringLiteral("Nach GfE (deutscher Maßstab)"));
    connect(gfeBlock, &RationGfEBlock::EiweissGeaendert, this, [this] { DrueckenWennBereit(cmdNeuBerechnen); });
    diagramm = new VersorgungsDiagramm(seiten);
    seiten->addTab(diagramm, QStringLiteral("Versorgung"));
    aussen->addWidget(seiten, 1);

    frmDetails = MengenEditorAufbauen();

    // Invisible commands: pressed by the input handlers and, as entry
    // points, by other windows.
    cmdNeuBerechnen = Befehl(QStringLiteral("cmdNeuBerechnen"), QString(), QString());
    connect(cmdNeuBerechnen, &QPushButton::clicked, this, [this] { RationAuswerten(); });
    DropEreignisAufrufen = Befehl(QStringLiteral("DropEreignisAufrufen"), QString(), QString());
    connect(DropEreignisAufrufen, &QPushButton::clicked, this, [this] { FutterHinzufuegen(); });
    LoeschEreignisAufrufen = Befehl(QStringLiteral("LöschEreignisAufrufen"), QString(), QString());
    cmdInVariableUmwandeln = Befehl(QStringLiteral("cmdInVariableUmwandeln"), QString(), QString());
    for (QPushButton* b : {cmdNeuBerechnen, DropEreignisAufrufen, LoeschEreignisAufrufen, cmdInVariableUmwandeln})
        b->hide();
    GanzeBefehleVerbinden();
}

QWidget* RationTierErstellenFenster::TiereingabenAufbauen()
{
    auto* feld = new QWidget(this);
    auto* form = new QFormLayout(feld);
    form->setContentsMargins(0, 0, 0, 0);

    Gewicht = new QComboBox(feld);
    Gewicht->setObjectName(QStringLiteral("Gewicht"));
    Gewicht->setToolTip(QStringLiteral(
        "Lebendgewicht der Kühe. Pfeil nach oben oder unten, oder aufklappen zum verändern."));
    Gewicht->installEventFilter(this);
    // The classes are there from the start, so that the window's minimum
    // width already counts their texts.
    for (const Gewichtsklasse& k : Gewichtsklassen())
        Gewicht->addItem(k.text, QVariant::fromValue<qlonglong>(k.nummer));
    connect(Gewicht, &QComboBox::currentIndexChanged, this, [this] {
        if (laedt)
            return;
        TiereingabenSichern();
        DrueckenWennBereit(cmdNeuBerechnen);
    });
    form->addRow(QStringLiteral("Gewicht:"), Gewicht);

    txtMilch = new QLineEdit(feld);
    txtMilch->setObjectName(QStringLiteral("txtMilch"));
    txtMilch->setToolTip(QStringLiteral("Milchmenge. Pfeil auf- und ab zum Verändern, oder tippen"));
    form->addRow(QStringLiteral("Milch kg:"), txtMilch);

    txtFett = new QLineEdit(feld);
    txtFett->setObjectName(QStringLiteral("txtFett"));
    txtFett->setToolTip(QStringLiteral("Fettgehalt. Tippen zum verändern."));
    form->addRow(QStringLiteral("Fett %:"), txtFett);

    txtMilchpreis = new QLineEdit(feld);
    txtMilchpreis->setObjectName(QStringLiteral("txtMilchpreis"));
    txtMilchpreis->setToolTip(QStringLiteral("Milchpreis in Euro je kg Milch, für das Einkommen über Futterkosten. "
                                             "Tippen und Enter zum verändern."));
    form->addRow(QStringLiteral("Milchpreis €/kg"), txtMilchpreis);

    for (QLineEdit* t : {txtMilch, txtFett, txtMilchpreis}) {
        t->setAlignment(Qt::AlignRight);
        t->setMaximumWidth(fontMetrics().horizontalAdvance(QStringLiteral("0000000")) + 12);
        // The window's keys (Enter, arrows) come before the character filter.
        ZahlenfilterSetzen(t, true);
        t->installEventFilter(this);
    }
    return feld;
}

QWidget* RationTierErstellenFenster::BefehleAufbauen()
{
    auto* feld = new QWidget(this);
    auto* reihe = new QHBoxLayout(feld);
    reihe->setContentsMargins(0, 0, 0, 0);
    cmdTMAusgleichen = Befehl(QStringLiteral("cmdTMAusgleichen"), QStringLiteral("mit TM ausgleichen"),
                              QStringLiteral("Die Ration nach der maximalen aufnehmbaren Trockenmasse ausgleichen"));
    cmdNDFAusgleichen = Befehl(QStringLiteral("cmdNDFAusgleichen"), QStringLiteral("mit NDF ausgleichen"),
                               QStringLiteral("Die Ration nach der maximal aufnehmenbaren NDF-Menge ausgleichen"));
    cmdOptimieren = Befehl(QStringLiteral("cmdOptimieren"), QStringLiteral("kostengünstig optimieren"),
                           QStringLiteral("Die freien Futtermittel so bemessen, dass die Ration Bedarf und Grenzen "
                                          "zu den geringsten Futterkosten einhält"));
    connect(cmdOptimieren, &QPushButton::clicked, this, [this] { KostenguenstigOptimieren(); });
    cmdRationLoeschen = Befehl(QStringLiteral("cmdRationLoeschen"), QStringLiteral("Ration löschen"),
                               QStringLiteral("Die gesamte Ration löschen"));
    cmdDrucken = Befehl(QStringLiteral("cmdDrucken"), QStringLiteral("Drucken"),
                        QStringLiteral("Liste drucken (auch F3-Taste)"));
    cmdZumErgebnis = Befehl(QStringLiteral("cmdZumErgebnis"), QStringLiteral("Zum Ergebnis"), QString());
    // Printing needs lines; the evaluation switches it on when the list has some.
    cmdDrucken->setEnabled(false);
    connect(cmdDrucken, &QPushButton::clicked, this, [this] { Drucken(); });
    connect(cmdZumErgebnis, &QPushButton::clicked, this, [this] {
        if (haupt)
            haupt->FensterOeffnen(QStringLiteral("ErgebnisFenster"));
    });
    cmdZumErgebnis->hide();
    for (QPushButton* b :
         {cmdTMAusgleichen, cmdNDFAusgleichen, cmdOptimieren, cmdRationLoeschen, cmdDrucken, cmdZumErgebnis})
        reihe->addWidget(b);
    lblOptimierungHinweis = new QLabel(
        QStringLiteral("Kostengünstig optimiert. % UDP ist kein Ziel der Optimierung."), feld);
    lblOptimierungHinweis->setObjectName(QStringLiteral("lblOptimierungHinweis"));
    lblOptimierungHinweis->setToolTip(
        QStringLiteral("Die Optimierung hält Bedarf, Trockenmasse, NDF, ADF, NFC und den Kraftfutter-Anteil ein. Den "
                       "Anteil des UDP am Rohprotein kennt sie nicht; liegt er außerhalb 35-38 %, wählen Sie "
                       "Futtermittel mit passendem UDP."));
    lblOptimierungHinweis->hide();
    reihe->addWidget(lblOptimierungHinweis);
    reihe->addStretch(1);
    return feld;
}

QGroupBox* RationTierErstellenFenster::MengenEditorAufbauen()
{
    auto* rahmen = new QGroupBox(QStringLiteral("Futtermittel in der Ration bearbeiten"), this);
    rahmen->setObjectName(QStringLiteral("frmDetails"));
    rahmen->setAutoFillBackground(true);
    auto* raster = new QGridLayout(rahmen);

    lblFutterIDAnzeige = new QLabel(rahmen);
    lblFutterIDAnzeige->setObjectName(QStringLiteral("lblFutterIDAnzeige"));
    lblFuttermittelAnzeige = new QLabel(rahmen);
    lblFuttermittelAnzeige->setObjectName(QStringLiteral("lblFuttermittelAnzeige"));
    lblFuttermittelAnzeige->setMinimumWidth(fontMetrics().averageCharWidth() * 40);
    lblFuttermittelAnzeige->setWordWrap(true);
    raster->addWidget(lblFutterIDAnzeige, 0, 0);
    raster->addWidget(lblFuttermittelAnzeige, 0, 1);
    editorTeile = {lblFutterIDAnzeige, lblFuttermittelAnzeige};

    auto feld = [&](int zeile, const QString& name, const QString& beschriftung) {
        auto* l = new QLabel(beschriftung, rahmen);
        auto* t = new QLineEdit(rahmen);
        t->setObjectName(name);
        t->setAlignment(Qt::AlignRight);
        ZahlenfilterSetzen(t, true);
        t->installEventFilter(this);
        raster->addWidget(l, zeile, 0);
        raster->addWidget(t, zeile, 1);
        editorTeile << l << t;
        return t;
    };
    txtFrischmasse = feld(1, QStringLiteral("txtFrischmasse"), QStringLiteral("Menge in kg Frischmasse:"));
    txtTrockenmasse = feld(2, QStringLiteral("txtTrockenmasse"), QStringLiteral("Menge in kg Trockenmasse:"));
    txtProzentAnteil = feld(3, QStringLiteral("txtProzentAnteil"),
                            QStringLiteral("Anteil in % des frei aufnehmbaren Futters:"));
    connect(txtFrischmasse, &QLineEdit::textChanged, this, [this] { FrischmasseGeaendert(); });
    connect(txtTrockenmasse, &QLineEdit::textChanged, this, [this] { TrockenmasseGeaendert(); });

    // The kind of the amount being typed; the user never sets it directly.
    FixeMenge = new QCheckBox(rahmen);
    FixeMenge->setObjectName(QStringLiteral("FixeMenge"));
    FixeMenge->setChecked(true);
    FixeMenge->hide();

    cmdUebernehmen = new QPushButton(QStringLiteral("übernehmen"), rahmen);
    cmdUebernehmen->setObjectName(QStringLiteral("cmdUebernehmen"));
    cmdUebernehmen->setAutoDefault(false);
    connect(cmdUebernehmen, &QPushButton::clicked, this, [this] { Uebernehmen(); });
    raster->addWidget(cmdUebernehmen, 4, 1, Qt::AlignRight);
    editorTeile << cmdUebernehmen;

    for (QWidget* w : std::as_const(editorTeile))
        w->hide();
    rahmen->hide();
    return rahmen;
}

void RationTierErstellenFenster::Laden()
{
    QMdiArea* bereich = haupt ? haupt->Arbeitsbereich() : nullptr;
    QMdiSubWindow* sub = bereich ? UnterfensterVon(this) : nullptr;
    if (bereich && !sub)
        sub = bereich->addSubWindow(this);

    // The smallest window still shows every command and figure: the
    // layout's minimum, one margin and the frame.
    ensurePolished();
    layout()->activate();
    resize(minimumSizeHint());
    const int rand = sub ? 2 * style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, sub) : 0;
    const double minBreite = (minimumSizeHint().width() + rand) * TwipsProPixel + 120;
    const QSizeF maximum = BildschirmInTwips(this);
    if (sub)
        sub->setMinimumSize(static_cast<int>(minBreite / TwipsProPixel),
                            static_cast<int>(MinHoeheTwips / TwipsProPixel));
    const bool erstesMal = !PositionGespeichert(RationFensterName());
    FensterPositionLaden(this, bereich, minBreite, maximum.width(), MinHoeheTwips, maximum.height(), false, false);
    // Opened for the first time, the window takes the width and the height
    // of the work area, so that the sums and the requirement below the feeds
    // show and the names have room; the bottom row stays free for the
    // minimised result window.
    if (erstesMal && sub && bereich) {
        const QRect flaeche = bereich->viewport()->rect();
        sub->move(0, 0);
        sub->resize(std::max(sub->width(), flaeche.width()),
                    std::max(sub->height(), flaeche.height() - 2 * fontMetrics().height() - 12));
    }

    SpaltenEinrichten();
    TiereingabenNeuLesen();
}

void RationTierErstellenFenster::TiereingabenNeuLesen()
{
    laedt = true;
    const Tiereingaben eingaben = TiereingabenFuerFenster();
    guteMilch = eingaben.milch;
    gutesFett = eingaben.fett;
    guterMilchpreis = ZahlPruefen(MilchpreisGrenze(), eingaben.milchpreis).wert ? eingaben.milchpreis
                                                                                 : QStringLiteral("0,45");
    txtMilch->setText(eingaben.milch);
    txtFett->setText(eingaben.fett);
    txtMilchpreis->setText(eingaben.milchpreis);
    Gewicht->setCurrentIndex(GewichtsklasseIndex(eingaben.gewicht));
    gfeBlock->EiweissNeuLesen();
    laedt = false;
    RationAuswerten();
}

void RationTierErstellenFenster::LeisteEinsetzen(QWidget* leiste)
{
    qobject_cast<QFormLayout*>(Gewicht->parentWidget()->layout())->insertRow(0, leiste);
}

void RationTierErstellenFenster::SpaltenEinrichten()
{
    lvwListe->clear();
    lvwListe->setColumnCount(SpaltenAnzahl);
    auto* kopf = new QTreeWidgetItem;
    for (int i = 0; i < SpaltenAnzahl; ++i) {
        const RationListenSpalte& s = Spalten[i];
        kopf->setText(i, QString::fromUtf8(s.kopf));
        kopf->setData(i, Qt::UserRole, QString::fromUtf8(s.schluessel));
        kopf->setTextAlignment(i, (s.rechts ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    }
    lvwListe->setHeaderItem(kopf);
    SpaltenBreitenSetzen();
}

void RationTierErstellenFenster::SpaltenBreitenSetzen()
{
    const QTreeWidgetItem* kopf = lvwListe->headerItem();
    if (!kopf || lvwListe->columnCount() != SpaltenAnzahl)
        return;
    // The room of a vertical scroll bar stays free for a long ration.
    const double innen = std::max(0.0, lvwListe->width() * double(TwipsProPixel) - 400) / TwipsProPixel;
    // A header, a four-digit sum with decimals and, for the name, some
    // sixteen letters must fit; the margin is the header's own padding.
    const QFontMetrics kopfMass = lvwListe->header()->fontMetrics();
    const QFontMetrics zahlMass = lvwListe->fontMetrics();
    const int rand = 2 * lvwListe->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, lvwListe) + 4;
    QList<int> mindestens;
    for (int i = 0; i < SpaltenAnzahl; ++i) {
        int breite = kopfMass.horizontalAdvance(kopf->text(i));
        if (Spalten[i].rechts)
            breite = std::max(breite, zahlMass.horizontalAdvance(QStringLiteral("-8.888,88")));
        else if (qstrcmp(Spalten[i].schluessel, "Bezeichnung") == 0)
            breite = std::max(breite, zahlMass.averageCharWidth() * 16);
        mindestens.append(breite + rand);
    }
    const QList<int> breiten = RationSpaltenBreiten(innen, mindestens);
    for (int i = 0; i < SpaltenAnzahl; ++i) {
        lvwListe->setColumnHidden(i, breiten[i] == 0);
        if (breiten[i] > 0)
            lvwListe->setColumnWidth(i, breiten[i]);
    }
}

void RationTierErstellenFenster::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    if (lvwListe) {
        layout()->activate();
        SpaltenBreitenSetzen();
    }
}

void RationTierErstellenFenster::ZeileHinzufuegen(long id, const QStringList& texte)
{
    auto* zeile = new QTreeWidgetItem;
    // The key of a line counts the lines before it, from 1.
    zeile->setData(0, Qt::UserRole,
                   QStringLiteral("Msg_") + QString::number(lvwListe->topLevelItemCount() + 1));
    for (int i = 1; i < IDSpalte; ++i) {
        zeile->setText(i, texte.value(i - 1));
        if (Spalten[i].rechts)
            zeile->setTextAlignment(i, Qt::AlignRight | Qt::AlignVCenter);
    }
    zeile->setText(IDSpalte, QString::number(id));
    // A narrow column cuts a long name; the tip shows it whole.
    for (int i = 1; i < IDSpalte; ++i)
        if (!Spalten[i].rechts)
            zeile->setToolTip(i, zeile->text(i));
    lvwListe->addTopLevelItem(zeile);
}

bool RationTierErstellenFenster::FensterTaste(const QKeyEvent* e)
{
    if (e->key() == Qt::Key_Escape && frmDetails->isVisible()) {
        MengenEditorSchliessen();
        return true;
    }
    if (e->key() == Qt::Key_F3 && cmdDrucken->isEnabled() && cmdDrucken->isVisible()) {
        cmdDrucken->click();
        return true;
    }
    return false;
}

void RationTierErstellenFenster::FeldMarkieren(QLineEdit* feld)
{
    feld->setFocus(Qt::OtherFocusReason);
    feld->selectAll();
}

QString& RationTierErstellenFenster::GuterWert(QLineEdit* box)
{
    return box == txtMilch ? guteMilch : box == txtFett ? gutesFett : guterMilchpreis;
}

QString RationTierErstellenFenster::GuteTiereingabe(QLineEdit* box)
{
    if (ZahlPruefen(TiereingabeGrenze(box == txtMilch, box == txtFett), box->text()).wert)
        GuterWert(box) = box->text().trimmed();
    return GuterWert(box);
}

bool RationTierErstellenFenster::TiereingabePruefen(QLineEdit* box)
{
    const GepruefteZahl zahl = ZahlPruefen(TiereingabeGrenze(box == txtMilch, box == txtFett), box->text());
    if (zahl.wert) {
        if (GuterWert(box) != box->text().trimmed()) {
            GuterWert(box) = box->text().trimmed();
            TiereingabenSichern();
        }
        return true;
    }
    // The last good value is back before the message shows, so the focus
    // leaving the box for the message finds nothing more to refuse.
    box->setText(GuterWert(box));
    MsgBox(zahl.meldung, Knoepfe::OK, Symbol::Ausrufezeichen);
    if (box->isEnabled() && box->isVisible())
        FeldMarkieren(box);
    return false;
}

void RationTierErstellenFenster::TiereingabenSichern()
{
    if (laedt)
        return;
    Tiereingaben eingaben;
    eingaben.gewicht = Gewicht->currentData().toLongLong();
    eingaben.milch = guteMilch;
    eingaben.fett = gutesFett;
    eingaben.milchpreis = guterMilchpreis;
    // A failed write is told in the status line; the window goes on with
    // what it shows.
    static_cast<void>(TiereingabenSpeichern(eingaben));
}

void RationTierErstellenFenster::ListenMenueZeigen(const QPoint& globalePosition)
{
    if (!haupt || !lvwListe->isEnabled())
        return;
    // The editor's entry of the pop-up takes the feed of the marked line.
    const int idSpalte = lvwListe->columnCount() - 1;
    long futterID = 0;
    const QList<QTreeWidgetItem*> markiert = lvwListe->selectedItems();
    Verbindung v;
    if (markiert.size() == 1 && DatenbankOeffnen(v, PfadHolen(QStringLiteral("Futter")))) {
        if (const auto zeile = RationZeileMitID(v, TextInLong(markiert.first()->text(idSpalte))))
            futterID = zeile->futterID;
    }
    v.Schliessen();
    programm().ZiehFutterID = futterID;
    haupt->KopierenInZeigen(this, globalePosition);
    // A pop-up closed without a choice leaves nothing to be dropped later.
    programm().ZiehFutterID = 0;
}

void RationTierErstellenFenster::keyReleaseEvent(QKeyEvent* e)
{
    if (!FensterTaste(e))
        QWidget::keyReleaseEvent(e);
}

void RationTierErstellenFenster::dragEnterEvent(QDragEnterEvent* e)
{
    if (IstFutter(e->mimeData()))
        e->acceptProposedAction();
}

void RationTierErstellenFenster::dragMoveEvent(QDragMoveEvent* e)
{
    if (IstFutter(e->mimeData()))
        e->acceptProposedAction();
}

void RationTierErstellenFenster::dropEvent(QDropEvent* e)
{
    if (!IstFutter(e->mimeData()))
        return;
    e->acceptProposedAction();
    // The payload names the feed; the shared number stands in for drags
    // that carry none.
    if (const long id = FutterAus(e->mimeData()); id > 0)
        programm().ZiehFutterID = id;
    FutterHinzufuegen();
}

bool RationTierErstellenFenster::eventFilter(QObject* objekt, QEvent* ereignis)
{
    const QEvent::Type typ = ereignis->type();
    if (objekt == lvwListe->viewport()) {
        if (typ == QEvent::DragEnter)
            dragEnterEvent(static_cast<QDragEnterEvent*>(ereignis));
        else if (typ == QEvent::DragMove)
            dragMoveEvent(static_cast<QDragMoveEvent*>(ereignis));
        else if (typ == QEvent::Drop)
            dropEvent(static_cast<QDropEvent*>(ereignis));
        else
            return false;
        return true;
    }

    if (objekt == lvwListe && typ == QEvent::ContextMenu) {
        ListenMenueZeigen(static_cast<QContextMenuEvent*>(ereignis)->globalPos());
        return true;
    }

    auto* feld = qobject_cast<QLineEdit*>(objekt);
    if (feld && typ == QEvent::FocusIn)
        QMetaObject::invokeMethod(feld, &QLineEdit::selectAll, Qt::QueuedConnection);
    if ((objekt == txtMilch || objekt == txtFett || objekt == txtMilchpreis) && typ == QEvent::FocusOut) {
        // Leaving the box checks it; a message box or another program taking
        // the focus is no leaving.
        const Qt::FocusReason grund = static_cast<QFocusEvent*>(ereignis)->reason();
        // A new value taken over this way is evaluated like one taken with
        // Enter, so that the figures shown are those of the cow kept.
        if (grund != Qt::ActiveWindowFocusReason && grund != Qt::PopupFocusReason && !programm().programmEndet) {
            const QString vorher = GuterWert(feld);
            if (TiereingabePruefen(feld) && GuterWert(feld) != vorher)
                DrueckenWennBereit(cmdNeuBerechnen);
        }
        return false;
    }
    if (typ != QEvent::KeyPress && typ != QEvent::KeyRelease)
        return false;
    auto* taste = static_cast<QKeyEvent*>(ereignis);
    const bool gedrueckt = typ == QEvent::KeyPress;
    // Arrows in the milk, fat and share boxes act on release; their press
    // must not reach the work area, which would scroll.
    if (gedrueckt && (objekt == txtMilch || objekt == txtFett || objekt == txtProzentAnteil)
        && (taste->key() == Qt::Key_Up || taste->key() == Qt::Key_Down))
        return true;
    // Text boxes keep Esc and F3 to themselves; the window acts on them
    // wherever the focus is.
    if (!gedrueckt && FensterTaste(taste))
        return true;
    const bool eingabe = taste->key() == Qt::Key_Return || taste->key() == Qt::Key_Enter;

    if (objekt == txtFrischmasse || objekt == txtTrockenmasse)
        return MengenfeldTaste(feld, taste, gedrueckt);
    if (objekt == txtProzentAnteil)
        return gedrueckt ? false : AnteilTaste(taste);
    if (objekt == txtMilch)
        return gedrueckt ? false : MilchTaste(taste);
    if (objekt == txtMilchpreis && !gedrueckt && eingabe) {
        MilchpreisUebernehmen();
        return true;
    }
    if (objekt == txtFett && !gedrueckt && eingabe) {
        if (TiereingabePruefen(txtFett))
            DrueckenWennBereit(cmdNeuBerechnen);
        return true;
    }
    if (objekt == Gewicht && !gedrueckt && eingabe) {
        DrueckenWennBereit(cmdNeuBerechnen);
        return true;
    }
    if (objekt == lvwListe && !gedrueckt && eingabe) {
        AusListeOeffnen();
        return true;
    }
    if (objekt == lvwListe && !gedrueckt)
        return ListenTaste(taste);
    return false;
}

void RationTierErstellenFenster::closeEvent(QCloseEvent* e)
{
    // Whether the user closed the window or the program ended is noted for
    // the record only; nothing reads it back.
    INISpeichern(QStringLiteral("OffeneFenster"), RationFensterName(),
                 programm().programmEndet ? QStringLiteral("1") : QStringLiteral("0"));
    // Only checked values are kept; text that is no number is not stored.
    for (QLineEdit* box : {txtMilch, txtFett, txtMilchpreis})
        GuteTiereingabe(box);
    TiereingabenSichern();
    FensterPositionSpeichern(this);
    e->accept();
}

} // namespace kelvora
