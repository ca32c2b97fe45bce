#include "frame/Programm.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

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
    p.iniPfad = DateiImOrdner(o, QStringLiteral("KELVORA.INI"));
    p.futterDatenbank = DateiImOrdner(o, QStringLiteral("Futter.mdb"));
}

QString DateiImOrdner(const QString& ordner, const QString& name)
{
    const QString genau = ordner + QLatin1Char('/') + name;
    if (QFileInfo::exists(genau))
        return genau;
    const QStringList treffer = QDir(ordner).entryList({ name }, QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    for (const QString& t : treffer)
        if (t.compare(name, Qt::CaseInsensitive) == 0)
            return ordner + QLatin1Char('/') + t;
    return genau;
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
