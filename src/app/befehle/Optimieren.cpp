// "kelvora optimieren": the least-cost ration of the ration window's command
// "kostengünstig optimieren" on the stored ration. The free feeds receive the
// cheapest amounts that meet the requirement and the limits; the ration is
// then evaluated and printed like "auswerten", followed by its feed costs.

#include "app/befehle/RationsBefehl.h"
#include "ration/Futterkosten.h"
#include "ration/Optimierung.h"
#include "ration/RationAuswerten.h"

namespace kelvora {

class OptimierenBefehl final : public RationsBefehl {
public:
    OptimierenBefehl()
        : RationsBefehl(QStringLiteral("optimieren"),
                        QStringLiteral("Bestimmt die Mengen der freien Futtermittel der gespeicherten Ration zu den "
                                       "geringsten Futterkosten und speichert sie."))
        , gfeOption(QStringLiteral("gfe"),
                    QStringLiteral("Hält auch nXP mindestens beim Bedarf und RNB von 0 bis +50 g ein (nach GfE); "
                                   "freie Futtermittel ohne nXP oder RNB werden dann abgelehnt."))
    {
        OptionHinzufuegen(gfeOption);
    }

protected:
    int VorDerAuswertung(TierEingaben& tier, const QString& pfad, const Auswertung&) override
    {
        switch (RationOptimieren(tier, pfad, Parser().isSet(gfeOption))) {
        case OptimierungsErgebnis::Optimiert:
            return Erfolg;
        case OptimierungsErgebnis::Abgelehnt:
            return Abgelehnt;
        case OptimierungsErgebnis::Unerreichbar:
            break;
        }
        return NichtVerfuegbar;
    }

    // The three cost figures as the window shows them, under names of their
    // own: an empty line, then name, tab, value.
    void NachDerAusgabe(const Auswertung& a, QTextStream& aus) override
    {
        const QStringList& labels = KostenAnzeigenNamen();
        const QString namen[] = {QStringLiteral("Kosten je Tag"), QStringLiteral("Kosten je kg Milch"),
                                 QStringLiteral("Einkommen über Futterkosten")};
        aus << '\n';
        for (int i = 0; i < 3; ++i) {
            const Anzeige* anzeige = a.AnzeigeNach(labels[i]);
            aus << namen[i] << '\t' << (anzeige ? anzeige->text : QString()) << '\n';
        }
        aus.flush();
    }

private:
    QCommandLineOption gfeOption;
};

KELVORA_BEFEHL(OptimierenBefehl)

} // namespace kelvora
