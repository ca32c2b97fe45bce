// Saving in the feed editor: the plausibility checks with their order,
// limits and answers, the row written, a feed deleted meanwhile and a
// database that cannot be written.

#include "StammdatenTestHilfen.h"
#include "TestRegister.h"
#include "feeds/StammdatenSpeichern.h"

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
const QString PreisFalsch = QStringLiteral(
    "Der Preis muss eine Zahl von 0 bis 10.000 € je dt Frischmasse mit höchstens zwei Nachkommastellen sein, zum "
    "Beispiel 24,50. Lassen Sie das Feld leer, wenn Sie den Preis nicht kennen.");

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
const QStringList Gueltig = { "txtBezeichnung=Rapsschrot Test", "txtTM_g=890", "txtXP_gTM=380", "txtUDP_gTM=120",
    "txtNDF_gTM=250", "txtADF_gTM=180", "txtNFC_gTM=150", "txtNEL_MJTM=7,20", "txtCa_gTM=8,00", "txtP_gTM=11,00" };
constexpr int Eiweisstraeger = 3;

} // namespace

class StammdatenSpeichernTest : public test::EditorTestBasis {
    Q_OBJECT
private slots:
    void pruefungen_data()
    {
        QTest::addColumn<int>("gruppe");
        QTest::addColumn<QStringList>("aenderungen");
        QTest::addColumn<QList<Antwort>>("antworten");
        QTest::addColumn<QStringList>("meldungen");
        QTest::addColumn<QString>("fokus");
        const auto zeile = [](const char* name, int gruppe, const QStringList& aenderungen, const QList<Antwort>& antworten,
                               const QStringList& meldungen, const char* fokus = "") {
            QTest::newRow(name) << gruppe << aenderungen << antworten << meldungen << QString::fromLatin1(fokus);
        };
        const int g = Eiweisstraeger;
        const Antwort Ja = Antwort::Ja;
        const Antwort Nein = Antwort::Nein;

        zeile("alles gültig", g, {}, {}, {});
        zeile("keine Gruppe", -1, {}, {}, { GruppeFehlt }, "cmbFutterArt");
        zeile("Alle Futtermittel ist keine Gruppe", 0, {}, {}, { GruppeFehlt }, "cmbFutterArt");
        zeile("Name ohne Leerzeichen zu kurz", g, { "txtBezeichnung=  Ab  " }, {}, { NameFehlt }, "txtBezeichnung");
        zeile("Name vor Trockenmasse", g, { "txtBezeichnung=Ab", "txtTM_g=991" }, {}, { NameFehlt }, "txtBezeichnung");
        zeile("ohne Trockenmasse, ohne Hinweis", g, { "txtTM_g=" }, {},
            { QStringLiteral("Futtermittel ohne Trockenmasse gibt es nicht!") }, "txtTM_g");
        zeile("TM 990 angenommen", g, { "txtTM_g=990" }, {}, {});
        zeile("TM 991 unrealistisch", g, { "txtTM_g=991" }, {}, { ZuHoch("Trockenmasse") }, "txtTM_g");
        zeile("XP 0, Ja speichert", g, { "txtXP_gTM=" }, { Ja }, { Frage("kein Rohprotein") });
        zeile("XP 1000 angenommen", g, { "txtXP_gTM=1000" }, {}, {});
        zeile("XP 1001", g, { "txtXP_gTM=1001" }, {}, { ZuHoch("Rohprotein") }, "txtXP_gTM");
        zeile("UDP dezimal gelesen", g, { "txtUDP_gTM=1000,5" }, {}, { ZuHoch("UDP") }, "txtUDP_gTM");
        zeile("NDF ganzzahlig gelesen", g, { "txtNDF_gTM=1000,5" }, {}, {});
        zeile("NDF 1001", g, { "txtNDF_gTM=1001" }, {}, { ZuHoch("NDF") }, "txtNDF_gTM");
        zeile("NFC 1001", g, { "txtNFC_gTM=1001" }, {}, { ZuHoch("NFC") }, "txtNFC_gTM");
        zeile("NEL 30 angenommen", g, { "txtNEL_MJTM=30" }, {}, {});
        zeile("NEL 30,01", g, { "txtNEL_MJTM=30,01" }, {}, { ZuHoch("Energie") }, "txtNEL_MJTM");
        zeile("NEL 0, Nein", g, { "txtNEL_MJTM=0,00" }, { Nein }, { Frage("keine Energie") }, "txtNEL_MJTM");
        zeile("Ca 1000,01", g, { "txtCa_gTM=1000,01" }, {}, { ZuHoch("Calzium") }, "txtCa_gTM");
        zeile("P 1001", g, { "txtP_gTM=1001" }, {}, { ZuHoch("Phosphor") }, "txtP_gTM");
        zeile("Fragen der Reihe nach", g,
            { "txtP_gTM=", "txtCa_gTM=", "txtNEL_MJTM=", "txtNFC_gTM=", "txtADF_gTM=", "txtNDF_gTM=", "txtUDP_gTM=",
                "txtXP_gTM=" },
            { Ja, Ja, Ja, Ja, Ja, Ja, Ja, Ja },
            { Frage("kein Rohprotein"), Frage("kein UDP"), Frage("kein NDF"), Frage("kein ADF"), Frage("keine NFC"),
                Frage("keine Energie"), Frage("kein Calzium"), Frage("kein Phosphor") });
        zeile("Nein nach Ja hält an", g, { "txtCa_gTM=", "txtNFC_gTM=0" }, { Ja, Nein },
            { Frage("keine NFC"), Frage("kein Calzium") }, "txtCa_gTM");
        zeile("Ja, dann zu hoch", g, { "txtUDP_gTM=", "txtADF_gTM=1001", "txtP_gTM=" }, { Ja },
            { Frage("kein UDP"), ZuHoch("ADF") }, "txtADF_gTM");
        zeile("Preis 0 angenommen", g, { "txtPreis=0" }, {}, {});
        zeile("Preis 10000 angenommen", g, { "txtPreis=10000" }, {}, {});
        zeile("Preis 10000,01", g, { "txtPreis=10000,01" }, {}, { PreisFalsch }, "txtPreis");
        zeile("Preis mit drei Nachkommastellen", g, { "txtPreis=24,505" }, {}, { PreisFalsch }, "txtPreis");
        zeile("Preis mit Tausenderpunkt", g, { "txtPreis=1.000" }, {}, { PreisFalsch }, "txtPreis");
        zeile("Preis nach den Nährstoffen", g, { "txtPreis=-3", "txtP_gTM=1001" }, {}, { ZuHoch("Phosphor") },
            "txtP_gTM");
        zeile("Nein beendet die Prüfung", g, { "txtXP_gTM=", "txtNDF_gTM=" }, { Nein }, { Frage("kein Rohprotein") },
            "txtXP_gTM");
    }

