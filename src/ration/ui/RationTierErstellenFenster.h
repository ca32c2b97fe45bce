#pragma once
// The ration window: the one current ration of one cow. Feeds come in by
// drag and drop, amounts are typed in the amount editor frmDetails, and every
// change is followed by the evaluation, whose lines and figures the window
// shows. The window computes no nutrition itself.

#include "ration/RationAuswerten.h"

#include <QStringList>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QTreeWidget;

namespace kelvora {

class ErgebnisFenster;
class RationGfEBlock;
class VersorgungsDiagramm;
class Hauptrahmen;
struct ListenMarkierung;
struct TierEingaben;

class RationTierErstellenFenster : public QWidget {
    Q_OBJECT
public:
    explicit RationTierErstellenFenster(Hauptrahmen* haupt, QWidget* parent = nullptr);
    ~RationTierErstellenFenster() override;

    // Removes all columns and lines of lvwListe and sets up its fourteen
    // columns; widths are shares of the list's inner width.
    void SpaltenEinrichten();
    // The widths again for the list's width now; the window calls it when
    // it is resized, so that a larger screen gives the names more room.
    void SpaltenBreitenSetzen();
    // Appends one line: column 0 empty, columns 1 to 12 from texte, the
    // Ration row ID in column 13.
    void ZeileHinzufuegen(long id, const QStringList& texte);

    // Evaluates the ration with the window's animal inputs and shows it.
    void RationAuswerten();
    TierEingaben AktuelleTiereingaben();
    // For the layers above: a widget at the top of the left column, and the
    // inputs read from KELVORA.INI again (then evaluated) after table Ration
    // and the inputs were replaced there.
    void LeisteEinsetzen(QWidget* leiste);
    void TiereingabenNeuLesen();

signals:
    void Ausgewertet();  // after every evaluation the window ran

public:

    // The amount editor for one Ration row.
    void MengenEditorOeffnen(long id, double frischMenge);
    void MengenEditorSchliessen();

    // Takes the dragged feed (programm().ZiehFutterID) into the ration.
    void FutterHinzufuegen();

    // Prints the list as it is shown, with the overview page, through the
    // print preview.
    void Drucken();

