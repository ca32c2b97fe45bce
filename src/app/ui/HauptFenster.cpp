#include "app/ui/HauptFenster.h"

#include "app/ui/Fensterliste.h"
#include "database/Schemapflege.h"
#include "frame/FensterPosition.h"
#include "frame/FunktionenFuerINI.h"
#include "frame/Hauptmenue.h"
#include "frame/Oberflaeche.h"
#include "frame/Programm.h"
#include "frame/Protokoll.h"
#include "frame/Statuszeile.h"
#include "frame/ui/Farbwert.h"
#include "frame/ui/FensterPositionQt.h"
#include "herde/ui/RationAuswahlLeiste.h"
#include "internet/MailRoutinen.h"
#include "internet/UpdateSuchen.h"

#include <QAbstractButton>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMimeData>
#include <QPrinterInfo>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

namespace kelvora {

namespace {

// Menu items whose window this program opens, by window name.
struct FensterEintrag {
    const char* aktion;
    const char* fenster;
};
constexpr FensterEintrag FensterAktionen[] = {
    {"DListeFutt", "wdwFuttermittel"},
    {"DFutterB", "StammdatenFenster2"},
    {"DRatEval", "RationTierErstellenFenster"},
    {"DErgebnisA", "ErgebnisFenster"},
    {"DRationenVergleichen", "RationenVergleichFenster"},
    {"DHerde", "HerdenFenster"},
    {"DLadeliste", "LadelisteFenster"},
    {"IWieFAIAn", "WieFangeIchAnFenster"},
    {"HilfeProgA", "Informationsfenster"},
};

// Items the menu definition switches off.
constexpr const char* Ausgeschaltet[] = {
    "DErgebnisA", "DFuttermittelImportieren", "DMischungA", "DatenAufDisk", "DatenVonDisk", "HKalender",
    "DatenbankNeuPrüfen", "ProgrammEntwicklung", "Sprechblasen", "InfoHilfeaufrufen", "InfoHilfeÜberHilfe",
    "LeerH1", "ESicherungskopien", "HauptmenüEinstellung",
};

// Items without any behaviour: shown greyed so that nothing pretends to work.
constexpr const char* OhneAktion[] = {
    "EinstellungDatum", "DruckerEinrichten", "InfoHilfeaufrufen", "InfoHilfeÜberHilfe", "KopierenInDrucken",
    "KopierenInListeEinstellen",
};

QString N(const char* s)
{
    return QString::fromUtf8(s);
}

} // namespace

HauptFenster::HauptFenster(QWidget* parent)
    : Hauptrahmen(parent)
{
    setObjectName(QStringLiteral("HauptFenster"));
    setWindowTitle(Programmname());
    bereich = new QMdiArea(this);
    bereich->setObjectName(QStringLiteral("Arbeitsbereich"));
    bereich->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    bereich->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // A window that closes hands over to the one the user worked in before
    // (the feed list after its editor), not to the oldest one (the guide).
    bereich->setActivationOrder(QMdiArea::ActivationHistoryOrder);
    setCentralWidget(bereich);
    MenueAufbauen();
    SymbolleisteAufbauen();
    StatuszeileAufbauen();
    TimerAufbauen();
    qApp->installEventFilter(this);
}

HauptFenster::~HauptFenster()
{
    qApp->removeEventFilter(this);
}

QAction* HauptFenster::Eintrag(QMenu* menue, const QString& name, const QString& text)
{
    QAction* a = menue->addAction(text);
    a->setObjectName(name);
    aktionen.insert(name, a);
    return a;
}

QAction* HauptFenster::Trenner(QMenu* menue, const QString& name)
{
    // A separator's caption would be drawn as a stray "-" by some styles.
    QAction* a = menue->addSeparator();
    a->setObjectName(name);
    aktionen.insert(name, a);
    return a;
}

QAction* HauptFenster::Aktion(const QString& name) const
{
    return aktionen.value(name);
}

void HauptFenster::MenueAufbauen()
{
    QMenuBar* leiste = menuBar();
    auto hauptmenue = [&](const QString& name, const QString& text) {
        QMenu* m = leiste->addMenu(text);
        m->setObjectName(name);
        m->menuAction()->setObjectName(name);
        aktionen.insert(name, m->menuAction());
        return m;
    };

    QMenu* daten = hauptmenue(N("DatenHauptmenü"), QStringLiteral("&Daten"));
    Eintrag(daten, N("DListeFutt"), QStringLiteral("&Liste aller Futtermittel"));
    Eintrag(daten, N("DFuttermittelImportieren"), QStringLiteral("Futtermittel &importieren"));
    Eintrag(daten, N("DFutterB"), QStringLiteral("&Futtermittel bearbeiten"));
    Trenner(daten, N("xyLeer01"));
    Eintrag(daten, N("DMischungA"), QStringLiteral("Mischung erstellen"));
    Eintrag(daten, N("DRatEval"), QStringLiteral("Ration e&valuieren"));
    Eintrag(daten, N("DErgebnisA"), QStringLiteral("Ergebnis anzeigen"));
    Eintrag(daten, N("DRationenVergleichen"), QStringLiteral("Rationen ver&gleichen"));
    Eintrag(daten, N("DHerde"), QStringLiteral("&Herde"));
    Eintrag(daten, N("DLadeliste"), QStringLiteral("Ladeliste &Mischwagen"));
    Trenner(daten, N("xyLeer02"));
    Eintrag(daten, N("DatenAufDisk"), QStringLiteral("&Daten auf Diskette"));
    Eintrag(daten, N("DatenVonDisk"), QStringLiteral("Daten &von Diskette"));
    Trenner(daten, N("xyLeer03"));
    Eintrag(daten, N("ProgrammEnde"), QStringLiteral("Programm&ende"));

    QMenu* einstellung = hauptmenue(N("HauptmenüEinstellung"), QStringLiteral("&Einstellung"));
    Eintrag(einstellung, N("EinstellungDatum"), QStringLiteral("D&atum für Listen"));
    Eintrag(einstellung, N("DruckerEinrichten"), QStringLiteral("&Drucker einrichten"));
    Trenner(einstellung, N("LeerE1"));
    Eintrag(einstellung, N("SoundAnwenden"), QStringLiteral("&Sound anwenden"))->setCheckable(true);
    Trenner(einstellung, N("LeerE02"));
    QMenu* sicherung = einstellung->addMenu(QStringLiteral("S&icherungskopien"));
    sicherung->setObjectName(N("ESicherungskopien"));
    sicherung->menuAction()->setObjectName(N("ESicherungskopien"));
    aktionen.insert(N("ESicherungskopien"), sicherung->menuAction());
    Eintrag(sicherung, N("KomprimierenImmer"), QStringLiteral("immer &komprimieren"))->setCheckable(true);
    Trenner(sicherung, N("LeerEI01"));
    for (const char* n : {"SichernMonatlich", "SichernWöchentlich", "SichernTäglich"}) {
        static const QHash<QString, QString> texte = {{N("SichernMonatlich"), QStringLiteral("&monatlich")},
                                                      {N("SichernWöchentlich"), QStringLiteral("&wöchentlich")},
                                                      {N("SichernTäglich"), QStringLiteral("&täglich")}};
        QAction* a = Eintrag(sicherung, N(n), texte.value(N(n)));
        a->setCheckable(true);
        connect(a, &QAction::triggered, this, [this, a] { IntervallKlick(a); });
    }

    menueFenster = hauptmenue(QStringLiteral("Fenster"), QStringLiteral("&Fenster"));
    connect(menueFenster, &QMenu::aboutToShow, this, &HauptFenster::FensterMenueFuellen);

    QMenu* hilfe = hauptmenue(N("HauptmenüHilfe"), QStringLiteral("&Hilfe"));
    Eintrag(hilfe, N("HKalender"), QStringLiteral("&Kalender"));
    Trenner(hilfe, N("LeerH1"));
    Eintrag(hilfe, N("IWieFAIAn"), QStringLiteral("&Wie fange ich an?"));
    Eintrag(hilfe, N("HilfeProgA"), QStringLiteral("&Programm"));
    Eintrag(hilfe, N("HemailAnProgrammierer"), QStringLiteral("E-Mail an den Programmierer"));
    Eintrag(hilfe, N("DatenbankNeuPrüfen"), QStringLiteral("Datenbank &prüfen"));
    Eintrag(hilfe, N("ProgrammEntwicklung"), QStringLiteral("Ent&wicklung"));
    Eintrag(hilfe, N("Sprechblasen"), QStringLiteral("Sprechblasen verwenden"))->setCheckable(true);
    Trenner(hilfe, N("LeerH2"));
    Eintrag(hilfe, N("InfoHilfeaufrufen"), QStringLiteral("&Hilfe aufrufen"));
    Eintrag(hilfe, N("InfoHilfeÜberHilfe"), QStringLiteral("Hilfe &über Hilfe"));

    menueKopierenIn = hauptmenue(QStringLiteral("KopierenIn"), QStringLiteral("Kopieren in"));
    Eintrag(menueKopierenIn, N("KopierenInBearbeiten"), QStringLiteral("&Bearbeiten"));
    Eintrag(menueKopierenIn, N("KopierenInDrucken"), QStringLiteral("&Drucken"));
    Trenner(menueKopierenIn, N("KopLeer01"));
    Eintrag(menueKopierenIn, N("KopInVariableMengenUmrechnen"), QStringLiteral("in variable Mengen umwandeln"));
    Trenner(menueKopierenIn, N("KopLeer02"));
    Eintrag(menueKopierenIn, N("KopierenInListeEinstellen"), QStringLiteral("Liste &einstellen"));
    Eintrag(menueKopierenIn, N("KopierenInLöschen"), QStringLiteral("&Löschen"));

    menueNeueVersion = hauptmenue(QStringLiteral("NeueVersionHM"), QStringLiteral("Neue Version installieren"));
    Eintrag(menueNeueVersion, QStringLiteral("NeueVersionInstallationA"), QStringLiteral("00.00.00"));

    // Actions.
    for (const auto& e : FensterAktionen) {
        const QString fenster = N(e.fenster);
        QAction* a = Aktion(N(e.aktion));
        a->setEnabled(static_cast<bool>(FensterFabrikFuer(fenster)));
        connect(a, &QAction::triggered, this, [this, fenster] { FensterOeffnen(fenster); });
    }
    for (const char* n : OhneAktion)
        Aktion(N(n))->setEnabled(false);
    for (const char* n : Ausgeschaltet)
        Aktion(N(n))->setEnabled(false);

    connect(Aktion(N("ProgrammEnde")), &QAction::triggered, this, &QWidget::close);
    connect(Aktion(N("HemailAnProgrammierer")), &QAction::triggered, this, [] { MailAnProgrammierer(); });
    connect(Aktion(N("SoundAnwenden")), &QAction::triggered, this, [](bool an) {
        SchalterSpeichern(QStringLiteral("Sound"), QStringLiteral("SoundAnwenden"), an);
    });
    connect(Aktion(N("KomprimierenImmer")), &QAction::triggered, this, [](bool an) {
        SchalterSpeichern(QStringLiteral("Sichern"), QStringLiteral("Komprimieren"), an);
    });
    connect(Aktion(N("Sprechblasen")), &QAction::triggered, this, [this](bool an) {
        SprechblasenSetzen(an);
        SchalterSpeichern(QStringLiteral("Sprechblasen"), QStringLiteral("Sprechblasen"), an);
    });
    connect(Aktion(N("KopierenInBearbeiten")), &QAction::triggered, this, [this] {
        const QString von = kopierenInAufrufer ? kopierenInAufrufer->objectName() : QString();
        if (von == QLatin1String("FuttermittelListe") || von == QLatin1String("wdwFuttermittel")
            || von == QLatin1String("RationTierErstellenFenster")) {
            FensterOeffnen(QStringLiteral("StammdatenFenster2"));
            BefehlDruecken(QStringLiteral("StammdatenFenster2"), QStringLiteral("DropEreignisAufrufen"));
        }
    });
    connect(Aktion(N("KopInVariableMengenUmrechnen")), &QAction::triggered, this, [this] {
        BefehlDruecken(QStringLiteral("RationTierErstellenFenster"), QStringLiteral("cmdInVariableUmwandeln"));
    });
    // Removing acts on the marked line of the ration, through the ration
    // window's relay, which asks first.
    connect(Aktion(N("KopierenInLöschen")), &QAction::triggered, this, [this] {
        if (kopierenInAufrufer && kopierenInAufrufer->objectName() == QLatin1String("RationTierErstellenFenster"))
            BefehlDruecken(QStringLiteral("RationTierErstellenFenster"), N("LöschEreignisAufrufen"));
    });
    connect(Aktion(QStringLiteral("NeueVersionInstallationA")), &QAction::triggered, this, [this] {
        UpdateSucheAnfordern();
        UpdateSucheStarten();
    });
}

void HauptFenster::SymbolleisteAufbauen()
{
    symbolleiste = addToolBar(QStringLiteral("Symbolleiste"));
    symbolleiste->setObjectName(QStringLiteral("picSymbolleiste"));
    symbolleiste->setMovable(false);
    symbolleiste->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);

