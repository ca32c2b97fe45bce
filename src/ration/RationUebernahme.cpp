#include "ration/RationUebernahme.h"

#include "database/DatenbankRoutinen.h"
#include "database/Formate.h"
#include "frame/Oberflaeche.h"
#include "ration/RationAnteile.h"
#include "ration/RationTabelle.h"

namespace kelvora {

namespace {

QString SummeText(double summe)
{
    return Formatieren(summe, QStringLiteral("##0")) + QStringLiteral(" %.\n\n");
}

bool Frage(const QString& text, const QString& titel)
{
    return MsgBox(text, Knoepfe::JaNein, Symbol::Frage, Antwort::Nein, titel) == Antwort::Ja;
}

void AnteileSchreiben(Verbindung& v, const QList<NeuerAnteil>& neu)
{
    for (const NeuerAnteil& n : neu)
        RationAnteilSchreiben(v, n.id, n.prozentAnteil, true);
}

// One free feed: it alone makes up the free dry matter.
void EinzigesFreiesAnbieten(Verbindung& v, const QList<RationZeile>& zeilen, double summe)
{
    const QString text = QStringLiteral("Sie haben derzeit 1 Futtermittel als frei verfügbar eingetragen. Der "
                                        "eingetragene Anteil am gesamten frei verfügbaren Futter beträgt jetzt ")
                         + SummeText(summe)
                         + QStringLiteral("Soll dieses Futtermittel automatisch auf 100% gestellt werden?");
    if (!Frage(text, QStringLiteral("Summe nicht 100%")))
        return;
    for (const RationZeile& z : zeilen) {
        if (IstFrei(z)) {
            RationAnteilSchreiben(v, z.id, 100, false);
            return;
        }
    }
}

// Several free feeds: first offer to keep the edited share and scale the
// others, then to scale all of them.
void MehrereFreieAnbieten(Verbindung& v, const QList<RationZeile>& zeilen, double summe, long futterID)
{
    const QString anfang = QStringLiteral("Sie haben derzeit mehrere Futtermittel als frei verfügbar eingetragen. "
                                          "Der Summe aller Anteile am gesamten frei verfügbaren Futter beträgt jetzt ")
                           + SummeText(summe);
    if (Frage(anfang
                  + QStringLiteral("Sollen alle anderen frei verfügbaren Futtermittel entsprechend ihrer derzeitigen "
                                   "Gewichtung automatisch verändert werden, damit die Summe 100% ergibt?"),
              QStringLiteral("Summe nicht 100% - dieses freie Futtermittel nicht verändern"))) {
        AnteileSchreiben(v, AndereFreieAnpassen(zeilen, futterID));
        return;
    }
    if (Frage(anfang
                  + QStringLiteral("Sollen alle frei verfügbaren Futtermittel entsprechend ihrer derzeitigen "
                                   "Gewichtung automatisch verändert werden, damit die Summe 100% ergibt?"),
              QStringLiteral("Summe nicht 100% - alle freien Futtermittel verändern")))
        AnteileSchreiben(v, AlleFreienAnpassen(zeilen));
}

} // namespace

MengenFehler MengenEingabePruefen(const MengenEingabe& eingabe)
{
    if (eingabe.anteilSichtbar && (eingabe.prozentAnteil > 100 || eingabe.prozentAnteil < 0)) {
        MsgBox(QStringLiteral("Geben Sie eine Prozentzahl von maximal 100 ein!"));
        return MengenFehler::Anteil;
    }
    if (eingabe.frischMenge < 0) {
        MsgBox(QStringLiteral("Geben Sie eine positive Zahl ein!"));
        return MengenFehler::Frischmasse;
    }
    return MengenFehler::Keiner;
}

bool MengeInRationSchreiben(const QString& datenbankPfad, const MengenEingabe& eingabe)
{
    Verbindung v;
    if (!DatenbankOeffnen(v, datenbankPfad))
        return false;

    const int fix = eingabe.fix ? 1 : 0;
    QList<RationZeile> zeilen;
    RationZeilenLesen(v, zeilen);
    bool gefunden = false;
    for (const RationZeile& z : std::as_const(zeilen)) {
        if (z.futterID != eingabe.futterID)
            continue;
        RationZeileSchreiben(v, z.id, eingabe.frischMenge, eingabe.prozentAnteil, fix);
        gefunden = true;
    }
    if (!gefunden)
        RationZeileAnhaengen(v, eingabe.futterID, eingabe.frischMenge, eingabe.prozentAnteil, fix);

    // The offers work on the table as it is now.
    RationZeilenLesen(v, zeilen);
    const FreieAnteile frei = FreieAnteileZaehlen(zeilen);
    if (AnteileVollstaendig(frei))
        return true;
    if (frei.anzahl == 1)
        EinzigesFreiesAnbieten(v, zeilen, frei.summe);
    else
        MehrereFreieAnbieten(v, zeilen, frei.summe, eingabe.futterID);
    return true;
}

} // namespace kelvora
