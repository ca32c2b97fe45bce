#pragma once
// Runs the program's command line in the test process, as "kelvora WORTE"
// would, and keeps what it printed.

#include "app/Befehlszeile.h"

#include <QString>
#include <QStringList>
#include <QTextStream>

namespace kelvora::test {

struct Lauf {
    int code = -1;
    QString aus;
    QString fehler;
};

inline Lauf Kelvora(const QStringList& woerter)
{
    Lauf l;
    QTextStream aus(&l.aus);
    QTextStream fehler(&l.fehler);
    l.code = BefehlszeileAusfuehren(QStringList { QStringLiteral("kelvora") } + woerter, aus, fehler);
    aus.flush();
    fehler.flush();
    return l;
}

} // namespace kelvora::test
