#include "feeds/ui/StammdatenFenster2.h"

#include "feeds/FutterbezogeneRoutinen.h"
#include "feeds/StammdatenPruefung.h"
#include "feeds/StammdatenSpeichern.h"
#include "feeds/ui/FutterListe.h"
#include "frame/FunktionenFuerINI.h"
#include "frame/Oberflaeche.h"
#include "frame/Programm.h"
#include "frame/ui/FensterPositionQt.h"
#include "frame/ui/Hauptrahmen.h"
#include "grundlagen/DatenTypen.h"
#include "internet/FtpVerbindung.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QPushButton>
#include <QTimer>

namespace kelvora {

namespace {

const QString FensterName = QStringLiteral("StammdatenFenster2");

// Keys whose release may have changed the number in a box.
bool AendertZahl(const QKeyEvent* e)
{
    const int k = e->key();
    return k == Qt::Key_Backspace || k == Qt::Key_Delete || (k >= Qt::Key_0 && k <= Qt::Key_9);
}

// Clicks a button the way the keyboard may: only when the user could click it.
void Druecken(QPushButton* knopf)
{
    if (knopf->isEnabled() && knopf->isVisible())
        knopf->click();
}

long FutterIDAusZiehDaten(const QMimeData* daten)
{
    return QString::fromLatin1(daten->data(QString::fromLatin1(FutterMimeTyp))).trimmed().toLong();
}

} // namespace

StammdatenFenster2::StammdatenFenster2(Hauptrahmen* haupt)
    : QWidget(nullptr)
    , haupt(haupt)
{
    Aufbauen();
    connect(tmrAnzeigen, &QTimer::timeout, this, &StammdatenFenster2::Anzeigen);
    connect(tmrBeenden, &QTimer::timeout, this, [this] {
        tmrBeenden->stop();
        Schliessen();
    });
    connect(cmdSpeichern, &QPushButton::clicked, this, &StammdatenFenster2::Speichern);
    connect(cmdFutterLoeschen, &QPushButton::clicked, this, &StammdatenFenster2::Loeschen);
    connect(AlleFelderLoeschen, &QPushButton::clicked, this, &StammdatenFenster2::AllesLeeren);
    connect(cmdNeuBerechnen, &QPushButton::clicked, this, &StammdatenFenster2::NeuBerechnenKlick);
    connect(DropEreignisAufrufen, &QPushButton::clicked, this, &StammdatenFenster2::DropEreignis);
    connect(cmdTeilen, &QPushButton::clicked, this, &StammdatenFenster2::Teilen);
    connect(cmdAbbrechen, &QPushButton::clicked, this, [] { FtpAbbrechen(); });
    Laden();
    StandMerken();
}

StammdatenFenster2::~StammdatenFenster2() = default;

void StammdatenFenster2::FutterLaden(long futterID)
{
    lblUebergabe->setText(QString::number(futterID));
    tmrAnzeigen->start();
}

long StammdatenFenster2::AngezeigteFutterID() const
{
    return TextInLong(lblIDAnzeige->text());
}

StammdatenFenster2* StammdatenFenster2::FutterBearbeiten(Hauptrahmen* haupt, long futterID)
{
    if (futterID != 0 && haupt) {
        for (QMdiSubWindow* sub : haupt->Arbeitsbereich()->subWindowList()) {
            auto* e = qobject_cast<StammdatenFenster2*>(sub->widget());
            if (!e)
                continue;
            const bool wirdGeladen = e->tmrAnzeigen->isActive() && TextInLong(e->lblUebergabe->text()) == futterID;
            if (e->AngezeigteFutterID() == futterID || wirdGeladen) {
                e->NachVorne();
                return e;
            }
        }
    }
    auto* e = new StammdatenFenster2(haupt);
    e->FutterLaden(futterID);
    return e;
}

// ----------------------------------------------------------- mask

Eingabemaske StammdatenFenster2::Maske() const
{
    Eingabemaske m;
    for (int i = 0; i < FeldAnzahl; ++i)
        m.texte[static_cast<size_t>(i)] = felder[static_cast<size_t>(i)]->text();
    m.gruppenIndex = cmbFutterArt->currentIndex();
    m.gruppe = m.gruppenIndex >= 0 ? cmbFutterArt->currentData().toInt() : 0;
    m.bezeichnung = txtBezeichnung->text();
    m.idAnzeige = lblIDAnzeige->text();
    m.preis = txtPreis->text();
    m.nXPBerechnet = nXPBerechnet;
    m.rnbBerechnet = rnbBerechnet;
    return m;
}

void StammdatenFenster2::BerechnetZeigen()
{
    lblnXPBerechnet->setVisible(!nXPBerechnet.isEmpty() && Box(Feld::nXP_gTM)->text() == nXPBerechnet);
    lblRNBBerechnet->setVisible(!rnbBerechnet.isEmpty() && Box(Feld::RNB_gTM)->text() == rnbBerechnet);
}

void StammdatenFenster2::MaskeZeigen(const Eingabemaske& m)
{
    // Only changed boxes are written, so the cursor stays where the user types.
    for (int i = 0; i < FeldAnzahl; ++i) {
        QLineEdit* box = felder[static_cast<size_t>(i)];
        const QString& text = m.texte[static_cast<size_t>(i)];
        if (box->text() != text)
            box->setText(text);
    }
    if (txtBezeichnung->text() != m.bezeichnung)
        txtBezeichnung->setText(m.bezeichnung);
    if (txtPreis->text() != m.preis)
        txtPreis->setText(m.preis);
    nXPBerechnet = m.nXPBerechnet;
    rnbBerechnet = m.rnbBerechnet;
    BerechnetZeigen();
    IDAnzeigeSetzen(m.idAnzeige);
}

void StammdatenFenster2::IDAnzeigeSetzen(const QString& id)
{
    lblIDAnzeige->setText(id);
    cmdTeilen->setEnabled(TextInLong(id) != 0);
}

// ----------------------------------------------------------- commands

void StammdatenFenster2::Anzeigen()
{
    tmrAnzeigen->stop();
    Eingabemaske m;
    MaskeZeigen(m);
    cmbFutterArt->setCurrentIndex(-1);
    lblErstelltVon->setVisible(false);
    setWindowTitle(QStringLiteral("Futtermittel bearbeiten"));
    const long id = TextInLong(lblUebergabe->text());
    const std::optional<Stammdaten> futter = StammdatenLesen(id);
    if (!futter) {
        StandMerken();
        return; // a new feed: the window stays empty
    }

    m.idAnzeige = QString::number(id);
    // From the last entry upwards; without a match "Alle Futtermittel" stays.
    int index = cmbFutterArt->count() - 1;
    while (index > 0 && cmbFutterArt->itemData(index).toLongLong() != futter->gruppe)
        --index;
    cmbFutterArt->setCurrentIndex(index);
    MaskeFuellen(m, *futter);
    MaskeZeigen(m);
    setWindowTitle(QStringLiteral("Futtermittel bearbeiten - ") + m.bezeichnung);
    StandMerken();
}

bool StammdatenFenster2::Speichern()
{
    const Speichervorgang s = MaskeSpeichern(Maske());
    if (!s.pruefung.bestanden) {
        if (auto* w = findChild<QWidget*>(s.pruefung.fokus))
            w->setFocus();
        return false;
    }
    ListeAktualisierenAnstossen();
    // When the database could not be written the typed values stay on the
    // screen, so the user can try again.
    if (s.ergebnis == Speicherergebnis::Fehlgeschlagen)
        return false;
    ohneFrage = true;
    tmrBeenden->start();
    return true;
}

void StammdatenFenster2::Loeschen()
{
    if (!FutterLoeschen(AngezeigteFutterID()))
        return;
    ohneFrage = true;
    tmrBeenden->start();
    ListeAktualisierenAnstossen();
}

void StammdatenFenster2::AllesLeeren()
{
    cmbFutterArt->setCurrentIndex(-1);
    Eingabemaske leer;
    MaskeZeigen(leer);
    lblErstelltVon->setVisible(false);
    setWindowTitle(QStringLiteral("Futtermittel bearbeiten"));
    cmbFutterArt->setFocus();
    StandMerken();
}

void StammdatenFenster2::NeuBerechnenKlick()
{
    Eingabemaske m = Maske();
    NeuBerechnen(m);
    MaskeZeigen(m);
}

void StammdatenFenster2::DropEreignis()
{
    AllesLeeren();
    lblUebergabe->setText(QString::number(programm().ZiehFutterID));
    Anzeigen();
    NachVorne();
}

void StammdatenFenster2::Schliessen()
{
    if (QMdiSubWindow* sub = UnterfensterVon(this))
        sub->close();
    else
        close();
}

void StammdatenFenster2::StandMerken()
{
    stand = Maske();
}

bool StammdatenFenster2::Geaendert() const
{
    return MaskeGeaendert(stand, Maske());
}

bool StammdatenFenster2::SchliessenErlaubt()
{
    if (ohneFrage || programm().programmEndet || !Geaendert())
        return true;
    switch (MsgBox(QStringLiteral("Änderungen speichern?"), Knoepfe::JaNeinAbbrechen, Symbol::Frage,
                   Antwort::Abbrechen, QStringLiteral("Futtermittel bearbeiten"))) {
    case Antwort::Ja:
        // A failed check keeps the window open with the focus on the value.
        if (!Speichern())
            return false;
        tmrBeenden->stop();
        return true;
    case Antwort::Nein:
        return true;
    default:
        return false;
    }
}

void StammdatenFenster2::NachVorne()
{
    QMdiSubWindow* sub = UnterfensterVon(this);
    if (!sub)
        return;
    sub->showNormal();
    sub->raise();
    if (QMdiArea* bereich = sub->mdiArea())
        bereich->setActiveSubWindow(sub);
}

// ----------------------------------------------------------- events

bool StammdatenFenster2::TasteGedrueckt(QObject* o, QKeyEvent* e)
{
    gedrueckt.insert(e->key());
    if (e->key() != Qt::Key_Return && e->key() != Qt::Key_Enter)
        return false;
    const QString naechstes = NaechstesEingabefeld(o->objectName());
    if (naechstes.isEmpty())
        return false;
    // Enter never reaches a box; it only moves on.
    if (auto* ziel = findChild<QWidget*>(naechstes); ziel && ziel->isEnabled() && ziel->isVisible())
        ziel->setFocus(Qt::TabFocusReason);
    return true;
}

bool StammdatenFenster2::TasteLosgelassen(QObject* o, QKeyEvent* e)
{
    // Only keys pressed in this window count: the Esc that closed a message
    // box or a drop-down list must not close the window as well.
    if (e->isAutoRepeat() || !gedrueckt.remove(e->key()))
        return false;
    switch (e->key()) {
    case Qt::Key_Escape:
        Schliessen();
        return true;
    case Qt::Key_F4:
        Druecken(AlleFelderLoeschen);
        return true;
    case Qt::Key_F5:
        Druecken(cmdSpeichern);
        return true;
    case Qt::Key_F9:
        Druecken(cmdFutterLoeschen);
        return true;
    default:
        break;
    }
    const std::optional<Feld> feld = FeldNachName(o->objectName());
    if (!feld || !AendertZahl(e) || o != Box(*feld))
        return false;
    Eingabemaske m = Maske();
    const bool trockenmasseFehlte = NachEingabeUmrechnen(m, *feld);
    MaskeZeigen(m);
    if (trockenmasseFehlte)
        Box(Feld::TM_g)->setFocus(Qt::OtherFocusReason);
    return false;
}

bool StammdatenFenster2::FutterGezogen(QDropEvent* e)
{
    if (!e->mimeData()->hasFormat(QString::fromLatin1(FutterMimeTyp)))
        return false;
    e->acceptProposedAction();
    if (e->type() == QEvent::Drop) {
        if (const long id = FutterIDAusZiehDaten(e->mimeData()))
            programm().ZiehFutterID = id;
        DropEreignis();
    }
    return true;
}

bool StammdatenFenster2::eventFilter(QObject* o, QEvent* e)
{
    switch (e->type()) {
    case QEvent::KeyPress:
        return TasteGedrueckt(o, static_cast<QKeyEvent*>(e));
    case QEvent::KeyRelease:
        return TasteLosgelassen(o, static_cast<QKeyEvent*>(e));
    case QEvent::FocusIn:
        if (auto* box = qobject_cast<QLineEdit*>(o)) {
            box->selectAll();
            // A mouse click places the cursor after the focus arrived.
            QTimer::singleShot(0, box, &QLineEdit::selectAll);
        }
        return false;
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
        return o != this && FutterGezogen(static_cast<QDropEvent*>(e));
    default:
        return false;
    }
}

void StammdatenFenster2::dragEnterEvent(QDragEnterEvent* e)
{
    FutterGezogen(e);
}

void StammdatenFenster2::dragMoveEvent(QDragMoveEvent* e)
{
    FutterGezogen(e);
}

void StammdatenFenster2::dropEvent(QDropEvent* e)
{
    FutterGezogen(e);
}

void StammdatenFenster2::closeEvent(QCloseEvent* e)
{
    // An upload in progress finishes first; only the end of the program cancels it.
    if (teilt) {
        if (!programm().programmEndet) {
            schliessenNachTeilen = true;
            e->ignore();
            return;
        }
        FtpAbbrechen();
    }
    if (!SchliessenErlaubt()) {
        e->ignore();
        return;
    }
    tmrAnzeigen->stop();
    tmrBeenden->stop();
    // Only a close by the end of the program counts as "left open".
    INISpeichern(QStringLiteral("OffeneFenster"), FensterName,
        programm().programmEndet ? QStringLiteral("1") : QStringLiteral("0"));
    FensterPositionSpeichern(this);
    e->accept();
}

} // namespace kelvora
