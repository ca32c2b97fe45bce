#include "herde/RationenBewerten.h"

#include "database/DatenbankRoutinen.h"
#include "feeds/FutterbezogeneRoutinen.h"
#include "frame/Oberflaeche.h"

#include <QHash>

namespace kelvora {

// ------------------------------------------------------------ evaluation

std::optional<double> RationsBewertung::EinkommenGruppe() const
{
    if (!einkommenJeKuh)
        return std::nullopt;
    return *einkommenJeKuh * static_cast<double>(ration.tiere);
}

RationsBewertung RationBewerten(const BenannteRation& ration, const FutterWertFunktion& wert, int monat)
{
    RationsBewertung b;
    b.ration = ration;
    const QList<RationZeile> zeilen = ration.Zeilen();
    b.auswertung = RationBerechnen(TierAusRation(ration, monat), zeilen, wert);
    b.kosten = FutterkostenBerechnen(zeilen, wert);
    if (b.kosten.Vollstaendig() && ration.milchpreis)
        b.einkommenJeKuh = ration.milch * *ration.milchpreis - b.kosten.jeTag;
    return b;
}

bool RationenBewerten(const QString& pfad, const QStringList& namen, QList<RationsBewertung>& ergebnis, bool* abgelehnt)
{
    ergebnis.clear();
    if (abgelehnt)
        *abgelehnt = false;
    auto ablehnen = [abgelehnt](const QString& text) {
        if (abgelehnt)
            *abgelehnt = true;
        MsgBox(text, Knoepfe::OK, Symbol::Ausrufezeichen);
        return false;
    };
    Verbindung v;
    if (!RationenDatenbankOeffnen(v, pfad))
        return false;
    QString ablehnung;
    const bool gelesen = Lesend(v, [&] {
        QList<BenannteRation> rationen;
        for (const QString& name : namen) {
            BenannteRation r;
            bool gefunden = false;
            if (!RationLesen(v, name, r, gefunden))
                return false;
            ablehnung = gefunden ? GespeicherteRationFehler(r)
                                 : QStringLiteral("Eine gespeicherte Ration ") + Genannt(name.trimmed())
                    + QStringLiteral(" gibt es nicht.");
            if (!ablehnung.isEmpty())
                return true;
            rationen.append(r);
        }
        const int monat = ui().Jetzt().date().month();
        FutterWerteLeser leser(v);
        leser.Vorlesen(FutterNummern(rationen));
        const FutterWertFunktion wert = leser.Funktion();
        for (const BenannteRation& r : std::as_const(rationen))
            ergebnis.append(RationBewerten(r, wert, monat));
        return true;
    });
    if (!gelesen) {
        ergebnis.clear();
        DatenbankFehlerMelden(v, QStringLiteral("Die gespeicherten Rationen können nicht gelesen werden."));
        return false;
    }
    if (!ablehnung.isEmpty())
        return ablehnen(ablehnung);
    // Feed rows that could not be read would count as feeds without value.
    if (v.Beschaedigt()) {
        ergebnis.clear();
        DatenbankFehlerMelden(v, QStringLiteral("Die Futtermittel der Rationen können nicht gelesen werden."));
        return false;
    }
    return true;
}

bool RationenUeberblicken(const QString& pfad, QList<RationsUeberblick>& ueberblick)
{
    ueberblick.clear();
    Verbindung v;
    if (!RationenDatenbankOeffnen(v, pfad))
        return false;
    const bool gelesen = Lesend(v, [&] {
        QList<BenannteRation> rationen;
        if (!RationenLesen(v, rationen, true))
            return false;
        FutterWerteLeser leser(v);
        leser.Vorlesen(FutterNummern(rationen));
        const FutterWertFunktion wert = leser.Funktion();
        for (const BenannteRation& r : std::as_const(rationen))
            ueberblick.append({ r, FutterkostenBerechnen(r.Zeilen(), wert) });
        return true;
    });
    if (!gelesen) {
        ueberblick.clear();
        DatenbankFehlerMelden(v, QStringLiteral("Die gespeicherten Rationen können nicht gelesen werden."));
        return false;
    }
    if (v.Beschaedigt()) {
        ueberblick.clear();
        DatenbankFehlerMelden(v, QStringLiteral("Die Futtermittel der Rationen können nicht gelesen werden."));
        return false;
    }
    return true;
}

// ------------------------------------------------------------ comparison

QString VergleichsNamenFehler(const QStringList& namen)
{
    if (namen.size() < VergleichMindestens || namen.size() > VergleichHoechstens)
        return QStringLiteral("Verglichen werden %1 bis %2 Rationen, nicht %3.")
            .arg(VergleichMindestens)
            .arg(VergleichHoechstens)
            .arg(namen.size());
    for (qsizetype i = 0; i < namen.size(); ++i)
        for (qsizetype j = 0; j < i; ++j)
            if (GleicherName(namen[i], namen[j]))
                return QStringLiteral("Die Ration ") + Genannt(namen[i].trimmed())
                    + QStringLiteral(" ist zweimal genannt.");
    return QString();
}

QList<VergleichsZeile> VergleichsKennzahlen(const QList<RationsBewertung>& bewertungen)
{
    QList<VergleichsZeile> zeilen;
    for (const QString& name : AnzeigenNamen()) {
        VergleichsZeile z;
        z.name = name;
        for (const RationsBewertung& b : bewertungen) {
            const Anzeige* anzeige = b.auswertung.AnzeigeNach(name);
            const bool zeigt = anzeige && anzeige->gesetzt && anzeige->sichtbar;
            z.texte.append(zeigt ? anzeige->text : QString());
            z.farben.append(zeigt ? anzeige->hintergrund : 0);
        }
        zeilen.append(z);
    }
    return zeilen;
}

} // namespace kelvora
