#pragma once
// The printed ration report: the ration list exactly as the ration window
// shows it, and an overview page with the animal inputs, every figure of
// the ration window with its value and traffic-light state, the supply
// messages and, after both balancings, the result window's comparison.
// Everything here is text and state; printing/ui paints it.

#include "printing/DruckListe.h"
#include "ration/RationAuswerten.h"
#include "ration/Versorgungsbalken.h"

#include <QList>
#include <QString>
#include <optional>

namespace kelvora {

// A column of the ration list lvwListe: key, header text, share of the
// list's inner width (0: hidden) and alignment.
struct RationListenSpalte {
    const char* schluessel;
    const char* kopf;
    double anteil;
    bool rechts;
};

// The fourteen columns in their order; the last one carries the Ration row ID.
const QList<RationListenSpalte>& RationListenSpalten();

// The columns' widths in a list innen pixels wide: each its share, but at
// least mindestens[i] (what its header and its numbers need), so that nothing
// is cut. What the narrow columns take beyond their share comes out of
// "Bezeichnung", which keeps at least its own minimum. Hidden columns: 0.
QList<int> RationSpaltenBreiten(double innen, const QList<int>& mindestens);

// The lines of an evaluation as lvwListe shows them, with the columns'
// shares as widths (hidden columns 0). What the command line prints; the
// window prints its list as it is on screen, which gives the same table.
DruckListe RationListeZumDruck(const QList<ListenZeile>& zeilen);

// The traffic-light state of a figure.
enum class Bewertung { OhnePruefung, ImBereich, Ausserhalb };

// "im Bereich", "außerhalb" or empty: the word printed beside the coloured
// box, so that a black-and-white printout still shows the state.
QString BewertungText(Bewertung bewertung);

struct BerichtKennzahl {
    QString gruppe; // shown on the first figure of its group
    QString name; // objectName of the figure label
    QString wert; // text as the label shows it
    QString einheit; // caption beside the figure
    QString ziel; // the limit the check applies; empty without a check
    Bewertung bewertung = Bewertung::OhnePruefung;
    qint64 farbe = 0; // window-system colour of the label's background; 0 none
};

struct BerichtHinweis {
    QString text;
    Bewertung bewertung = Bewertung::ImBereich;
    qint64 farbe = 0;
};

// The result window as it shows itself; a hidden deviation is empty.
struct ErgebnisTabelle {
    ErgebnisSpalte soll;
    ErgebnisSpalte istNDF;
    ErgebnisSpalte abweichungNDF;
    ErgebnisSpalte istTMA;
    ErgebnisSpalte abweichungTMA;
};

// Row captions of the result window ("NEL" ... "Phosphor").
QString ErgebnisZeilenText(int zeile);

// The animal inputs as the window shows them.
struct BerichtTier {
    QString gewicht; // text of the weight class, e.g. "600-650"
    QString milch;
    QString fett;
    QString milchpreis; // € per kg; empty: not printed
};

// The milk price as the report prints it: two decimals; empty without a
// price the evaluation could use.
QString BerichtMilchpreis(std::optional<double> preis);

// A cost figure of the ration window: its caption and its text.
struct BerichtKosten {
    QString beschriftung;
    QString wert;
};

struct RationBericht {
    DruckListe liste;
    BerichtTier tier;
    QList<BerichtKennzahl> kennzahlen;
    QList<BerichtKennzahl> gfe; // nXP, RNB, Mg, Na, K and trace elements by the German standard
    QStringList gfeHinweise; // the feeds without a value, for each figure that is incomplete
    QList<BerichtHinweis> versorgung; // crude protein, NEL
    QList<BerichtKosten> kosten; // those the evaluation set, in the window's order
    QString kostenTipp; // why a figure is missing or incomplete (the feeds without price)
    std::optional<ErgebnisTabelle> ergebnis;
    QList<Versorgungsbalken> balken; // the supply chart; none leaves it out
    QString ueberschrift; // the pages' heading; empty: "Übersicht"
};

// Puts the report together from what the window (or the command line)
// shows: the list, the animal inputs, the figure labels (as in
// Auswertung::anzeigen; a label not set shows nothing) and, when both
// balancings ran, the result window's table.
RationBericht RationBerichtErstellen(
    DruckListe liste, const BerichtTier& tier, const QList<Anzeige>& anzeigen, std::optional<ErgebnisTabelle> ergebnis);

// The suggested file name of the report as a PDF, e.g. "Ration 06.12.2026.pdf".
QString RationBerichtDateiname(const QDate& tag);

} // namespace kelvora
