#include "app/Befehlszeile.h"

#include "database/LieferDatenbank.h"
#include "frame/Programm.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace kelvora {

Befehlszeile BefehlszeileLesen(const QStringList& argumente)
{
    Befehlszeile bz;
    for (qsizetype i = 1; i < argumente.size(); ++i) {
        const QString& a = argumente[i];
        if (a == QLatin1String("--datenordner")) {
            if (i + 1 >= argumente.size()) {
                bz.fehler = QStringLiteral("Nach --datenordner fehlt der Ordner.");
                return bz;
            }
            bz.datenordner = argumente[++i];
        } else if (a.startsWith(QLatin1String("--datenordner="))) {
            bz.datenordner = a.mid(14);
        } else if (a == QLatin1String("--version")) {
            bz.version = true;
        } else if (a == QLatin1String("--selbsttest")) {
            bz.selbsttest = true;
        } else {
            bz.fehler = QStringLiteral("Unbekannte Angabe auf der Befehlszeile: ") + a
                + QStringLiteral("\nMöglich sind: --datenordner ORDNER, --version, --selbsttest");
            return bz;
        }
    }
    return bz;
}

QString DatenordnerVorbereiten(const Befehlszeile& bz)
{
    const QString programmOrdner = QCoreApplication::applicationDirPath();
    QString ordner = bz.datenordner;
    if (ordner.isEmpty())
        ordner = qEnvironmentVariable("KELVORA_DATENORDNER");
    if (ordner.isEmpty()) {
        ordner = programmOrdner;
        if (!QFileInfo(ordner).isWritable())
            ordner = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    }
    if (!QDir().mkpath(ordner))
        return QStringLiteral("Der Datenordner ") + ordner
            + QStringLiteral(" kann nicht angelegt werden. Bitte prüfen Sie den Pfad und die Zugriffsrechte.");
    DatenordnerSetzen(ordner);
    // Like an installer: a brand-new folder gets the delivered feed database.
    DatenordnerEinrichten(programmOrdner);
    return QString();
}

} // namespace kelvora
