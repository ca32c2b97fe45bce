// The feed editor on the screen: key filters, the conversion while typing,
// loading a feed, the window keys and closing; and saving:
// the plausibility checks with their order, limits and answers, the row
// written, a feed deleted meanwhile and a database that cannot be written.

#include "StammdatenTestHilfen.h"
#include "TestRegister.h"
#include "feeds/StammdatenSpeichern.h"
#include "frame/ui/FensterPositionQt.h"

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

// The question about values of 0; about several, its hint speaks of them.
QString Frage(const char* was, bool mehrere = false)
{
    return QStringLiteral("Sind Sie sicher, das dieses Futtermittel ") + QString::fromUtf8(was)
        + QStringLiteral(" enthält?")
        + (mehrere ? QStringLiteral("\n\nWenn Sie diese Werte nicht zur Verfügung haben ist es trotzdem notwendig, "
                                    "realistische Werte einzugeben, damit das Programm richtig rechnen kann!")
                   : Hinweis);
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

// A fresh editor on a real main window for every test function.
class StammdatenFensterTest : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        ui = std::make_unique<test::TestOberflaeche>();
        ordner = std::make_unique<test::TestDatenordner>();
        datenbank = test::TestDatenbankAnlegen();
        QVERIFY(!datenbank.isEmpty());
        haupt = std::make_unique<HauptFenster>();
        haupt->show();
        haupt->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(haupt.get()));
        editor = qobject_cast<StammdatenFenster2*>(haupt->FensterOeffnen(QStringLiteral("StammdatenFenster2")));
        QVERIFY(editor);
    }

    void cleanup()
    {
        haupt.reset();
        programm().listeOffen = false;
        programm().ZiehFutterID = 0;
        ordner.reset();
        ui.reset();
    }

    // Typing as the keyboard does: the key filters of the boxes, and the
    // conversion between fresh and dry matter while typing.
    void tippen_data()
    {
        QTest::addColumn<QStringList>("vorher");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("tasten");
        QTest::addColumn<QStringList>("erwartet");
        const auto zeile = [](const char* name, QStringList vorher, const char* box, const char* tasten,
                               const QStringList& erwartet) {
            vorher.prepend(QStringLiteral("txtTM_g=350"));
            QTest::newRow(name) << vorher << QString::fromUtf8(box) << QString::fromUtf8(tasten) << erwartet;
        };
        const auto filter = [&](const char* name, const char* box, const char* tasten, const char* erwartet) {
            zeile(name, {}, box, tasten, { QString::fromUtf8(box) + QLatin1Char('=') + QString::fromUtf8(erwartet) });
        };
        filter("Dezimal: Punkt wird Komma, nach Komma verworfen", "txtP_gFM", "1.2.3", "1,23");
        filter("Ganzzahl: kein Komma, kein Minus", "txtXP_gTM", "-1,5.0", "150");
        filter("Prozent ganzzahlig", "txtUDPProzent", "2,5%", "25");
        filter("Strg+A markiert alles", "txtPreis", "21,00\x01" "22", "22");
        filter("Name: erlaubte und verbotene Zeichen", "txtBezeichnung",
            "Heu 1. (50%) - ök/Bio: ja! '\"@#*;<>[\\]^{|}~é§°´`$&=?+_ÄÖÜß", "Heu 1. (50%) - ök/Bio: ja! §°´`$&=?+_ÄÖÜß");
        zeile("XP FM nach TM", {}, "txtXP_gFM", "70", { "txtXP_gTM=200" });
        zeile("XP TM nach FM", {}, "txtXP_gTM", "200", { "txtXP_gFM=70" });
        zeile("NEL TM mit Mcal", {}, "txtNEL_MJTM", "6,4", { "txtNEL_MJFM=2,24", "txtNEL_MKalTM=0,69" });
        zeile("Mcal nach MJ TM und FM", {}, "txtNEL_MKalTM", "1,5", { "txtNEL_MJTM=13,82", "txtNEL_MJFM=4,84" });
        zeile("Ca halbe Hundertstel aufgerundet", {}, "txtCa_gTM", "5,5", { "txtCa_gFM=1,93" });
        zeile("NDF ganzzahlig gerundet", {}, "txtNDF_gFM", "101", { "txtNDF_gTM=289" });
        zeile("UDP TM gibt Anteil", { "txtXP_gTM=200" }, "txtUDP_gTM", "50", { "txtUDP_gFM=18", "txtUDPProzent=25" });
        zeile("UDP FM gibt Anteil über XP FM", { "txtXP_gFM=70", "txtXP_gTM=200" }, "txtUDP_gFM", "14",
            { "txtUDP_gTM=40", "txtUDPProzent=20" });
        zeile("UDP ohne XP lässt Anteil leer", {}, "txtUDP_gTM", "50", { "txtUDP_gFM=18", "txtUDPProzent=" });
        zeile("Anteil gibt UDP", { "txtXP_gTM=200" }, "txtUDPProzent", "25", { "txtUDP_gTM=50", "txtUDP_gFM=18" });
        zeile("Anteil ohne XP ändert nichts", { "txtUDP_gTM=7" }, "txtUDPProzent", "25", { "txtUDP_gTM=7", "txtUDP_gFM=" });
    }

    void tippen()
    {
        QFETCH(QStringList, vorher);
        QFETCH(QString, box);
        QFETCH(QString, tasten);
        QFETCH(QStringList, erwartet);
        Setzen(vorher);
        Tippen(box, tasten);
        QCOMPARE(Abweichung(erwartet), QString());
        QVERIFY(ui->meldungen.isEmpty());
    }

    void ladenUndNeuBerechnen()
    {
        editor->FutterLaden(4);
        QTRY_COMPARE(Text("lblIDAnzeige"), QStringLiteral("4"));
        QCOMPARE(Abweichung({ "txtBezeichnung=Grassilage 1. Schnitt, früh", "txtTM_g=330", "txtXP_gTM=185",
                     "txtXP_gFM=61", "txtUDPProzent=15", "txtNDF_gFM=139", "txtADF_gFM=84", "txtNFC_gFM=82",
                     "txtNEL_MJTM=6,53", "txtNEL_MKalTM=0,71", "txtCa_gFM=1,98", "txtP_gTM=3,80" }),
            QString());
        QCOMPARE(Gruppe()->currentText(), QStringLiteral("Grundfutter"));

        // Changing the dry matter alone converts nothing; the button does.
        Tippen(QStringLiteral("txtTM_g"), QStringLiteral("500"));
        QCOMPARE(Text("txtXP_gFM"), QStringLiteral("61"));
        Klick(QStringLiteral("cmdNeuBerechnen"));
        QCOMPARE(Abweichung({ "txtXP_gFM=93", "txtNEL_MJFM=3,27", "txtP_gFM=1,90", "txtUDPProzent=15",
                     "txtNEL_MKalTM=0,71" }),
            QString()); // XP: 185 * 0.5 = 92.5
    }

    void fenstertasten()
    {
        Laden(4);
        // Enter walks the boxes; reaching the save button does not save.
        Box(QStringLiteral("txtMn_mgTM"))->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), Element(QStringLiteral("cmdSpeichern")));
        QVERIFY(ui->meldungen.isEmpty() && ui->statuszeilen.isEmpty());
        // F4 clears everything and sends the user to the group.
        Taste(QStringLiteral("txtNDF_gTM"), Qt::Key_F4);
        QCOMPARE(Gruppe()->currentIndex(), -1);
        QCOMPARE(Abweichung({ "txtBezeichnung=", "txtNDF_gTM=", "txtNEL_MKalTM=", "lblIDAnzeige=" }), QString());
        QCOMPARE(QApplication::focusWidget(), Gruppe());
    }

    // Every field counts as a change against what was loaded; a value typed
    // back to the loaded one does not. The column named afterwards shows
    // whether the change was stored. A closed editor hands over to the
    // window active before it, not to the oldest one.
    void schliessen_data()
    {
        QTest::addColumn<QStringList>("aenderungen"); // "box=typed keys", "cmbFutterArt=index"
        QTest::addColumn<int>("antwort"); // -1: no question expected
        QTest::addColumn<bool>("mitEsc"); // otherwise the close box
        QTest::addColumn<QString>("gespeichert"); // "column=value" of feed 4 afterwards
        const int Ja = int(Antwort::Ja);
        QTest::newRow("unverändert") << QStringList() << -1 << true << "Ca_gTM=6";
        QTest::newRow("Ja speichert") << QStringList { "txtCa_gTM=9" } << Ja << true << "Ca_gTM=9";
        QTest::newRow("Nein verwirft") << QStringList { "txtCa_gTM=9" } << int(Antwort::Nein) << false << "Ca_gTM=6";
        QTest::newRow("Abbrechen bleibt") << QStringList { "txtCa_gTM=9" } << int(Antwort::Abbrechen) << false
                                          << "Ca_gTM=6";
        QTest::newRow("nur der Preis") << QStringList { "txtPreis=22,00" } << Ja << true << "Preis=22";
        QTest::newRow("nur die Gruppe") << QStringList { "cmbFutterArt=2" } << Ja << true << "FutterArtIOFC=2";
        QTest::newRow("zurück zum geladenen Wert") << QStringList { "txtCa_gTM=9", "txtCa_gTM=6" } << -1 << true
                                                   << "Ca_gTM=6";
    }

    void schliessen()
    {
        QFETCH(QStringList, aenderungen);
        QFETCH(int, antwort);
        QFETCH(bool, mitEsc);
        QFETCH(QString, gespeichert);
        haupt->FensterOeffnen(QStringLiteral("WieFangeIchAnFenster"));
        QWidget* liste = haupt->FensterOeffnen(QStringLiteral("wdwFuttermittel"));
        QCOMPARE(haupt->FensterOeffnen(QStringLiteral("StammdatenFenster2")), editor.data());
        Laden(4);
        // The release of an Esc pressed elsewhere (in a message box) is no command.
        QTest::sendKeyEvent(QTest::Release, Box(QStringLiteral("txtCa_gTM")), Qt::Key_Escape, QString(), {});
        QVERIFY(UnterfensterVon(editor)->isVisible());
        for (const QString& a : aenderungen) {
            const QString name = a.section(QLatin1Char('='), 0, 0);
            if (name == QLatin1String("cmbFutterArt"))
                Gruppe()->setCurrentIndex(a.section(QLatin1Char('='), 1).toInt());
            else
                Tippen(name, a.section(QLatin1Char('='), 1));
        }
        if (antwort >= 0)
            ui->Antworten(Antwort(antwort));
        if (mitEsc)
            Taste(QStringLiteral("txtCa_gTM"), Qt::Key_Escape);
        else
            UnterfensterVon(editor)->close();

        QCOMPARE(ui->Texte(), antwort < 0 ? QStringList() : QStringList { QStringLiteral("Änderungen speichern?") });
        const bool bleibt = antwort == int(Antwort::Abbrechen);
        if (bleibt) {
            QVERIFY(UnterfensterVon(editor)->isVisible());
        } else {
            QTRY_VERIFY(editor.isNull());
            QCOMPARE(haupt->Arbeitsbereich()->activeSubWindow(), UnterfensterVon(liste));
        }
        QCOMPARE(Spalte(4, gespeichert.section(QLatin1Char('='), 0, 0)).toString(),
            gespeichert.section(QLatin1Char('='), 1));
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
        zeile("Alle Futtermittel ist keine Gruppe", 0, {}, {}, { GruppeFehlt }, "cmbFutterArt");
        zeile("Name ohne Leerzeichen zu kurz", g, { "txtBezeichnung=  Ab  " }, {}, { NameFehlt }, "txtBezeichnung");
        zeile("Name vor Trockenmasse", g, { "txtBezeichnung=Ab", "txtTM_g=991" }, {}, { NameFehlt }, "txtBezeichnung");
        zeile("ohne Trockenmasse, ohne Hinweis", g, { "txtTM_g=" }, {},
            { QStringLiteral("Futtermittel ohne Trockenmasse gibt es nicht!") }, "txtTM_g");
        zeile("TM 990 angenommen", g, { "txtTM_g=990" }, {}, {});
        zeile("TM 991 unrealistisch", g, { "txtTM_g=991" }, {}, { ZuHoch("Trockenmasse") }, "txtTM_g");
        zeile("XP 0, Ja speichert", g, { "txtXP_gTM=" }, { Ja }, { Frage("kein Rohprotein") });
        zeile("UDP dezimal gelesen", g, { "txtUDP_gTM=1000,5" }, {}, { ZuHoch("UDP") }, "txtUDP_gTM");
        zeile("NDF ganzzahlig gelesen", g, { "txtNDF_gTM=1000,5" }, {}, {});
        zeile("NEL 30 angenommen", g, { "txtNEL_MJTM=30" }, {}, {});
        zeile("NEL 30,01", g, { "txtNEL_MJTM=30,01" }, {}, { ZuHoch("Energie") }, "txtNEL_MJTM");
        // A mineral feed: every value of 0 in one question, one answer.
        zeile("alle Nullwerte in einer Frage", g,
            { "txtP_gTM=", "txtCa_gTM=", "txtNEL_MJTM=", "txtNFC_gTM=", "txtADF_gTM=", "txtNDF_gTM=", "txtUDP_gTM=",
                "txtXP_gTM=" },
            { Ja },
            { Frage("kein Rohprotein, kein UDP, kein NDF, kein ADF, keine NFC, keine Energie, kein Calzium und kein "
                    "Phosphor",
                true) });
        zeile("zu hoch vor der Frage", g, { "txtUDP_gTM=", "txtADF_gTM=1001", "txtP_gTM=" }, {}, { ZuHoch("ADF") },
            "txtADF_gTM");
        zeile("Preis 10000 angenommen", g, { "txtPreis=10000" }, {}, {});
        zeile("Preis 10000,01", g, { "txtPreis=10000,01" }, {}, { PreisFalsch }, "txtPreis");
        zeile("Preis mit drei Nachkommastellen, vor der Frage", g, { "txtPreis=24,505", "txtXP_gTM=" }, {},
            { PreisFalsch }, "txtPreis");
        zeile("Preis nach den Nährstoffen", g, { "txtPreis=-3", "txtP_gTM=1001" }, {}, { ZuHoch("Phosphor") },
            "txtP_gTM");
        zeile("Nein beendet die Prüfung beim ersten Nullwert", g, { "txtXP_gTM=", "txtNDF_gTM=0" }, { Nein },
            { Frage("kein Rohprotein und kein NDF", true) }, "txtXP_gTM");
    }

    void pruefungen()
    {
        QFETCH(int, gruppe);
        QFETCH(QStringList, aenderungen);
        QFETCH(QList<Antwort>, antworten);
        QFETCH(QStringList, meldungen);
        QFETCH(QString, fokus);
        GueltigSetzen(gruppe);
        Setzen(aenderungen);
        ui->antworten = antworten;
        const long vorher = Anzahl();

        Klick(QStringLiteral("cmdSpeichern"));

        QCOMPARE(ui->Texte(), meldungen);
        QVERIFY(ui->antworten.isEmpty());
        for (const test::GezeigteMeldung& m : ui->meldungen) {
            const bool frage = m.text.startsWith(QLatin1String("Sind Sie sicher"));
            QCOMPARE(m.knoepfe, frage ? Knoepfe::JaNein : Knoepfe::OK);
            if (frage)
                QCOMPARE(m.standard, Antwort::Nein);
        }
        const bool gespeichert = fokus.isEmpty();
        QCOMPARE(Anzahl(), vorher + (gespeichert ? 1 : 0));
        QCOMPARE(ui->statuszeilen.size(), gespeichert ? 1 : 0);
        if (!gespeichert)
            QCOMPARE(QApplication::focusWidget(), Element(fokus));
    }

    void neuesFutterSchreiben()
    {
        GueltigSetzen();
        Setzen({ QStringLiteral("txtBezeichnung=  Rapsschrot Test  ") });
        ui->uhr = QDateTime(QDate(2027, 1, 15), QTime(8, 30, 5));

        Taste(QStringLiteral("txtP_gTM"), Qt::Key_F5);

        QCOMPARE(ui->statuszeilen.size(), 1);
        QCOMPARE(ui->statuszeilen.first().farbe, Farbe::Gruen);
        QCOMPARE(Anzahl(QStringLiteral("Bezeichnung = 'Rapsschrot Test'")), 1);
        // A protein feed is stored as oil meal (FutterArt 7), which the ration reads.
        QCOMPARE(test::SqlLesen(QStringLiteral(
                     "SELECT FutterArtIOFC || ';' || TM_g || ';' || XP_gTM || ';' || UDP_gTM || ';' || NDF_gTM || ';' "
                     "|| ADF_gTM || ';' || NFC_gTM || ';' || NEL_MJTM || ';' || Ca_gTM || ';' || P_gTM || ';' || "
                     "FutterArt || ';' || AngelegtAm || ';' || [LetzteÄnderung] FROM Futtermittel WHERE Bezeichnung = "
                     "'Rapsschrot Test'"))
                     .toString(),
            QStringLiteral("3;890.0;380.0;120.0;250.0;180.0;150.0;7.2;8.0;11.0;7;2027-01-15T08:30:05;2027-01-15T08:30:05"));
        QTRY_VERIFY(editor.isNull());
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
        const long vorher = Anzahl();
        Laden(4);
        Tippen(QStringLiteral("txtXP_gFM"), QStringLiteral("70"));
        QCOMPARE(Text("txtXP_gTM"), QStringLiteral("212")); // 70 * 1000 / 330
        Setzen({ QStringLiteral("txtPreis=") + eingabe });
        Klick(QStringLiteral("cmdSpeichern"));

        QCOMPARE(ui->meldungen.size(), 0);
        QCOMPARE(Anzahl(), vorher);
        QCOMPARE(Spalte(4, QStringLiteral("XP_gTM || ';' || P_gTM || ';' || [LetzteÄnderung] || ';' || AngelegtAm"))
                     .toString(),
            QStringLiteral("212.0;3.8;2026-12-04T10:00:00;2026-12-05T12:00:00"));
        const QVariant preis = Spalte(4, QStringLiteral("Preis"));
        QCOMPARE(preis.isNull(), gespeichert.isNull());
        QCOMPARE(preis.toDouble(), gespeichert.toDouble());
        QTRY_VERIFY(editor.isNull());

        editor = qobject_cast<StammdatenFenster2*>(haupt->FensterOeffnen(QStringLiteral("StammdatenFenster2")));
        Laden(4);
        QCOMPARE(Text(QStringLiteral("txtPreis")), angezeigt);
    }

    void futterArtFolgtGruppe_data()
    {
        QTest::addColumn<int>("gruppe");
        QTest::addColumn<int>("bisher");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("futterArt");
        QTest::newRow("neues Heu ist Grundfutter") << 1 << 0 << "Wiesenheu 2. Schnitt" << 4;
        QTest::newRow("neues Grundfutter ohne Hinweis") << 1 << 0 << "Weidelgras jung" << 1;
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
        Laden(4);
        QVERIFY(test::SqlAusfuehren(QStringLiteral("DELETE FROM Futtermittel WHERE ID = 4")));
        const long vorher = Anzahl();
        Klick(QStringLiteral("cmdSpeichern"));

        QCOMPARE(ui->Texte(),
            QStringList {
                QStringLiteral("Speichern konnte nicht ausgeführt werden, weil die FutterID nicht gefunden wurde") });
        QCOMPARE(Anzahl(), vorher);
        QVERIFY(ui->statuszeilen.isEmpty());
        QTRY_VERIFY(editor.isNull());
    }

    void datenbankNichtBeschreibbar()
    {
        GueltigSetzen();
        QVERIFY(QFile::remove(datenbank));
        Klick(QStringLiteral("cmdSpeichern"));

        QVERIFY(!ui->statuszeilen.isEmpty());
        QCOMPARE(ui->statuszeilen.last().text, QStringLiteral("Futtermittel konnte nicht gespeichert werden!"));
        // The typed feed stays on the screen for another try.
        QVERIFY(!editor->findChild<QTimer*>(QStringLiteral("tmrBeenden"))->isActive());
        QCOMPARE(Text("txtXP_gTM"), QStringLiteral("380"));
    }