    struct Taste {
        const char* name;
        const char* text;
        const char* tipp;
        QStyle::StandardPixmap bild;
        const char* fenster;
    };
    const Taste tasten[] = {
        {"Taste1", "", "", QStyle::SP_CustomBase, nullptr},
        {"Taste2", "", "", QStyle::SP_CustomBase, nullptr},
        {"cmdTaste3", "Futtermittel", "Liste aller Futtermittel", QStyle::SP_FileDialogListView, "wdwFuttermittel"},
        {"Taste4", "", "Futtermittel bearbeiten", QStyle::SP_FileDialogDetailedView, "StammdatenFenster2"},
        {"cmdTaste5", "Auswertung", "Ration zusammenstellen und prüfen", QStyle::SP_FileDialogContentsView,
         "RationTierErstellenFenster"},
        {"Taste6", "", "", QStyle::SP_CustomBase, nullptr},
        {"Taste7", "", "", QStyle::SP_CustomBase, nullptr},
        {"Taste8", "", "", QStyle::SP_CustomBase, nullptr},
        {"Taste9", "", "", QStyle::SP_CustomBase, nullptr},
        {"Taste10", "", "Ergebnis anzeigen", QStyle::SP_FileDialogInfoView, "ErgebnisFenster"},
    };
    for (const Taste& t : tasten) {
        auto* knopf = new QToolButton(symbolleiste);
        knopf->setObjectName(N(t.name));
        knopf->setText(N(t.text));
        knopf->setToolTip(N(t.tipp));
        if (t.bild != QStyle::SP_CustomBase)
            knopf->setIcon(style()->standardIcon(t.bild));
        knopf->setToolButtonStyle(*t.text ? Qt::ToolButtonTextBesideIcon : Qt::ToolButtonIconOnly);
        QAction* platz = symbolleiste->addWidget(knopf);
        if (!t.fenster) {
            // Buttons without any behaviour are kept but not shown.
            platz->setVisible(false);
            continue;
        }
        // Like its menu item, the result button shows once both balancings
        // have run; the ration window shows it then.
        if (knopf->objectName() == QLatin1String("Taste10"))
            platz->setVisible(false);
        const QString fenster = N(t.fenster);
        knopf->setEnabled(static_cast<bool>(FensterFabrikFuer(fenster)));
        connect(knopf, &QToolButton::clicked, this, [this, fenster] { FensterOeffnen(fenster); });
        if (knopf->objectName() == QLatin1String("Taste4") || knopf->objectName() == QLatin1String("cmdTaste5")) {
            knopf->setAcceptDrops(true);
            knopf->installEventFilter(this);
        }
    }
}

