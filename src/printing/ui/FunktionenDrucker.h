#pragma once
// Printing on paper or into a PDF: the page frame (identity lines, two
// headings, rule, date and page number), single texts fitted into a width,
// and whole lists as paginated tables. Coordinates are millimetres from the
// top left corner of the paper; a text's y is the top of its first line.
//
// These functions paint through QPainter, so they need Qt's GUI module and
// live with the windows, not in the logic library; what they print is
// decided by plain logic (printing/DruckListe.h).

#include "printing/DruckListe.h"

#include <QColor>
#include <QPainter>
#include <QString>
#include <functional>

class QPagedPaintDevice;
class QTreeWidget;

namespace kelvora {

// A4 in the given orientation, painted from the paper's corner (no
// margins of the device's own). Set before painting starts.
void SeiteEinrichten(QPagedPaintDevice& geraet, bool querformat);

// The program's print font: "Arial", or the closest sans-serif font
// installed.
QFont DruckSchrift(double punkte, bool fett = false, bool kursiv = false);

class Drucker {
public:
    // Starts painting on the device; Bereit() tells whether it could.
    explicit Drucker(QPagedPaintDevice& geraet);
    ~Drucker();
    Drucker(const Drucker&) = delete;
    Drucker& operator=(const Drucker&) = delete;

    bool Bereit() const;

    // Starts page seite (a new sheet from the second page on) and prints its
    // frame: identity lines, headings, with rahmenOption 1 a rule under them,
    // date and "Seite  N". False when the printer is not available.
    bool SeitenRahmenDrucken(
        int seite, const QString& ueberschrift1, const QString& ueberschrift2, int rahmenOption = 1);

    // Prints text at (x, y) within breite: left from x, right-aligned so that
    // it ends at x + breite, or centred. A text too wide is shortened with
    // "..." or, with umbrechen, wrapped at blanks. Returns the position
    // below the last printed line. A width of 0 or less is a caller error
    // and prints nothing.
    double TextDrucken(double x, double y, const QString& text, DruckAusrichtung ausrichtung, double punkte, bool fett,
        bool kursiv, double breite, bool umbrechen = false);

    // Prints the whole list as a table of pages, each with its frame and the
    // header row. Empty lists and lists without columns are refused with a
    // message. letztePosition receives the vertical position below the last
    // row. The document stays open for further pages.
    bool ListeDrucken(const DruckListe& liste, const QString& ueberschrift1, const QString& ueberschrift2,
        int rahmenOption, double punkte, double* letztePosition = nullptr);
    // The same, beginning at y on the current page when its header row and
    // two rows still fit there (a second table below a first one), else on
    // a new page.
    bool ListeDruckenAb(const DruckListe& liste, const QString& ueberschrift1, const QString& ueberschrift2,
        int rahmenOption, double punkte, double y, double* letztePosition = nullptr);

    // Small drawing helpers for report pages.
    void Linie(double x1, double y1, double x2, double y2, double staerke = 0.2, const QColor& farbe = Qt::black);
    void Flaeche(double x, double y, double breite, double hoehe, const QColor& fuellung, bool rand = false);
    // Height of one printed line in the font size.
    double Zeilenhoehe(double punkte, bool fett = false) const;
    // Width of a text in millimetres.
    double Textbreite(const QString& text, double punkte, bool fett = false) const;

    // Lets malen paint into the rectangle (in mm) on the page, for what
    // draws itself, like a chart; malen gets the rectangle in device units.
    void Malen(double x, double y, double breite, double hoehe,
        const std::function<void(QPainter&, const QRectF&)>& malen);

    const Seitengeometrie& Geometrie() const { return geometrie; }
    int Seite() const { return seite; }

    // Ends the document; false when the printer failed.
    bool Beenden();

private:
    double Punkt(double mm) const { return mm * punkteJeMm; }
    void SchriftSetzen(double punkte, bool fett, bool kursiv);
    double KopfzeileDrucken(const DruckListe& liste, const QList<SpaltenLage>& lagen, double y, double zeilenPunkte);

    QPagedPaintDevice& geraet;
    QPainter maler;
    double punkteJeMm = 1;
    Seitengeometrie geometrie;
    int seite = 0;
    bool fehlerGemeldet = false;
};

// Shows the table print's message for an empty list or a list without
// columns and returns false; true when the list can be printed. Callers
// check before they open a preview.
bool ListeDruckbar(const DruckListe& liste);

// A list view as it is on screen: its header texts, alignments and current
// column widths (hidden columns 0) and every line's texts.
DruckListe ListeAusAnsicht(const QTreeWidget* liste);

} // namespace kelvora
