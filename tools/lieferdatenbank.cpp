// Writes the delivered feed database from the schema and feed rows in data/.
// Usage: kelvora_lieferdatenbank DATENQUELLE ZIELDATEI

#include "database/LieferDatenbank.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList argumente = QCoreApplication::arguments();
    if (argumente.size() != 3) {
        QTextStream(stderr) << "Aufruf: kelvora_lieferdatenbank DATENQUELLE ZIELDATEI" << Qt::endl;
        return 2;
    }
    QString fehler;
    if (!kelvora::LieferDatenbankBauen(argumente[1], argumente[2], &fehler)) {
        QTextStream(stderr) << "Lieferdatenbank nicht gebaut: " << fehler << Qt::endl;
        return 1;
    }
    return 0;
}
