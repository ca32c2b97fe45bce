#include "RationFensterHilfe.h"
#include "RationsTestdaten.h"
#include "TestDatenbank.h"
#include "TestPfade.h"
#include "TestRegister.h"
#include "frame/FunktionenFuerINI.h"
#include "ration/AuswertungsBefehl.h"

#include <QFile>
#include <QTest>

using namespace kelvora;
using namespace kelvora::test;

namespace {

// Feeds of their own, so that the expected output does not move with the
// delivered feed table: ID, FutterArt, name, TM_g, XP, UDP, NDF, ADF, NFC,
// NEL, Ca, P.
const char* const Futter[] = {
    "9101;2;Grassilage Test;350;160;40;450;280;250;6.4;6;3.8",
    "9102;3;Maissilage Test;330;80;20;400;230;420;6.7;2.2;2.4",
    "9103;6;Weizen Test;880;138;31;120;35;690;8.5;0.6;3.8",
    "9104;7;Rapsschrot Test;890;385;135;260;200;210;7.2;8.3;11.5",
    "9105;13;Mineral Test;950;0;0;0;0;0;0;200;60",
};

using Ration = QList<TestRationsZeile>;

bool RationSchreiben(const Ration& ration)
{
    for (const char* zeile : Futter) {
        const QStringList t = QString::fromUtf8(zeile).split(QLatin1Char(';'));
        QVariantList w{t[0].toLongLong(), t[1].toInt(), t[2]};
        for (qsizetype i = 3; i < t.size(); ++i)
            w << t[i].toDouble();
        if (!Ausfuehren(QStringLiteral("INSERT INTO Futtermittel (ID, FutterArt, Bezeichnung, TM_g, XP_gTM, UDP_gTM, "
                                       "NDF_gTM, ADF_gTM, NFC_gTM, NEL_MJTM, Ca_gTM, P_gTM) "
                                       "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                        w))
            return false;
    }
    return RationAnlegen({}, ration);
}

struct Lauf {
    int code = -1;
    QString aus;
    QString fehler;
};

Lauf Auswerten(const QStringList& argumente)
{
    Lauf l;
    QTextStream aus(&l.aus);
    QTextStream fehler(&l.fehler);
    l.code = AuswertenBefehl(argumente, aus, fehler);
    aus.flush();
    fehler.flush();
    return l;
}

} // namespace

Q_DECLARE_METATYPE(Ration)

class AuswertungsBefehlTest : public QObject {
    Q_OBJECT
private slots:
    void golden_data();
    void golden();
    void iniWerte();
    void falscheAngaben_data();
    void falscheAngaben();
    void datenbankFehlt();
};

void AuswertungsBefehlTest::golden_data()
{
    QTest::addColumn<Ration>("ration");
    QTest::addColumn<QStringList>("angaben");
    QTest::addColumn<QString>("datei");

    QTest::newRow("Silage fix, zwei freie Anteile")
        << Ration{{9101, 10, 0, 1}, {9103, 0, 60, 0}, {9104, 0, 40, 0}, {9105, 0.2, 0, 1}}
        << QStringList{"--gewicht", "600", "--milch", "25", "--fett", "4,0"} << "anteile.tsv";
    QTest::newRow("ausgeglichen")
        << Ration{{9101, 25, 0, 1}, {9102, 15, 0, 1}, {9103, 4.1, 55, 0}, {9104, 3.36, 45, 0}, {9105, 0.15, 0, 1}}
        << QStringList{"--gewicht=650", "--milch=32", "--fett=3.8"} << "ausgeglichen.tsv";
    QTest::newRow("leere Ration") << Ration{} << QStringList{"--gewicht", "700", "--milch", "30"} << "leer.tsv";
}

void AuswertungsBefehlTest::golden()
{
    QFETCH(Ration, ration);
    QFETCH(QStringList, angaben);
    QFETCH(QString, datei);
    TestDatenordner ordner;
    TestOberflaeche oberflaeche;  // the clock stands in December
    QVERIFY(!TestDatenbankAnlegen().isEmpty());
    QVERIFY(RationSchreiben(ration));

    const Lauf l = Auswerten(QStringList{"--datenordner", ordner.Pfad()} + angaben);
    QCOMPARE(l.fehler, QString());
    QCOMPARE(l.code, 0);

    QFile erwartet(QStringLiteral(KELVORA_TESTDATEN "/auswerten/") + datei);
    QVERIFY2(erwartet.open(QIODevice::ReadOnly), qPrintable(erwartet.fileName()));
    const QStringList soll = QString::fromUtf8(erwartet.readAll()).split(QLatin1Char('\n'));
    const QStringList ist = l.aus.split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < qMin(soll.size(), ist.size()); ++i)
        QCOMPARE(ist[i], soll[i]);
    QCOMPARE(ist.size(), soll.size());
}

void AuswertungsBefehlTest::iniWerte()
{
    TestDatenordner ordner;
    TestOberflaeche oberflaeche;
    QVERIFY(!TestDatenbankAnlegen().isEmpty());
    QVERIFY(RationSchreiben({{9101, 30, 0, 1}, {9104, 2, 0, 1}}));
    const auto mit = [&](const QStringList& angaben) {
        return Auswerten(QStringList{"--datenordner", ordner.Pfad()} + angaben).aus;
    };
    const auto speichern = [](const char* name, const char* wert) {
        INISpeichern(QStringLiteral("RationTierErstellenFenster"), QString::fromLatin1(name), QString::fromLatin1(wert));
    };

    // Nothing stored: the window's defaults 650 kg, 40,0 kg milk, 4,00 % fat.
    QCOMPARE(Auswerten({"--datenordner", ordner.Pfad()}).code, 0);
    const QString vorgabe = mit({});
    QCOMPARE(vorgabe, mit({"--gewicht", "650", "--milch", "40", "--fett", "4"}));

    speichern("Gewicht", "750");
    speichern("Milch", "28,5");
    speichern("Fett", "3,90");
    QCOMPARE(mit({}), mit({"--gewicht", "750", "--milch", "28,5", "--fett", "3,9"}));
    QVERIFY(mit({}) != vorgabe);
    // An option overrides only its own value.
    QCOMPARE(mit({"--milch", "40"}), mit({"--gewicht", "750", "--milch", "40", "--fett", "3,90"}));
    // A stored weight outside the classes falls back to 650, as in the window.
    speichern("Gewicht", "420");
    QCOMPARE(mit({}), mit({"--gewicht", "650", "--milch", "28,5", "--fett", "3,9"}));
}

void AuswertungsBefehlTest::falscheAngaben_data()
{
    QTest::addColumn<QStringList>("angaben");
    QTest::addColumn<QString>("meldung");

    QTest::newRow("unbekannt") << QStringList{"--farbe", "rot"} << "Unbekannte Angabe für auswerten: --farbe";
    QTest::newRow("Wert fehlt") << QStringList{"--milch"} << "Nach --milch fehlt der Wert.";
    QTest::newRow("Gewicht keine Klasse")
        << QStringList{"--gewicht", "625"}
        << "Das Gewicht muss eine der Gewichtsklassen 500, 550, 600, 650, 700, 750 oder 800 sein, nicht: 625";
    QTest::newRow("Milch keine Zahl") << QStringList{"--milch", "viel"}
                                      << "Die Milchmenge (--milch) muss eine Zahl ab 0 sein, zum Beispiel 25 oder "
                                         "4,2, nicht: viel";
    QTest::newRow("Fett negativ") << QStringList{"--fett", "-4"}
                                  << "Der Fettgehalt (--fett) muss eine Zahl ab 0 sein, zum Beispiel 25 oder 4,2, "
                                     "nicht: -4";
    QTest::newRow("Datenordner leer") << QStringList{"--datenordner="} << "Nach --datenordner fehlt der Ordner.";
}

void AuswertungsBefehlTest::falscheAngaben()
{
    QFETCH(QStringList, angaben);
    QFETCH(QString, meldung);
    TestDatenordner ordner;
    const Lauf l = Auswerten(angaben);
    QCOMPARE(l.code, 2);
    QVERIFY(l.aus.isEmpty());
    QVERIFY2(l.fehler.startsWith(meldung + QLatin1Char('\n')), qPrintable(l.fehler));
    QVERIFY(l.fehler.contains(QStringLiteral("Aufruf: kelvora auswerten")));
}

void AuswertungsBefehlTest::datenbankFehlt()
{
    TestDatenordner ordner;
    TestOberflaeche oberflaeche;
    const Lauf l = Auswerten({"--datenordner", ordner.Pfad()});
    QCOMPARE(l.code, 1);
    QVERIFY(l.aus.isEmpty());
    QVERIFY2(l.fehler.contains(QStringLiteral("Die Datenbank Futter.mdb fehlt!")), qPrintable(l.fehler));
    // The command's own seam took the message; the test seam saw none.
    QVERIFY(oberflaeche.meldungen.isEmpty());
    QCOMPARE(&ui(), static_cast<Oberflaeche*>(&oberflaeche));
}

KELVORA_TEST(AuswertungsBefehlTest)
#include "tst_AuswertungsBefehl.moc"