void HauptFenster::StatuszeileAufbauen()
{
    lblMeldungen = new QLabel(this);
    lblMeldungen->setObjectName(QStringLiteral("lblMeldungen"));
    lblMeldungen->setVisible(false);
    lblMeldungen->setMinimumHeight(fontMetrics().height() + 6);
    statusBar()->addWidget(lblMeldungen, 1);

    lblDatenbankOffen = new QLabel(QStringLiteral("0"), this);
    lblDatenbankOffen->setObjectName(QStringLiteral("lblDatenbankOffen"));
    lblDatenbankOffen->setToolTip(
        QStringLiteral("Anzahl der Öffnungen der Futterdatenbank seit dem Programmstart. Gelb oder rot: Die "
                       "Datenbank war besetzt und wird erneut versucht."));
    lblDatenbankOffen->setAlignment(Qt::AlignCenter);
    lblDatenbankOffen->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("000000")));
    statusBar()->addPermanentWidget(lblDatenbankOffen);
}

void HauptFenster::TimerAufbauen()
{
    auto timer = [this](const QString& name, int ms) {
        auto* t = new QTimer(this);
        t->setObjectName(name);
        t->setInterval(ms);
        return t;
    };
    tmrAufgaben = timer(QStringLiteral("tmrAufgaben"), 250);
    connect(tmrAufgaben, &QTimer::timeout, tmrAufgaben, &QTimer::stop);
    tmrMeldungAusblenden = timer(QStringLiteral("tmrMeldungAusblenden"), 5000);
    connect(tmrMeldungAusblenden, &QTimer::timeout, this, [this] {
        tmrMeldungAusblenden->stop();
        tmrMeldungAusblenden->setInterval(5000);
        lblMeldungen->setVisible(false);
    });
    tmrProgressBar = timer(QStringLiteral("tmrProgressBar"), 1000);
    tmrUpdateFinden = timer(QStringLiteral("tmrUpdateFinden"), 1000);
    connect(tmrUpdateFinden, &QTimer::timeout, this, [this] {
        tmrUpdateFinden->stop();
        ui().Sanduhr(false);
        UpdateSucheLaufenLassen(this);
    });
}

