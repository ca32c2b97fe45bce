#include "TestOberflaeche.h"
#include "TestRegister.h"
#include "TestUmgebung.h"
#include "frame/FunktionenFuerINI.h"
#include "frame/Hauptmenue.h"
#include "frame/Programm.h"
#include "frame/Statuszeile.h"

#include <QDir>
#include <QTest>

using namespace kelvora;

Q_DECLARE_METATYPE(kelvora::Intervall)

class HauptmenueTest : public QObject {
    Q_OBJECT
private slots:
    void menueZustaende_data();
    void menueZustaende();
    void intervallKlick_data();
    void intervallKlick();
    void identitaet_data();
    void identitaet();
    void kontrastregel_data();
    void kontrastregel();
    void statuszeileProtokolliert();
};

void HauptmenueTest::menueZustaende_data()
{
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<bool>("sound");
    QTest::addColumn<bool>("sprechblasen");
    QTest::addColumn<int>("intervall");  // -1: nothing checked
    QTest::addColumn<int>("komprimieren");  // -1: left as it is
    QTest::newRow("leere Datei") << QByteArray() << false << true << 0 << 0;
    QTest::newRow("alles an") << QByteArray("[Sound]\r\nSoundAnwenden=1\r\n[Sichern]\r\nIntervall=2\r\n"
                                            "Komprimieren=1\r\n")
                              << true << true << 2 << 1;
    QTest::newRow("wöchentlich, Sprechblasen aus")
        << QByteArray("[Sprechblasen]\r\nSprechblasen=0\r\n[Sichern]\r\nIntervall=1\r\n") << false << false << 1 << 0;
    QTest::newRow("unbekannte Werte") << QByteArray("[Sichern]\r\nIntervall=7\r\nKomprimieren=3\r\n[Sound]\r\n"
                                                    "SoundAnwenden=2\r\n")
                                      << false << true << -1 << -1;
}

void HauptmenueTest::menueZustaende()
{
    QFETCH(QByteArray, ini);
    QFETCH(bool, sound);
    QFETCH(bool, sprechblasen);
    QFETCH(int, intervall);
    QFETCH(int, komprimieren);
    test::TestOberflaeche ui;
    test::TestDatenordner ordner;
    if (!ini.isEmpty())
        ordner.Schreiben("KELVORA.INI", ini);
    const MenueZustaende z = MenueZustaendeLesen();
    QCOMPARE(z.soundAnwenden, sound);
    QCOMPARE(z.sprechblasen, sprechblasen);
    QCOMPARE(z.intervall ? static_cast<int>(*z.intervall) : -1, intervall);
    QCOMPARE(z.immerKomprimieren ? int(*z.immerKomprimieren) : -1, komprimieren);
    // Monthly (code 0) is written back so that the file shows the choice.
    if (intervall == 0)
        QCOMPARE(INILesen("Sichern", "Intervall", "x"), QStringLiteral("0"));
    if (intervall == -1)
        QCOMPARE(INILesen("Sichern", "Intervall", "x"), QStringLiteral("7"));
}

void HauptmenueTest::intervallKlick_data()
{
    QTest::addColumn<Intervall>("geklickt");
    QTest::addColumn<bool>("warMarkiert");
    QTest::addColumn<Intervall>("neu");
    QTest::newRow("täglich neu") << Intervall::Taeglich << false << Intervall::Taeglich;
    QTest::newRow("täglich war an") << Intervall::Taeglich << true << Intervall::Woechentlich;
    QTest::newRow("wöchentlich neu") << Intervall::Woechentlich << false << Intervall::Woechentlich;
    QTest::newRow("wöchentlich war an") << Intervall::Woechentlich << true << Intervall::Monatlich;
    QTest::newRow("monatlich neu") << Intervall::Monatlich << false << Intervall::Monatlich;
    QTest::newRow("monatlich war an") << Intervall::Monatlich << true << Intervall::Woechentlich;
}

void HauptmenueTest::intervallKlick()
{
    QFETCH(Intervall, geklickt);
    QFETCH(bool, warMarkiert);
    QFETCH(Intervall, neu);
    test::TestOberflaeche ui;
    test::TestDatenordner ordner;
    QCOMPARE(IntervallGeklickt(geklickt, warMarkiert), neu);
    QCOMPARE(INILesen("Sichern", "Intervall"), QString::number(static_cast<int>(neu)));
}

