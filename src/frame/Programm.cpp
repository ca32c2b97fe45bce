#include "frame/Programm.h"

#include <QCoreApplication>
#include <QDir>

namespace kelvora {

Programmwerte& programm()
{
    static Programmwerte werte;
    return werte;
}

void DatenordnerSetzen(const QString& ordner)
{
    QString o = QDir::cleanPath(QDir(ordner).absolutePath());
    while (o.size() > 1 && (o.endsWith(QLatin1Char('/')) || o.endsWith(QLatin1Char('\\'))))
        o.chop(1);
    auto& p = programm();
    p.datenordner = o;
    p.iniPfad = ImDatenordner(QStringLiteral("KELVORA.INI"));
    p.futterDatenbank = ImDatenordner(QStringLiteral("Futter.mdb"));
}

QString ImDatenordner(const QString& name)
{
    return programm().datenordner + QLatin1Char('/') + name;
}

QString Programmordner()
{
    const QString& o = programm().programmOrdner;
    return o.isEmpty() ? QCoreApplication::applicationDirPath() : o;
}

QDate Versionsdatum()
{
    return QDate(1899, 12, 30).addDays(VersionsDatumSerial);
}

QString Programmname()
{
    return QStringLiteral("Kelvora");
}

QString Programmtitel()
{
    return Programmname() + QStringLiteral("     Version ") + Versionsdatum().toString(QStringLiteral("dd.MM.yyyy"));
}

QString SupportAdresse()
{
    const QString env = qEnvironmentVariable("KELVORA_SUPPORTADRESSE");
    return env.isEmpty() ? QStringLiteral("support@kelvora.de") : env;
}

} // namespace kelvora
