#include "grundlagen/Stoerung.h"

#include <QTextStream>

namespace kelvora {

namespace {
// Constant-initialised, so a handler installed during static start-up is
// never overwritten.
StoerungsMelder melder = nullptr;
} // namespace

void StoerungMelden(const Stoerung& s)
{
    if (melder) {
        melder(s);
        return;
    }
    QTextStream fehler(stderr);
    if (!s.protokoll.isEmpty())
        fehler << s.protokoll << Qt::endl;
    if (!s.meldung.isEmpty() && s.meldung != s.protokoll)
        fehler << s.meldung << Qt::endl;
}

void StoerungsMelderSetzen(StoerungsMelder m)
{
    melder = m;
}

} // namespace kelvora
