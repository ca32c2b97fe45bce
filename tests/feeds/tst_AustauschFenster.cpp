// The exchange buttons of the feed list and the feed editor on a real main
// window and a real FTP server: listing, taking over and saving a server
// feed, sharing in maintainer mode, and what the user hears when the server
// is missing. The file contents and the listing rules are tested as logic in
// tst_FutterAustausch.cpp.

#include "StammdatenTestHilfen.h"
#include "TestFtpServer.h"
#include "TestPfade.h"
#include "TestRegister.h"
#include "feeds/ui/FutterListe.h"
#include "frame/FunktionenFuerINI.h"
#include "frame/Protokoll.h"
#include "internet/FtpVerbindung.h"

#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>

using namespace kelvora;

namespace {

QByteArray Golden()
{
    QFile f(QStringLiteral(KELVORA_TESTDATEN "/austausch/rapskuchen.xml"));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class AustauschFensterTest : public test::FtpTestBasis {
    Q_OBJECT
private slots:
    void init()
    {
        Vorbereiten();
        QVERIFY(!test::TestDatenbankAnlegen().isEmpty());
    }
    void cleanup()
    {
        programm().programmEndet = true;
        haupt.reset();
        programm().programmEndet = false;
        programm().wartungsmodus = false;
        programm().listeOffen = false;
        Aufraeumen();
    }

    void holenUndSpeichern();
    void serverFehlt_data();
    void serverFehlt();
    void teilen();

private:
    void Starten()
    {
        haupt = std::make_unique<HauptFenster>();
        haupt->Laden();
        haupt->show();
    }
    FutterListe* Liste()
    {
        return qobject_cast<FutterListe*>(haupt->FensterOeffnen(QStringLiteral("wdwFuttermittel")));
    }
    QList<StammdatenFenster2*> Editoren() const
    {
        QList<StammdatenFenster2*> e;
        for (QMdiSubWindow* s : haupt->Arbeitsbereich()->subWindowList())
            if (auto* x = qobject_cast<StammdatenFenster2*>(s->widget()))
                e << x;
        return e;
    }

    std::unique_ptr<HauptFenster> haupt;
};

void AustauschFensterTest::holenUndSpeichern()
{
    server->Schreiben(QStringLiteral("3_Rapskuchen_Öl_arm.xml"), Golden());
    server->Schreiben(QStringLiteral("abgeholt_20261201_080000.xml"), "<Client></Client>");
    Starten();
    FutterListe* l = Liste();
    QVERIFY(l);
    auto* lvw = l->findChild<QTreeWidget*>(QStringLiteral("lvwListe"));
    const int lokal = lvw->topLevelItemCount();

    l->findChild<QPushButton*>(QStringLiteral("cmdInternet"))->click();
    QCOMPARE(lvw->topLevelItemCount(), lokal + 1);
    const auto treffer = lvw->findItems(QStringLiteral("Rapskuchen Öl arm"), Qt::MatchExactly, 2);
    QCOMPARE(treffer.size(), 1);
    QTreeWidgetItem* zeile = treffer.first();
    QCOMPARE(zeile->text(1), QStringLiteral("I: Eiweißträger"));
    QCOMPARE(zeile->data(0, Qt::UserRole).toString(), QStringLiteral("Msg_-1"));
    QCOMPARE(zeile->toolTip(2), QStringLiteral("Doppelklick zum Übernehmen eines Futtermittels"));
    QCOMPARE(ui->statuszeilen.last().text, QStringLiteral("1 neue Futtermittel gefunden."));
    QVERIFY(l->findChild<QPushButton*>(QStringLiteral("cmdInternet"))->isEnabled());
    // A second search finds nothing new.
    l->findChild<QPushButton*>(QStringLiteral("cmdInternet"))->click();
    QCOMPARE(lvw->topLevelItemCount(), lokal + 1);
    QCOMPARE(ui->statuszeilen.last().text, QStringLiteral("Keine neuen Futtermittel gefunden."));

    lvw->clearSelection();
    zeile->setSelected(true);
    l->MarkiertesFutterOeffnen();
    QCOMPARE(Editoren().size(), 1);
    StammdatenFenster2* e = Editoren().first();
    QCOMPARE(ui->statuszeilen.last().text, QStringLiteral("Futtermittel wurde geholt. Bitte speichern."));
    auto* erstellt = e->findChild<QLabel*>(QStringLiteral("lblErstelltVon"));
    QVERIFY(erstellt->isVisible());
    QCOMPARE(erstellt->text(), QStringLiteral("erstellt von Hof Müller, Dorfstraße 1, 12345 Wiesental"));
    QCOMPARE(e->findChild<QComboBox*>(QStringLiteral("cmbFutterArt"))->currentText(), QStringLiteral("Eiweißträger"));
    QCOMPARE(e->findChild<QLineEdit*>(QStringLiteral("txtNEL_MJTM"))->text(), QStringLiteral("7,45"));
    // cmdNeuBerechnen filled the fresh-matter column.
    QCOMPARE(e->findChild<QLineEdit*>(QStringLiteral("txtNEL_MJFM"))->text(), QStringLiteral("6,63"));
    QCOMPARE(e->findChild<QLineEdit*>(QStringLiteral("txtXP_gFM"))->text(), QStringLiteral("298"));

    e->findChild<QPushButton*>(QStringLiteral("cmdSpeichern"))->click();
    const QVariant id = test::SqlLesen(
        QStringLiteral("SELECT ID FROM Futtermittel WHERE Bezeichnung = ?"), { QStringLiteral("Rapskuchen Öl_arm") });
    QVERIFY(id.isValid());
    QCOMPARE(test::SqlLesen(QStringLiteral("SELECT FutterArtIOFC || ';' || TM_g || ';' || XP_gTM || ';' || UDP_gTM || "
                                           "';' || NDF_gTM || ';' || ADF_gTM || ';' || NFC_gTM || ';' || NEL_MJTM || "
                                           "';' || Ca_gTM || ';' || P_gTM FROM Futtermittel WHERE ID = ?"),
                 { id })
                 .toString(),
        QStringLiteral("3;890.0;335.0;117.0;262.0;190.0;210.0;7.45;6.8;11.05"));
}

void AustauschFensterTest::serverFehlt_data()
{
    QTest::addColumn<bool>("eingestellt");
    QTest::addColumn<QString>("meldung");
    QTest::addColumn<QString>("status");
    QTest::newRow("kein Server eingestellt") << false << "Kein Austausch-Server eingestellt."
                                             << "";
    QTest::newRow("Server aus") << true << ""
                                << "Der Internet-Server kann nicht erreicht werden.";
}

void AustauschFensterTest::serverFehlt()
{
    QFETCH(bool, eingestellt);
    QFETCH(QString, meldung);
    QFETCH(QString, status);
    if (eingestellt)
        INISpeichern(QStringLiteral("Austausch"), QStringLiteral("Port"), QString::number(test::FreierPort()));
    else
        INISpeichern(QStringLiteral("Austausch"), QStringLiteral("Server"), QString());
    Starten();
    FutterListe* l = Liste();
    auto* lvw = l->findChild<QTreeWidget*>(QStringLiteral("lvwListe"));
    const int lokal = lvw->topLevelItemCount();
    l->findChild<QPushButton*>(QStringLiteral("cmdInternet"))->click();

    QCOMPARE(lvw->topLevelItemCount(), lokal);
    QCOMPARE(ui->meldungen.size(), meldung.isEmpty() ? 0 : 1);
    if (!meldung.isEmpty())
        QVERIFY(ui->meldungen.first().text.startsWith(meldung));
    if (!status.isEmpty()) {
        QCOMPARE(ui->statuszeilen.last().text, status);
        QCOMPARE(ui->statuszeilen.last().farbe, Farbe::Rot);
        QVERIFY(QString::fromUtf8(ordner->Roh(QFileInfo(TagesprotokollPfad()).fileName()))
                    .contains(QStringLiteral("wdwFuttermittel.cmdInternet_Click: Es konnte keine Verbindung zu "
                                             "127.0.0.1 aufgebaut werden.")));
    }
    QVERIFY(l->findChild<QPushButton*>(QStringLiteral("cmdInternet"))->isEnabled());
    QCOMPARE(ui->sanduhrTiefe, 0);
}

// In maintainer mode the editor shares its feed; a name the files cannot
// carry is corrected and saved first, with the user's consent.
void AustauschFensterTest::teilen()
{
    QVERIFY(test::SqlAusfuehren(
        QStringLiteral("INSERT INTO Futtermittel (ID, FutterArtIOFC, Bezeichnung, TM_g, XP_gTM, UDP_gTM, NDF_gTM, "
                       "ADF_gTM, NFC_gTM, NEL_MJTM, Ca_gTM, P_gTM) VALUES (951, 3, 'Raps\"kuchen', 890, 335, 117, "
                       "262, 190, 210, 7.45, 6.8, 11.05)")));
    programm().wartungsmodus = true;
    Starten();
    StammdatenFenster2* e = StammdatenFenster2::FutterBearbeiten(haupt.get(), 0);
    programm().ZiehFutterID = 951;
    e->findChild<QPushButton*>(QStringLiteral("DropEreignisAufrufen"))->click();
    auto* teilen = e->findChild<QPushButton*>(QStringLiteral("cmdTeilen"));
    QVERIFY(teilen->isVisible() && teilen->isEnabled());

    ui->Antworten(Antwort::Ja);
    teilen->click();
    QCOMPARE(ui->meldungen.first().text,
        QStringLiteral("Zum Teilen mit anderen Anwendern muss die Bezeichnung des Futtermittels auf Rapskuchen "
                       "geändert werden."));
    QCOMPARE(test::SqlLesen(QStringLiteral("SELECT Bezeichnung FROM Futtermittel WHERE ID = 951")).toString(),
        QStringLiteral("Rapskuchen"));
    QCOMPARE(server->Dateien(), QStringList { QStringLiteral("3_Rapskuchen.xml") });
    QCOMPARE(ui->statuszeilen.last().text, QStringLiteral("Futtermittel wurde hochgeladen."));
    QCOMPARE(ui->sanduhrTiefe, 0);
    // The save's close waited for the upload and happens now.
    const QPointer<StammdatenFenster2> fenster(e);
    QTRY_VERIFY(!fenster);
}

KELVORA_TEST(AustauschFensterTest)
#include "tst_AustauschFenster.moc"