void HauptFenster::UpdateSucheStarten()
{
    // A second request before the tick joins the first.
    if (tmrUpdateFinden->isActive())
        return;
    tmrUpdateFinden->start();
    ui().Sanduhr(true);
}

void HauptFenster::Laden()
{
    // 1. Program-wide values.
    auto& p = programm();
    p.systemOrdner = QStringLiteral("/usr/lib/");
    p.druckerName = QPrinterInfo::defaultPrinterName();

    // 2. Pop-up and update menus are not part of the menu bar.
    menueKopierenIn->menuAction()->setVisible(false);
    menueNeueVersion->menuAction()->setVisible(false);

    // 3. Position and call counter. The first start has no position yet: the
    // smallest frame would hide half of the ration window, so the frame
    // takes the whole screen.
    const bool ersterStart = !PositionGespeichert(objectName());
    const QSizeF bildschirm = BildschirmInTwips(this);
    const long aufrufe = FensterPositionLaden(this, nullptr, 12000, bildschirm.width(), 9000, bildschirm.height(),
                                              false, true, true);
    if (ersterStart) {
        if (const QScreen* s = screen())
            setGeometry(s->availableGeometry());
        setWindowState(windowState() | Qt::WindowMaximized);
    }

    // 4. Title and menu states.
    setWindowTitle(Programmname());
    MenueZustaendeAnwenden();
    setWindowTitle(Programmtitel());

    // 5. The getting-started guide during the first twenty starts.
    if (aufrufe < 21)
        FensterOeffnen(QStringLiteral("WieFangeIchAnFenster"));

    // 6. Identity lines.
    IdentitaetLesen();

    // 7. Columns of newer program versions in an older feed database.
    SchemaPflegen();
}

