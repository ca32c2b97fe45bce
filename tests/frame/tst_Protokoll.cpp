#include "TestOberflaeche.h"
#include "TestRegister.h"
#include "TestUmgebung.h"
#include "frame/Protokoll.h"

#include <QTest>

using namespace kelvora;

class ProtokollTest : public QObject {
    Q_OBJECT
private slots:
    void zeilenaufbau_data();
    void zeilenaufbau();
    void fehlerzeileUmMitternacht();
    void benannteDatei();
};

void ProtokollTest::zeilenaufbau_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("einzug");
    QTest::addColumn<bool>("ohneZeit");
    QTest::addColumn<bool>("mitDatum");
    QTest::addColumn<QString>("zeile");
    QTest::newRow("normal") << "PfadHolen: x" << 0 << false << false << "E 10:00:00  PfadHolen: x";
    QTest::newRow("eingerueckt") << "intZaehler = 2" << 4 << false << false << "E 10:00:00      intZaehler = 2";
    QTest::newRow("mit Datum") << "a" << 0 << false << true << "E 04.12.26 10:00:00  a";
    QTest::newRow("ohne Zeit mit Datum") << "c" << 8 << true << true << "04.12.26         c";
}

void ProtokollTest::zeilenaufbau()
{
    QFETCH(QString, text);
    QFETCH(int, einzug);
    QFETCH(bool, ohneZeit);
    QFETCH(bool, mitDatum);
    QFETCH(QString, zeile);
    test::TestOberflaeche ui;
    test::TestDatenordner ordner;
    ProtokollSchreiben(text, einzug, QString(), false, ohneZeit, mitDatum);
    QCOMPARE(ordner.Zeilen("26_12_04.txt"), QStringList{zeile});
    QVERIFY(ordner.Roh("26_12_04.txt").endsWith("\r\n"));
    QVERIFY(!QFile::exists(ordner.Pfad("Fehlerprotokoll.txt")));
}

void ProtokollTest::fehlerzeileUmMitternacht()
{
    test::TestOberflaeche ui;
    test::TestDatenordner ordner;
    ui.uhr = QDateTime(QDate(2026, 12, 31), QTime(23, 59, 59));
    ProtokollSchreiben(QStringLiteral("Öffnen fehlgeschlagen"), 4, QString(), true);
    ProtokollSchreiben(QStringLiteral("ohne"), 0, QString(), true, true);
    QCOMPARE(ordner.Zeilen("26_12_31.txt"),
             (QStringList{"E 23:59:59      Öffnen fehlgeschlagen", "ohne"}));
    QCOMPARE(ordner.Zeilen("Fehlerprotokoll.txt"),
             (QStringList{"E 31.12.26 23:59:59      Öffnen fehlgeschlagen", "E 31.12.26 ohne"}));
}

void ProtokollTest::benannteDatei()
{
    test::TestOberflaeche ui;
    test::TestDatenordner ordner;
    ProtokollSchreiben(QStringLiteral("x"), 0, ordner.Pfad("eigen.txt"));
    QCOMPARE(ordner.Zeilen("eigen.txt"), QStringList{"E 10:00:00  x"});
    QVERIFY(!QFile::exists(ordner.Pfad("26_12_04.txt")));
}

KELVORA_TEST(ProtokollTest)
#include "tst_Protokoll.moc"
