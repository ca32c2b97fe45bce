// Saving and deleting in the feed editor: the plausibility checks with their
// order, limits and answers, the row written, a feed deleted meanwhile, a
// database that cannot be written, and the feed list refreshed once.

#include "StammdatenTestHilfen.h"
#include "TestRegister.h"
#include "feeds/FutterbezogeneRoutinen.h"
#include "feeds/ui/FutterListe.h"

#include <QApplication>
#include <QFile>
#include <QTimer>

using namespace kelvora;

namespace {

const QString Hinweis = QStringLiteral("\n\nWenn Sie diesen Wert nicht zur Verfügung haben ist es trotzdem notwendig, "
                                       "einen realistischen Wert einzugeben, damit das Programm richtig rechnen "
                                       "kann!");
const QString GruppeFehlt = QStringLiteral("Sie müssen erst die Art des Futtermittels festlegen!");
const QString NameFehlt = QStringLiteral("Geben Sie zuerst eine Bezeichnung für das Futtermittel ein!");

QString Frage(const char* was)
{
    return QStringLiteral("Sind Sie sicher, das dieses Futtermittel ") + QString::fromUtf8(was)
        + QStringLiteral(" enthält?") + Hinweis;
}

QString ZuHoch(const char* wert)
{
    return QStringLiteral("Dieser ") + QString::fromUtf8(wert) + QStringLiteral("-Wert ist unrealistisch!") + Hinweis;
}

// A complete protein feed; group 3 is "Eiweißträger".
const QStringList Gueltig = {
    "txtBezeichnung=Rapsschrot Test",
    "txtTM_g=890",
    "txtXP_gTM=380",
    "txtUDP_gTM=120",
    "txtNDF_gTM=250",
    "txtADF_gTM=180",
    "txtNFC_gTM=150",
    "txtNEL_MJTM=7,20",
    "txtCa_gTM=8,00",
    "txtP_gTM=11,00",
};
constexpr int Eiweisstraeger = 3;

} // namespace

class StammdatenSpeichernTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void pruefungen_data();
    void pruefungen();
    void neuesFutterSchreiben();
    void vorhandenesFutterAendern();
    void futterArtFolgtGruppe_data();
    void futterArtFolgtGruppe();
    void inzwischenGeloeschtesFutter();
    void datenbankNichtBeschreibbar();
    void loeschenMitJa();

private:
    void GueltigSetzen(int gruppe = Eiweisstraeger) const;
    std::unique_ptr<test::EditorUmgebung> u;
};

void StammdatenSpeichernTest::init()
{
    u = std::make_unique<test::EditorUmgebung>();
    QVERIFY(u->Bereit());
}

void StammdatenSpeichernTest::cleanup()
{
    u.reset();
}

void StammdatenSpeichernTest::GueltigSetzen(int gruppe) const
{
    u->Gruppe()->setCurrentIndex(gruppe);
    u->Setzen(Gueltig);
}