void HauptFenster::MenueZustaendeAnwenden()
{
    const MenueZustaende z = MenueZustaendeLesen();
    Aktion(QStringLiteral("SoundAnwenden"))->setChecked(z.soundAnwenden);
    Aktion(QStringLiteral("Sprechblasen"))->setChecked(z.sprechblasen);
    SprechblasenSetzen(z.sprechblasen);
    Aktion(N("SichernMonatlich"))->setChecked(z.intervall == Intervall::Monatlich);
    Aktion(N("SichernWöchentlich"))->setChecked(z.intervall == Intervall::Woechentlich);
    Aktion(N("SichernTäglich"))->setChecked(z.intervall == Intervall::Taeglich);
    if (z.immerKomprimieren)
        Aktion(QStringLiteral("KomprimierenImmer"))->setChecked(*z.immerKomprimieren);
}

void HauptFenster::IntervallKlick(QAction* geklickt)
{
    // The action has already toggled itself: it was checked before when it
    // is unchecked now.
    const bool warMarkiert = !geklickt->isChecked();
    Intervall i = Intervall::Monatlich;
    if (geklickt->objectName() == N("SichernWöchentlich"))
        i = Intervall::Woechentlich;
    else if (geklickt->objectName() == N("SichernTäglich"))
        i = Intervall::Taeglich;
    const Intervall neu = IntervallGeklickt(i, warMarkiert);
    Aktion(N("SichernMonatlich"))->setChecked(neu == Intervall::Monatlich);
    Aktion(N("SichernWöchentlich"))->setChecked(neu == Intervall::Woechentlich);
    Aktion(N("SichernTäglich"))->setChecked(neu == Intervall::Taeglich);
}

