// The feed exchange against a real FTP server on 127.0.0.1: the feed file as
// uploaded, the replace question, the names a listing offers and the bad
// files a server can hold; then fetching through the list's button on a real
// main window. The command test in tests/app covers listing by group and
// sharing in maintainer mode.

#include "StammdatenTestHilfen.h"
#include "TestFtpServer.h"
#include "TestRegister.h"
#include "feeds/FutterAustausch.h"
#include "feeds/FutterDatei.h"
#include "feeds/StammdatenPruefung.h"
#include "feeds/ui/FutterListe.h"
#include "frame/FunktionenFuerINI.h"

using namespace kelvora;

namespace {

constexpr long RapsID = 950;
const QString RapsDatei = QStringLiteral("3_Rapskuchen_Öl_arm.xml");

// The exchange file of "Rapskuchen Öl_arm" (group 3) as the program writes it.
QByteArray RapsGolden()
{
    QFile f(QStringLiteral(KELVORA_TESTDATEN "/austausch/rapskuchen.xml"));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The golden file's values as the program's own reader gives them to the editor.
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
    void cleanup()
    {
        programm().programmEndet = true;
        haupt.reset();
        programm().programmEndet = false;
        programm().listeOffen = false;
        Aufraeumen();
    }

    void hochladen_data()
    {
        QTest::addColumn<QByteArray>("vorhanden"); // on the server before
        QTest::addColumn<int>("antwort"); // -1: no question expected
        QTest::addColumn<bool>("hochgeladen");
        QTest::newRow("neu") << QByteArray() << -1 << true;
        QTest::newRow("ersetzen: Ja") << QByteArray("alt") << int(Antwort::Ja) << true;
        QTest::newRow("ersetzen: Nein") << QByteArray("alt") << int(Antwort::Nein) << false;
    }

    void hochladen()
    {
        QFETCH(QByteArray, vorhanden);
        QFETCH(int, antwort);
        QFETCH(bool, hochgeladen);
        if (!vorhanden.isEmpty())
            server->Schreiben(RapsDatei, vorhanden);
        if (antwort >= 0)
            ui->Antworten(Antwort(antwort));

        QCOMPARE(FutterHochladen(RapsID), hochgeladen ? Hochladeergebnis::Hochgeladen : Hochladeergebnis::Verzichtet);
        QCOMPARE(server->Lesen(RapsDatei), hochgeladen ? RapsGolden() : vorhanden);
        QCOMPARE(ui->meldungen.size(), antwort >= 0 ? 1 : 0);
        QCOMPARE(ordner->Roh(RapsDatei), hochgeladen ? RapsGolden() : QByteArray());
        if (hochgeladen)
            QCOMPARE(ui->statuszeilen.last().text, QStringLiteral("Futtermittel wurde hochgeladen."));
    }

    void schlechteDateien_data()
    {
        QTest::addColumn<QByteArray>("inhalt");
        QTest::addColumn<QString>("bezeichnung");
        QTest::addColumn<QStringList>("werte");
        QTest::addColumn<bool>("meldung");
        const QByteArray gut = RapsGolden();
        const QStringList leer(9, QString());
        QStringList ohneTM = RapsWerte;
        ohneTM[0].clear();
        QStringList halb = RapsWerte;
        for (int i = 6; i < 9; ++i)
            halb[i].clear();
        QTest::newRow("in Ordnung") << gut << "Rapskuchen Öl_arm" << RapsWerte << false;
        QTest::newRow("Tag in Kleinbuchstaben")
            << QByteArray(gut).replace("<TM_g>890</TM_g>", "<tm_g>890</tm_g>") << "Rapskuchen Öl_arm" << ohneTM << true;
        QTest::newRow("abgeschnitten") << gut.left(gut.indexOf("<NEL_MJTM>") + 12) << "Rapskuchen Öl_arm" << halb << false;
        QTest::newRow("kein XML") << QByteArray::fromHex("504b030414000600ff20fe3c3c3e3e") << "" << leer << false;
    }

    // A damaged file gives empty boxes (which the editor's save checks
    // refuse), never wrong values.
    void schlechteDateien()
    {
        QFETCH(QByteArray, inhalt);
        QFETCH(QString, bezeichnung);
        QFETCH(QStringList, werte);
        QFETCH(bool, meldung);
        server->Schreiben(RapsDatei, inhalt);
        FutterAusDatei f;
        QVERIFY(ServerFutterHolen(RapsDatei, f));
        QCOMPARE(f.bezeichnung, bezeichnung);
        // The German values are not in these files: they read as empty.
        QStringList erwartet = werte;
        while (erwartet.size() < FutterDateiWerte().size())
            erwartet << QString();
        QCOMPARE(f.werte, erwartet);
        QCOMPARE(ui->Texte(),
            meldung ? QStringList { "Problem beim Holen von 'TM_g'.\n\nEs wird ein leeres Ergebnis zurückgegeben. Bitte "
                                    "informieren Sie den Programmierer!" }
                    : QStringList());
    }

    void serverNamen_data()
    {
        QTest::addColumn<QStringList>("dateien");
        QTest::addColumn<QStringList>("bekannt"); // "group|name"
        QTest::addColumn<QStringList>("neu"); // "group|name as shown"
        const QStringList mais { "1_Mais_GPS.xml" };
        QTest::newRow("_ als Leerzeichen") << mais << QStringList() << QStringList { "1|Mais GPS" };
        QTest::newRow("bekannt mit _") << mais << QStringList { "1|Mais_GPS" } << QStringList();
        QTest::newRow("andere Gruppe") << mais << QStringList { "2|Mais GPS" } << QStringList { "1|Mais GPS" };
        QTest::newRow("Schrägstrich") << QStringList { "4_Trester_1-2.xml" } << QStringList { "4|Trester 1/2" }
                                      << QStringList();
        QTest::newRow("Quittungen und Fremdes")
            << QStringList { "abgeholt_20261204_100000.xml", "liesmich.xml", "0_X.xml", "6_Y.xml", "2_.xml",
                   "3_Soja.lock", "2_Gerste.XML" }
            << QStringList() << QStringList { "2|Gerste" };
        QTest::newRow("leerer Name beendet") << QStringList { "1_Heu.xml", "", "1_Stroh.xml" } << QStringList()
                                             << QStringList { "1|Heu" };
    }

    void serverNamen()
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

    void hoechstens999()
    {
        QStringList dateien { QStringLiteral("abgeholt_20261204_100000.xml") };
        for (int i = 0; i < 1000; ++i)
            dateien << QStringLiteral("1_Futter %1.xml").arg(i, 4, 10, QLatin1Char('0'));
        bool gekuerzt = false;
        const QList<ServerFutter> neu = NeueServerFutter(dateien, {}, &gekuerzt);
        QCOMPARE(neu.size(), 999);
        QVERIFY(gekuerzt);
        QCOMPARE(neu.last().bezeichnung, QStringLiteral("Futter 0998"));
        dateien.removeLast();
        NeueServerFutter(dateien, {}, &gekuerzt);
        QVERIFY(!gekuerzt);
    }

    // The list's button shows the server's new feed as a row of its own,
    // although its name holds a blank and "_". Taking it over fetches the file
    // (leaving a receipt) into a new editor; only saving there stores it.
    void fensterHoltUndSpeichert()
    {
        QVERIFY(test::SqlAusfuehren(QStringLiteral("DELETE FROM Futtermittel WHERE ID = ?"), { qlonglong(RapsID) }));
        server->Schreiben(RapsDatei, RapsGolden());
        FutterListe* l = ListeOeffnen();
        auto* lvw = l->findChild<QTreeWidget*>(QStringLiteral("lvwListe"));
        const int lokal = lvw->topLevelItemCount();
        l->findChild<QPushButton*>(QStringLiteral("cmdInternet"))->click();
        QCOMPARE(lvw->topLevelItemCount(), lokal + 1);
        const auto treffer = lvw->findItems(QStringLiteral("Rapskuchen Öl arm"), Qt::MatchExactly, 2);
        QCOMPARE(treffer.size(), 1);
        QCOMPARE(ui->statuszeilen.last().text, QStringLiteral("1 neue Futtermittel gefunden."));

        lvw->clearSelection();
        treffer.first()->setSelected(true);
        l->MarkiertesFutterOeffnen();
        QCOMPARE(test::Editoren(*haupt).size(), 1);
        StammdatenFenster2* e = test::Editoren(*haupt).first();
        QCOMPARE(e->findChild<QLabel*>(QStringLiteral("lblErstelltVon"))->text(),
            QStringLiteral("erstellt von Hof Müller, Dorfstraße 1, 12345 Wiesental"));
        QCOMPARE(ServerDateienLesen(0).namen.filter(QStringLiteral("abgeholt_")).size(), 1);
        const QString gespeichert
            = QStringLiteral("SELECT COUNT(*) FROM Futtermittel WHERE Bezeichnung = 'Rapskuchen Öl_arm'");
        QCOMPARE(test::SqlLesen(gespeichert).toInt(), 0);

        e->findChild<QPushButton*>(QStringLiteral("cmdSpeichern"))->click();
        QCOMPARE(test::SqlLesen(QStringLiteral("SELECT FutterArtIOFC || ';' || TM_g || ';' || XP_gTM || ';' || UDP_gTM "
                                               "|| ';' || NDF_gTM || ';' || ADF_gTM || ';' || NFC_gTM || ';' || "
                                               "NEL_MJTM || ';' || Ca_gTM || ';' || P_gTM FROM Futtermittel WHERE "
                                               "Bezeichnung = 'Rapskuchen Öl_arm'"))
                     .toString(),
            QStringLiteral("3;890.0;335.0;117.0;262.0;190.0;210.0;7.45;6.8;11.05"));
    }

    // A stranger's file in the editor: markup in E1 shows as typed, and an
    // unusable value is named, with the focus in its box, before anything
    // is saved. The file is fetched under its name as listed.
    void fensterZeigtFremdesAlsText()
    {
        QVERIFY(test::SqlAusfuehren(QStringLiteral("DELETE FROM Futtermittel WHERE ID = ?"), { qlonglong(RapsID) }));
        const QByteArray e1 = "<h1>Hof</h1><img src=\"x.png\"><a href=\"x\">M</a>";
        server->Schreiben(QStringLiteral("3_Rapskuchen_Öl_arm.XML"),
            RapsGolden().replace("Hof M\xFCller", e1).replace("<Ca_gTM>6,8", "<Ca_gTM>-6,8"));
        FutterListe* l = ListeOeffnen();
        const long vorher = test::SqlLesen(QStringLiteral("SELECT COUNT(*) FROM Futtermittel")).toLongLong();
        l->findChild<QPushButton*>(QStringLiteral("cmdInternet"))->click();
        auto* lvw = l->findChild<QTreeWidget*>(QStringLiteral("lvwListe"));
        lvw->clearSelection();
        lvw->findItems(QStringLiteral("Rapskuchen Öl arm"), Qt::MatchExactly, 2).value(0)->setSelected(true);
        l->MarkiertesFutterOeffnen();

        QCOMPARE(test::Editoren(*haupt).size(), 1);
        StammdatenFenster2* e = test::Editoren(*haupt).first();
        auto* von = e->findChild<QLabel*>(QStringLiteral("lblErstelltVon"));
        QCOMPARE(von->textFormat(), Qt::PlainText);
        QCOMPARE(von->text(), "erstellt von " + QString::fromLatin1(e1) + ", Dorfstraße 1, 12345 Wiesental");
        QCOMPARE(ui->Texte(), QStringList { "Dieser Calzium-Wert ist unrealistisch!\n\n" + PruefungHinweis() });
        QCOMPARE(QApplication::focusWidget(), e->findChild<QLineEdit*>(QStringLiteral("txtCa_gTM")));
        QCOMPARE(test::SqlLesen(QStringLiteral("SELECT COUNT(*) FROM Futtermittel")).toLongLong(), vorher);
    }

    void fensterMeldetGrund_data()
    {
        QTest::addColumn<bool>("uebernahme"); // else the listing fails
        QTest::addColumn<QString>("meldung");
        QTest::newRow("Liste: Anmeldung abgelehnt")
            << false
            << "Die Futtermittel des Internet-Servers konnten nicht aufgelistet werden.\n\nDer Server 127.0.0.1 hat die "
               "Anmeldung abgelehnt (Benutzer oder Passwort falsch).";
        QTest::newRow("Übernahme: Datei gesperrt")
            << true
            << "Futtermittel konnte nicht geholt werden!\n\n3_Rapskuchen_Öl_arm.xml wird gerade auf den Server "
               "127.0.0.1 geschrieben (Sperrdatei 3_Rapskuchen_Öl_arm.lock); bitte versuchen Sie es später noch einmal.";
    }

    // A failed listing or take-over tells its reason (tst_FtpDateien has
    // them all) in a box that stays until it is closed, and for a moment in
    // the status line; the list is usable again afterwards.
    void fensterMeldetGrund()
    {
        QFETCH(bool, uebernahme);
        QFETCH(QString, meldung);
        if (!uebernahme)
            INISpeichern(QStringLiteral("Austausch"), QStringLiteral("Benutzer"), QStringLiteral("falsch"));
        QVERIFY(test::SqlAusfuehren(QStringLiteral("DELETE FROM Futtermittel WHERE ID = ?"), { qlonglong(RapsID) }));
        server->Schreiben(RapsDatei, RapsGolden());
        FutterListe* l = ListeOeffnen();
        auto* knopf = l->findChild<QPushButton*>(QStringLiteral("cmdInternet"));
        knopf->click();
        if (uebernahme) {
            server->Schreiben(QStringLiteral("3_Rapskuchen_Öl_arm.lock"), "x");
            auto* lvw = l->findChild<QTreeWidget*>(QStringLiteral("lvwListe"));
            lvw->clearSelection();
            lvw->findItems(QStringLiteral("Rapskuchen Öl arm"), Qt::MatchExactly, 2).value(0)->setSelected(true);
            l->MarkiertesFutterOeffnen();
            QCOMPARE(test::Editoren(*haupt).size(), 0);
        }
        QCOMPARE(ui->Texte(), QStringList { meldung });
        QCOMPARE(ui->statuszeilen.last().text, QString(meldung).replace("\n\n", " "));
        QVERIFY(knopf->isEnabled());
        QCOMPARE(ui->sanduhrTiefe, 0);
    }

private:
    FutterListe* ListeOeffnen()
    {
        haupt = std::make_unique<HauptFenster>();
        haupt->Laden();
        haupt->show();
        return qobject_cast<FutterListe*>(haupt->FensterOeffnen(QStringLiteral("wdwFuttermittel")));
    }

    std::unique_ptr<HauptFenster> haupt;
};

KELVORA_TEST(FutterAustauschTest)
#include "tst_FutterAustausch.moc"