void StammdatenSpeichernTest::pruefungen_data()
{
    QTest::addColumn<int>("gruppe");
    QTest::addColumn<QStringList>("aenderungen");
    QTest::addColumn<QList<Antwort>>("antworten");
    QTest::addColumn<QStringList>("meldungen");
    QTest::addColumn<QString>("fokus");
    const int g = Eiweisstraeger;
    using L = QList<Antwort>;
    const Antwort Ja = Antwort::Ja;
    const Antwort Nein = Antwort::Nein;

    QTest::newRow("alles gültig") << g << QStringList {} << L {} << QStringList {} << "";
    QTest::newRow("keine Gruppe") << -1 << QStringList {} << L {} << QStringList { GruppeFehlt } << "cmbFutterArt";
    QTest::newRow("Alle Futtermittel ist keine Gruppe")
        << 0 << QStringList {} << L {} << QStringList { GruppeFehlt } << "cmbFutterArt";
    QTest::newRow("Gruppe vor Name") << -1 << QStringList { "txtBezeichnung=A" } << L {} << QStringList { GruppeFehlt }
                                     << "cmbFutterArt";
    QTest::newRow("Name ohne Leerzeichen zu kurz")
        << g << QStringList { "txtBezeichnung=  Ab  " } << L {} << QStringList { NameFehlt } << "txtBezeichnung";
    QTest::newRow("Name vor Trockenmasse") << g << QStringList { "txtBezeichnung=Ab", "txtTM_g=991" } << L {}
                                           << QStringList { NameFehlt } << "txtBezeichnung";
    QTest::newRow("ohne Trockenmasse, ohne Hinweis")
        << g << QStringList { "txtTM_g=" } << L {}
        << QStringList { QStringLiteral("Futtermittel ohne Trockenmasse gibt es nicht!") } << "txtTM_g";
    QTest::newRow("TM 990 angenommen") << g << QStringList { "txtTM_g=990" } << L {} << QStringList {} << "";
    QTest::newRow("TM 991 unrealistisch")
        << g << QStringList { "txtTM_g=991" } << L {} << QStringList { ZuHoch("Trockenmasse") } << "txtTM_g";
    QTest::newRow("XP 0, Ja speichert") << g << QStringList { "txtXP_gTM=" } << L { Ja }
                                        << QStringList { Frage("kein Rohprotein") } << "";
    QTest::newRow("XP 0, Nein hält an") << g << QStringList { "txtXP_gTM=0" } << L { Nein }
                                        << QStringList { Frage("kein Rohprotein") } << "txtXP_gTM";
    QTest::newRow("XP 1000 angenommen") << g << QStringList { "txtXP_gTM=1000" } << L {} << QStringList {} << "";
    QTest::newRow("XP 1001") << g << QStringList { "txtXP_gTM=1001" } << L {} << QStringList { ZuHoch("Rohprotein") }
                             << "txtXP_gTM";
    QTest::newRow("UDP dezimal gelesen") << g << QStringList { "txtUDP_gTM=1000,5" } << L {}
                                         << QStringList { ZuHoch("UDP") } << "txtUDP_gTM";
    QTest::newRow("UDP 0, Nein") << g << QStringList { "txtUDP_gTM=" } << L { Nein }
                                 << QStringList { Frage("kein UDP") } << "txtUDP_gTM";
    QTest::newRow("NDF ganzzahlig gelesen") << g << QStringList { "txtNDF_gTM=1000,5" } << L {} << QStringList {} << "";
    QTest::newRow("NDF 1001") << g << QStringList { "txtNDF_gTM=1001" } << L {} << QStringList { ZuHoch("NDF") }
                              << "txtNDF_gTM";
    QTest::newRow("ADF 0, Nein") << g << QStringList { "txtADF_gTM=" } << L { Nein }
                                 << QStringList { Frage("kein ADF") } << "txtADF_gTM";
    QTest::newRow("NFC 0, Nein") << g << QStringList { "txtNFC_gTM=0" } << L { Nein }
                                 << QStringList { Frage("keine NFC") } << "txtNFC_gTM";
    QTest::newRow("NFC 1001") << g << QStringList { "txtNFC_gTM=1001" } << L {} << QStringList { ZuHoch("NFC") }
                              << "txtNFC_gTM";
    QTest::newRow("NEL 30 angenommen") << g << QStringList { "txtNEL_MJTM=30" } << L {} << QStringList {} << "";
    QTest::newRow("NEL 30,01") << g << QStringList { "txtNEL_MJTM=30,01" } << L {} << QStringList { ZuHoch("Energie") }
                               << "txtNEL_MJTM";
    QTest::newRow("NEL 0, Nein") << g << QStringList { "txtNEL_MJTM=0,00" } << L { Nein }
                                 << QStringList { Frage("keine Energie") } << "txtNEL_MJTM";
    QTest::newRow("Ca 0, Nein") << g << QStringList { "txtCa_gTM=" } << L { Nein }
                                << QStringList { Frage("kein Calzium") } << "txtCa_gTM";
    QTest::newRow("Ca 1000,01") << g << QStringList { "txtCa_gTM=1000,01" } << L {} << QStringList { ZuHoch("Calzium") }
                                << "txtCa_gTM";
    QTest::newRow("P 0, Nein") << g << QStringList { "txtP_gTM=" } << L { Nein }
                               << QStringList { Frage("kein Phosphor") } << "txtP_gTM";
    QTest::newRow("P 1001") << g << QStringList { "txtP_gTM=1001" } << L {} << QStringList { ZuHoch("Phosphor") }
                            << "txtP_gTM";
    QTest::newRow("Fragen der Reihe nach")
        << g << QStringList { "txtP_gTM=", "txtNDF_gTM=", "txtXP_gTM=" } << L { Ja, Ja, Ja }
        << QStringList { Frage("kein Rohprotein"), Frage("kein NDF"), Frage("kein Phosphor") } << "";
    QTest::newRow("Ja, dann zu hoch") << g << QStringList { "txtUDP_gTM=", "txtADF_gTM=1001", "txtP_gTM=" } << L { Ja }
                                      << QStringList { Frage("kein UDP"), ZuHoch("ADF") } << "txtADF_gTM";
    QTest::newRow("Nein beendet die Prüfung") << g << QStringList { "txtXP_gTM=", "txtNDF_gTM=" } << L { Nein }
                                              << QStringList { Frage("kein Rohprotein") } << "txtXP_gTM";
}

