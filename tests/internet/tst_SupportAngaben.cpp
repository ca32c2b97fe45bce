#include "TestOberflaeche.h"
#include "TestRegister.h"
#include "TestUmgebung.h"
#include "frame/FunktionenFuerINI.h"
#include "frame/Programm.h"
#include "internet/SupportAngaben.h"

#include <QDir>
#include <QTest>

using namespace kelvora;

class SupportAngabenTest : public QObject {
    Q_OBJECT
private slots:
    void speichern_data();
    void speichern();
    void nachricht();
};

void SupportAngabenTest::speichern_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("iniIstOrdner");
    QTest::addColumn<QString>("fehlerBeginn"); // empty: saved
    QTest::newRow("Umlaute gehen") << "Hof Bäuerle & Söhne" << false << "";
    QTest::newRow("Zeichen außerhalb Windows-1252") << "Łukasz Nowak" << false << "Das Zeichen „Ł“ im Feld „Name“ kann";
    QTest::newRow("Einstellungen nicht beschreibbar")
        << "Hof Lindner" << true << "Die Angaben konnten nicht gespeichert werden";
}

void SupportAngabenTest::speichern()
{
    QFETCH(QString, name);
    QFETCH(bool, iniIstOrdner);
    QFETCH(QString, fehlerBeginn);
    test::TestOberflaeche ui;
    test::TestDatenordner ordner;
    if (iniIstOrdner)
        QDir(ordner.Pfad()).mkdir(QStringLiteral("KELVORA.INI"));
    programm().E1 = QStringLiteral("alt");

    SupportAngaben a;
    a.name = name;
    a.adresse = QStringLiteral("  Dorfweg 1  ");
    a.absenderEmail = QStringLiteral("anna@example.org");
    const QString fehler = SupportAngabenSpeichern(a);
    QVERIFY2(fehlerBeginn.isEmpty() ? fehler.isEmpty() : fehler.startsWith(fehlerBeginn), qPrintable(fehler));
    if (!fehlerBeginn.isEmpty()) {
        QCOMPARE(programm().E1, QStringLiteral("alt"));
        return;
    }
    QVERIFY(fehler.isEmpty());
    const SupportAngaben gelesen = SupportAngabenLesen();
    QCOMPARE(gelesen.name, name);
    QCOMPARE(gelesen.adresse, QStringLiteral("Dorfweg 1"));
    QCOMPARE(gelesen.absenderEmail, QStringLiteral("anna@example.org"));
    // In use at once, not only after the next start.
    QCOMPARE(programm().E1, name);
}

void SupportAngabenTest::nachricht()
{
    test::TestDatenordner ordner;
    SupportAngaben a;
    a.absenderName = QStringLiteral("Anna Muster");
    a.absenderEmail = QStringLiteral("anna@example.org");
    QCOMPARE(NachrichtAnDenAutor(a, QStringLiteral("Frage\nzum Heu\n")),
        QStringLiteral("Hallo!\r\n\r\nFrage\r\nzum Heu\r\n\r\nAnna Muster\r\nanna@example.org\r\n\r\n"
                       "Kelvora     Version 15.05.2015\r\nDatenordner: ")
            + ordner.Pfad() + QStringLiteral("\r\n"));
}

KELVORA_TEST(SupportAngabenTest)
#include "tst_SupportAngaben.moc"
