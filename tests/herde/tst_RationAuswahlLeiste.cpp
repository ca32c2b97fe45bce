#include "HerdenTestdaten.h"
#include "TestRegister.h"
#include "app/ui/HauptFenster.h"
#include "ration/ui/RationTierErstellenFenster.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

using namespace kelvora;
using namespace kelvora::test;

namespace {

const QString RationSql = QStringLiteral("SELECT FutterID, FutterFrischMenge, FixeMenge FROM Ration ORDER BY FutterID");
const Zeilen Hoch { { 9101, 30, {}, 1 }, { 9103, 6, {}, 1 } };
const Zeilen Trocken { { 9101, 20, {}, 1 } };
const Zeilen Geaendert { { 9101, 30, {}, 1 }, { 9103, 8, {}, 1 } };

// Two stored rations, "Hoch" the current one, the ration window open.
struct LeistenUmgebung : HerdenUmgebung {
    HauptFenster* haupt = nullptr;
    RationTierErstellenFenster* fenster = nullptr;

    bool Oeffnen()
    {
        if (!bereit || !Speichern(QStringLiteral("Trocken"), Trocken, 20, 0)
            || !Speichern(QStringLiteral("Hoch"), Hoch, 60, 40))
            return false;
        haupt = new HauptFenster;
        haupt->show();
        fenster = qobject_cast<RationTierErstellenFenster*>(
            haupt->FensterOeffnen(QStringLiteral("RationTierErstellenFenster")));
        return fenster;
    }
    ~LeistenUmgebung() { delete haupt; }

    // Changes table Ration as an action of the window would, then evaluates.
    void Aendern() const
    {
        QVERIFY(Aktuell(Geaendert));
        fenster->RationAuswerten();
    }
    void Ausloesen(const char* aktion) const { fenster->findChild<QAction*>(aktion)->trigger(); }
    QString Titel() const { return fenster->windowTitle().section(QStringLiteral(" – "), 1); }
};

} // namespace

class RationAuswahlLeisteTest : public QObject {
    Q_OBJECT
private slots:
    void andereRationWaehlen_data();
    void andereRationWaehlen();
    void ohneNamenNichtUeberschreiben();
    void sternBisZumSpeichern();
    void speichernUnterVergebenemNamen();
};

void RationAuswahlLeisteTest::andereRationWaehlen_data()
{
    QTest::addColumn<Antwort>("antwort");
    QTest::addColumn<QString>("titel");
    QTest::addColumn<QString>("aktuell"); // table Ration afterwards, from
    QTest::addColumn<QString>("milch");
    QTest::addColumn<QString>("hochGespeichert"); // what "Hoch" holds afterwards

    QTest::newRow("Abbrechen lässt alles") << Antwort::Abbrechen << "Hoch*"
                                           << "Geaendert"
                                           << "40,0"
                                           << "Hoch";
    QTest::newRow("Nein verwirft") << Antwort::Nein << "Trocken"
                                   << "Trocken"
                                   << "0,0"
                                   << "Hoch";
    QTest::newRow("Ja speichert erst") << Antwort::Ja << "Trocken"
                                       << "Trocken"
                                       << "0,0"
                                       << "Geaendert";
}

