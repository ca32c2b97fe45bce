// The feed editor on the screen: key filters, the conversion while typing,
// loading a feed, the window keys, drops, one editor per feed; and saving:
// the plausibility checks with their order, limits and answers, the row
// written, a feed deleted meanwhile and a database that cannot be written.

#include "StammdatenTestHilfen.h"
#include "TestRegister.h"
#include "feeds/StammdatenSpeichern.h"
#include "frame/FunktionenFuerINI.h"
#include "frame/ui/FensterPositionQt.h"

#include <QApplication>
#include <QFile>
#include <QMimeData>
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

class StammdatenFensterTest : public test::EditorTestBasis {
    Q_OBJECT
private slots:
    // Typing as the keyboard does: the key filters of the boxes, and the
    // conversion between fresh and dry matter while typing.
    void tippen_data()
    {
        QTest::addColumn<QStringList>("vorher");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("tasten");
        QTest::addColumn<QStringList>("erwartet");
        const QString tm = QStringLiteral("txtTM_g=350");
        const auto zeile = [&](const char* name, QStringList vorher, const char* box, const char* tasten,
                               const QStringList& erwartet) {
            vorher.prepend(tm);
            QTest::newRow(name) << vorher << QString::fromUtf8(box) << QString::fromUtf8(tasten) << erwartet;
        };
        const auto filter = [&](const char* name, const char* box, const char* tasten, const char* erwartet) {
            zeile(name, {}, box, tasten, { QString::fromUtf8(box) + QLatin1Char('=') + QString::fromUtf8(erwartet) });
        };
        filter("Dezimal: Punkt wird Komma, nach Komma verworfen", "txtP_gFM", "1.2.3", "1,23");
        filter("Dezimal: Minus und Buchstaben verworfen", "txtNEL_MKalTM", "-1a,5e", "1,5");
        filter("Ganzzahl: kein Komma, kein Minus", "txtXP_gTM", "-1,5.0", "150");
        filter("Prozent ganzzahlig", "txtUDPProzent", "2,5%", "25");
        filter("UDP FM ohne Filter", "txtUDP_gFM", "1,5a", "1,5a");
        filter("Name: erlaubte Zeichen", "txtBezeichnung", "Heu 1. (50%) - ök/Bio: ja! §°´`$&=?+_ÄÖÜß",
            "Heu 1. (50%) - ök/Bio: ja! §°´`$&=?+_ÄÖÜß");
        filter("Name: verbotene Zeichen", "txtBezeichnung", "Ma'i\"s@#*;<>[\\]^{|}~é", "Mais");
        zeile("XP FM nach TM", {}, "txtXP_gFM", "70", { "txtXP_gTM=200" });
        zeile("XP TM nach FM", {}, "txtXP_gTM", "200", { "txtXP_gFM=70" });
        zeile("NEL TM mit Mcal", {}, "txtNEL_MJTM", "6,4", { "txtNEL_MJFM=2,24", "txtNEL_MKalTM=0,69" });
        zeile("NEL FM mit Mcal", {}, "txtNEL_MJFM", "2,24", { "txtNEL_MJTM=6,40", "txtNEL_MKalTM=0,69" });
        zeile("Mcal nach MJ TM und FM", {}, "txtNEL_MKalTM", "1,5", { "txtNEL_MJTM=13,82", "txtNEL_MJFM=4,84" });
        zeile("Ca halbe Hundertstel aufgerundet", {}, "txtCa_gTM", "5,5", { "txtCa_gFM=1,93" });
        zeile("NDF ganzzahlig gerundet", {}, "txtNDF_gFM", "101", { "txtNDF_gTM=289" });
        zeile("UDP TM gibt Anteil", { "txtXP_gTM=200" }, "txtUDP_gTM", "50", { "txtUDP_gFM=18", "txtUDPProzent=25" });
        zeile("UDP FM gibt Anteil über XP FM", { "txtXP_gFM=70", "txtXP_gTM=200" }, "txtUDP_gFM", "14",
            { "txtUDP_gTM=40", "txtUDPProzent=20" });
        zeile("UDP ohne XP lässt Anteil leer", {}, "txtUDP_gTM", "50", { "txtUDP_gFM=18", "txtUDPProzent=" });
        zeile("Anteil gibt UDP", { "txtXP_gTM=200" }, "txtUDPProzent", "25", { "txtUDP_gTM=50", "txtUDP_gFM=18" });
        zeile("Anteil ohne XP ändert nichts", { "txtUDP_gTM=7" }, "txtUDPProzent", "25", { "txtUDP_gTM=7", "txtUDP_gFM=" });
        zeile("Rücktaste rechnet neu", { "txtP_gTM=4,25" }, "txtP_gTM", "", { "txtP_gFM=1,47" });
    }

