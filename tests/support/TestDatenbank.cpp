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

bool TestFutterEinfuegen(const QString& pfad)
{
    // ID, FutterArt, name, TM_g, XP, UDP, NDF, ADF, NFC, NEL, Ca, P, Preis
    // (€/dt FM; empty: no price).
    static const char* const zeilen[] = {
        "9101;2;Grassilage Test;350;160;40;450;280;250;6.4;6;3.8;8.5",
        "9102;3;Maissilage Test;330;80;20;400;230;420;6.7;2.2;2.4;",
        "9103;6;Weizen Test;880;138;31;120;35;690;8.5;0.6;3.8;24",
        "9104;7;Rapsschrot Test;890;385;135;260;200;210;7.2;8.3;11.5;38",
        "9105;13;Mineral Test;950;0;0;0;0;0;0;200;60;95",
    };
    QString sql;
    for (const char* zeile : zeilen) {
        const QStringList t = QString::fromUtf8(zeile).split(QLatin1Char(';'));
        QStringList werte { t[0], t[1], QLatin1Char('\'') + t[2] + QLatin1Char('\'') };
        for (qsizetype i = 3; i < t.size(); ++i)
            werte << (t[i].isEmpty() ? QStringLiteral("NULL") : t[i]);
        sql += QStringLiteral("INSERT INTO Futtermittel (ID, FutterArt, Bezeichnung, TM_g, XP_gTM, UDP_gTM, NDF_gTM, "
                              "ADF_gTM, NFC_gTM, NEL_MJTM, Ca_gTM, P_gTM, Preis) VALUES (")
            + werte.join(QStringLiteral(", ")) + QStringLiteral(");");
    }
    return SqlInDatei(pfad, sql);
}

} // namespace kelvora::test