void RationAuswahlLeisteTest::andereRationWaehlen()
{
    QFETCH(Antwort, antwort);
    QFETCH(QString, titel);
    QFETCH(QString, aktuell);
    QFETCH(QString, milch);
    QFETCH(QString, hochGespeichert);
    LeistenUmgebung u;
    QVERIFY(u.Oeffnen());
    // Table Ration as each list of rows leaves it.
    QHash<QString, QStringList> tabelle;
    for (const auto& [name, zeilen] :
        { std::pair { "Hoch", Hoch }, { "Trocken", Trocken }, { "Geaendert", Geaendert } }) {
        QVERIFY(u.Aktuell(zeilen));
        tabelle[name] = u.Tabelle(RationSql);
    }
    u.Aendern();
    QCOMPARE(u.Titel(), QStringLiteral("Hoch*"));

    auto* cbo = u.fenster->findChild<QComboBox*>("cboRation");
    QCOMPARE(cbo->currentText(), QStringLiteral("Hoch"));
    u.ui.Antworten(antwort);
    const int trocken = cbo->findText(QStringLiteral("Trocken"));
    cbo->setCurrentIndex(trocken);
    emit cbo->activated(trocken);

    QCOMPARE(u.ui.meldungen.size(), 1);
    QCOMPARE(u.ui.meldungen[0].knoepfe, Knoepfe::JaNeinAbbrechen);
    QCOMPARE(u.Titel(), titel);
    QCOMPARE(cbo->currentText(), titel.chopped(titel.endsWith('*') ? 1 : 0));
    QCOMPARE(u.Tabelle(RationSql), tabelle[aktuell]);
    QCOMPARE(u.fenster->findChild<QLineEdit*>("txtMilch")->text(), milch);
    const QStringList gespeichertHoch
        = u.Tabelle(QStringLiteral("SELECT i.FutterID, i.FutterFrischMenge, i.FixeMenge FROM RationenInhalt i JOIN "
                                   "Rationen r ON r.ID = i.RationID "
                                   "WHERE r.Name = 'Hoch' ORDER BY i.FutterID"));
    QCOMPARE(gespeichertHoch, tabelle[hochGespeichert]);
}

// A ration without a name lives only in table Ration: loading another one
// asks, and Abbrechen keeps it.
void RationAuswahlLeisteTest::ohneNamenNichtUeberschreiben()
{
    LeistenUmgebung u;
    QVERIFY(u.Oeffnen());
    u.ui.Antworten(Antwort::Ja);
    u.Ausloesen("RationLoeschenGespeichert");
    u.Aendern();
    QCOMPARE(u.fenster->windowTitle(), QStringLiteral("Ration zusammenstellen und prüfen"));
    const QStringList vorher = u.Tabelle(RationSql);
    auto* cbo = u.fenster->findChild<QComboBox*>("cboRation");
    QCOMPARE(cbo->currentIndex(), -1);
    u.ui.Antworten(Antwort::Abbrechen);
    emit cbo->activated(cbo->findText(QStringLiteral("Trocken")));
    QCOMPARE(u.ui.meldungen.size(), 2);
    QCOMPARE(u.Tabelle(RationSql), vorher);
    QCOMPARE(cbo->currentIndex(), -1);
}

void RationAuswahlLeisteTest::sternBisZumSpeichern()
{
    LeistenUmgebung u;
    QVERIFY(u.Oeffnen());
    QCOMPARE(u.Titel(), QStringLiteral("Hoch"));
    auto* tiere = u.fenster->findChild<QSpinBox*>("Tiere");
    QCOMPARE(tiere->value(), 60);
    tiere->setValue(61);
    QCOMPARE(u.Titel(), QStringLiteral("Hoch*"));
    tiere->setValue(60);
    QCOMPARE(u.Titel(), QStringLiteral("Hoch"));

    u.Aendern();
    QCOMPARE(u.Titel(), QStringLiteral("Hoch*"));
    u.Ausloesen("RationSpeichern");
    QCOMPARE(u.Titel(), QStringLiteral("Hoch"));
    // Closing now has nothing to ask.
    QVERIFY(u.fenster->close());
    QVERIFY(u.ui.meldungen.isEmpty());
}

void RationAuswahlLeisteTest::speichernUnterVergebenemNamen()
{
    LeistenUmgebung u;
    QVERIFY(u.Oeffnen());
    u.Aendern();
    const QByteArray vorher = u.Bytes(u.pfad);
    u.ui.textAntworten.append(QStringLiteral("  TROCKEN "));
    u.Ausloesen("RationSpeichernUnter");
    QCOMPARE(u.ui.textFragen.size(), 1);
    QCOMPARE(u.ui.meldungen.size(), 1);
    QVERIFY2(u.ui.meldungen[0].text.contains(QStringLiteral("Trocken")), qPrintable(u.ui.meldungen[0].text));
    QCOMPARE(u.Bytes(u.pfad), vorher);
    QCOMPARE(u.Titel(), QStringLiteral("Hoch*"));
}

KELVORA_TEST(RationAuswahlLeisteTest)
#include "tst_RationAuswahlLeiste.moc"
