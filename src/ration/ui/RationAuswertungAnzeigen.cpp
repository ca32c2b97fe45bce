// The figure area of the ration window and the showing of an evaluation:
// list lines, figure labels with their colours, the supply messages, the
// result window and the commands that lead to it. Every figure comes from
// the evaluation; nothing is computed here.

#include "frame/Oberflaeche.h"
#include "frame/ui/Farbwert.h"
#include "frame/ui/FensterPositionQt.h"
#include "frame/ui/Hauptrahmen.h"
#include "grundlagen/DatenTypen.h"
#include "grundlagen/Formate.h"
#include "printing/ui/FunktionenFuerListen.h"
#include "ration/Eingabegrenzen.h"
#include "ration/RationAuswerten.h"
#include "ration/RationMengen.h"
#include "ration/ui/ErgebnisFenster.h"
#include "ration/ui/RationGfEBlock.h"
#include "ration/ui/VersorgungsDiagramm.h"
#include "ration/ui/RationTierErstellenFenster.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <algorithm>

namespace kelvora {

namespace {

// Back and text colour of a figure label. The text colour of a checked
// figure is the system's window text colour; a label written without any
// colour shows the window's own colours again.
void Faerben(QLabel* label, qint64 hintergrund, qint64 textfarbe)
{
    if (hintergrund == 0 && textfarbe == 0) {
        label->setPalette(QPalette());
        label->setAutoFillBackground(false);
        return;
    }
    QPalette p = label->palette();
    if (hintergrund != 0)
        p.setColor(QPalette::Window, FarbeAusWert(hintergrund, p));
    if (textfarbe == FarbeFenstertext)
        p.setColor(QPalette::WindowText, QApplication::palette().color(QPalette::WindowText));
    else if (textfarbe != 0)
        p.setColor(QPalette::WindowText, FarbeAusWert(textfarbe, p));
    label->setPalette(p);
    label->setAutoFillBackground(true);
}

QLabel* Beschriftung(QWidget* eltern, const QString& text)
{
    return new QLabel(text, eltern);
}

} // namespace

QLabel* RationTierErstellenFenster::Kennzahl(QGridLayout* raster, int zeile, int spalte, const QString& name,
                                             const QString& beschriftung, const QString& muster)
{
    QWidget* eltern = raster->parentWidget();
    auto* wert = new QLabel(eltern);
    wert->setObjectName(name);
    wert->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    wert->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    // A fixed width from the widest expected figure keeps the window's
    // minimum size the same before and after the first evaluation.
    wert->setFixedWidth(fontMetrics().horizontalAdvance(muster) + 8);
    raster->addWidget(wert, zeile, spalte);
    raster->addWidget(Beschriftung(eltern, beschriftung), zeile, spalte + 1);
    return wert;
}

void RationTierErstellenFenster::KennzahlErklaeren(QGridLayout* raster, int zeile, int spalte, const QString& tipp)
{
    // The figure and its caption explain the same thing; the figure keeps
    // the explanation when a run's hint has passed.
    for (int s : {spalte, spalte + 1}) {
        if (QLayoutItem* teil = raster->itemAtPosition(zeile, s); teil && teil->widget()) {
            teil->widget()->setToolTip(tipp);
            teil->widget()->setProperty("tippFest", tipp);
        }
    }
}

QWidget* RationTierErstellenFenster::KennzahlenAufbauen()
{
    auto* feld = new QWidget(this);
    auto* r = new QGridLayout(feld);
    r->setContentsMargins(4, 4, 4, 4);
    r->setVerticalSpacing(2);
    r->setHorizontalSpacing(6);
    auto gruppe = [&](int zeile, const QString& text) { r->addWidget(Beschriftung(feld, text), zeile, 0); };
    auto grenze = [&](int zeile, int spalte, const QString& text) {
        r->addWidget(Beschriftung(feld, text), zeile, spalte);
    };

    Kennzahl(r, 0, 1, QStringLiteral("lblTMKiloAnzeige"), QStringLiteral("kg TM"));
    Kennzahl(r, 0, 3, QStringLiteral("lblTMKiloMaxAnzeige2"), QStringLiteral("kg TM max."),
             QStringLiteral("FCM zu hoch"));
    // The comparison figures sit where the rows leave room, so that the
    // figures stay as narrow as the limits beside them.
    Kennzahl(r, 1, 3, QStringLiteral("lblTMKiloMaxAnzeige"), QStringLiteral("kg TM max. geschätzt"));
    KennzahlErklaeren(r, 0, 3,
                      QStringLiteral("Höchstmenge an Trockenmasse, die die Kuh nach der Aufnahmetabelle (Gewicht "
                                     "und fettkorrigierte Milch) fressen kann. Bis zu dieser Menge füllt \"mit TM "
                                     "ausgleichen\" die freien Futtermittel auf."));
    KennzahlErklaeren(r, 1, 3,
                      QStringLiteral("Geschätzte Trockenmasseaufnahme nach der älteren Schätzformel (Gewicht, "
                                     "Milch, Fett, Kraftfutter und Energie des freien Futters, Kuh in der dritten "
                                     "Laktation am 120. Melktag). Nur zum Vergleich; ausgeglichen wird nach "
                                     "\"kg TM max.\"."));
    Kennzahl(r, 1, 1, QStringLiteral("lblTMGehaltAnzeige"), QStringLiteral("%"));

    gruppe(2, QStringLiteral("Energie:"));
    Kennzahl(r, 2, 1, QStringLiteral("lblNELMJAnzeige"), QStringLiteral("NEL MJ"));
    Kennzahl(r, 2, 3, QStringLiteral("lblNelKonzAnzeige"), QStringLiteral("NEL MJ/kg"));

    gruppe(3, QStringLiteral("Eiweiss:"));
    Kennzahl(r, 3, 1, QStringLiteral("lblUDPGrammAnzeige"), QStringLiteral("g UDP"));
    Kennzahl(r, 3, 3, QStringLiteral("lblUDPKonzAnzeige"), QStringLiteral("% UDP"));
    grenze(3, 5, QStringLiteral("35-38%"));

    Kennzahl(r, 4, 1, QStringLiteral("lblNFCGrammAnzeige"), QStringLiteral("g NFC"));
    Kennzahl(r, 4, 3, QStringLiteral("lblNFCKonzAnzeige"), QStringLiteral("% NFC"));
    grenze(4, 5, QStringLiteral("35-43%"));

    Kennzahl(r, 5, 1, QStringLiteral("lblNDFGrammAnzeige"), QStringLiteral("g NDF"));
    Kennzahl(r, 5, 3, QStringLiteral("lblNDFKonzAnzeige"), QStringLiteral("% NDF"));
    grenze(5, 5, QStringLiteral("mind. 28%"));
    Kennzahl(r, 2, 5, QStringLiteral("lblNDFGrammMaxAnzeige"), QStringLiteral("g NDF max."));

    Kennzahl(r, 6, 1, QStringLiteral("lblNDFGFGrammAnzeige"), QStringLiteral("g NDF aus GF"));
    Kennzahl(r, 6, 3, QStringLiteral("lblNDFGFKonzAnzeige"), QStringLiteral("% NDF aus GF"));
    grenze(6, 5, QStringLiteral("mind. 75%"));

    Kennzahl(r, 7, 1, QStringLiteral("lblADFGrammAnzeige"), QStringLiteral("g ADF"));
    Kennzahl(r, 7, 3, QStringLiteral("lblADFKonzAnzeige"), QStringLiteral("% ADF"));
    grenze(7, 5, QStringLiteral("mind. 18%"));

    gruppe(8, QStringLiteral("Kraftfutter-Anteil:"));
    Kennzahl(r, 8, 1, QStringLiteral("lblKraftfutterKiloAnzeige"), QStringLiteral("kg TM"));
    Kennzahl(r, 8, 3, QStringLiteral("lblKraftfutterProzentAnzeige"), QStringLiteral("% in der Ration"));
    grenze(8, 5, QStringLiteral("max. 50%"));

    int zeile = 9;
    for (const char* name : {"lblUnterversorgungRohprotein", "lblUnterversorgungNEL"}) {
        auto* meldung = new QLabel(feld);
        meldung->setObjectName(QString::fromLatin1(name));
        meldung->setAlignment(Qt::AlignCenter);
        // The commands below keep their place whether a message shows or not.
        QSizePolicy platz = meldung->sizePolicy();
        platz.setRetainSizeWhenHidden(true);
        meldung->setSizePolicy(platz);
        meldung->hide();
        r->addWidget(meldung, zeile++, 0, 1, 7);
    }
    return feld;
}

TierEingaben RationTierErstellenFenster::AktuelleTiereingaben()
{
    // Text that is no number never reaches the evaluation: the box gets its
    // last good value back, with a message.
    TiereingabePruefen(txtMilch);
    TiereingabePruefen(txtFett);
    TierEingaben tier;
    tier.gewicht = Gewicht->currentData().toLongLong();
    tier.milch = TextInDouble(guteMilch);
    tier.fett = TextInDouble(gutesFett);
    tier.eiweiss = gfeBlock->Eiweiss();
    tier.monat = ui().Jetzt().date().month();
    tier.letzterAusgleich = LetzterAusgleich;
    tier.tmAusgeglichen = TMAusgeglichen;
    tier.ndfAusgeglichen = NDFAusgeglichen;
    tier.milchpreis = ZahlPruefen(MilchpreisGrenze(), txtMilchpreis->text()).wert;
    return tier;
}

void RationTierErstellenFenster::RationAuswerten()
{
    const TierEingaben tier = AktuelleTiereingaben();
    lblOptimierungHinweis->hide();
    if (lvwListe->columnCount() != 14)
        SpaltenEinrichten();
    ui().Sanduhr(true);
    lvwListe->clear();
    const Auswertung a = ::kelvora::RationAuswerten(tier);
    AuswertungZeigen(a);
    ui().Sanduhr(false);
    emit Ausgewertet();
}

void RationTierErstellenFenster::AuswertungZeigen(const Auswertung& a)
{
    diagramm->Setzen({ { QString(), VersorgungsbalkenAus(a) } });
    for (const ListenZeile& z : a.zeilen) {
        ZeileHinzufuegen(z.id, z.texte);
        if (!z.fehler)
            continue;
        // The row the evaluation failed on: marked, and reachable to correct.
        QTreeWidgetItem* zeile = lvwListe->topLevelItem(lvwListe->topLevelItemCount() - 1);
        for (int i = 0; i < lvwListe->columnCount(); ++i) {
            zeile->setBackground(i, FarbeAusWert(Farbe::Hellrot, lvwListe->palette()));
            zeile->setToolTip(i, QStringLiteral("Diese Zeile lässt sich nicht berechnen. Doppelklicken Sie sie und "
                                                "korrigieren Sie die Menge."));
        }
    }
    for (const Anzeige& anzeige : a.anzeigen) {
        if (!anzeige.gesetzt)
            continue;
        auto bisher = std::find_if(angezeigt.begin(), angezeigt.end(),
                                   [&](const Anzeige& x) { return x.name == anzeige.name; });
        if (bisher != angezeigt.end())
            *bisher = anzeige;
        else
            angezeigt.append(anzeige);
        auto* label = findChild<QLabel*>(anzeige.name);
        if (!label)
            continue;
        label->setText(anzeige.text);
        Faerben(label, anzeige.hintergrund, anzeige.textfarbe);
        // A hint of this run replaces the label's fixed explanation for as
        // long as it holds.
        label->setToolTip(anzeige.tipp.isEmpty() ? label->property("tippFest").toString() : anzeige.tipp);
        label->setVisible(anzeige.sichtbar);
    }
    if (a.ergebnis.aktualisieren)
        ErgebnisFensterAktualisieren(a.ergebnis);
    if (lvwListe->topLevelItemCount() > 0)
        ZeileMarkieren(lvwListe, 0);
    cmdDrucken->setEnabled(lvwListe->topLevelItemCount() > 0);
    ErgebnisBefehleZeigen(a.ergebnisZeigen);
}

void RationTierErstellenFenster::ErgebnisFensterAktualisieren(const ErgebnisWerte& werte)
{
    ErgebnisFenster* ergebnis = ErgebnisFensterMinimiert(haupt);
    if (!ergebnis)
        return;
    if (!werte.spalte.isEmpty())
        ergebnis->IstSchreiben(werte.spalte, werte.ist, werte.anteileGesetzt);
    ergebnis->SollSchreiben(werte.soll);
    ergebnis->AbweichungenNeuBerechnen();
    // Creating the result window must not take the user out of the ration.
    if (QMdiSubWindow* sub = UnterfensterVon(this); sub && sub->isVisible())
        haupt->Arbeitsbereich()->setActiveSubWindow(sub);
}

void RationTierErstellenFenster::ErgebnisBefehleZeigen(bool zeigen)
{
    cmdZumErgebnis->setVisible(zeigen);
    if (!haupt)
        return;
    if (QAction* menue = haupt->Aktion(QStringLiteral("DErgebnisA")))
        menue->setVisible(zeigen);
    // A toolbar button is shown or hidden through its place in the toolbar.
    auto* leiste = haupt->findChild<QToolBar*>(QStringLiteral("picSymbolleiste"));
    auto* taste = haupt->findChild<QToolButton*>(QStringLiteral("Taste10"));
    if (!leiste || !taste)
        return;
    const auto plaetze = leiste->actions();
    for (QAction* platz : plaetze)
        if (leiste->widgetForAction(platz) == taste)
            platz->setVisible(zeigen);
}

bool RationTierErstellenFenster::MilchTaste(QKeyEvent* e)
{
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        if (TiereingabePruefen(txtMilch))
            DrueckenWennBereit(cmdNeuBerechnen);
        return true;
    }
    if (e->key() != Qt::Key_Up && e->key() != Qt::Key_Down)
        return false;
    if (!TiereingabePruefen(txtMilch))
        return true;
    if (const auto neu = MilchSchritt(TextInDouble(txtMilch->text()), e->key() == Qt::Key_Up)) {
        txtMilch->setText(Formatieren(*neu, MilchMaske()));
        DrueckenWennBereit(cmdNeuBerechnen);
        if (txtMilch->isEnabled() && txtMilch->isVisible())
            FeldMarkieren(txtMilch);
    }
    return true;
}

} // namespace kelvora