    void tippen()
    {
        QFETCH(QStringList, vorher);
        QFETCH(QString, box);
        QFETCH(QString, tasten);
        QFETCH(QStringList, erwartet);
        u->Setzen(vorher);
        if (tasten.isEmpty()) {
            // Backspace at the end of the text.
            u->Box(box)->setFocus();
            u->Box(box)->end(false);
            u->Taste(box, Qt::Key_Backspace);
        } else {
            u->Tippen(box, tasten);
        }
        QCOMPARE(u->Abweichung(erwartet), QString());
        QVERIFY(u->ui.meldungen.isEmpty());
    }

    void ohneTrockenmasseWirdGeleert()
    {
        u->Laden(4);
        QCOMPARE(u->Text("lblIDAnzeige"), QStringLiteral("4"));
        u->Box(QStringLiteral("txtTM_g"))->clear();
        u->Tippen(QStringLiteral("txtXP_gFM"), QStringLiteral("7"));

        QCOMPARE(u->ui.meldungen.size(), 1);
        QVERIFY(u->ui.meldungen[0].text.startsWith(QStringLiteral("Sie müssen zuerst die Trockenmasse")));
        QCOMPARE(u->Abweichung({ "txtXP_gFM=", "txtXP_gTM=0", "txtNDF_gTM=", "txtNEL_MJFM=", "txtUDPProzent=",
                     "txtNEL_MKalTM=", "txtP_gTM=" }),
            QString());
        // Group and name stay; the ID goes, so saving makes a new feed.
        QCOMPARE(u->Text("txtBezeichnung"), QStringLiteral("Grassilage 1. Schnitt, früh"));
        QCOMPARE(u->Gruppe()->currentIndex(), 1);
        QCOMPARE(u->Text("lblIDAnzeige"), QString());
        QCOMPARE(QApplication::focusWidget(), u->Box(QStringLiteral("txtTM_g")));
    }

    void ladenUndNeuBerechnen()
    {
        u->editor->FutterLaden(4);
        QTRY_COMPARE(u->Text("lblIDAnzeige"), QStringLiteral("4"));
        QCOMPARE(u->Abweichung({ "txtBezeichnung=Grassilage 1. Schnitt, früh", "txtTM_g=330", "txtXP_gTM=185",
                     "txtXP_gFM=61", "txtUDPProzent=15", "txtNDF_gFM=139", "txtADF_gFM=84", "txtNFC_gFM=82",
                     "txtNEL_MJTM=6,53", "txtNEL_MKalTM=0,71", "txtCa_gFM=1,98", "txtP_gTM=3,80" }),
            QString());
        QCOMPARE(u->Gruppe()->currentText(), QStringLiteral("Grundfutter"));
        // Sharing needs a stored feed, and is offered only in maintainer mode.
        auto* teilen = u->Element<QPushButton>(QStringLiteral("cmdTeilen"));
        QVERIFY(teilen->isEnabled() && !teilen->isVisible());

        // Changing the dry matter alone converts nothing; the button does.
        u->Tippen(QStringLiteral("txtTM_g"), QStringLiteral("500"));
        QCOMPARE(u->Text("txtXP_gFM"), QStringLiteral("61"));
        u->Klick(QStringLiteral("cmdNeuBerechnen"));
        QCOMPARE(u->Abweichung({ "txtXP_gFM=93", "txtNEL_MJFM=3,27", "txtP_gFM=1,90", "txtUDPProzent=15",
                     "txtNEL_MKalTM=0,71" }),
            QString()); // XP: 185 * 0.5 = 92.5

        // A feed without group keeps "Alle Futtermittel"; an unknown ID leaves
        // the window empty.
        QVERIFY(test::SqlAusfuehren(QStringLiteral("UPDATE Futtermittel SET FutterArtIOFC = NULL WHERE ID = 4")));
        u->Laden(4);
        QCOMPARE(u->Gruppe()->currentIndex(), 0);
        u->Laden(99999);
        QCOMPARE(u->Abweichung({ "txtBezeichnung=", "txtTM_g=", "lblIDAnzeige=" }), QString());
        QCOMPARE(u->Gruppe()->currentIndex(), -1);
        QVERIFY(!teilen->isEnabled());
    }

