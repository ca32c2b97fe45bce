// The amount editor frmDetails of the ration window: opening it for a row,
// the live conversion between fresh and dry matter, the keys that step an
// amount or decide between a fixed amount and a free share, and the
// take-over into table Ration.

#include "grundlagen/DatenTypen.h"
#include "database/DatenbankRoutinen.h"
#include "grundlagen/Formate.h"
#include "feeds/FutterbezogeneRoutinen.h"
#include "frame/ui/FensterPositionQt.h"
#include "frame/ui/Hauptrahmen.h"
#include "printing/ui/FunktionenFuerListen.h"
#include "ration/RationFutterHinzufuegen.h"
#include "ration/RationMengen.h"
#include "ration/RationTabelle.h"
#include "ration/RationUebernahme.h"
#include "ration/ui/RationTierErstellenFenster.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTreeWidget>

namespace kelvora {

namespace {

const QString Frischmasse = QStringLiteral("Frischmasse");
const QString Trockenmasse = QStringLiteral("Trockenmasse");

QString FutterDatenbank()
{
    return PfadHolen(QStringLiteral("Futter"));
}

bool IstEingabe(const QKeyEvent* e)
{
    return e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
}

bool IstPfeil(const QKeyEvent* e)
{
    return e->key() == Qt::Key_Up || e->key() == Qt::Key_Down;
}

} // namespace

bool RationTierErstellenFenster::DrueckenWennBereit(QPushButton* knopf)
{
    if (!knopf->isEnabled())
        return false;
    knopf->click();
    return true;
}

void RationTierErstellenFenster::FutterHinzufuegen()
{
    const ZuBearbeitendeZeile zeile = GezogenesFutterHinzufuegen(FutterDatenbank());
    if (zeile.offen)
        MengenEditorOeffnen(zeile.id, zeile.frischMenge);
}

void RationTierErstellenFenster::MengenEditorPlatzieren()
{
    frmDetails->adjustSize();
    frmDetails->move((width() - frmDetails->width()) / 2, (height() - frmDetails->height()) / 2);
}

void RationTierErstellenFenster::MengenEditorBefehleSperren(bool gesperrt)
{
    // Nothing may change the ration behind the feed being edited.
    for (QWidget* w : std::initializer_list<QWidget*>{cmdNeuBerechnen, cmdRationLoeschen, lvwListe,
                                                      LoeschEreignisAufrufen, cmdInVariableUmwandeln})
        w->setEnabled(!gesperrt);
}

void RationTierErstellenFenster::MengenEditorOeffnen(long id, double frischMenge)
{
    Verbindung v;
    if (!DatenbankOeffnen(v, FutterDatenbank()))
        return;

    // A fresh start: nothing of an earlier feed may stay in the boxes.
    lblFutterIDAnzeige->clear();
    lblFuttermittelAnzeige->clear();
    for (QLineEdit* t : {txtFrischmasse, txtTrockenmasse, txtProzentAnteil})
        t->clear();
    for (QWidget* w : std::as_const(editorTeile))
        w->show();
    MengenEditorPlatzieren();
    frmDetails->show();
    frmDetails->raise();
    MengenEditorBefehleSperren(true);

    if (const auto zeile = RationZeileMitID(v, id)) {
        lblFutterIDAnzeige->setText(QString::number(zeile->futterID));
        const QString name = FutterWert(v, zeile->futterID, FutterCode::ArtUndBezeichnung).toString();
        lblFuttermittelAnzeige->setText(name);
        lblFuttermittelAnzeige->setToolTip(name);
        // The whole name, so that 16/3 and 18/3 can be told apart: on one
        // line while the window has room, wrapped beyond that.
        const QFontMetrics mass = lblFuttermittelAnzeige->fontMetrics();
        lblFuttermittelAnzeige->setMinimumWidth(std::max(
            mass.averageCharWidth() * 40, std::min(mass.horizontalAdvance(name) + 4, width() * 2 / 3)));
        // The mark starts as the row is stored, so that taking over without
        // typing keeps a free feed free and a fixed one fixed.
        FixeMenge->setChecked(zeile->fixeMenge != 0);
        AktuellesMengenfeld = Frischmasse;
        txtFrischmasse->setText(Formatieren(frischMenge, MengenMaske()));
        double anteil = zeile->prozentAnteil;
        if (!FixeMenge->isChecked() && anteil == 0) {
            // A free feed without a share is offered what the other free
            // feeds leave of 100 %.
            QList<RationZeile> zeilen;
            if (RationZeilenLesen(v, zeilen))
                anteil = AnteilVorschlag(zeilen, zeile->id);
        }
        txtProzentAnteil->setText(Formatieren(anteil, MengenMaske()));
        frischGespeichert = frischMenge;
        anteilGespeichert = anteil;
    }
    frischGezeigt = txtFrischmasse->text();
    anteilGezeigt = txtProzentAnteil->text();
    MengenEditorPlatzieren();
    // The editor comes to the front with its window, also over the feed
    // list a feed was dragged from.
    if (QMdiSubWindow* sub = UnterfensterVon(this); sub && haupt) {
        haupt->Arbeitsbereich()->setActiveSubWindow(sub);
        sub->raise();
    }
    activateWindow();
    // Whatever the user types next replaces the proposed amount.
    FeldMarkieren(!txtFrischmasse->isHidden() ? txtFrischmasse : txtProzentAnteil);
}

void RationTierErstellenFenster::MengenEditorSchliessen()
{
    lblFutterIDAnzeige->clear();
    lblFuttermittelAnzeige->clear();
    for (QLineEdit* t : {txtFrischmasse, txtTrockenmasse, txtProzentAnteil})
        t->clear();
    const bool hatteFokus = frmDetails->isAncestorOf(focusWidget());
    for (QWidget* w : std::as_const(editorTeile))
        w->hide();
    frmDetails->hide();
    MengenEditorBefehleSperren(false);
    if (hatteFokus)
        lvwListe->setFocus();
}

long RationTierErstellenFenster::TMGrammDesFutters() const
{
    const long futterID = TextInLong(lblFutterIDAnzeige->text());
    Verbindung v;
    if (futterID <= 0 || !DatenbankOeffnen(v, FutterDatenbank()))
        return 0;
    return R(FutterWert(v, futterID, FutterCode::TM_g).toDouble());
}

void RationTierErstellenFenster::FrischmasseGeaendert()
{
    if (AktuellesMengenfeld != Frischmasse)
        return;
    const double frisch = TextInDouble(txtFrischmasse->text());
    if (frisch <= 0)
        return;
    if (const auto trocken = FrischInTrocken(frisch, TMGrammDesFutters()))
        txtTrockenmasse->setText(Formatieren(*trocken, MengenMaske()));
}

void RationTierErstellenFenster::TrockenmasseGeaendert()
{
    if (AktuellesMengenfeld != Trockenmasse)
        return;
    const double trocken = TextInDouble(txtTrockenmasse->text());
    if (trocken <= 0)
        return;
    if (const auto frisch = TrockenInFrisch(trocken, TMGrammDesFutters()))
        txtFrischmasse->setText(Formatieren(*frisch, MengenMaske()));
}

bool RationTierErstellenFenster::MengenfeldTaste(QLineEdit* feld, QKeyEvent* e, bool gedrueckt)
{
    if (!gedrueckt) {
        // Whatever is typed in kilograms is a fixed amount.
        txtProzentAnteil->clear();
        FixeMenge->setChecked(true);
        return false;
    }
    AktuellesMengenfeld = feld == txtFrischmasse ? Frischmasse : Trockenmasse;
    if (IstPfeil(e)) {
        if (const auto neu = MengenSchritt(TextInDouble(feld->text()), e->key() == Qt::Key_Up)) {
            feld->setText(Formatieren(*neu, MengenMaske()));
            feld->selectAll();
        }
        return true;
    }
    if (IstEingabe(e)) {
        DrueckenWennBereit(cmdUebernehmen);
        return true;
    }
    return false;
}

bool RationTierErstellenFenster::AnteilTaste(QKeyEvent* e)
{
    // A typed share makes a free feed: the kilogram boxes no longer count.
    txtFrischmasse->clear();
    txtTrockenmasse->clear();
    FixeMenge->setChecked(false);
    if (IstPfeil(e)) {
        if (const auto neu = AnteilSchritt(TextInDouble(txtProzentAnteil->text()), e->key() == Qt::Key_Up)) {
            txtProzentAnteil->setText(Formatieren(*neu, MengenMaske()));
            txtProzentAnteil->selectAll();
        }
        return true;
    }
    if (IstEingabe(e)) {
        DrueckenWennBereit(cmdUebernehmen);
        return true;
    }
    return false;
}

void RationTierErstellenFenster::Uebernehmen()
{
    MengenTexte texte;
    texte.frisch = txtFrischmasse->text();
    texte.trocken = txtTrockenmasse->text();
    texte.anteil = txtProzentAnteil->text();
    texte.frischSichtbar = !txtFrischmasse->isHidden();
    texte.anteilSichtbar = !txtProzentAnteil->isHidden();
    texte.fix = FixeMenge->isChecked();
    texte.frischGezeigt = frischGezeigt;
    texte.anteilGezeigt = anteilGezeigt;
    texte.frischGespeichert = frischGespeichert;
    texte.anteilGespeichert = anteilGespeichert;

    MengenEingabe eingabe;
    switch (MengenEingabePruefen(texte, eingabe)) {
    case MengenFehler::Anteil:
        FeldMarkieren(txtProzentAnteil);
        return;
    case MengenFehler::Frischmasse:
        FeldMarkieren(txtFrischmasse);
        return;
    case MengenFehler::Trockenmasse:
        FeldMarkieren(txtTrockenmasse);
        return;
    case MengenFehler::Keiner:
        break;
    }
    eingabe.futterID = TextInLong(lblFutterIDAnzeige->text());
    if (eingabe.futterID <= 0)
        return;

    // Not written: the editor stays open with what was typed, so that the
    // user can try again once the cause is gone.
    if (!MengeInRationSchreiben(FutterDatenbank(), eingabe))
        return;
    MengenEditorSchliessen();
    TMAusgeglichen = false;
    NDFAusgeglichen = false;
    RationAuswerten();
}

void RationTierErstellenFenster::AusListeOeffnen()
{
    long index = 0;
    if (MarkierteZeilen(lvwListe, index) != 1)
        return;
    const QTreeWidgetItem* zeile = lvwListe->topLevelItem(static_cast<int>(index) - 1);
    const long id = zeile ? TextInLong(zeile->text(lvwListe->columnCount() - 1)) : 0;
    if (id == 0)
        return;
    Verbindung v;
    if (!DatenbankOeffnen(v, FutterDatenbank()))
        return;
    const double frisch = RationFrischMenge(v, id);
    v.Schliessen();
    MengenEditorOeffnen(id, frisch);
}

} // namespace kelvora