private:
    void GueltigSetzen(int gruppe = Eiweisstraeger) const
    {
        Gruppe()->setCurrentIndex(gruppe);
        Setzen(Gueltig);
    }

    template <class T = QWidget> T* Element(const QString& name) const { return editor->findChild<T*>(name); }
    QLineEdit* Box(const QString& name) const { return Element<QLineEdit>(name); }
    QComboBox* Gruppe() const { return Element<QComboBox>(QStringLiteral("cmbFutterArt")); }
    void Klick(const QString& knopf) const { Element<QPushButton>(knopf)->click(); }
    void Taste(const QString& name, Qt::Key taste) const { QTest::keyClick(Element(name), taste); }

    QString Text(const QString& name) const
    {
        if (auto* l = Element<QLabel>(name))
            return l->text();
        return Box(name) ? Box(name)->text() : QStringLiteral("<fehlt: ") + name + QLatin1Char('>');
    }

    // Types into a box as the user does: the focus selects its text first.
    void Tippen(const QString& name, const QString& tasten) const
    {
        Box(name)->setFocus();
        Box(name)->selectAll();
        test::Tippen(Box(name), tasten);
    }

    // Loads a feed at once, as a drop of a dragged feed does.
    void Laden(long id) const
    {
        programm().ZiehFutterID = id;
        Klick(QStringLiteral("DropEreignisAufrufen"));
    }

    // "name=text" entries: Setzen fills the boxes, Abweichung names the first
    // box that differs.
    void Setzen(const QStringList& werte) const
    {
        for (const QString& w : werte)
            Box(w.section(QLatin1Char('='), 0, 0))->setText(w.section(QLatin1Char('='), 1));
    }
    QString Abweichung(const QStringList& werte) const
    {
        for (const QString& w : werte)
            if (Text(w.section(QLatin1Char('='), 0, 0)) != w.section(QLatin1Char('='), 1))
                return w + QStringLiteral(" ist ") + Text(w.section(QLatin1Char('='), 0, 0));
        return {};
    }

    QVariant Spalte(long id, const QString& spalte) const
    {
        return test::SqlLesen(QStringLiteral("SELECT ") + spalte + QStringLiteral(" FROM Futtermittel WHERE ID = ?"),
            { QVariant::fromValue<qlonglong>(id) });
    }
    long Anzahl(const QString& bedingung = QStringLiteral("1 = 1")) const
    {
        const QVariant n = test::SqlLesen(QStringLiteral("SELECT COUNT(*) FROM Futtermittel WHERE ") + bedingung);
        return n.isValid() ? long(n.toLongLong()) : -1;
    }

    std::unique_ptr<test::TestOberflaeche> ui;
    std::unique_ptr<test::TestDatenordner> ordner;
    QString datenbank;
    std::unique_ptr<HauptFenster> haupt;
    QPointer<StammdatenFenster2> editor;
};

KELVORA_TEST(StammdatenFensterTest)
#include "tst_StammdatenFenster.moc"
