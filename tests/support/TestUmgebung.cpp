#include "TestUmgebung.h"

#include <QFile>

namespace kelvora::test {

TestDatenordner::TestDatenordner()
    : alt(programm())
{
    DatenordnerSetzen(dir.path());
}

TestDatenordner::~TestDatenordner()
{
    programm() = alt;
}

QString TestDatenordner::Pfad(const QString& name) const
{
    return name.isEmpty() ? programm().datenordner : dir.path() + QLatin1Char('/') + name;
}

QByteArray TestDatenordner::Roh(const QString& name) const
{
    QFile f(Pfad(name));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

void TestDatenordner::Schreiben(const QString& name, const QByteArray& inhalt) const
{
    QFile f(Pfad(name));
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(inhalt);
}

QStringList TestDatenordner::Zeilen(const QString& name) const
{
    QString t = QString::fromUtf8(Roh(name));
    QStringList z = t.split(QStringLiteral("\r\n"));
    if (!z.isEmpty() && z.last().isEmpty())
        z.removeLast();
    return z;
}

void TestDatenordner::DateizeitSetzen(const QString& name, const QDateTime& zeit) const
{
    QFile f(Pfad(name));
    if (f.open(QIODevice::ReadWrite))
        f.setFileTime(zeit, QFileDevice::FileModificationTime);
}

} // namespace kelvora::test
