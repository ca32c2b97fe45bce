// "kelvora bericht": the ration report of the stored ration as a PDF.

#include "../ration/RationsTestdaten.h"
#include "BefehlsLauf.h"
#include "DatenbankTestHilfen.h"
#include "PdfLesen.h"
#include "TestRegister.h"
#include "frame/FunktionenFuerINI.h"

#include <QDir>
#include <QTest>
#include <optional>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

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

    // An older PDF of the same name is replaced.
    const QString pdf = umgebung->ordner.Pfad(QStringLiteral("r.pdf"));
    umgebung->ordner.Schreiben(QStringLiteral("r.pdf"), "%PDF-1.4\nalt");
    const Lauf l = Kelvora({ "bericht", "--datenordner", umgebung->ordner.Pfad(), "--gewicht", "600", "--milch", "28",
        "--pdf", pdf });
    QCOMPARE(l.fehler, QString());
    QCOMPARE(l.code, 0);
    QCOMPARE(l.aus, QDir::toNativeSeparators(pdf) + QLatin1Char('\n'));

    // List, overview, and the German block on a page of its own where the
    // overview has no room left above the footer.
    const QStringList seiten = PdfSeiten(pdf);
    QCOMPARE(seiten.size(), 3);
    QVERIFY(!seiten[1].contains(QStringLiteral("Nach GfE")));
    QVERIFY(seiten[2].simplified().contains(QStringLiteral("Nach GfE (deutscher Maßstab)")));
    for (const char* t : { "Testfutter 9001", "Hof Sonnental" })
        QVERIFY2(seiten[0].simplified().contains(QString::fromUtf8(t)), t);
    for (const char* t : { "Gewicht: 550-600", "Milch kg: 28,0", "Fett %: 4,00" })
        QVERIFY2(seiten[1].simplified().contains(QString::fromUtf8(t)), t);
}

// Every target the program must not write, and targets it cannot write:
// exit code 1 (2 without --pdf), the German reason naming the file, and the
// target, the database and every other file unchanged byte for byte.
void BerichtBefehlTest::nichtGeschrieben_data()
{
    QTest::addColumn<QString>("ziel"); // in the data folder
    QTest::addColumn<QString>("vorher"); // "text:…", "link:…", "hartlink:…", "fifo", "gerät"
    QTest::addColumn<QString>("meldung");
    const auto zeile = [](const char* name, const QString& ziel, const char* vorher, const char* meldung) {
        QTest::newRow(name) << ziel << QString::fromUtf8(vorher) << QString::fromUtf8(meldung);
    };
    zeile("ohne --pdf", "", "", "Geben Sie mit --pdf an");
    zeile("Ordner fehlt", "fehlt/r.pdf", "", "kann nicht angelegt werden");
    zeile("Ordner", ".", "", "das ist ein Ordner");
    zeile("Datenbank", "Futter.mdb", "", "das ist die Futterdatenbank des Programms");
    zeile(".BAK", "Futter.BAK", "text:Kopie", "die Sicherungskopie der Futterdatenbank");
    zeile(".KOM klein", "futter.kom", "", "die komprimierte Kopie der Futterdatenbank");
    zeile("Sicherungskopie", "Sicherung/Futter 1.mdb", "text:Kopie", "dort liegen die Sicherungskopien");
    zeile("KELVORA.INI", "KELVORA.INI", "", "die Einstellungsdatei des Programms");
    zeile("kontakt.ini", "kontakt.ini", "text:[Programm]", "Name und Anschrift");
    zeile("Tagesprotokoll", "25_01_07.txt", "text:alt", "ein Tagesprotokoll des Programms");
    zeile("Fehlerprotokoll", "Fehlerprotokoll.txt", "text:alt", "das Fehlerprotokoll");
    zeile("Link", "b.pdf", "link:Futter.mdb", "verweist auf „ORDNER/Futter.mdb“, das ist die Futterdatenbank");
    zeile("harter Link", "h.pdf", "hartlink:Futter.mdb", "harten Link dieselbe Datei wie");
    zeile("Gerät", "g.pdf", "gerät", "sondern ein Gerät");
    zeile("FIFO", "f.pdf", "fifo", "sondern eine benannte Pipe");
    zeile("Textdatei", "liste.pdf", "text:Einkaufsliste", "keine PDF-Datei");
    zeile("300 Zeichen", QString(296, 'r') + ".pdf", "", "länger, als das Dateisystem erlaubt");
}

void BerichtBefehlTest::nichtGeschrieben()
{
    QFETCH(QString, ziel);
    QFETCH(QString, vorher);
    QFETCH(QString, meldung);
    const TestDatenordner& ordner = umgebung->ordner;
    QVERIFY(RationAnlegen({}, { { 5, 18, 0, 1 } }));
    QVERIFY(INISpeichern(QStringLiteral("Programm"), QStringLiteral("E1"), QStringLiteral("Hof Sonnental")));
    QVERIFY(QDir(ordner.Pfad()).mkpath(QStringLiteral("Sicherung")));
    const QString pfad = ordner.Pfad(ziel);
    const QByteArray quelle = QFile::encodeName(ordner.Pfad(vorher.section(':', 1))), name = QFile::encodeName(pfad);
    if (vorher.startsWith("text:"))
        ordner.Schreiben(ziel, vorher.section(':', 1).toUtf8());
    else if (vorher.startsWith("link:"))
        QVERIFY(QFile::link(ordner.Pfad(vorher.mid(5)), pfad));
    else if (vorher.startsWith("hartlink:"))
        QCOMPARE(::link(quelle.constData(), name.constData()), 0);
    else if (vorher == "fifo")
        QCOMPARE(::mkfifo(name.constData(), 0600), 0);
    // A device of the test's own (like /dev/null): a program that wrongly
    // writes there harms nothing outside the test folder.
    else if (vorher == "gerät" && ::mknod(name.constData(), S_IFCHR | 0666, makedev(1, 3)) != 0)
        QSKIP("Ein Gerät lässt sich nur als root anlegen.");
    QStringList woerter { "bericht", "--datenordner", ordner.Pfad() };
    if (!ziel.isEmpty())
        woerter << "--pdf" << pfad;
    // Dateistand leaves out the logs, the target is compared on its own.
    const auto stand = [&] {
        return std::tuple(Dateistand(ordner.Pfad()), Dateistand(ordner.Pfad("Sicherung")),
            QFileInfo(pfad).isFile() ? ordner.Roh(ziel) : QByteArray());
    };
    const auto alt = stand();

    const Lauf l = Kelvora(woerter);
    QCOMPARE(l.code, ziel.isEmpty() ? 2 : 1);
    QVERIFY2(l.fehler.contains(meldung.replace("ORDNER", ordner.Pfad())), qPrintable(l.fehler));
    QVERIFY2(ziel.isEmpty() || l.fehler.contains(QDir::cleanPath(pfad)), qPrintable(l.fehler));
    QVERIFY(l.aus.isEmpty());
    QVERIFY(stand() == alt);
}

KELVORA_TEST(BerichtBefehlTest)
#include "tst_Bericht.moc"