void HauptFenster::SprechblasenSetzen(bool an)
{
    mhTip = an;
}

void HauptFenster::FensterMenueFuellen()
{
    menueFenster->clear();
    const auto fenster = bereich->subWindowList();
    int nr = 1;
    for (QMdiSubWindow* u : fenster) {
        QAction* a = menueFenster->addAction(QStringLiteral("&%1 %2").arg(nr++).arg(u->windowTitle()));
        a->setCheckable(true);
        a->setChecked(u == bereich->activeSubWindow());
        connect(a, &QAction::triggered, this, [this, u] { bereich->setActiveSubWindow(u); });
    }
    if (fenster.isEmpty())
        menueFenster->addAction(QStringLiteral("(keine Fenster geöffnet)"))->setEnabled(false);
}

QWidget* HauptFenster::OffenesFenster(const QString& name) const
{
    for (QMdiSubWindow* u : bereich->subWindowList()) {
        if (u->widget() && u->widget()->objectName() == name)
            return u->widget();
    }
    return nullptr;
}

QWidget* HauptFenster::FensterOeffnen(const QString& name)
{
    QWidget* w = OffenesFenster(name);
    if (!w) {
        const FensterFabrik fabrik = FensterFabrikFuer(name);
        if (!fabrik)
            return nullptr;
        w = fabrik(this);
        if (!w)
            return nullptr;
    }
    QMdiSubWindow* u = UnterfensterVon(w);
    if (!u)
        u = bereich->addSubWindow(w);
    u->showNormal();
    w->showNormal();
    bereich->setActiveSubWindow(u);
    if (w->isEnabled() && w->isVisible())
        w->setFocus();
    return w;
}

bool HauptFenster::BefehlDruecken(const QString& fenster, const QString& knopf)
{
    QWidget* w = OffenesFenster(fenster);
    if (!w)
        return false;
    auto* b = w->findChild<QAbstractButton*>(knopf);
    if (!b || !b->isEnabled())
        return false;
    b->click();
    return true;
}

