#pragma once
// What a printed table is made of, independent of any printer: the columns
// of a list with header, alignment and width, its lines in list order, the
// page geometry in millimetres, where the columns stand on the page, and how
// a text is fitted into a width. Painting all this is FunktionenDrucker's job.

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

namespace kelvora {

enum class DruckAusrichtung { Links, Rechts, Mitte };

// One column of a list as the table print sees it.
struct DruckSpalte {
    QString kopf; // header text, at most KopfLaenge characters
    DruckAusrichtung ausrichtung = DruckAusrichtung::Links;
    double breite = 0; // in any unit (the list's own); 0: the column is not printed
};

// A list to print: the columns and, per line, one text per column.
struct DruckListe {
    QList<DruckSpalte> spalten;
    QList<QStringList> zeilen;
};

// Header texts are cut to this length.
inline constexpr int KopfLaenge = 50;

// The page in millimetres from the top left corner of the paper: paper size
// and the body between the margins (left 20, top 21, right and bottom 20).
struct Seitengeometrie {
    double breite = 0; // paper
    double hoehe = 0;
    double links = 0; // body
    double oben = 0;
    double rechts = 0;
    double unten = 0;
};

Seitengeometrie SeitengeometrieFuer(double papierBreite, double papierHoehe);
// A4: 297 x 210 in landscape, 210 x 297 in portrait.
Seitengeometrie SeitengeometrieA4(bool querformat);

// Place of a printed column on the page.
struct SpaltenLage {
    double x = 0;
    double breite = 0; // 0 for a column that is not printed
};

// Scales the column widths so that their sum fills links..rechts; a column
// of width 0 (or less) gets width 0 and takes no room.
QList<SpaltenLage> SpaltenVerteilen(const QList<DruckSpalte>& spalten, double links, double rechts);

// The width of a text in the unit of the width it is fitted into.
using TextBreite = std::function<double(const QString&)>;

// The text itself when it fits; otherwise the longest beginning followed by
// "..." that fits (blanks before the dots dropped); empty when not even the
// dots fit.
QString TextKuerzen(const QString& text, double breite, const TextBreite& messen);

// The text broken into lines that fit: each line is the longest beginning
// that fits, cut back to its last blank or to just after its last hyphen or
// full stop (a word longer than the width is cut where it stops fitting).
// Always at least one line.
QStringList TextUmbrechen(const QString& text, double breite, const TextBreite& messen);

} // namespace kelvora
