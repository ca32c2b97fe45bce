// The feed exchange as logic against a real FTP server on 127.0.0.1: the
// feed file as uploaded, the replace question, the listing of new feeds and
// the fetch of one, and the bad inputs a server can hold.

#include "StammdatenTestHilfen.h"
#include "TestFtpServer.h"
#include "TestPfade.h"
#include "TestRegister.h"
#include "feeds/FutterAustausch.h"
#include "frame/FunktionenFuerINI.h"

#include <QDir>
#include <QFile>

using namespace kelvora;

namespace {

constexpr long RapsID = 950;
const QString RapsDatei = QStringLiteral("3_Rapskuchen_Öl_arm.xml");

QByteArray Golden()
{
    QFile f(QStringLiteral(KELVORA_TESTDATEN "/austausch/rapskuchen.xml"));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The feed file of the golden file, read back by the program's own reader.
const QStringList RapsWerte = { "890", "335", "117", "262", "190", "210", "7,45", "6,8", "11,05" };

} // namespace

class FutterAustauschTest : public test::FtpTestBasis {
    Q_OBJECT
private slots:
    void init()
    {
        Vorbereiten();
        QVERIFY(!test::TestDatenbankAnlegen().isEmpty());
        QVERIFY(test::SqlAusfuehren(
            QStringLiteral("INSERT INTO Futtermittel (ID, FutterArtIOFC, Bezeichnung, TM_g, XP_gTM, UDP_gTM, NDF_gTM, "
                           "ADF_gTM, NFC_gTM, NEL_MJTM, Ca_gTM, P_gTM, AngelegtAm, [LetzteÄnderung]) VALUES (?, 3, "
                           "'Rapskuchen Öl_arm', 890, 335, 117, 262, 190, 210, 7.45, 6.8, 11.05, "
                           "'2020-03-01T08:15:00', '2026-11-30T17:45:10')"),
            { qlonglong(RapsID) }));
        programm().E1 = QStringLiteral("Hof Müller");
        programm().E2 = QStringLiteral("Dorfstraße 1, 12345 Wiesental");
    }
    void cleanup() { Aufraeumen(); }

