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
};

void ProtokollTest::zeilenaufbau_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("einzug");
    QTest::addColumn<bool>("ohneZeit");
    QTest::addColumn<bool>("mitDatum");
    QTest::addColumn<QString>("zeile");
    QTest::addColumn<QString>("fehlerzeile");  // empty: no error, no line in the error log
    QTest::newRow("normal") << "PfadHolen: x" << 0 << false << false << "E 10:00:00  PfadHolen: x" << "";
    QTest::newRow("eingerueckt") << "intZaehler = 2" << 4 << false << false << "E 10:00:00      intZaehler = 2"
                                 << "";
    QTest::newRow("mit Datum") << "a" << 0 << false << true << "E 04.12.26 10:00:00  a" << "";
    QTest::newRow("ohne Zeit mit Datum") << "c" << 8 << true << true << "04.12.26         c" << "";
    // The error log always carries the date.
    QTest::newRow("Fehler") << "Öffnen fehlgeschlagen" << 4 << false << false
                            << "E 10:00:00      Öffnen fehlgeschlagen"
                            << "E 04.12.26 10:00:00      Öffnen fehlgeschlagen";
    QTest::newRow("Fehler ohne Zeit") << "ohne" << 0 << true << false << "ohne" << "E 04.12.26 ohne";
}

void ProtokollTest::zeilenaufbau()
{
    QFETCH(QString, text);
    QFETCH(int, einzug);
    QFETCH(bool, ohneZeit);
    QFETCH(bool, mitDatum);
    QFETCH(QString, zeile);
    QFETCH(QString, fehlerzeile);
    test::TestOberflaeche ui;
    test::TestDatenordner ordner;
    ProtokollSchreiben(text, einzug, QString(), !fehlerzeile.isEmpty(), ohneZeit, mitDatum);
    QCOMPARE(ordner.Zeilen("26_12_04.txt"), QStringList{zeile});
    QVERIFY(ordner.Roh("26_12_04.txt").endsWith("\r\n"));
    QCOMPARE(ordner.Zeilen("Fehlerprotokoll.txt"), fehlerzeile.isEmpty() ? QStringList() : QStringList{fehlerzeile});
}

KELVORA_TEST(ProtokollTest)
#include "tst_Protokoll.moc"