void StammdatenSpeichernTest::pruefungen()
{
    QFETCH(int, gruppe);
    QFETCH(QStringList, aenderungen);
    QFETCH(QList<Antwort>, antworten);
    QFETCH(QStringList, meldungen);
    QFETCH(QString, fokus);
    GueltigSetzen(gruppe);
    u->Setzen(aenderungen);
    u->ui.antworten = antworten;
    const long vorher = u->Anzahl();

    u->Element<QPushButton>(QStringLiteral("cmdSpeichern"))->click();

    QCOMPARE(u->ui.Texte(), meldungen);
    QVERIFY(u->ui.antworten.isEmpty());
    for (const test::GezeigteMeldung& m : u->ui.meldungen) {
        const bool frage = m.text.startsWith(QLatin1String("Sind Sie sicher"));
        QCOMPARE(m.knoepfe, frage ? Knoepfe::JaNein : Knoepfe::OK);
        if (frage) {
            QCOMPARE(m.symbol, Symbol::Frage);
            QCOMPARE(m.standard, Antwort::Nein);
        }
        QCOMPARE(m.titel, m.text == GruppeFehlt ? QStringLiteral("Kelvora") : QStringLiteral("Prüfung der Eingabe"));
    }
    const bool gespeichert = fokus.isEmpty();
    QCOMPARE(u->Anzahl(), vorher + (gespeichert ? 1 : 0));
    QCOMPARE(u->ui.statuszeilen.size(), gespeichert ? 1 : 0);
    if (!gespeichert)
        QCOMPARE(QApplication::focusWidget(), u->Element(fokus));
}

void StammdatenSpeichernTest::neuesFutterSchreiben()
{
    FutterListe* liste = qobject_cast<FutterListe*>(u->haupt->FensterOeffnen(QStringLiteral("wdwFuttermittel")));
    QVERIFY(liste);
    const int fuellungen = liste->Fuellungen();
    u->editor = StammdatenFenster2::FutterBearbeiten(u->haupt.get(), 0);
    GueltigSetzen();
    u->Setzen({ QStringLiteral("txtBezeichnung=  Rapsschrot Test  ") });
    u->ui.uhr = QDateTime(QDate(2027, 1, 15), QTime(8, 30, 5));

    u->Taste(QStringLiteral("txtP_gTM"), Qt::Key_F5);

    QCOMPARE(u->ui.statuszeilen.size(), 1);
    QCOMPARE(u->ui.statuszeilen.first().farbe, Farbe::Gruen);
    QCOMPARE(u->ui.statuszeilen.first().text, QStringLiteral("Futtermittel wurde gespeichert"));
    QCOMPARE(u->ui.statuszeilen.first().sekunden, 5);
    Verbindung v;
    QSqlQuery q;
    QVERIFY(DatenbankOeffnen(v, u->datenbank, true));
    QVERIFY(AbfrageOeffnen(v, q,
        QStringLiteral("SELECT FutterArtIOFC, TM_g, XP_gTM, UDP_gTM, NDF_gTM, ADF_gTM, NFC_gTM, "
                       "NEL_MJTM, Ca_gTM, P_gTM, AngelegtAm, [LetzteÄnderung] FROM Futtermittel "
                       "WHERE Bezeichnung = ?"),
        { QStringLiteral("Rapsschrot Test") }));
    QVERIFY(q.next());
    const QList<double> erwartet = { 3, 890, 380, 120, 250, 180, 150, 7.2, 8, 11 };
    for (int i = 0; i < erwartet.size(); ++i)
        QCOMPARE(q.value(i).toDouble(), erwartet[i]);
    QCOMPARE(q.value(10).toString(), QStringLiteral("2027-01-15T08:30:05"));
    QCOMPARE(q.value(11).toString(), QStringLiteral("2027-01-15T08:30:05"));
    QVERIFY(!q.next());

    // The window closes and the open list fills itself once more.
    QTRY_VERIFY(u->editor.isNull());
    QTRY_COMPARE(liste->Fuellungen(), fuellungen + 1);
}

void StammdatenSpeichernTest::vorhandenesFutterAendern()
{
    const long vorher = u->Anzahl();
    u->Laden(4);
    u->Tippen(QStringLiteral("txtXP_gFM"), QStringLiteral("70"));
    QCOMPARE(u->Text("txtXP_gTM"), QStringLiteral("212")); // 70 * 1000 / 330
    u->Element<QPushButton>(QStringLiteral("cmdSpeichern"))->click();

    QCOMPARE(u->ui.meldungen.size(), 0);
    QCOMPARE(u->Anzahl(), vorher);
    QCOMPARE(u->Spalte(4, QStringLiteral("XP_gTM")).toDouble(), 212.0);
    QCOMPARE(u->Spalte(4, QStringLiteral("Bezeichnung")).toString(), QStringLiteral("Grassilage 1. Schnitt, früh"));
    QCOMPARE(u->Spalte(4, QStringLiteral("P_gTM")).toDouble(), 3.8);
    QCOMPARE(u->Spalte(4, QStringLiteral("[LetzteÄnderung]")).toString(), QStringLiteral("2026-12-04T10:00:00"));
    QCOMPARE(u->Spalte(4, QStringLiteral("AngelegtAm")).toString(), QStringLiteral("2026-12-05T12:00:00"));
    QTRY_VERIFY(u->editor.isNull());
}

