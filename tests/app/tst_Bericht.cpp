// "kelvora bericht": the ration report of the stored ration as a PDF.

#include "../ration/RationsTestdaten.h"
#include "BefehlsLauf.h"
#include "PdfLesen.h"
#include "TestRegister.h"
#include "frame/FunktionenFuerINI.h"

#include <QDir>
#include <QTest>
#include <optional>

using namespace kelvora;
using namespace kelvora::test;

class BerichtBefehlTest : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        umgebung.emplace();
        QVERIFY(umgebung->bereit);
    }
    void cleanup() { umgebung.reset(); }
    void berichtDerGespeichertenRation();
    void nichtGeschrieben_data();
    void nichtGeschrieben();

private:
    std::optional<DatenbankUmgebung> umgebung;
};

// What the command adds to the printed report (its figures are checked in
// tests/ration): the stored ration, the cow given on the command line and the
// farm from the INI reach the PDF, and its path is printed.
void BerichtBefehlTest::berichtDerGespeichertenRation()
{
    // A feed of its own, delivered barley and soya.
    QVERIFY(RationAnlegen({ { 9001, 350, 450 } }, { { 9001, 30, 0, 1 }, { 21, 0, 60, 0 }, { 28, 0, 40, 0 } }));
    QVERIFY(INISpeichern(QStringLiteral("Programm"), QStringLiteral("E1"), QStringLiteral("Hof Sonnental")));

    const QString pdf = umgebung->ordner.Pfad(QStringLiteral("r.pdf"));
    const Lauf l = Kelvora({ "bericht", "--datenordner", umgebung->ordner.Pfad(), "--gewicht", "600", "--milch", "28",
        "--pdf", pdf });
    QCOMPARE(l.fehler, QString());
    QCOMPARE(l.code, 0);
    QCOMPARE(l.aus, QDir::toNativeSeparators(pdf) + QLatin1Char('\n'));

    const QStringList seiten = PdfSeiten(pdf);
    QCOMPARE(seiten.size(), 2);
    for (const char* t : { "Testfutter 9001", "Hof Sonnental" })
        QVERIFY2(seiten[0].simplified().contains(QString::fromUtf8(t)), t);
    for (const char* t : { "Gewicht: 550-600", "Milch kg: 28,0", "Fett %: 4,00" })
        QVERIFY2(seiten[1].simplified().contains(QString::fromUtf8(t)), t);
}

void BerichtBefehlTest::nichtGeschrieben_data()
{
    QTest::addColumn<QString>("ziel");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("meldung");
    QTest::newRow("ohne --pdf") << QString() << 2 << "Geben Sie mit --pdf an";
    QTest::newRow("Ordner fehlt") << "fehlt/r.pdf" << 1 << "kann nicht angelegt werden";
    QTest::newRow("Ziel ist ein Ordner") << "." << 2 << "--pdf nennt einen Ordner";
}

void BerichtBefehlTest::nichtGeschrieben()
{
    QFETCH(QString, ziel);
    QFETCH(int, code);
    QFETCH(QString, meldung);
    const TestDatenordner& ordner = umgebung->ordner;
    QVERIFY(RationAnlegen({}, { { 5, 18, 0, 1 } }));
    QStringList woerter { "bericht", "--datenordner", ordner.Pfad() };
    if (!ziel.isEmpty())
        woerter << "--pdf" << ordner.Pfad(ziel);
    const QStringList vorher = QDir(ordner.Pfad()).entryList(QDir::Files);

    const Lauf l = Kelvora(woerter);
    QCOMPARE(l.code, code);
    QVERIFY2(l.fehler.contains(meldung), qPrintable(l.fehler));
    QVERIFY(l.aus.isEmpty());
    // No PDF, whole or half, anywhere in the folder.
    for (const QString& datei : QDir(ordner.Pfad()).entryList(QDir::Files))
        QVERIFY2(vorher.contains(datei) || !datei.contains(QLatin1String("pdf")), qPrintable(datei));
}

KELVORA_TEST(BerichtBefehlTest)
#include "tst_Bericht.moc"
