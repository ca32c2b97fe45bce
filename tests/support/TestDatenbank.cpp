#include "TestDatenbank.h"

#include "TestPfade.h"
#include "database/LieferDatenbank.h"
#include "frame/Programm.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>

namespace kelvora::test {

namespace {

// Runs f on a direct connection to pfad (not through the program's retry
// and indicator, which the tests check on their own).
template <class F> bool MitVerbindung(const QString& pfad, F f)
{
    static int zaehler = 0;
    const QString name = QStringLiteral("testdatenbank_") + QString::number(++zaehler);
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(pfad);
        if (db.open())
            ok = f(db);
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return ok;
}

} // namespace

QString TestDatenbankAnlegen(const QString& name)
{
    static QTemporaryDir vorrat;
    static QString gebaut;
    if (gebaut.isEmpty()) {
        const QString ziel = vorrat.path() + QStringLiteral("/Futter.mdb");
        QString fehler;
        if (!LieferDatenbankBauen(QStringLiteral(KELVORA_QUELLORDNER "/data"), ziel, &fehler)) {
            qWarning("Testdatenbank nicht gebaut: %s", qPrintable(fehler));
            return QString();
        }
        gebaut = ziel;
    }
    const QString ziel = QFileInfo(name).isAbsolute() ? name : ImDatenordner(name);
    QFile::remove(ziel);
    if (!QFile::copy(gebaut, ziel))
        return QString();
    QFile(ziel).setPermissions(
        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
    return ziel;
}

bool EigeneDatenbankAnlegen(const QString& pfad, const QString& sql)
{
    QFile::remove(pfad);
    return SqlInDatei(pfad, sql);
}

bool SqlInDatei(const QString& pfad, const QString& sql)
{
    return MitVerbindung(pfad, [&](QSqlDatabase& db) {
        QSqlQuery q(db);
        for (const QString& anweisung : SqlAnweisungen(sql)) {
            if (!q.exec(anweisung)) {
                qWarning("%s: %s", qPrintable(anweisung), qPrintable(q.lastError().text()));
                return false;
            }
        }
        return true;
    });
}

QStringList DatenbankInhalt(const QString& pfad)
{
    QStringList zeilen;
    MitVerbindung(pfad, [&](QSqlDatabase& db) {
        QStringList tabellen = db.tables();
        tabellen.sort();
        for (const QString& t : tabellen) {
            QSqlQuery q(db);
            if (!q.exec(QStringLiteral("SELECT * FROM \"") + t + QStringLiteral("\" ORDER BY rowid")))
                return false;
            while (q.next()) {
                QStringList felder { t };
                for (int i = 0; i < q.record().count(); ++i)
                    felder << (q.value(i).isNull() ? QStringLiteral("<NULL>") : q.value(i).toString());
                zeilen << felder.join(QLatin1Char('|'));
            }
        }
        return true;
    });
    return zeilen;
}

} // namespace kelvora::test
