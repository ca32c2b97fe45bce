#include "TestOberflaeche.h"
#include "TestRegister.h"
#include "TestUmgebung.h"
#include "frame/Hauptmenue.h"
#include "internet/MailRoutinen.h"

#include <QTest>

using namespace kelvora;

class MailRoutinenTest : public QObject {
    Q_OBJECT
private slots:
    void adresse_data();
    void adresse();
    void mailAnProgrammierer();
    void keineMailAnwendung();
    void webseite();
    void webseiteOhneAdresse();
    void verbindungsPruefung();
};

void MailRoutinenTest::adresse_data()
{
    QTest::addColumn<QString>("betreff");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("erwartet");
    QTest::newRow("zwei Zeilen") << "Frage" << "Hallo\r\nWelt" << "mailto:a@b.de?Subject=Frage&Body=Hallo%0D%0AWelt";
    QTest::newRow("ohne Text") << "Frage" << "" << "mailto:a@b.de?Subject=Frage";
    QTest::newRow("nur Leerzeichen") << "Frage" << "   " << "mailto:a@b.de?Subject=Frage";
    QTest::newRow("ohne Betreff") << "" << "x" << "mailto:a@b.de?Subject=&Body=x";
    QTest::newRow("& bleibt") << "Heu & Stroh" << "" << "mailto:a@b.de?Subject=Heu & Stroh";
}

void MailRoutinenTest::adresse()
{
    QFETCH(QString, betreff);
    QFETCH(QString, text);
    QFETCH(QString, erwartet);
    QCOMPARE(MailAdresse(QStringLiteral("a@b.de"), betreff, text), erwartet);
}

void MailRoutinenTest::mailAnProgrammierer()
{
    test::TestOberflaeche ui;
    test::TestDatenordner ordner;
    qputenv("KELVORA_SUPPORTADRESSE", "hilfe@example.org");
    MailAnProgrammierer();
    qunsetenv("KELVORA_SUPPORTADRESSE");
    QCOMPARE(ui.geoeffneteAdressen,
             QStringList{"mailto:hilfe@example.org?Subject=Kelvora&Body=Hallo!%0D%0A%0D%0A"});
    QVERIFY(ui.meldungen.isEmpty());
}

void MailRoutinenTest::keineMailAnwendung()
{
    test::TestOberflaeche ui;
    test::TestDatenordner ordner;
    ui.adresseOeffnenGelingt = false;
    QString an = QStringLiteral("a@b.de");
    MailAufrufen(an, QStringLiteral("x"), QString());
    QCOMPARE(ui.meldungen.size(), 1);
    QCOMPARE(ui.meldungen[0].text, QStringLiteral("Wahrscheinlich ist keine Mail-Anwendung vorhanden!"));
    QCOMPARE(ui.meldungen[0].titel, QStringLiteral("Fehler beim Aufruf"));
    QCOMPARE(ui.meldungen[0].symbol, Symbol::Kritisch);
}

void MailRoutinenTest::webseite()
{
    test::TestOberflaeche ui;
    test::TestDatenordner ordner;
    QVERIFY(WebseiteAufrufen(QStringLiteral("https://example.org")));
    QCOMPARE(ordner.Zeilen("26_12_04.txt").last(),
             QStringLiteral("E 10:00:00  https://example.org geöffnet um 04.12.2026 10:00:00"));

    ui.adresseOeffnenGelingt = false;
    QVERIFY(!WebseiteAufrufen(QStringLiteral("https://example.org")));
    QCOMPARE(ui.meldungen.size(), 1);
    QCOMPARE(ui.meldungen[0].text, QStringLiteral("Wahrscheinlich ist kein Standard-Browser eingestellt!"));
    QCOMPARE(ui.meldungen[0].titel, QStringLiteral("Fehler beim Aufruf einer Website"));
    QCOMPARE(ordner.Zeilen("Fehlerprotokoll.txt").last(),
             QStringLiteral("E 04.12.26 10:00:00  https://example.org kann nicht geöffnet werden: Wahrscheinlich "
                            "ist kein Standard-Browser eingestellt!"));
}

void MailRoutinenTest::webseiteOhneAdresse()
{
    test::TestOberflaeche ui;
    test::TestDatenordner ordner;
    QVERIFY(!WebseiteAufrufen(QStringLiteral("   ")));
    QVERIFY(ui.geoeffneteAdressen.isEmpty());
    QCOMPARE(ordner.Zeilen("Fehlerprotokoll.txt"),
             QStringList{"E 04.12.26 10:00:00  WebseiteAufrufen: KEINE Adresse übergeben!"});
}

void MailRoutinenTest::verbindungsPruefung()
{
    test::TestOberflaeche ui;
    test::TestDatenordner ordner;
    QVERIFY(InternetVerbindungOK());
    QCOMPARE(ordner.Zeilen("26_12_04.txt"),
             (QStringList{"E 10:00:00      suche nach Internet-Verbindung .....", "E 10:00:00      .",
                          "E 10:00:00      InternetVerbindungOK = Wahr"}));
}

KELVORA_TEST(MailRoutinenTest)
#include "tst_MailRoutinen.moc"
