#include "printing/ui/FunktionenDrucker.h"

#include "frame/Oberflaeche.h"
#include "frame/Programm.h"
#include "frame/Protokoll.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QTreeWidget>

namespace kelvora {

namespace {

constexpr double MmJeZoll = 25.4;
constexpr double RahmenPunkte = 8; // date and page number
constexpr double KennungPunkte = 9; // identity lines
constexpr double Zellabstand = 0.5; // gap inside a cell on either side
constexpr double ZeilenZugabe = 1.2; // a table row is this much higher than its text

const QColor KopfGrund(232, 232, 232);
const QColor Trennlinie(190, 190, 190);

bool Leer(const QStringList& texte)
{
    for (const QString& t : texte)
        if (!t.trimmed().isEmpty())
            return false;
    return true;
}

} // namespace

void SeiteEinrichten(QPagedPaintDevice& geraet, bool querformat)
{
    QPageLayout layout(QPageSize(QPageSize::A4), querformat ? QPageLayout::Landscape : QPageLayout::Portrait,
        QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    layout.setMode(QPageLayout::FullPageMode);
    geraet.setPageLayout(layout);
}

QFont DruckSchrift(double punkte, bool fett, bool kursiv)
{
    QFont schrift(QStringLiteral("Arial"));
    // Where Arial is not installed, the font system picks the closest
    // sans-serif face (a metric twin of Arial where there is one).
    schrift.setStyleHint(QFont::SansSerif, QFont::PreferQuality);
    schrift.setPointSizeF(punkte);
    schrift.setBold(fett);
    schrift.setItalic(kursiv);
    return schrift;
}

bool ListeDruckbar(const DruckListe& liste)
{
    if (liste.zeilen.isEmpty()) {
        MsgBox(QStringLiteral("Die Liste ist leer. Druck wird nicht durchgeführt!"), Knoepfe::OK, Symbol::Information,
            Antwort::OK, QStringLiteral("Liste ist leer"));
        return false;
    }
    if (liste.spalten.isEmpty()) {
        MsgBox(QStringLiteral("Die Liste hat keine Spalten!"), Knoepfe::OK, Symbol::Ausrufezeichen, Antwort::OK,
            QStringLiteral("Liste unvollständig"));
        return false;
    }
    return true;
}

DruckListe ListeAusAnsicht(const QTreeWidget* liste)
{
    DruckListe d;
    const QTreeWidgetItem* kopf = liste->headerItem();
    const int spalten = liste->columnCount();
    for (int i = 0; kopf && i < spalten; ++i) {
        const Qt::Alignment a = Qt::Alignment(kopf->textAlignment(i)) & Qt::AlignHorizontal_Mask;
        const DruckAusrichtung ausrichtung = a & Qt::AlignRight ? DruckAusrichtung::Rechts
            : a & Qt::AlignHCenter                              ? DruckAusrichtung::Mitte
                                                                : DruckAusrichtung::Links;
        d.spalten.append({ kopf->text(i).left(KopfLaenge), ausrichtung,
            liste->isColumnHidden(i) ? 0.0 : double(liste->columnWidth(i)) });
    }
    for (int z = 0; z < liste->topLevelItemCount(); ++z) {
        const QTreeWidgetItem* zeile = liste->topLevelItem(z);
        QStringList texte;
        for (int i = 0; i < spalten; ++i)
            texte.append(zeile->text(i));
        d.zeilen.append(texte);
    }
    return d;
}

Drucker::Drucker(QPagedPaintDevice& g)
    : geraet(g)
{
    punkteJeMm = geraet.logicalDpiX() / MmJeZoll;
    if (!maler.begin(&geraet))
        return;
    maler.setRenderHint(QPainter::TextAntialiasing);
    const QPageLayout layout = geraet.pageLayout();
    const QRectF papier = layout.fullRect(QPageLayout::Millimeter);
    geometrie = SeitengeometrieFuer(papier.width(), papier.height());
    // Coordinates count from the paper's corner even where the device
    // paints inside its own margins.
    if (layout.mode() != QPageLayout::FullPageMode) {
        const QRectF innen = layout.paintRect(QPageLayout::Millimeter);
        maler.translate(-Punkt(innen.left()), -Punkt(innen.top()));
    }
}

Drucker::~Drucker()
{
    if (maler.isActive())
        maler.end();
}

bool Drucker::Bereit() const
{
    return maler.isActive();
}

bool Drucker::Beenden()
{
    return maler.isActive() && maler.end();
}

void Drucker::SchriftSetzen(double punkte, bool fett, bool kursiv)
{
    const QFont& jetzt = maler.font();
    if (jetzt.pointSizeF() == punkte && jetzt.bold() == fett && jetzt.italic() == kursiv
        && jetzt.family() == QLatin1String("Arial"))
        return;
    maler.setFont(DruckSchrift(punkte, fett, kursiv));
}

double Drucker::Zeilenhoehe(double punkte, bool fett) const
{
    return QFontMetricsF(DruckSchrift(punkte, fett), &geraet).lineSpacing() / punkteJeMm;
}

double Drucker::Textbreite(const QString& text, double punkte, bool fett) const
{
    return QFontMetricsF(DruckSchrift(punkte, fett), &geraet).horizontalAdvance(text) / punkteJeMm;
}

double Drucker::TextDrucken(double x, double y, const QString& text, DruckAusrichtung ausrichtung, double punkte,
    bool fett, bool kursiv, double breite, bool umbrechen)
{
    if (breite <= 0) {
        MsgBox(QStringLiteral("Der Text „") + text
                + QStringLiteral("“ wird nicht gedruckt. Im Modul 'TextDrucken' fehlt die Breite des Textes. \n\n"
                                 "Bitte informieren Sie den Programmierer!"),
            Knoepfe::OK, Symbol::Information, Antwort::OK, QStringLiteral("Funktion nicht vollständig"));
        return y;
    }
    if (!maler.isActive()) {
        // One report per document: a failed printer would otherwise answer
        // every cell of a long list with the same message.
        if (!fehlerGemeldet) {
            fehlerGemeldet = true;
            FehlerProtokollieren(QStringLiteral(" FunktionenDrucker.General.TextDrucken: Drucker nicht bereit, Text „")
                + text + QStringLiteral("“ nicht gedruckt"));
            MsgBox(QStringLiteral("ungültiger Wert in TextDrucken: Der Drucker nimmt keinen Text an. "
                                  "Bitte prüfen Sie den Drucker und drucken Sie noch einmal."),
                Knoepfe::OK, Symbol::Kritisch, Antwort::OK, QStringLiteral("Fehler"));
        }
        return y;
    }

    SchriftSetzen(punkte, fett, kursiv);
    const QFontMetricsF metrik(maler.font(), &geraet);
    const TextBreite messen = [&](const QString& s) { return metrik.horizontalAdvance(s) / punkteJeMm; };
    const QStringList zeilen
        = umbrechen ? TextUmbrechen(text, breite, messen) : QStringList { TextKuerzen(text, breite, messen) };
    const double hoehe = metrik.lineSpacing() / punkteJeMm;
    for (const QString& zeile : zeilen) {
        double links = x;
        if (ausrichtung != DruckAusrichtung::Links) {
            const double rest = breite - messen(zeile);
            links += ausrichtung == DruckAusrichtung::Rechts ? rest : rest / 2;
        }
        maler.drawText(QPointF(Punkt(links), Punkt(y) + metrik.ascent()), zeile);
        y += hoehe;
    }
    return y;
}

bool Drucker::SeitenRahmenDrucken(
    int neueSeite, const QString& ueberschrift1, const QString& ueberschrift2, int rahmenOption)
{
    if (!maler.isActive())
        return false;
    if (seite > 0 && !geraet.newPage())
        return false;
    seite = neueSeite;
    const Seitengeometrie& g = geometrie;
    const double mitte = (g.links + g.rechts) / 2;

    TextDrucken(mitte, 11, programm().E1, DruckAusrichtung::Rechts, KennungPunkte, false, false, g.rechts - mitte);
    TextDrucken(mitte, 15, programm().E2, DruckAusrichtung::Rechts, KennungPunkte, false, false, g.rechts - mitte);
    TextDrucken(g.links, 10, ueberschrift1, DruckAusrichtung::Links, 12, true, false, mitte - g.links);
    TextDrucken(g.links, 16, ueberschrift2, DruckAusrichtung::Links, 9, false, false, mitte - g.links);
    if (rahmenOption == 1)
        Linie(g.links, 20.2, g.rechts, 20.2, 0.35);

    const double fuss = g.unten + 1;
    Linie(g.links, fuss - 0.3, g.rechts, fuss - 0.3, 0.15, Trennlinie);
    const double halb = (g.rechts - g.links) / 2;
    TextDrucken(g.links, fuss, ui().Jetzt().toString(QStringLiteral("dd.MM.yyyy  hh:mm")), DruckAusrichtung::Links,
        RahmenPunkte, false, false, halb);
    TextDrucken(g.links + halb, fuss, QStringLiteral("Seite  ") + QString::number(seite), DruckAusrichtung::Rechts,
        RahmenPunkte, false, false, halb);
    return true;
}

double Drucker::KopfzeileDrucken(
    const DruckListe& liste, const QList<SpaltenLage>& lagen, double y, double zeilenPunkte)
{
    // Header texts are bold, one point smaller than the lines, and wrap (the
    // list's narrow number columns have long headers); the row is as high
    // as its highest cell.
    const double punkte = zeilenPunkte - 1;
    const auto zelle = [&](qsizetype i, double oben, bool drucken) {
        const SpaltenLage& lage = lagen[i];
        const double abstand = lage.breite > 2 * Zellabstand ? Zellabstand : 0;
        const QString text = liste.spalten[i].kopf.left(KopfLaenge);
        if (!drucken) {
            SchriftSetzen(punkte, true, false);
            const QFontMetricsF metrik(maler.font(), &geraet);
            const auto messen = [&](const QString& s) { return metrik.horizontalAdvance(s) / punkteJeMm; };
            return TextUmbrechen(text, lage.breite - 2 * abstand, messen).size() * metrik.lineSpacing() / punkteJeMm;
        }
        return TextDrucken(lage.x + abstand, oben, text, liste.spalten[i].ausrichtung, punkte, true, false,
                   lage.breite - 2 * abstand, true)
            - oben;
    };
    double hoehe = Zeilenhoehe(punkte, true);
    for (qsizetype i = 0; i < lagen.size(); ++i)
        if (lagen[i].breite > 0)
            hoehe = std::max(hoehe, zelle(i, y, false));
    hoehe += ZeilenZugabe;
    Flaeche(geometrie.links, y, geometrie.rechts - geometrie.links, hoehe, KopfGrund);
    for (qsizetype i = 0; i < lagen.size(); ++i)
        if (lagen[i].breite > 0)
            zelle(i, y + ZeilenZugabe / 2, true);
    y += hoehe;
    Linie(geometrie.links, y, geometrie.rechts, y, 0.3);
    return y;
}

bool Drucker::ListeDrucken(const DruckListe& liste, const QString& ueberschrift1, const QString& ueberschrift2,
    int rahmenOption, double punkte, double* letztePosition)
{
    return ListeDruckenAb(liste, ueberschrift1, ueberschrift2, rahmenOption, punkte, -1, letztePosition);
}

bool Drucker::ListeDruckenAb(const DruckListe& liste, const QString& ueberschrift1, const QString& ueberschrift2,
    int rahmenOption, double punkte, double ab, double* letztePosition)
{
    if (!ListeDruckbar(liste))
        return false;
    const QList<SpaltenLage> lagen = SpaltenVerteilen(liste.spalten, geometrie.links, geometrie.rechts);
    const double zeilenhoehe = Zeilenhoehe(punkte) + ZeilenZugabe;
    // The header row may take two lines.
    const bool hierWeiter = seite > 0 && ab >= geometrie.oben && ab + 4 * zeilenhoehe <= geometrie.unten;
    if (!hierWeiter && !SeitenRahmenDrucken(seite + 1, ueberschrift1, ueberschrift2, rahmenOption))
        return false;
    double y = KopfzeileDrucken(liste, lagen, hierWeiter ? ab : geometrie.oben + 1, punkte);

    for (const QStringList& zeile : liste.zeilen) {
        if (y + zeilenhoehe > geometrie.unten) {
            if (!SeitenRahmenDrucken(seite + 1, ueberschrift1, ueberschrift2, rahmenOption))
                return false;
            y = KopfzeileDrucken(liste, lagen, geometrie.oben + 1, punkte);
        }
        for (qsizetype i = 0; i < lagen.size(); ++i) {
            const SpaltenLage& lage = lagen[i];
            if (lage.breite <= 0)
                continue;
            const double abstand = lage.breite > 2 * Zellabstand ? Zellabstand : 0;
            TextDrucken(lage.x + abstand, y + ZeilenZugabe / 2, zeile.value(i), liste.spalten[i].ausrichtung, punkte,
                false, false, lage.breite - 2 * abstand);
        }
        y += zeilenhoehe;
        if (!Leer(zeile))
            Linie(geometrie.links, y, geometrie.rechts, y, 0.1, Trennlinie);
    }
    if (letztePosition)
        *letztePosition = y;
    return true;
}

void Drucker::Linie(double x1, double y1, double x2, double y2, double staerke, const QColor& farbe)
{
    if (!maler.isActive())
        return;
    maler.setPen(QPen(farbe, Punkt(staerke)));
    maler.drawLine(QPointF(Punkt(x1), Punkt(y1)), QPointF(Punkt(x2), Punkt(y2)));
    maler.setPen(Qt::black);
}

void Drucker::Malen(double x, double y, double breite, double hoehe,
    const std::function<void(QPainter&, const QRectF&)>& malen)
{
    if (!maler.isActive())
        return;
    maler.save();
    malen(maler, QRectF(Punkt(x), Punkt(y), Punkt(breite), Punkt(hoehe)));
    maler.restore();
}

void Drucker::Flaeche(double x, double y, double breite, double hoehe, const QColor& fuellung, bool rand)
{
    if (!maler.isActive())
        return;
    const QRectF r(Punkt(x), Punkt(y), Punkt(breite), Punkt(hoehe));
    maler.fillRect(r, fuellung);
    if (rand) {
        maler.setPen(QPen(Qt::black, Punkt(0.2)));
        maler.setBrush(Qt::NoBrush);
        maler.drawRect(r);
        maler.setPen(Qt::black);
    }
}

} // namespace kelvora
