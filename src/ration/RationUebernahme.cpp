#include "ration/RationUebernahme.h"

#include "database/DatenbankRoutinen.h"
#include "grundlagen/Formate.h"
#include "grundlagen/ZahlText.h"
#include "frame/Oberflaeche.h"
#include "ration/Eingabegrenzen.h"
#include "ration/RationAnteile.h"
#include "ration/RationTabelle.h"

#include <cmath>

namespace kelvora {

namespace {

// Whole per cent as such; a sum just off 100 with the two decimals the
// shares are shown with, so that it never reads as the 100 % it is not.
QString SummeText(double summe)
{
    const bool ganz = std::abs(summe - std::round(summe)) < 0.005;
    return Formatieren(summe, ganz ? QStringLiteral("##0") : QStringLiteral("##0.00")) + QStringLiteral(" %.\n\n");
}

// Unchanged text stands for the stored value it was rounded from.
double WieGespeichert(const QString& text, const QString& gezeigt, double gespeichert, double gelesen)
{
    return !gezeigt.isEmpty() && text.trimmed() == gezeigt.trimmed() ? gespeichert : gelesen;
}

bool Frage(const QString& text, const QString& titel)
{
    return MsgBox(text, Knoepfe::JaNein, Symbol::Frage, Antwort::Nein, titel) == Antwort::Ja;
}

const QString AnteileFehlgeschlagen = QStringLiteral("Die Anteile konnten nicht auf 100 % gebracht werden.");

// All new shares or none.
bool AnteileSchreiben(Verbindung& v, const QList<NeuerAnteil>& neu)
{
    Transaktion t(v);
    bool ok = t.Beginnen();
    for (const NeuerAnteil& n : neu)
        ok = ok && RationAnteilSchreiben(v, n.id, n.prozentAnteil, true);
    if (ok && t.Bestaetigen())
        return true;
    DatenbankFehlerMelden(v, AnteileFehlgeschlagen);
    return false;
}

// One free feed: it alone makes up the free dry matter.
bool EinzigesFreiesAnbieten(Verbindung& v, const QList<RationZeile>& zeilen, double summe)
{
    const QString text = QStringLiteral("Sie haben derzeit 1 Futtermittel als frei verfügbar eingetragen. Der "
                                        "eingetragene Anteil am gesamten frei verfügbaren Futter beträgt jetzt ")
                         + SummeText(summe)
                         + QStringLiteral("Soll dieses Futtermittel automatisch auf 100% gestellt werden?");
    if (!Frage(text, QStringLiteral("Summe nicht 100%")))
        return true;
    for (const RationZeile& z : zeilen) {
        if (IstFrei(z)) {
            if (RationAnteilSchreiben(v, z.id, 100, false))
                return true;
            DatenbankFehlerMelden(v, AnteileFehlgeschlagen);
            return false;
        }
    }
    return true;
}

// Several free feeds: first offer to keep the edited share and scale the
// others, then to scale all of them.
bool MehrereFreieAnbieten(Verbindung& v, const QList<RationZeile>& zeilen, double summe, long futterID)
{
    const QString anfang = QStringLiteral("Sie haben derzeit mehrere Futtermittel als frei verfügbar eingetragen. "
                                          "Der Summe aller Anteile am gesamten frei verfügbaren Futter beträgt jetzt ")
                           + SummeText(summe);
    if (Frage(anfang
                + QStringLiteral("Sollen alle anderen frei verfügbaren Futtermittel entsprechend ihrer derzeitigen "
                                 "Gewichtung automatisch verändert werden, damit die Summe 100% ergibt?"),
            QStringLiteral("Summe nicht 100% - dieses freie Futtermittel nicht verändern")))
        return AnteileSchreiben(v, AndereFreieAnpassen(zeilen, futterID));
    if (Frage(anfang
                  + QStringLiteral("Sollen alle frei verfügbaren Futtermittel entsprechend ihrer derzeitigen "
                                   "Gewichtung automatisch verändert werden, damit die Summe 100% ergibt?"),
              QStringLiteral("Summe nicht 100% - alle freien Futtermittel verändern")))
        return AnteileSchreiben(v, AlleFreienAnpassen(zeilen));
    return true;
}

// The limits of the amount boxes, named as the editor labels them.
Eingabegrenze FrischmasseFeld()
{
    Eingabegrenze g = MengeGrenze();
    g.feld = QStringLiteral("Menge in kg Frischmasse");
    return g;
}

Eingabegrenze TrockenmasseFeld()
{
    Eingabegrenze g = MengeGrenze();
    g.feld = QStringLiteral("Menge in kg Trockenmasse");
    return g;
}

Eingabegrenze AnteilFeld()
{
    Eingabegrenze g = AnteilGrenze();
    g.feld = QStringLiteral("Anteil in %");
    return g;
}

// An empty box is 0; anything else must read as a number.
std::optional<double> LeerOderZahl(const QString& text)
{
    if (text.trimmed().isEmpty())
        return 0.0;
    return ZahlAusText(text);
}

QString KeineZahl(const Eingabegrenze& grenze, const QString& text)
{
    return ZahlPruefen(grenze, text).meldung;
}

} // namespace

MengenFehler MengenEingabePruefen(const MengenTexte& texte, MengenEingabe& eingabe)
{
    eingabe.anteilSichtbar = texte.anteilSichtbar;
    eingabe.fix = texte.fix;
    eingabe.prozentAnteil = 0;
    if (texte.anteilSichtbar) {
        const std::optional<double> anteil = LeerOderZahl(texte.anteil);
        if (!anteil) {
            MsgBox(KeineZahl(AnteilFeld(), texte.anteil));
            return MengenFehler::Anteil;
        }
        if (*anteil > 100 || *anteil < 0) {
            MsgBox(QStringLiteral("Geben Sie eine Prozentzahl von maximal 100 ein!"));
            return MengenFehler::Anteil;
        }
        eingabe.prozentAnteil = WieGespeichert(texte.anteil, texte.anteilGezeigt, texte.anteilGespeichert, *anteil);
    }
    eingabe.frischMenge = 0;
    if (texte.frischSichtbar) {
        const std::optional<double> frisch = LeerOderZahl(texte.frisch);
        if (!frisch) {
            MsgBox(KeineZahl(FrischmasseFeld(), texte.frisch));
            return MengenFehler::Frischmasse;
        }
        if (*frisch < 0) {
            MsgBox(QStringLiteral("Geben Sie eine positive Zahl ein!"));
            return MengenFehler::Frischmasse;
        }
        // A typing slip of a few digits would otherwise become the ration.
        if (const QString zuViel = GrenzePruefen(FrischmasseFeld(), *frisch); !zuViel.isEmpty()) {
            MsgBox(zuViel);
            return MengenFehler::Frischmasse;
        }
        eingabe.frischMenge = WieGespeichert(texte.frisch, texte.frischGezeigt, texte.frischGespeichert, *frisch);
    }
    // The dry-matter box drives the fresh amount; pasted text there would
    // leave an old fresh amount behind without a word.
    if (texte.fix && !LeerOderZahl(texte.trocken)) {
        MsgBox(KeineZahl(TrockenmasseFeld(), texte.trocken));
        return MengenFehler::Trockenmasse;
    }
    return MengenFehler::Keiner;
}

bool MengeInRationSchreiben(const QString& datenbankPfad, const MengenEingabe& eingabe)
{
    const QString fehlgeschlagen = QStringLiteral("Die Menge konnte nicht in die Ration übernommen werden.");
    Verbindung v;
    if (!DatenbankOeffnen(v, datenbankPfad))
        return false;

    const int fix = eingabe.fix ? 1 : 0;
    QList<RationZeile> zeilen;
    if (!RationZeilenLesen(v, zeilen)) {
        DatenbankFehlerMelden(v, fehlgeschlagen);
        return false;
    }
    // The amount is one action; the offers that follow are the user's next
    // decisions and write on their own.
    {
        Transaktion t(v);
        bool ok = t.Beginnen();
        bool gefunden = false;
        for (const RationZeile& z : std::as_const(zeilen)) {
            if (z.futterID != eingabe.futterID)
                continue;
            ok = ok && RationZeileSchreiben(v, z.id, eingabe.frischMenge, eingabe.prozentAnteil, fix);
            gefunden = true;
        }
        if (!gefunden)
            ok = ok && RationZeileAnhaengen(v, eingabe.futterID, eingabe.frischMenge, eingabe.prozentAnteil, fix) > 0;
        if (!ok || !t.Bestaetigen()) {
            DatenbankFehlerMelden(v, fehlgeschlagen);
            return false;
        }
    }

    // The offers work on the table as it is now.
    if (!RationZeilenLesen(v, zeilen)) {
        DatenbankFehlerMelden(v, AnteileFehlgeschlagen);
        return false;
    }
    const FreieAnteile frei = FreieAnteileZaehlen(zeilen);
    if (AnteileVollstaendig(frei))
        return true;
    if (frei.anzahl == 1)
        return EinzigesFreiesAnbieten(v, zeilen, frei.summe);
    return MehrereFreieAnbieten(v, zeilen, frei.summe, eingabe.futterID);
}

} // namespace kelvora
