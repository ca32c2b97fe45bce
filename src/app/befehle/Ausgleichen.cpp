// "kelvora ausgleichen tm|ndf": one of the two balancings of the ration
// window on the stored ration. The maxima come from the evaluation of the
// ration, as the window reads them from its labels; the balanced amounts are
// written into table Ration, then the ration is evaluated and printed with
// the result window's column of this balancing.

#include "app/befehle/RationsBefehl.h"
#include "ration/Ausgleich.h"
#include "ration/RationAuswerten.h"

namespace kelvora {

class AusgleichenBefehl final : public RationsBefehl {
public:
    AusgleichenBefehl()
        : RationsBefehl(QStringLiteral("ausgleichen"),
                        QStringLiteral("Gleicht die gespeicherte Ration nach Trockenmasse oder NDF aus und "
                                       "speichert die neuen Mengen."))
    {
        ArgumentHinzufuegen(QStringLiteral("tm|ndf"),
                            QStringLiteral("tm: bis zur maximalen TM-Aufnahme (\"mit TM ausgleichen\"), ndf: bis "
                                           "zum NDF-Maximum (\"mit NDF ausgleichen\")."));
    }

protected:
    QString Pruefen() override
    {
        art = Argumente().value(0).toLower();
        if (art != QLatin1String("tm") && art != QLatin1String("ndf"))
            return QStringLiteral("Geben Sie an, wonach ausgeglichen werden soll: tm oder ndf.");
        return QString();
    }

    bool BrauchtAuswertungVorher() const override { return true; }

    int VorDerAuswertung(TierEingaben& tier, const QString&, const Auswertung& vorher) override
    {
        const bool ndf = art == QLatin1String("ndf");
        const double tmMaxKg = AngezeigteZahl(vorher, QStringLiteral("lblTMKiloMaxAnzeige2"));
        const AusgleichErgebnis ergebnis =
            ndf ? NDFAusgleichen(tmMaxKg, AngezeigteZahl(vorher, QStringLiteral("lblNDFGrammMaxAnzeige")))
                : TMAusgleichen(tmMaxKg);
        if (ergebnis == AusgleichErgebnis::Abgebrochen)
            return Abgelehnt;
        // The message of the failed write is already on stderr; the stored
        // ration is unchanged.
        if (ergebnis == AusgleichErgebnis::Fehlgeschlagen)
            return NichtVerfuegbar;
        tier.letzterAusgleich = ndf ? QStringLiteral("NDF") : QStringLiteral("TM");
        tier.tmAusgeglichen = !ndf;
        tier.ndfAusgeglichen = ndf;
        return Erfolg;
    }

    void NachDerAusgabe(const Auswertung& auswertung, QTextStream& aus) override
    {
        ErgebnisSpalteAusgeben(auswertung.ergebnis, aus);
    }

private:
    QString art;
};

KELVORA_BEFEHL(AusgleichenBefehl)

} // namespace kelvora