void StammdatenSpeichernTest::futterArtFolgtGruppe_data()
{
    QTest::addColumn<long>("id");
    QTest::addColumn<int>("gruppe");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("futterArt");
    QTest::newRow("neues Heu ist Grundfutter") << 0L << 1 << "Wiesenheu 2. Schnitt" << 4;
    QTest::newRow("neue Maissilage") << 0L << 1 << "Maissilage Teigreife" << 3;
    QTest::newRow("neues Grundfutter ohne Hinweis") << 0L << 1 << "Weidelgras jung" << 1;
    QTest::newRow("neuer Energieträger") << 0L << 2 << "Weizen Test" << 6;
    QTest::newRow("Grassilage bleibt Grassilage") << 4L << 1 << "" << 2;
    QTest::newRow("Grassilage als Energieträger") << 4L << 2 << "" << 6;
}

void StammdatenSpeichernTest::futterArtFolgtGruppe()
{
    QFETCH(long, id);
    QFETCH(int, gruppe);
    QFETCH(QString, name);
    QFETCH(int, futterArt);
    if (id != 0) {
        u->Laden(id);
        u->Gruppe()->setCurrentIndex(gruppe);
    } else {
        GueltigSetzen(gruppe);
        u->Setzen({ QStringLiteral("txtBezeichnung=") + name });
    }
    u->Element<QPushButton>(QStringLiteral("cmdSpeichern"))->click();
    QCOMPARE(u->ui.meldungen.size(), 0);
    Verbindung v;
    QSqlQuery q;
    QVERIFY(DatenbankOeffnen(v, u->datenbank));
    QVERIFY(AbfrageOeffnen(v, q, QStringLiteral("SELECT MAX(ID) FROM Futtermittel")) && q.next());
    const long futterID = id != 0 ? id : q.value(0).toLongLong();
    // The ration evaluation reads the type through code 19.
    QCOMPARE(FutterWert(v, futterID, FutterCode::FutterArt).toInt(), futterArt);
}

void StammdatenSpeichernTest::inzwischenGeloeschtesFutter()
{
    u->Laden(4);
    QVERIFY(u->Ausfuehren(QStringLiteral("DELETE FROM Futtermittel WHERE ID = 4")));
    const long vorher = u->Anzahl();
    u->Element<QPushButton>(QStringLiteral("cmdSpeichern"))->click();

    QCOMPARE(u->ui.Texte(),
        QStringList {
            QStringLiteral("Speichern konnte nicht ausgeführt werden, weil die FutterID nicht gefunden wurde") });
    QCOMPARE(u->Anzahl(), vorher);
    QCOMPARE(u->Anzahl(QStringLiteral("Bezeichnung = 'Grassilage 1. Schnitt, früh'")), 0);
    QVERIFY(u->ui.statuszeilen.isEmpty());
    QTRY_VERIFY(u->editor.isNull());
}

void StammdatenSpeichernTest::datenbankNichtBeschreibbar()
{
    GueltigSetzen();
    QVERIFY(QFile::remove(u->datenbank));
    u->Element<QPushButton>(QStringLiteral("cmdSpeichern"))->click();

    QVERIFY(!u->ui.statuszeilen.isEmpty());
    QCOMPARE(u->ui.statuszeilen.last().farbe, Farbe::Rot);
    QCOMPARE(u->ui.statuszeilen.last().text, QStringLiteral("Futtermittel konnte nicht gespeichert werden!"));
    QCOMPARE(u->ui.statuszeilen.last().sekunden, 5);
    // The typed feed stays on the screen for another try.
    QVERIFY(!u->editor->findChild<QTimer*>(QStringLiteral("tmrBeenden"))->isActive());
    QCOMPARE(u->Text("txtXP_gTM"), QStringLiteral("380"));
}

void StammdatenSpeichernTest::loeschenMitJa()
{
    const long vorher = u->Anzahl();
    u->Laden(4);
    u->ui.Antworten(Antwort::Ja);
    u->Element<QPushButton>(QStringLiteral("cmdFutterLoeschen"))->click();
    QCOMPARE(u->ui.Texte(), QStringList { QStringLiteral("Soll das Futtermittel wirklich gelöscht werden?") });
    QCOMPARE(u->Anzahl(), vorher - 1);
    QCOMPARE(u->Anzahl(QStringLiteral("ID = 4")), 0);
    QTRY_VERIFY(u->editor.isNull());
}

KELVORA_TEST(StammdatenSpeichernTest)
#include "tst_StammdatenSpeichern.moc"
