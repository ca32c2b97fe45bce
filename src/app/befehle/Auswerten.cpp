// "kelvora auswerten": the evaluation of the stored ration without a screen,
// for advisers who script and for checking figures. Prints the texts the
// ration window shows, tab-separated.

#include "app/befehle/RationsBefehl.h"

namespace kelvora {

class AuswertenBefehl final : public RationsBefehl {
public:
    AuswertenBefehl()
        : RationsBefehl(QStringLiteral("auswerten"),
                        QStringLiteral("Wertet die gespeicherte Ration aus und gibt Rationsliste und Kennzahlen "
                                       "aus."))
    {
        GespeicherteRationAnbieten();
    }
};

KELVORA_BEFEHL(AuswertenBefehl)

} // namespace kelvora