    void pruefungen()
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

        u->Klick(QStringLiteral("cmdSpeichern"));

        QCOMPARE(u->ui.Texte(), meldungen);
        QVERIFY(u->ui.antworten.isEmpty());
        for (const test::GezeigteMeldung& m : u->ui.meldungen) {
            const bool frage = m.text.startsWith(QLatin1String("Sind Sie sicher"));
            QCOMPARE(m.knoepfe, frage ? Knoepfe::JaNein : Knoepfe::OK);
            if (frage)
                QCOMPARE(m.standard, Antwort::Nein);
            QCOMPARE(m.titel, m.text == GruppeFehlt ? QStringLiteral("Kelvora") : QStringLiteral("Prüfung der Eingabe"));
        }
        const bool gespeichert = fokus.isEmpty();
        QCOMPARE(u->Anzahl(), vorher + (gespeichert ? 1 : 0));
        QCOMPARE(u->ui.statuszeilen.size(), gespeichert ? 1 : 0);
        if (!gespeichert)
            QCOMPARE(QApplication::focusWidget(), u->Element(fokus));
    }

    void neuesFutterSchreiben()
    {
        GueltigSetzen();
        u->Setzen({ QStringLiteral("txtBezeichnung=  Rapsschrot Test  ") });
        u->ui.uhr = QDateTime(QDate(2027, 1, 15), QTime(8, 30, 5));

        u->Taste(QStringLiteral("txtP_gTM"), Qt::Key_F5);

        QCOMPARE(u->ui.statuszeilen.size(), 1);
        QCOMPARE(u->ui.statuszeilen.first().farbe, Farbe::Gruen);
        Verbindung v;
        QSqlQuery q;
        QVERIFY(DatenbankOeffnen(v, u->datenbank, true));
        QVERIFY(AbfrageOeffnen(v, q,
            QStringLiteral("SELECT FutterArtIOFC, TM_g, XP_gTM, UDP_gTM, NDF_gTM, ADF_gTM, NFC_gTM, NEL_MJTM, Ca_gTM, "
                           "P_gTM, FutterArt, AngelegtAm, [LetzteÄnderung] FROM Futtermittel WHERE Bezeichnung = ?"),
            { QStringLiteral("Rapsschrot Test") }));
        QVERIFY(q.next());
        // A protein feed is stored as oil meal (FutterArt 7), which the ration reads.
        const QList<double> erwartet = { 3, 890, 380, 120, 250, 180, 150, 7.2, 8, 11, 7 };
        for (int i = 0; i < erwartet.size(); ++i)
            QCOMPARE(q.value(i).toDouble(), erwartet[i]);
        QCOMPARE(q.value(11).toString(), QStringLiteral("2027-01-15T08:30:05"));
        QCOMPARE(q.value(12).toString(), QStringLiteral("2027-01-15T08:30:05"));
        QVERIFY(!q.next());
        QTRY_VERIFY(u->editor.isNull());
    }

    void vorhandenesFutterAendern()
    {
        const long vorher = u->Anzahl();
        u->Laden(4);
        u->Tippen(QStringLiteral("txtXP_gFM"), QStringLiteral("70"));
        QCOMPARE(u->Text("txtXP_gTM"), QStringLiteral("212")); // 70 * 1000 / 330
        u->Klick(QStringLiteral("cmdSpeichern"));

        QCOMPARE(u->ui.meldungen.size(), 0);
        QCOMPARE(u->Anzahl(), vorher);
        QCOMPARE(u->Spalte(4, QStringLiteral("XP_gTM")).toDouble(), 212.0);
        QCOMPARE(u->Spalte(4, QStringLiteral("P_gTM")).toDouble(), 3.8);
        QCOMPARE(u->Spalte(4, QStringLiteral("[LetzteÄnderung]")).toString(), QStringLiteral("2026-12-04T10:00:00"));
        QCOMPARE(u->Spalte(4, QStringLiteral("AngelegtAm")).toString(), QStringLiteral("2026-12-05T12:00:00"));
        QTRY_VERIFY(u->editor.isNull());
    }

    // The price is stored as typed (empty: no price) and shown again with
    // two decimals; a change elsewhere keeps it.
    void preisGespeichert_data()
    {
        QTest::addColumn<QString>("eingabe");
        QTest::addColumn<QVariant>("gespeichert");
        QTest::addColumn<QString>("angezeigt");
        QTest::newRow("mit Komma") << "24,5" << QVariant(24.5) << "24,50";
        QTest::newRow("mit Punkt") << "19.99" << QVariant(19.99) << "19,99";
        QTest::newRow("leer ist kein Preis") << "" << QVariant() << "";
    }

    void preisGespeichert()
    {
        QFETCH(QString, eingabe);
        QFETCH(QVariant, gespeichert);
        QFETCH(QString, angezeigt);
        u->Laden(4);
        u->Setzen({ QStringLiteral("txtPreis=") + eingabe });
        u->Klick(QStringLiteral("cmdSpeichern"));
        QCOMPARE(u->ui.meldungen.size(), 0);
        const QVariant preis = u->Spalte(4, QStringLiteral("Preis"));
        QCOMPARE(preis.isNull(), gespeichert.isNull());
        if (!gespeichert.isNull())
            QCOMPARE(preis.toDouble(), gespeichert.toDouble());
        QTRY_VERIFY(u->editor.isNull());

        u->editor = qobject_cast<StammdatenFenster2*>(u->haupt->FensterOeffnen(QStringLiteral("StammdatenFenster2")));
        QVERIFY(u->editor);
        u->Laden(4);
        QCOMPARE(u->Text(QStringLiteral("txtPreis")), angezeigt);
    }

    // The ration counts forage by FutterArt, so the type follows the group.
    void futterArtFolgtGruppe_data()
    {
        QTest::addColumn<int>("gruppe");
        QTest::addColumn<int>("bisher");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("futterArt");
        QTest::newRow("neues Heu ist Grundfutter") << 1 << 0 << "Wiesenheu 2. Schnitt" << 4;
        QTest::newRow("neue Maissilage") << 1 << 0 << "Maissilage Teigreife" << 3;
        QTest::newRow("neues Grundfutter ohne Hinweis") << 1 << 0 << "Weidelgras jung" << 1;
        QTest::newRow("neuer Energieträger") << 2 << 0 << "Weizen Test" << 6;
        QTest::newRow("Grassilage bleibt Grassilage") << 1 << 2 << "Grassilage" << 2;
        QTest::newRow("Grassilage als Energieträger") << 2 << 2 << "Grassilage" << 6;
    }

    void futterArtFolgtGruppe()
    {
        QFETCH(int, gruppe);
        QFETCH(int, bisher);
        QFETCH(QString, name);
        QFETCH(int, futterArt);
        QCOMPARE(FutterArtFuerGruppe(gruppe, bisher, name), futterArt);
    }

    void inzwischenGeloeschtesFutter()
    {
        u->Laden(4);
        QVERIFY(test::SqlAusfuehren(QStringLiteral("DELETE FROM Futtermittel WHERE ID = 4")));
        const long vorher = u->Anzahl();
        u->Klick(QStringLiteral("cmdSpeichern"));

        QCOMPARE(u->ui.Texte(),
            QStringList {
                QStringLiteral("Speichern konnte nicht ausgeführt werden, weil die FutterID nicht gefunden wurde") });
        QCOMPARE(u->Anzahl(), vorher);
        QCOMPARE(u->Anzahl(QStringLiteral("Bezeichnung = 'Grassilage 1. Schnitt, früh'")), 0);
        QVERIFY(u->ui.statuszeilen.isEmpty());
        QTRY_VERIFY(u->editor.isNull());
    }

    void datenbankNichtBeschreibbar()
    {
        GueltigSetzen();
        QVERIFY(QFile::remove(u->datenbank));
        u->Klick(QStringLiteral("cmdSpeichern"));

        QVERIFY(!u->ui.statuszeilen.isEmpty());
        QCOMPARE(u->ui.statuszeilen.last().text, QStringLiteral("Futtermittel konnte nicht gespeichert werden!"));
        // The typed feed stays on the screen for another try.
        QVERIFY(!u->editor->findChild<QTimer*>(QStringLiteral("tmrBeenden"))->isActive());
        QCOMPARE(u->Text("txtXP_gTM"), QStringLiteral("380"));
    }

private:
    void GueltigSetzen(int gruppe = Eiweisstraeger) const
    {
        u->Gruppe()->setCurrentIndex(gruppe);
        u->Setzen(Gueltig);
    }
};

KELVORA_TEST(StammdatenSpeichernTest)
#include "tst_StammdatenSpeichern.moc"
