#include "app/ui/Fensterliste.h"

#include "app/ui/HauptFenster.h"

// Window headers (one line each).
#include "feeds/ui/FutterListe.h"
#include "feeds/ui/StammdatenFenster2.h"
#include "guide/ui/WieFangeIchAnFenster.h"
#include "herde/ui/HerdenFenster.h"
#include "herde/ui/RationAuswahlLeiste.h"
#include "herde/ui/RationenVergleichFenster.h"
#include "herde/ui/LadelisteFenster.h"
#include "internet/ui/Informationsfenster.h"
#include "internet/ui/UpdateInstallationsFenster.h"
#include "ration/ui/ErgebnisFenster.h"
#include "ration/ui/RationTierErstellenFenster.h"

#include <QHash>

namespace kelvora {

namespace {

// Kept in one place on purpose: factories registered from static
// initialisers of a static library would be dropped by the linker.
QHash<QString, FensterFabrik> AlleFenster()
{
    QHash<QString, FensterFabrik> f;
    // Window factories (one line each).
    f.insert(QStringLiteral("WieFangeIchAnFenster"), [](HauptFenster* h) -> QWidget* {
        auto* w = new WieFangeIchAnFenster(h);
        w->Laden();
        return w;
    });
    f.insert(QStringLiteral("wdwFuttermittel"), [](HauptFenster* h) -> QWidget* { return new FutterListe(h); });
    f.insert(QStringLiteral("RationTierErstellenFenster"), [](HauptFenster* h) -> QWidget* {
        // The stored rations sit above the ration window's folder: they come in here.
        auto* w = new RationTierErstellenFenster(h);
        new RationAuswahlLeiste(w);
        return w;
    });
    f.insert(QStringLiteral("RationenVergleichFenster"), [](HauptFenster* h) -> QWidget* { return new RationenVergleichFenster(h); });
    f.insert(QStringLiteral("HerdenFenster"), [](HauptFenster* h) -> QWidget* { return new HerdenFenster(h); });
    f.insert(QStringLiteral("LadelisteFenster"), [](HauptFenster* h) -> QWidget* {
        auto* w = new LadelisteFenster(h);
        w->Laden();
        return w;
    });
    f.insert(QStringLiteral("ErgebnisFenster"), [](HauptFenster* h) -> QWidget* { return new ErgebnisFenster(h); });
    f.insert(QStringLiteral("StammdatenFenster2"), [](HauptFenster* h) { return new StammdatenFenster2(h); });
    f.insert(QStringLiteral("Informationsfenster"), [](HauptFenster* h) -> QWidget* {
        auto* w = new Informationsfenster(h);
        w->Laden();
        return w;
    });
    f.insert(QStringLiteral("UpdateInstallationsFenster"), [](HauptFenster* h) -> QWidget* {
        auto* w = new UpdateInstallationsFenster(h);
        w->Laden();
        return w;
    });
    return f;
}

} // namespace

FensterFabrik FensterFabrikFuer(const QString& name)
{
    static const QHash<QString, FensterFabrik> fenster = AlleFenster();
    return fenster.value(name);
}

void UpdateSucheLaufenLassen(HauptFenster* haupt)
{
    UpdateSucheFuerHauptfenster(haupt);
}

} // namespace kelvora
