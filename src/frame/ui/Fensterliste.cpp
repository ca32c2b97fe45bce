#include "frame/ui/Fensterliste.h"

// Window headers (one line each).

#include <QHash>

namespace kelvora {

namespace {

// Kept in one place on purpose: factories registered from static
// initialisers of a static library would be dropped by the linker.
QHash<QString, FensterFabrik> AlleFenster()
{
    QHash<QString, FensterFabrik> f;
    // Window factories (one line each).
    return f;
}

} // namespace

FensterFabrik FensterFabrikFuer(const QString& name)
{
    static const QHash<QString, FensterFabrik> fenster = AlleFenster();
    return fenster.value(name);
}

} // namespace kelvora
