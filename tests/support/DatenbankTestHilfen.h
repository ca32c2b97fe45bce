#pragma once
// Small helpers shared by the database tests: a lock held by a second
// connection, a snapshot of the files of a folder, a write-protected folder.

#include "database/DatenbankRoutinen.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>

#ifdef Q_OS_UNIX
#include <sys/fsuid.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace kelvora::test {

// Holds a lock on a database through a connection of its own, as another
// program would: "BEGIN EXCLUSIVE" keeps every connection out, "BEGIN
// IMMEDIATE" (another program in the middle of a write) lets readers in and
// keeps writers out.
class Sperre {
public:
    explicit Sperre(const QString& pfad, const QString& befehl = QStringLiteral("BEGIN EXCLUSIVE"))
    {
        static int zaehler = 0;
        name = QStringLiteral("sperre_") + QString::number(++zaehler);
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(pfad);
        gesperrt = db.open() && QSqlQuery(db).exec(befehl);
    }
    ~Sperre()
    {
        Loesen();
        QSqlDatabase::database(name, false).close();
        QSqlDatabase::removeDatabase(name);
    }
    void Loesen()
    {
        if (gesperrt)
            QSqlQuery(QSqlDatabase::database(name, false)).exec(QStringLiteral("ROLLBACK"));
        gesperrt = false;
    }
    bool gesperrt = false;

private:
    QString name;
};

// Name -> content of every file in a folder except the logs (*.txt), which
// the operations under test are expected to write.
inline QMap<QString, QByteArray> Dateistand(const QString& ordner)
{
    QMap<QString, QByteArray> stand;
    for (const QString& n : QDir(ordner).entryList(QDir::Files | QDir::Hidden)) {
        QFile f(ordner + QLatin1Char('/') + n);
        if (!n.endsWith(QLatin1String(".txt")))
            stand[n] = f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<nicht lesbar>");
    }
    return stand;
}

inline QStringList ZeilenMit(const QStringList& zeilen, const QString& teil)
{
    QStringList t;
    for (const QString& z : zeilen)
        if (z.contains(teil))
            t << z;
    return t;
}

inline long Anzahl(Verbindung& v, const QString& tabelle)
{
    QSqlQuery q;
    if (!AbfrageOeffnen(v, q, QStringLiteral("SELECT count(*) FROM ") + SqlName(tabelle)) || !q.next())
        return -1;
    return q.value(0).toLongLong();
}

// Makes a folder read-only for this thread for as long as the object lives.
// Root ignores permission bits, so as root the thread's file-system user is
// switched to "nobody" as well; wirksam tells whether writing really fails.
// With a file the folder stays open to everyone and only the file is
// read-only.
class Schreibschutz {
public:
    explicit Schreibschutz(const QString& pfad)
        : ordner(pfad)
    {
#ifdef Q_OS_UNIX
        if (QFileInfo(pfad).isFile()) {
            datei = pfad;
            ordner = QFileInfo(pfad).absolutePath();
            ::chmod(QFile::encodeName(ordner).constData(), 0777);
            ::chmod(QFile::encodeName(datei).constData(), 0444);
        } else {
            ::chmod(QFile::encodeName(ordner).constData(), 0555);
        }
        if (::geteuid() == 0) {
            ::setfsuid(65534);
            umgestellt = true;
        }
        QFile probe(datei.isEmpty() ? ordner + QStringLiteral("/schreibprobe") : datei);
        wirksam = !probe.open(datei.isEmpty() ? QIODevice::WriteOnly : QIODevice::ReadWrite);
        if (!wirksam && datei.isEmpty())
            probe.remove();
#endif
    }
    ~Schreibschutz()
    {
#ifdef Q_OS_UNIX
        if (umgestellt)
            ::setfsuid(0);
        ::chmod(QFile::encodeName(ordner).constData(), 0700);
        if (!datei.isEmpty())
            ::chmod(QFile::encodeName(datei).constData(), 0600);
#endif
    }
    Schreibschutz(const Schreibschutz&) = delete;
    Schreibschutz& operator=(const Schreibschutz&) = delete;
    bool wirksam = false;

private:
    QString ordner;
    QString datei;
    bool umgestellt = false;
};

} // namespace kelvora::test