    void fenstertasten()
    {
        u->Laden(4);
        // Enter walks the boxes; reaching the save button does not save.
        u->Box(QStringLiteral("txtXP_gFM"))->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), u->Box(QStringLiteral("txtUDP_gFM")));
        u->Box(QStringLiteral("txtP_gTM"))->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), u->Element(QStringLiteral("cmdSpeichern")));
        QVERIFY(u->ui.meldungen.isEmpty() && u->ui.statuszeilen.isEmpty());
        // F4 clears everything and sends the user to the group.
        u->Taste(QStringLiteral("txtNDF_gTM"), Qt::Key_F4);
        QCOMPARE(u->Gruppe()->currentIndex(), -1);
        QCOMPARE(u->Abweichung({ "txtBezeichnung=", "txtNDF_gTM=", "txtNEL_MKalTM=", "lblIDAnzeige=" }), QString());
        QCOMPARE(QApplication::focusWidget(), u->Gruppe());

        // F5 saves, and the first check stops the empty mask.
        u->Taste(QStringLiteral("txtBezeichnung"), Qt::Key_F5);
        QCOMPARE(u->ui.Texte().last(), QStringLiteral("Sie müssen erst die Art des Futtermittels festlegen!"));
        // A disabled button is not pressed by its key.
        u->Element<QPushButton>(QStringLiteral("cmdSpeichern"))->setEnabled(false);
        u->Taste(QStringLiteral("txtBezeichnung"), Qt::Key_F5);
        QCOMPARE(u->ui.meldungen.size(), 1);

        // F9 deletes after the question and closes the window.
        const long vorher = u->Anzahl();
        u->Laden(4);
        u->ui.Antworten(Antwort::Ja);
        u->Taste(QStringLiteral("txtNDF_gTM"), Qt::Key_F9);
        QCOMPARE(u->ui.Texte().last(), QStringLiteral("Soll das Futtermittel wirklich gelöscht werden?"));
        QCOMPARE(u->ui.meldungen.size(), 2);
        QCOMPARE(u->Anzahl(), vorher - 1);
        QCOMPARE(u->Anzahl(QStringLiteral("ID = 4")), 0);
        QTRY_VERIFY(u->editor.isNull());
    }

    void schliessen_data()
    {
        QTest::addColumn<bool>("aendern");
        QTest::addColumn<int>("antwort"); // -1: no question expected
        QTest::addColumn<bool>("mitEsc"); // otherwise the close box
        QTest::newRow("unverändert") << false << -1 << true;
        QTest::newRow("Ja speichert") << true << int(Antwort::Ja) << true;
        QTest::newRow("Nein verwirft") << true << int(Antwort::Nein) << false;
        QTest::newRow("Abbrechen bleibt") << true << int(Antwort::Abbrechen) << false;
    }

    void schliessen()
    {
        QFETCH(bool, aendern);
        QFETCH(int, antwort);
        QFETCH(bool, mitEsc);
        u->Laden(4);
        // The release of an Esc pressed elsewhere (in a message box) is no command.
        QTest::sendKeyEvent(QTest::Release, u->Box(QStringLiteral("txtCa_gTM")), Qt::Key_Escape, QString(), {});
        QVERIFY(UnterfensterVon(u->editor)->isVisible());
        if (aendern)
            u->Tippen(QStringLiteral("txtCa_gTM"), QStringLiteral("9"));
        if (antwort >= 0)
            u->ui.Antworten(Antwort(antwort));
        if (mitEsc)
            u->Taste(QStringLiteral("txtCa_gTM"), Qt::Key_Escape);
        else
            UnterfensterVon(u->editor)->close();

        QCOMPARE(u->ui.Texte(), antwort < 0 ? QStringList() : QStringList { QStringLiteral("Änderungen speichern?") });
        const bool bleibt = antwort == int(Antwort::Abbrechen);
        if (bleibt)
            QVERIFY(UnterfensterVon(u->editor)->isVisible());
        else
            QTRY_VERIFY(u->editor.isNull());
        QCOMPARE(u->Spalte(4, QStringLiteral("Ca_gTM")).toDouble(), antwort == int(Antwort::Ja) ? 9.0 : 6.0);
        // Closed by the user it is not opened again at the next start.
        if (!bleibt)
            QCOMPARE(INILesen(QStringLiteral("OffeneFenster"), QStringLiteral("StammdatenFenster2")), QStringLiteral("0"));
    }

    void programmendeMerktOffenesFenster()
    {
        u->haupt->close();
        QCOMPARE(INILesen(QStringLiteral("OffeneFenster"), QStringLiteral("StammdatenFenster2")), QStringLiteral("1"));
    }

    void ablegenLaedtFutter()
    {
        u->Setzen({ QStringLiteral("txtTM_g=100"), QStringLiteral("txtCa_gTM=9") });
        auto daten = std::make_unique<QMimeData>();
        daten->setData(QString::fromLatin1(FutterMimeTyp), QByteArrayLiteral("4"));
        daten->setText(QStringLiteral("4"));
        QLineEdit* ziel = u->Box(QStringLiteral("txtCa_gTM"));
        // A drop goes to the control that accepted the drag when it entered.
        QDragEnterEvent eintreten(QPoint(5, 5), Qt::CopyAction, daten.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(ziel, &eintreten);
        QVERIFY(eintreten.isAccepted());
        QDropEvent ablegen(QPointF(5, 5), Qt::CopyAction, daten.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(ziel, &ablegen);

        QVERIFY(ablegen.isAccepted());
        QCOMPARE(programm().ZiehFutterID, 4L);
        // Not "94" from the dropped text.
        QCOMPARE(u->Abweichung({ "lblIDAnzeige=4", "txtCa_gTM=6,00", "txtTM_g=330" }), QString());
    }

    void einEditorJeFutter()
    {
        StammdatenFenster2* erster = StammdatenFenster2::FutterBearbeiten(u->haupt.get(), 4);
        QVERIFY(erster != u->editor);
        QTRY_COMPARE(erster->AngezeigteFutterID(), 4L);
        QCOMPARE(StammdatenFenster2::FutterBearbeiten(u->haupt.get(), 4), erster);
        QCOMPARE(u->haupt->Arbeitsbereich()->activeSubWindow()->widget(), erster);
        // New feeds get an editor each.
        StammdatenFenster2* neu1 = StammdatenFenster2::FutterBearbeiten(u->haupt.get(), 0);
        StammdatenFenster2* neu2 = StammdatenFenster2::FutterBearbeiten(u->haupt.get(), 0);
        QCOMPARE(test::Editoren(*u->haupt).size(), 4);
        // Further instances cascade.
        QVERIFY(UnterfensterVon(neu2)->pos() != UnterfensterVon(neu1)->pos());
    }

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

    // A stored feed is updated in place with its dates kept; the price is
    // stored as typed (empty: no price) and shown again with two decimals.
    void vorhandenesFutterAendern_data()
    {
        QTest::addColumn<QString>("eingabe");
        QTest::addColumn<QVariant>("gespeichert");
        QTest::addColumn<QString>("angezeigt");
        QTest::newRow("mit Komma") << "24,5" << QVariant(24.5) << "24,50";
        QTest::newRow("mit Punkt") << "19.99" << QVariant(19.99) << "19,99";
        QTest::newRow("leer ist kein Preis") << "" << QVariant() << "";
    }

    void vorhandenesFutterAendern()
    {
        QFETCH(QString, eingabe);
        QFETCH(QVariant, gespeichert);
        QFETCH(QString, angezeigt);
        const long vorher = u->Anzahl();
        u->Laden(4);
        u->Tippen(QStringLiteral("txtXP_gFM"), QStringLiteral("70"));
        QCOMPARE(u->Text("txtXP_gTM"), QStringLiteral("212")); // 70 * 1000 / 330
        u->Setzen({ QStringLiteral("txtPreis=") + eingabe });
        u->Klick(QStringLiteral("cmdSpeichern"));

        QCOMPARE(u->ui.meldungen.size(), 0);
        QCOMPARE(u->Anzahl(), vorher);
        QCOMPARE(u->Spalte(4, QStringLiteral("XP_gTM")).toDouble(), 212.0);
        QCOMPARE(u->Spalte(4, QStringLiteral("P_gTM")).toDouble(), 3.8);
        QCOMPARE(u->Spalte(4, QStringLiteral("[LetzteÄnderung]")).toString(), QStringLiteral("2026-12-04T10:00:00"));
        QCOMPARE(u->Spalte(4, QStringLiteral("AngelegtAm")).toString(), QStringLiteral("2026-12-05T12:00:00"));
        const QVariant preis = u->Spalte(4, QStringLiteral("Preis"));
        QCOMPARE(preis.isNull(), gespeichert.isNull());
        QCOMPARE(preis.toDouble(), gespeichert.toDouble());
        QTRY_VERIFY(u->editor.isNull());

        u->editor = qobject_cast<StammdatenFenster2*>(u->haupt->FensterOeffnen(QStringLiteral("StammdatenFenster2")));
        u->Laden(4);
        QCOMPARE(u->Text(QStringLiteral("txtPreis")), angezeigt);
    }

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

KELVORA_TEST(StammdatenFensterTest)
#include "tst_StammdatenFenster.moc"