    void hochladen_data();
    void hochladen();
    void listeUndHolen();
    void gruppenfilter();
    void hoechstens999();
    void schlechteDateien_data();
    void schlechteDateien();
    void serverNamen_data();
    void serverNamen();
};

void FutterAustauschTest::hochladen_data()
{
    QTest::addColumn<QByteArray>("vorhanden"); // on the server before
    QTest::addColumn<bool>("ohneFragen");
    QTest::addColumn<int>("antwort"); // -1: no question expected
    QTest::addColumn<int>("ergebnis");
    QTest::addColumn<QByteArray>("danach");
    QTest::newRow("neu") << QByteArray() << false << -1 << int(Hochladeergebnis::Hochgeladen) << Golden();
    QTest::newRow("ersetzen: Ja") << QByteArray("alt") << false << int(Antwort::Ja)
                                  << int(Hochladeergebnis::Hochgeladen) << Golden();
    QTest::newRow("ersetzen: Nein") << QByteArray("alt") << false << int(Antwort::Nein)
                                    << int(Hochladeergebnis::Verzichtet) << QByteArray("alt");
    QTest::newRow("ohne Fragen") << QByteArray("alt") << true << -1 << int(Hochladeergebnis::Hochgeladen) << Golden();
}

void FutterAustauschTest::hochladen()
{
    QFETCH(QByteArray, vorhanden);
    QFETCH(bool, ohneFragen);
    QFETCH(int, antwort);
    QFETCH(int, ergebnis);
    QFETCH(QByteArray, danach);
    if (!vorhanden.isEmpty())
        server->Schreiben(RapsDatei, vorhanden);
    if (antwort >= 0)
        ui->Antworten(Antwort(antwort));

    QCOMPARE(int(FutterHochladen(RapsID, ohneFragen)), ergebnis);
    QCOMPARE(server->Lesen(RapsDatei), danach);
    QCOMPARE(ui->meldungen.size(), antwort >= 0 ? 1 : 0);
    if (antwort >= 0)
        QCOMPARE(ui->meldungen.first().titel, QStringLiteral("Futtermittel ersetzen"));
    if (ergebnis == int(Hochladeergebnis::Hochgeladen)) {
        QCOMPARE(ordner->Roh(RapsDatei), Golden());
        QCOMPARE(ui->statuszeilen.last().text, QStringLiteral("Futtermittel wurde hochgeladen."));
        QCOMPARE(ui->statuszeilen.last().farbe, Farbe::Gruen);
    } else {
        QVERIFY(!QFile::exists(ordner->Pfad(RapsDatei)));
    }
}

// Upload, listing and fetch meet although the name holds a blank and "_";
// a feed that is already here is not offered, receipts never are.
void FutterAustauschTest::listeUndHolen()
{
    QCOMPARE(FutterHochladen(RapsID, true), Hochladeergebnis::Hochgeladen);
    QList<ServerFutter> lokal;
    QVERIFY(LokaleFutterLesen(lokal));
    ServerDateien s = ServerDateienLesen(0);
    QVERIFY(s.verbunden && s.ordnerGefunden);
    QCOMPARE(NeueServerFutter(s.namen, lokal).size(), 0);

    QVERIFY(test::SqlAusfuehren(QStringLiteral("DELETE FROM Futtermittel WHERE ID = ?"), { qlonglong(RapsID) }));
    QVERIFY(LokaleFutterLesen(lokal));
    const QList<ServerFutter> neu = NeueServerFutter(s.namen, lokal);
    QCOMPARE(neu.size(), 1);
    QCOMPARE(neu.first().gruppe, 3);
    QCOMPARE(neu.first().bezeichnung, QStringLiteral("Rapskuchen Öl arm"));

    FutterAusDatei f;
    QVERIFY(ServerFutterHolen(neu.first().gruppe, neu.first().bezeichnung, f));
    QCOMPARE(f.bezeichnung, QStringLiteral("Rapskuchen Öl_arm"));
    QCOMPARE(f.werte, RapsWerte);
    QCOMPARE(ErstelltVonText(f), QStringLiteral("erstellt von Hof Müller, Dorfstraße 1, 12345 Wiesental"));
    // Fetching stores nothing: the feed comes back only through the editor.
    QCOMPARE(
        test::SqlLesen(QStringLiteral("SELECT COUNT(*) FROM Futtermittel WHERE ID = ?"), { qlonglong(RapsID) }).toInt(),
        0);

    s = ServerDateienLesen(0);
    QCOMPARE(s.namen.filter(QStringLiteral("abgeholt_")).size(), 1);
    QCOMPARE(NeueServerFutter(s.namen, lokal).size(), 1);
}

void FutterAustauschTest::gruppenfilter()
{
    for (const char* n : { "1_Heu.xml", "3_Soja.xml", "3_Raps_kuchen.xml", "3_Soja.lock",
             "abgeholt_20261204_100000.xml", "13_Falsch.xml" })
        server->Schreiben(QString::fromUtf8(n), "x");
    const ServerDateien s = ServerDateienLesen(3);
    QCOMPARE(s.namen, (QStringList { QStringLiteral("3_Raps_kuchen.xml"), QStringLiteral("3_Soja.xml") }));
    const QList<ServerFutter> neu = NeueServerFutter(s.namen, {});
    QCOMPARE(neu.size(), 2);
    QCOMPARE(neu.first().bezeichnung, QStringLiteral("Raps kuchen"));
}

void FutterAustauschTest::hoechstens999()
{
    for (int i = 0; i < 10000; ++i)
        QFile(server->Pfad(QStringLiteral("1_Futter %1.xml").arg(i, 5, 10, QLatin1Char('0'))))
            .open(QIODevice::WriteOnly);
    const ServerDateien s = ServerDateienLesen(0);
    QCOMPARE(s.namen.size(), 10000);
    bool gekuerzt = false;
    const QList<ServerFutter> neu = NeueServerFutter(s.namen, {}, &gekuerzt);
    QCOMPARE(neu.size(), 999);
    QVERIFY(gekuerzt);
    QCOMPARE(neu.last().bezeichnung, QStringLiteral("Futter 00998"));
}

void FutterAustauschTest::schlechteDateien_data()
{
    QTest::addColumn<QByteArray>("inhalt");
    QTest::addColumn<QString>("bezeichnung");
    QTest::addColumn<QStringList>("werte");
    QTest::addColumn<QString>("meldung");
    const QByteArray gut = Golden();
    QByteArray klein = gut;
    klein.replace("<TM_g>890</TM_g>", "<tm_g>890</tm_g>");
    QByteArray endeAnders = gut;
    endeAnders.replace("</TM_g>", "</TM_G>");
    const QStringList leer(9, QString());
    QStringList ohneTM = RapsWerte;
    ohneTM[0].clear();
    QStringList halb = RapsWerte;
    for (int i = 6; i < 9; ++i)
        halb[i].clear();

    QTest::newRow("in Ordnung") << gut << "Rapskuchen Öl_arm" << RapsWerte << "";
    QTest::newRow("Tag in Kleinbuchstaben") << klein << "Rapskuchen Öl_arm" << ohneTM
                                            << "Problem beim Holen von 'TM_g'.\n\nEs wird ein leeres Ergebnis "
                                               "zurückgegeben. Bitte informieren Sie den Programmierer!";
    QTest::newRow("Endtag anders geschrieben") << endeAnders << "Rapskuchen Öl_arm" << RapsWerte << "";
    QTest::newRow("abgeschnitten") << gut.left(gut.indexOf("<NEL_MJTM>") + 12) << "Rapskuchen Öl_arm" << halb << "";
    QTest::newRow("kein XML") << QByteArray::fromHex("504b030414000600ff20fe3c3c3e3e") << "" << leer << "";
    QTest::newRow("leer") << QByteArray() << "" << leer << "";
}

// A damaged file gives empty boxes (which the editor's save checks refuse),
// never wrong values.
void FutterAustauschTest::schlechteDateien()
{
    QFETCH(QByteArray, inhalt);
    QFETCH(QString, bezeichnung);
    QFETCH(QStringList, werte);
    QFETCH(QString, meldung);
    server->Schreiben(RapsDatei, inhalt);
    FutterAusDatei f;
    QVERIFY(ServerFutterHolen(3, QStringLiteral("Rapskuchen Öl arm"), f));
    QCOMPARE(f.bezeichnung, bezeichnung);
    QCOMPARE(f.werte, werte);
    QCOMPARE(ui->Texte(), meldung.isEmpty() ? QStringList() : QStringList { meldung });
    if (!meldung.isEmpty()) {
        QCOMPARE(ui->meldungen.first().titel, QStringLiteral("Fehler in der XML-Struktur!"));
        QCOMPARE(ui->meldungen.first().symbol, Symbol::Kritisch);
    }
}

void FutterAustauschTest::serverNamen_data()
{
    QTest::addColumn<QStringList>("dateien");
    QTest::addColumn<QStringList>("bekannt"); // "group|name"
    QTest::addColumn<QStringList>("neu"); // "group|name as shown"
    QTest::newRow("_ als Leerzeichen") << QStringList { "1_Mais_GPS.xml" } << QStringList()
                                       << QStringList { "1|Mais GPS" };
    QTest::newRow("bekannt mit Leerzeichen")
        << QStringList { "1_Mais_GPS.xml" } << QStringList { "1|Mais GPS" } << QStringList();
    QTest::newRow("bekannt mit _") << QStringList { "1_Mais_GPS.xml" } << QStringList { "1|Mais_GPS" } << QStringList();
    QTest::newRow("andere Gruppe") << QStringList { "1_Mais_GPS.xml" } << QStringList { "2|Mais GPS" }
                                   << QStringList { "1|Mais GPS" };
    QTest::newRow("Schrägstrich") << QStringList { "4_Trester_1-2.xml" } << QStringList { "4|Trester 1/2" }
                                  << QStringList();
    QTest::newRow("Quittungen und Fremdes") << QStringList { "abgeholt_20261204_100000.xml", "liesmich.xml", "0_X.xml",
        "6_Y.xml", "2_.xml", "2_Gerste.XML" }
                                            << QStringList() << QStringList { "2|Gerste" };
    QTest::newRow("leerer Name beendet") << QStringList { "1_Heu.xml", "", "1_Stroh.xml" } << QStringList()
                                         << QStringList { "1|Heu" };
}

void FutterAustauschTest::serverNamen()
{
    QFETCH(QStringList, dateien);
    QFETCH(QStringList, bekannt);
    QFETCH(QStringList, neu);
    QList<ServerFutter> b;
    for (const QString& k : bekannt)
        b.append({ QString(), k.section(QLatin1Char('|'), 0, 0).toInt(), k.section(QLatin1Char('|'), 1) });
    QStringList gefunden;
    for (const ServerFutter& s : NeueServerFutter(dateien, b))
        gefunden << QString::number(s.gruppe) + QLatin1Char('|') + s.bezeichnung;
    QCOMPARE(gefunden, neu);
    // Upload and take-over name the same file.
    for (const ServerFutter& s : NeueServerFutter(dateien, {}))
        QCOMPARE(FutterDateiName(s.gruppe, s.bezeichnung), s.datei.left(s.datei.size() - 4) + QStringLiteral(".xml"));
}

KELVORA_TEST(FutterAustauschTest)
#include "tst_FutterAustausch.moc"
