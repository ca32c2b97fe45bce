// "kelvora austausch liste|hochladen|holen" against a real FTP server on
// 127.0.0.1: output, exit codes, the maintainer mode that sharing needs, and
// hostile server files the take-over must refuse without touching the
// database (numbers, texts, encodings).

#include "../feeds/StammdatenTestHilfen.h"
#include "../ration/RationsTestdaten.h"
#include "BefehlsLauf.h"
#include "TestDatenbank.h"
#include "TestFtpServer.h"
#include "TestRegister.h"
#include "frame/FunktionenFuerINI.h"

#include <QTest>

using namespace kelvora;

class AustauschBefehlTest : public test::FtpTestBasis {
    Q_OBJECT
private slots:
    void init() { Vorbereiten(); }
    void cleanup()
    {
        programm().wartungsmodus = false;
        Aufraeumen();
    }
    void austausch_data();
    void austausch();
    void holen_data();
    void holen();
};

namespace {

const QStringList Grunddateien { "1_Heu.xml", "1_Testfutter_9001.xml", "3_Soja_roh.xml" };

QByteArray Datei(const QString& pfad)
{
    QFile f(pfad);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

void AustauschBefehlTest::austausch_data()
{
    QTest::addColumn<QString>("ini"); // "Abschnitt/Schlüssel=Wert" set before
    QTest::addColumn<QStringList>("woerter");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("aus");
    QTest::addColumn<QString>("fehler"); // part of stderr
    // "Futter=name": feed 9002 of group 1 with that name; "Datei=name": one more server file.
    QTest::addColumn<QStringList>("vorbereitung");
    QTest::addColumn<QString>("neueDatei"); // on the server afterwards
    // "Testfutter 9001" is in the local database and on the server.
    QTest::newRow("liste") << "" << QStringList { "austausch", "liste" } << 0
                           << "1_Heu.xml\tGrundfutter\tHeu\n3_Soja_roh.xml\tEiweißträger\tSoja roh\n"
                           << "" << QStringList() << QString();
    QTest::newRow("liste einer Gruppe") << "" << QStringList { "austausch", "liste", "--gruppe", "3" } << 0
                                        << "3_Soja_roh.xml\tEiweißträger\tSoja roh\n"
                                        << "" << QStringList() << QString();
    QTest::newRow("falsche Gruppe") << "" << QStringList { "austausch", "liste", "--gruppe=7" } << 2 << ""
                                    << "muss eine Zahl von 1 bis 5 sein" << QStringList() << QString();
    QTest::newRow("Server aus") << "Austausch/Port=" + QString::number(test::FreierPort())
                                << QStringList { "austausch", "liste" } << 1 << ""
                                << "konnten nicht aufgelistet werden: Der Server 127.0.0.1 nimmt" << QStringList()
                                << QString();
    QTest::newRow("hochladen, Server aus")
        << "Austausch/Port=" + QString::number(test::FreierPort())
        << QStringList { "--wartung", "austausch", "hochladen", "9001" } << 1 << ""
        << "Futtermittel konnte nicht hochgeladen werden!\n\nDer Server 127.0.0.1 nimmt" << QStringList()
        << QString();
    QTest::newRow("kein Server") << "Austausch/Server=" << QStringList { "austausch", "liste" } << 1 << ""
                                 << "Kein Austausch-Server eingestellt." << QStringList() << QString();
    QTest::newRow("hochladen ohne Wartungsmodus") << "" << QStringList { "austausch", "hochladen", "9001" } << 3 << ""
                                                  << "nur im Wartungsmodus möglich" << QStringList() << QString();
    QTest::newRow("hochladen ersetzt") << "" << QStringList { "--wartung", "austausch", "hochladen", "9001" } << 0
                                       << "1_Testfutter_9001.xml\n"
                                       << "" << QStringList() << QString();
    QTest::newRow("Wartungsmodus aus der INI")
        << "Programm/Wartungsmodus=1" << QStringList { "austausch", "hochladen", "9001" } << 0
        << "1_Testfutter_9001.xml\n"
        << "" << QStringList() << QString();
    QTest::newRow("unbekannte ID") << "" << QStringList { "--wartung", "austausch", "hochladen", "99999" } << 2 << ""
                                   << "kein Futtermittel mit der Nummer 99999" << QStringList() << QString();
    // Texts from outside: control characters never reach a column, a file
    // name or a shared file; what Windows-1252 cannot hold is refused.
    QTest::newRow("liste ohne Namen mit Steuerzeichen")
        << "" << QStringList { "austausch", "liste", "--gruppe", "1" } << 0 << "1_Heu.xml\tGrundfutter\tHeu\n"
        << "" << QStringList { "Datei=1_Mais\tgut\x1b[0m.xml" } << QString();
    QTest::newRow("hochladen ohne Steuerzeichen")
        << "" << QStringList { "--wartung", "austausch", "hochladen", "9002" } << 0 << "1_Mais_gut.xml\n"
        << "" << QStringList { "Futter=Mais\r\n\x1bgut" } << "1_Mais_gut.xml";
    QTest::newRow("hochladen nicht in Windows-1252")
        << "" << QStringList { "--wartung", "austausch", "hochladen", "9002" } << 3 << ""
        << "Die Bezeichnung \"Łubin Ś\" enthält Zeichen, die eine Austauschdatei (Windows-1252) nicht aufnehmen "
           "kann: Ł, Ś."
        << QStringList { "Futter=Łubin Ś" } << QString();
}

void AustauschBefehlTest::austausch()
{
    QFETCH(QString, ini);
    QFETCH(QStringList, woerter);
    QFETCH(int, code);
    QFETCH(QString, aus);
    QFETCH(QString, fehler);
    QFETCH(QStringList, vorbereitung);
    QFETCH(QString, neueDatei);
    QVERIFY(!test::TestDatenbankAnlegen().isEmpty());
    QVERIFY(test::RationAnlegen({ { 9001, 880, 260 } }, {}));
    QStringList dateien = Grunddateien;
    for (const QString& v : vorbereitung) {
        const QString wert = v.section(QLatin1Char('='), 1);
        if (v.startsWith(QLatin1String("Datei=")))
            dateien << wert;
        else
            QVERIFY(test::SqlAusfuehren(QStringLiteral("INSERT INTO Futtermittel (ID, Bezeichnung, FutterArtIOFC, "
                                                       "TM_g) VALUES (9002, ?, 1, 300)"),
                { wert }));
    }
    for (const QString& n : dateien)
        server->Schreiben(n, "x");
    if (!ini.isEmpty())
        INISpeichern(ini.section(QLatin1Char('/'), 0, 0),
            ini.section(QLatin1Char('/'), 1).section(QLatin1Char('='), 0, 0), ini.section(QLatin1Char('='), 1));

    const test::Lauf l = test::Kelvora(QStringList { "--datenordner", ordner->Pfad() } + woerter);
    QVERIFY2(l.code == code, qPrintable(l.fehler));
    QCOMPARE(l.aus, aus);
    QVERIFY2(fehler.isEmpty() ? l.fehler.isEmpty() : l.fehler.contains(fehler), qPrintable(l.fehler));
    // An upload replaces the file of its feed; nothing else comes or goes.
    if (!neueDatei.isEmpty())
        dateien << neueDatei;
    dateien.sort();
    QCOMPARE(server->Dateien(), dateien);
    if (code == 0 && woerter.contains(QLatin1String("9001")))
        QVERIFY(server->Lesen(QStringLiteral("1_Testfutter_9001.xml")).contains("<NEL_MJTM>6</NEL_MJTM>"));
    if (!neueDatei.isEmpty())
        QVERIFY(server->Lesen(neueDatei).contains("<Bezeichnung>Mais gut</Bezeichnung>\r\n"));
}

// Taking a listed feed over: a served file (the golden one with one
// change) either becomes a new feed with the values the file holds, or is
// refused with the field named and the database unchanged byte for byte.
void AustauschBefehlTest::holen_data()
{
    QTest::addColumn<QString>("datei"); // on the server
    QTest::addColumn<QByteArray>("inhalt");
    QTest::addColumn<QStringList>("angaben"); // after "austausch holen"
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("ergebnis"); // code 0: the stored feed; else part of stderr
    const QString raps = QStringLiteral("3_Rapskuchen_Öl_arm.xml");
    const QByteArray gut = Datei(QStringLiteral(KELVORA_TESTDATEN "/austausch/rapskuchen.xml"));
    const QString gespeichert
        = QStringLiteral("3;Rapskuchen Öl_arm;890.0;335.0;117.0;262.0;190.0;210.0;7.45;6.8;11.05");
    const auto anders = [&](const QByteArray& alt, const QByteArray& neu) { return QByteArray(gut).replace(alt, neu); };
    const auto zeile = [&](const char* name, const QByteArray& inhalt, int code, const QString& ergebnis,
                           const QStringList& angaben = {}, const QString& datei = QString()) {
        QTest::newRow(name) << (datei.isEmpty() ? raps : datei) << inhalt
                            << (QStringList { datei.isEmpty() ? raps : datei } + angaben) << code << ergebnis;
    };
    const QString unrealistisch = QStringLiteral("-Wert ist unrealistisch!");
    const QString keineZahl = QStringLiteral(" eine Zahl ein (zum Beispiel 12,5). ");

    zeile("gut", gut, 0, gespeichert);
    zeile("Dateiname in Großbuchstaben", gut, 0, gespeichert, {}, QStringLiteral("3_Rapskuchen_Öl_arm.XML"));
    zeile("andere Gruppe", gut, 0, QString(gespeichert).replace(0, 1, "4"), { "--gruppe", "4" });
    // Numbers
    zeile("TM negativ", anders("<TM_g>890", "<TM_g>-890"), 3, "Trockenmasse (TM_g), Wert \"-890\"");
    zeile("XP negativ", anders("<XP_gTM>335", "<XP_gTM>-335"), 3, "Rohprotein (XP_gTM), Wert \"-335\"");
    zeile("NEL negativ", anders("<NEL_MJTM>7,45", "<NEL_MJTM>-7,45"), 3, "Energie" + unrealistisch);
    zeile("Ca negativ", anders("<Ca_gTM>6,8", "<Ca_gTM>-6,8"), 3, "Calzium (Ca_gTM), Wert \"-6,8\"");
    zeile("1e308", anders("<NEL_MJTM>7,45", "<NEL_MJTM>1e308"), 3, "Energie" + keineZahl + "\"1e308\" ist keine Zahl.");
    zeile("2E3", anders("<TM_g>890", "<TM_g>2E3"), 3, "Trockenmasse" + keineZahl);
    zeile("Tausenderpunkt", anders("<Ca_gTM>6,8", "<Ca_gTM>1.234,5"), 3, "Calzium" + unrealistisch);
    zeile("400 Ziffern", anders("<P_gTM>11,05", "<P_gTM>" + QByteArray(400, '1')), 3, "Phosphor" + keineZahl);
    zeile("englische Tausender", anders("<ADF_gTM>190", "<ADF_gTM>1,234.5"), 3, "ADF (ADF_gTM), Wert \"1,234.5\"");
    zeile("0 ohne --ja", anders("<NFC_gTM>210", "<NFC_gTM>0"), 3, "keine NFC enthält?");
    zeile("0 mit --ja", anders("<NFC_gTM>210", "<NFC_gTM>"), 0, QString(gespeichert).replace(";210.0;", ";0.0;"),
        { "--ja" });
    // Texts
    zeile("Steuerzeichen im Namen",
        anders("Rapskuchen \xD6l", QByteArrayLiteral("Raps\tkuchen\x1b[2J\r\n\x00\x7f\xD6l")), 0,
        QString(gespeichert).replace("Rapskuchen Öl", "Raps kuchen[2J Öl"));
    zeile("Markup im Namen", anders("Rapskuchen \xD6l_arm</B", "<b>Raps</b> &amp; \xD6l_arm</B"), 0,
        QString(gespeichert).replace("Rapskuchen Öl_arm", "<b>Raps</b> &amp; Öl_arm"));
    zeile("Name zu lang", anders("Rapskuchen", QByteArray(95, 'R')), 3, "höchstens 100 Zeichen");
    // Encodings: UTF-8 with and without byte-order mark
    const QByteArray utf8
        = QString::fromLatin1(gut).toUtf8().replace("Rapskuchen", "K\xC3\xB6rnermais s\xC3\xBC\xC3\x9F");
    const QString koernermais = QString(gespeichert).replace("Rapskuchen", "Körnermais süß");
    zeile("UTF-8", utf8, 0, koernermais);
    zeile("UTF-8 mit BOM", "\xEF\xBB\xBF" + utf8, 0, koernermais);
    // The command's own refusals
    zeile("nicht gelistet", gut, 2, "liegt nicht im Austauschordner", {}, QStringLiteral("3_Nicht_da.xml"));
    zeile("schon in der Datenbank", gut, 3, "gibt es schon in der Futterdatenbank", {},
        QStringLiteral("1_Testfutter_9001.xml"));
    zeile("Gruppe 9", gut, 2, "muss eine Zahl von 1 bis 5 sein, nicht: 9", { "--gruppe=9" });
    zeile("keine Futterdatei", gut, 2, "wie austausch liste sie ausgibt", {}, QStringLiteral("../Futter.mdb"));
}

void AustauschBefehlTest::holen()
{
    QFETCH(QString, datei);
    QFETCH(QByteArray, inhalt);
    QFETCH(QStringList, angaben);
    QFETCH(int, code);
    QFETCH(QString, ergebnis);
    QVERIFY(!test::TestDatenbankAnlegen().isEmpty());
    QVERIFY(test::RationAnlegen({ { 9001, 880, 260 } }, {}));
    if (datei != QLatin1String("3_Nicht_da.xml") && !datei.contains(QLatin1Char('/')))
        server->Schreiben(datei, inhalt);
    const QString mdb = ordner->Pfad(QStringLiteral("Futter.mdb"));
    const QByteArray vorher = Datei(mdb);
    const long naechste = test::SqlLesen(QStringLiteral("SELECT MAX(ID) + 1 FROM Futtermittel")).toLongLong();

    const test::Lauf l = test::Kelvora(QStringList { "--datenordner", ordner->Pfad(), "austausch", "holen" } + angaben);
    QVERIFY2(l.code == code, qPrintable(l.fehler));
    if (code != 0) {
        QVERIFY2(l.fehler.contains(ergebnis), qPrintable(l.fehler));
        QVERIFY(l.aus.isEmpty());
        QVERIFY(Datei(mdb) == vorher);
        return;
    }
    QCOMPARE(l.aus, QString::number(naechste) + QLatin1Char('\n'));
    QCOMPARE(test::SqlLesen(
                 QStringLiteral("SELECT FutterArtIOFC || ';' || Bezeichnung || ';' || TM_g || ';' || XP_gTM "
                                "|| ';' || UDP_gTM || ';' || NDF_gTM || ';' || ADF_gTM || ';' || NFC_gTM || "
                                "';' || NEL_MJTM || ';' || Ca_gTM || ';' || P_gTM FROM Futtermittel WHERE ID = ?"),
                 { qlonglong(naechste) })
                 .toString(),
        ergebnis);
}

KELVORA_TEST(AustauschBefehlTest)
#include "tst_Austausch.moc"