void HauptmenueTest::identitaet_data()
{
    QTest::addColumn<QByteArray>("kontaktProgramm");  // kontakt.ini beside the program
    QTest::addColumn<QByteArray>("kontakt");          // kontakt.ini in the data folder
    QTest::addColumn<QByteArray>("programmIni");
    QTest::addColumn<QString>("e1");
    QTest::addColumn<QString>("e2");
    const QByteArray eigene("[Programm]\r\nE1=Hof Lindner\r\nE2=Bergstra\xdf" "e 4, 87654 Au\r\n");
    const QByteArray anna("[Programm]\r\nE1=Anna M\xfcller\r\nE2=Dorfweg 1\r\n");
    QTest::newRow("beide in kontakt.ini") << QByteArray() << anna << eigene << "Anna Müller" << "Dorfweg 1";
    QTest::newRow("eine leer in kontakt.ini") << QByteArray() << QByteArray("[Programm]\r\nE1=Anna\r\n") << eigene
                                              << "Hof Lindner" << "Bergstraße 4, 87654 Au";
    QTest::newRow("Programmordner vor Datenordner")
        << anna << QByteArray("[Programm]\r\nE1=Bernd\r\nE2=Hofweg 2\r\n") << eigene << "Anna Müller"
        << "Dorfweg 1";
}

void HauptmenueTest::identitaet()
{
    QFETCH(QByteArray, kontaktProgramm);
    QFETCH(QByteArray, kontakt);
    QFETCH(QByteArray, programmIni);
    QFETCH(QString, e1);
    QFETCH(QString, e2);
    test::TestOberflaeche ui;
    test::TestDatenordner ordner;
    programm().programmOrdner = ordner.Pfad("programm");
    QVERIFY(QDir().mkpath(programm().programmOrdner));
    const std::pair<const char*, QByteArray> dateien[] = {
        {"programm/kontakt.ini", kontaktProgramm}, {"kontakt.ini", kontakt}, {"KELVORA.INI", programmIni}};
    for (const auto& [name, inhalt] : dateien) {
        if (!inhalt.isEmpty())
            ordner.Schreiben(name, inhalt);
    }
    IdentitaetLesen();
    QCOMPARE(programm().E1, e1);
    QCOMPARE(programm().E2, e2);
}

void HauptmenueTest::kontrastregel_data()
{
    QTest::addColumn<qint64>("hintergrund");
    QTest::addColumn<qint64>("text");
    QTest::newRow("gelb") << qint64(65535) << qint64(0);
    QTest::newRow("Schaltflächenfarbe") << qint64(0x8000000F) << qint64(0);
    // 5*G + 2*R + B = 1025 exactly: black.
    QTest::newRow("Grenze") << qint64(205 * 256) << qint64(0);
    QTest::newRow("knapp darunter") << qint64(204 * 256 + 2) << qint64(16777215);
}

void HauptmenueTest::kontrastregel()
{
    QFETCH(qint64, hintergrund);
    QFETCH(qint64, text);
    QCOMPARE(TextfarbeFuer(hintergrund), text);
}

void HauptmenueTest::statuszeileProtokolliert()
{
    test::TestOberflaeche ui;
    test::TestDatenordner ordner;
    HauptFensterMeldungAusgeben(65280, QStringLiteral("Futtermittel gespeichert"), 3, false, false);
    HauptFensterMeldungAusgeben(255, QStringLiteral("Fehler"), 10, false, true);
    QCOMPARE(ui.statuszeilen.size(), 2);
    QCOMPARE(ui.statuszeilen[0].sekunden, 3);
    QCOMPARE(ui.statuszeilen[1].farbe, qint64(255));
    // Every message is logged; an error once more as error line.
    QCOMPARE(ordner.Zeilen("26_12_04.txt").size(), 3);
    QCOMPARE(ordner.Zeilen("Fehlerprotokoll.txt"),
             QStringList{"E 04.12.26 10:00:00  HauptFensterMeldungAusgeben: Fehler"});
}

KELVORA_TEST(HauptmenueTest)
#include "tst_Hauptmenue.moc"