    // "Frischmasse" or "Trockenmasse": the amount box the user typed in last;
    // only that box converts into the other one.
    QString AktuellesMengenfeld;
    // "TM" or "NDF": the balancing that ran last.
    QString LetzterAusgleich;
    bool TMAusgeglichen = false;
    bool NDFAusgeglichen = false;

protected:
    bool eventFilter(QObject* objekt, QEvent* ereignis) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dragMoveEvent(QDragMoveEvent* e) override;
    void dropEvent(QDropEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    // Building the window (RationTierErstellenFenster.cpp).
    void SteuerelementeAufbauen();
    QGroupBox* MengenEditorAufbauen();
    QWidget* TiereingabenAufbauen();
    QWidget* BefehleAufbauen();
    void Laden();
    QPushButton* Befehl(const QString& name, const QString& text, const QString& tipp);
    bool FensterTaste(const QKeyEvent* e);  // Esc and F3, wherever released
    void ListenMenueZeigen(const QPoint& globalePosition);

    // Puts the focus into a box with its whole text selected, so that what
    // the user types next replaces it.
    static void FeldMarkieren(QLineEdit* feld);
    // Checks the text of txtMilch, txtFett or txtMilchpreis. A number inside
    // its limits becomes the last good value and is kept in the INI at once,
    // so that commands and other windows reckon with the cow shown here;
    // anything else is refused with a message naming the field, and the box
    // gets its last good value back.
    bool TiereingabePruefen(QLineEdit* box);
    // The same without a message, for closing: the value to keep.
    QString GuteTiereingabe(QLineEdit* box);
    QString& GuterWert(QLineEdit* box);
    void TiereingabenSichern();

    // Amount editor (RationMengenEingabe.cpp).
    void MengenEditorPlatzieren();
    void MengenEditorBefehleSperren(bool gesperrt);
    long TMGrammDesFutters() const;
    void FrischmasseGeaendert();
    void TrockenmasseGeaendert();
    bool MengenfeldTaste(QLineEdit* feld, QKeyEvent* e, bool gedrueckt);
    bool AnteilTaste(QKeyEvent* e);
    void Uebernehmen();
    void AusListeOeffnen();
    bool DrueckenWennBereit(QPushButton* knopf);

    // Showing an evaluation (RationAuswertungAnzeigen.cpp).
    QWidget* KennzahlenAufbauen();
    QLabel* Kennzahl(QGridLayout* raster, int zeile, int spalte, const QString& name, const QString& beschriftung,
                     const QString& muster = QStringLiteral("00.000,00"));
    void KennzahlErklaeren(QGridLayout* raster, int zeile, int spalte, const QString& tipp);
    void AuswertungZeigen(const Auswertung& a);
    void ErgebnisFensterAktualisieren(const ErgebnisWerte& werte);
    void ErgebnisBefehleZeigen(bool zeigen);
    bool MilchTaste(QKeyEvent* e);

    // Milk price, feed costs and the least-cost ration (RationKostenBefehle.cpp).
    QWidget* KostenAufbauen();
    void MilchpreisUebernehmen();
    void KostenguenstigOptimieren();

    // Balancing and the commands on the whole ration (RationGanzeBefehle.cpp).
    void GanzeBefehleVerbinden();
    void Ausgleichen(bool nachNDF);
    QList<ListenMarkierung> ListenMarkierungen() const;
    bool ListenTaste(const QKeyEvent* e);

    Hauptrahmen* haupt = nullptr;

    QGroupBox* frmDetails = nullptr;
    QLabel* lblFutterIDAnzeige = nullptr;
    QLabel* lblFuttermittelAnzeige = nullptr;
    QLineEdit* txtFrischmasse = nullptr;
    QLineEdit* txtTrockenmasse = nullptr;
    QLineEdit* txtProzentAnteil = nullptr;
    QCheckBox* FixeMenge = nullptr;
    QPushButton* cmdUebernehmen = nullptr;
    QList<QWidget*> editorTeile;  // labels and boxes shown with the editor
    // The amount and share as the editor opened with them, shown and stored.
    QString frischGezeigt, anteilGezeigt;
    double frischGespeichert = 0, anteilGespeichert = 0;

    QComboBox* Gewicht = nullptr;
    QLineEdit* txtMilch = nullptr;
    QLineEdit* txtFett = nullptr;
    QLineEdit* txtMilchpreis = nullptr;

    QPushButton* cmdTMAusgleichen = nullptr;
    QPushButton* cmdNDFAusgleichen = nullptr;
    QPushButton* cmdOptimieren = nullptr;
    QPushButton* cmdRationLoeschen = nullptr;
    QPushButton* cmdDrucken = nullptr;
    QPushButton* cmdZumErgebnis = nullptr;
    QPushButton* cmdNeuBerechnen = nullptr;
    QPushButton* DropEreignisAufrufen = nullptr;
    QPushButton* LoeschEreignisAufrufen = nullptr;
    QPushButton* cmdInVariableUmwandeln = nullptr;
    QLabel* lblOptimierungHinweis = nullptr;  // what the least-cost ration leaves alone

    QTreeWidget* lvwListe = nullptr;
    // The page "Nach GfE" beside the list: milk protein, "nach GfE" and the German block.
    RationGfEBlock* gfeBlock = nullptr;
    VersorgungsDiagramm* diagramm = nullptr;
    // The figures of the evaluation, page by page.
    QTabWidget* tabAuswertung = nullptr;

    bool laedt = true;  // the weight list is being filled: no evaluation yet
    // Every figure label as it is shown now: a run that leaves a label alone
    // leaves its entry alone too.
    QList<Anzeige> angezeigt;
    // Milk and fat as last checked: what the evaluation uses and the INI keeps.
    QString guteMilch;
    QString gutesFett;
    QString guterMilchpreis;
};

} // namespace kelvora
