// "kelvora bericht": the ration report of the stored ration as a PDF.

#include "../ration/RationsTestdaten.h"
#include "BefehlsLauf.h"
#include "PdfLesen.h"
#include "TestDatenbank.h"
#include "TestOberflaeche.h"
#include "TestRegister.h"
#include "TestUmgebung.h"
#include "database/DatenbankRoutinen.h"
#include "frame/FunktionenFuerINI.h"
#include "ration/RationTabelle.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace kelvora;
using namespace kelvora::test;

namespace {

Lauf Bericht(const QStringList& woerter)
{
    return Kelvora(QStringList { QStringLiteral("bericht") } + woerter);
}

// Names of delivered feeds, by ID.
QStringList Namen(const QList<long>& ids)
{
    Verbindung v;
    QStringList namen;
    if (!DatenbankOeffnen(v, programm().futterDatenbank))
        return namen;
    for (long id : ids)
        namen << FutterBezeichnungLesen(v, id);
    return namen;
}

} // namespace

class BerichtBefehlTest : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        ordner = std::make_unique<TestDatenordner>();
        oberflaeche = std::make_unique<TestOberflaeche>();
        QVERIFY(!TestDatenbankAnlegen().isEmpty());
    }
    void cleanup()
    {
        oberflaeche.reset();
        ordner.reset();
    }
    void berichtDerGespeichertenRation();
    void nichtGeschrieben_data();
    void nichtGeschrieben();

private:
    std::unique_ptr<TestDatenordner> ordner;
    std::unique_ptr<TestOberflaeche> oberflaeche;
};

void BerichtBefehlTest::berichtDerGespeichertenRation()
{
    // Grass and maize silage, hay, barley, soya, a mineral: delivered feeds.
    const QList<long> futter { 5, 11, 15, 21, 28, 50 };
    QVERIFY(RationAnlegen({},
        { { 5, 18, 0, 1 }, { 11, 22, 0, 1 }, { 15, 2, 0, 1 }, { 21, 0, 60, 0 }, { 28, 0, 40, 0 }, { 50, 0.2, 0, 1 } }));
    QVERIFY(INISpeichern(QStringLiteral("Programm"), QStringLiteral("E1"), QStringLiteral("Hof Sonnental")));
    QVERIFY(INISpeichern(QStringLiteral("Programm"), QStringLiteral("E2"), QStringLiteral("Am Bach 3")));

    const QString pdf = ordner->Pfad(QStringLiteral("r.pdf"));
    const Lauf l = Bericht({ "--datenordner", ordner->Pfad(), "--gewicht", "600", "--milch", "28", "--pdf", pdf });
    QCOMPARE(l.fehler, QString());
    QCOMPARE(l.code, 0);
    QCOMPARE(l.aus, QDir::toNativeSeparators(pdf) + QLatin1Char('\n'));

    const QStringList seiten = PdfSeiten(pdf);
    QCOMPARE(seiten.size(), 2);
    const QString liste = seiten[0].simplified();
    QStringList erwartet = Namen(futter);
    QCOMPARE(erwartet.size(), futter.size());
    erwartet << "Futterart"
             << "Bezeichnung"
             << "Frisch kg"
             << "SUMMEN"
             << "Erhaltungs- und Leistungsbedarf"
             << "DIFFERENZ"
             << "Kelvora"
             << "Übersicht"
             << "Hof Sonnental"
             << "Am Bach 3"
             << "Seite 1";
    for (const QString& t : std::as_const(erwartet))
        QVERIFY2(liste.contains(t), qPrintable(t));
    const QString uebersicht = seiten[1].simplified();
    for (const char* t : { "Gewicht: 550-600", "Milch kg: 28,0", "Fett %: 4,00", "Kennzahlen der Ration", "% UDP",
             "Versorgung", "Seite 2" })
        QVERIFY2(uebersicht.contains(QString::fromUtf8(t)), t);
    QVERIFY(uebersicht.contains(QLatin1String("im Bereich")) || uebersicht.contains(QLatin1String("außerhalb")));
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
    QVERIFY(RationAnlegen({}, { { 5, 18, 0, 1 } }));
    QStringList woerter { "--datenordner", ordner->Pfad() };
    if (!ziel.isEmpty())
        woerter << "--pdf" << ordner->Pfad(ziel);
    const QStringList vorher = QDir(ordner->Pfad()).entryList(QDir::Files);

    const Lauf l = Bericht(woerter);
    QCOMPARE(l.code, code);
    QVERIFY2(l.fehler.contains(meldung), qPrintable(l.fehler));
    QVERIFY(l.aus.isEmpty());
    // No PDF, whole or half, anywhere in the folder.
    for (const QString& datei : QDir(ordner->Pfad()).entryList(QDir::Files))
        QVERIFY2(vorher.contains(datei) || !datei.contains(QLatin1String("pdf")), qPrintable(datei));
}

KELVORA_TEST(BerichtBefehlTest)
#include "tst_Bericht.moc"