void HauptFenster::KopierenInZeigen(QWidget* aufrufer, const QPoint& globalePosition)
{
    kopierenInAufrufer = aufrufer;
    // Only the ration removes through the pop-up; the feed list deletes
    // feeds with its own button and keys.
    Aktion(N("KopierenInLöschen"))
        ->setEnabled(aufrufer && aufrufer->objectName() == QLatin1String("RationTierErstellenFenster"));
    menueKopierenIn->exec(globalePosition);
}

void HauptFenster::FutterAbgelegt(QToolButton* ziel, long futterID)
{
    programm().ZiehFutterID = futterID;
    const QString fenster = ziel->objectName() == QLatin1String("Taste4") ? QStringLiteral("StammdatenFenster2")
                                                                         : QStringLiteral("RationTierErstellenFenster");
    FensterOeffnen(fenster);
    BefehlDruecken(fenster, QStringLiteral("DropEreignisAufrufen"));
}

bool HauptFenster::eventFilter(QObject* o, QEvent* e)
{
    if (e->type() == QEvent::ToolTip && !mhTip)
        return true;  // balloon tips switched off
    auto* knopf = qobject_cast<QToolButton*>(o);
    if (knopf && knopf->parent() == symbolleiste) {
        if (e->type() == QEvent::DragEnter) {
            auto* d = static_cast<QDragEnterEvent*>(e);
            if (d->mimeData()->hasFormat(QString::fromLatin1(FutterMimeTyp))) {
                d->acceptProposedAction();
                return true;
            }
        } else if (e->type() == QEvent::Drop) {
            auto* d = static_cast<QDropEvent*>(e);
            const long id = QString::fromLatin1(d->mimeData()->data(QString::fromLatin1(FutterMimeTyp))).toLong();
            d->acceptProposedAction();
            FutterAbgelegt(knopf, id ? id : programm().ZiehFutterID);
            return true;
        }
    }
    return QMainWindow::eventFilter(o, e);
}

void HauptFenster::MeldungZeigen(qint64 farbe, const QString& text, int sekunden, bool ausblenden)
{
    tmrMeldungAusblenden->stop();
    tmrMeldungAusblenden->setInterval(sekunden * 1000);
    QFont f = lblMeldungen->font();
    f.setBold(false);
    lblMeldungen->setFont(f);
    LabelFaerben(lblMeldungen, farbe);
    lblMeldungen->setText(QLatin1Char(' ') + text + QLatin1Char(' '));
    lblMeldungen->setVisible(!ausblenden);
    lblMeldungen->repaint();
    tmrMeldungAusblenden->start();
}

QString HauptFenster::DatenbankAnzeigeText() const
{
    return lblDatenbankOffen->text();
}

void HauptFenster::DatenbankAnzeigeSetzen(const QString& text, qint64 farbe, bool durchsichtig)
{
    lblDatenbankOffen->setText(text);
    LabelFaerben(lblDatenbankOffen, farbe, durchsichtig);
    lblDatenbankOffen->repaint();
}

void HauptFenster::closeEvent(QCloseEvent* e)
{
    // Unsaved changes to a stored ration are asked about first; Abbrechen
    // keeps the program running.
    if (QWidget* ration = OffenesFenster(QStringLiteral("RationTierErstellenFenster")))
        if (auto* leiste = ration->findChild<RationAuswahlLeiste*>(); leiste && !leiste->AenderungenKlaeren()) {
            e->ignore();
            return;
        }
    try {
        FensterPositionSpeichern(this);
    } catch (const Laufzeitfehler& f) {
        MsgBox(QStringLiteral("Beim Beenden des Programmes ist Fehler Nr. ") + QString::number(f.nummer)
               + QStringLiteral(" aufgetreten! - Bitte informieren Sie den Autor!"));
    } catch (const std::exception&) {
        MsgBox(QStringLiteral("Beim Beenden des Programmes ist Fehler Nr. 0 aufgetreten! - Bitte informieren Sie "
                              "den Autor!"));
    }
    // The program ends at once: child windows close without questions.
    programm().programmEndet = true;
    e->accept();
    bereich->closeAllSubWindows();
    QCoreApplication::quit();
}

} // namespace kelvora
