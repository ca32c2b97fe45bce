// "kelvora bericht": the ration report of the stored ration as a PDF.

#include "../ration/RationsTestdaten.h"
#include "BefehlsLauf.h"
#include "PdfLesen.h"
#include "TestRegister.h"
#include "frame/FunktionenFuerINI.h"
#include "frame/Protokoll.h"

#include <QDir>
#include <QDirIterator>
#include <QProcess>
#include <QTest>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

using namespace kelvora;
using namespace kelvora::test;

namespace {

// Name (with its subfolder) -> content of every regular file in the folder
// and one level below, the way the program finds them.
QMap<QString, QByteArray> Stand(const QString& ordner)
{
    QMap<QString, QByteArray> stand;
    QDirIterator it(ordner, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString datei = it.next();
        QFile f(datei);
        const QString name = QDir(ordner).relativeFilePath(datei);
        stand[name] = !it.fileInfo().isFile() ? QByteArray("<keine Datei>")
            : f.open(QIODevice::ReadOnly)     ? f.readAll()
                                              : QByteArray("<nicht lesbar>");
    }
    return stand;
}

// A folder nobody can write in: permission bits for a normal user, a
// read-only file system for root, whom permission bits do not stop.
struct NurLesbar {
    explicit NurLesbar(const QString& ordner)
        : ordner(ordner)
    {
        if (!QDir().mkpath(ordner))
            return;
        if (::geteuid() == 0)
            eingehaengt
                = QProcess::execute(QStringLiteral("mount"), { "-t", "tmpfs", "-o", "ro,size=64k", "tmpfs", ordner })
                == 0;
        else
            QFile::setPermissions(ordner, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        QFile probe(ordner + QStringLiteral("/probe"));
        wirksam = !probe.open(QIODevice::WriteOnly);
    }
    ~NurLesbar()
    {
        if (eingehaengt)
            QProcess::execute(QStringLiteral("umount"), { ordner });
        QFile::setPermissions(ordner, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
    const QString ordner;
    bool eingehaengt = false;
    bool wirksam = false;
};

} // namespace

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

    const QStringList seiten = PdfSeiten(pdf);
    QCOMPARE(seiten.size(), 2);
    for (const char* t : { "Testfutter 9001", "Hof Sonnental" })
        QVERIFY2(seiten[0].simplified().contains(QString::fromUtf8(t)), t);
    for (const char* t : { "Gewicht: 550-600", "Milch kg: 28,0", "Fett %: 4,00" })
        QVERIFY2(seiten[1].simplified().contains(QString::fromUtf8(t)), t);
}

// Every target the program must not write, and targets it cannot write: the
// German reason names the file, the exit code is 1, and the target, the
// database and every other file of the folder are unchanged byte for byte.
void BerichtBefehlTest::nichtGeschrieben_data()
{
    QTest::addColumn<QString>("ziel"); // in the data folder
    QTest::addColumn<QString>("vorher"); // "text:…", "link:…", "hartlink:…", "fifo", "schreibgeschützt"
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("meldung");
    QTest::newRow("ohne --pdf") << QString() << "" << 2 << "Geben Sie mit --pdf an";
    QTest::newRow("Ordner fehlt") << "fehlt/r.pdf"
                                  << "" << 1 << "kann nicht angelegt werden";
    QTest::newRow("Ordner schreibgeschützt") << "gesperrt/r.pdf"
                                             << "schreibgeschützt" << 1 << "kann nicht angelegt werden";
    QTest::newRow("Ziel ist ein Ordner") << "."
                                         << "" << 1 << "das ist ein Ordner";
    QTest::newRow("Datenbank") << "Futter.mdb"
                               << "" << 1 << "das ist die Futterdatenbank des Programms";
    QTest::newRow(".BAK") << "Futter.BAK"
                          << "text:alte Kopie" << 1 << "die Sicherungskopie der Futterdatenbank";
    QTest::newRow(".KOM in anderer Schreibung") << "futter.kom"
                                                << "" << 1 << "die komprimierte Kopie";
    QTest::newRow("Sicherungskopie") << "Sicherung/Futter 2026-03-01.mdb"
                                     << "text:Kopie" << 1 << "dort liegen die Sicherungskopien";
    QTest::newRow("KELVORA.INI") << "KELVORA.INI"
                                 << "" << 1 << "die Einstellungsdatei des Programms";
    QTest::newRow("kontakt.ini") << "kontakt.ini"
                                 << "text:[Programm]" << 1 << "Name und Anschrift";
    QTest::newRow("Tagesprotokoll") << "25_01_07.txt"
                                    << "text:alt" << 1 << "ein Tagesprotokoll des Programms";
    QTest::newRow("Fehlerprotokoll") << "Fehlerprotokoll.txt"
                                     << "text:alt" << 1 << "das Fehlerprotokoll";
    QTest::newRow("Verweis auf die Datenbank")
        << "bericht.pdf"
        << "link:Futter.mdb" << 1 << "verweist auf „ORDNER/Futter.mdb“, das ist die Futterdatenbank";
    QTest::newRow("harter Link auf die Datenbank") << "zweit.pdf"
                                                   << "hartlink:Futter.mdb" << 1 << "harten Link dieselbe Datei wie";
    QTest::newRow("Gerät") << "geraet.pdf"
                           << "link:/dev/null" << 1 << "sondern ein Gerät";
    QTest::newRow("FIFO") << "rohr.pdf"
                          << "fifo" << 1 << "sondern eine benannte Pipe";
    QTest::newRow("eigene Datei, kein PDF") << "liste.pdf"
                                            << "text:Einkaufsliste" << 1 << "keine PDF-Datei";
    QTest::newRow("Name mit 300 Zeichen") << QString(296, QLatin1Char('r')) + ".pdf"
                                          << "" << 1 << "länger, als das Dateisystem erlaubt";
}

void BerichtBefehlTest::nichtGeschrieben()
{
    QFETCH(QString, ziel);
    QFETCH(QString, vorher);
    QFETCH(int, code);
    QFETCH(QString, meldung);
    const TestDatenordner& ordner = umgebung->ordner;
    QVERIFY(RationAnlegen({}, { { 5, 18, 0, 1 } }));
    QVERIFY(INISpeichern(QStringLiteral("Programm"), QStringLiteral("E1"), QStringLiteral("Hof Sonnental")));
    QVERIFY(QDir(ordner.Pfad()).mkpath(QStringLiteral("Sicherung")));
    const QString pfad = ordner.Pfad(ziel);
    std::optional<NurLesbar> gesperrt;
    const QString art = vorher.section(QLatin1Char(':'), 0, 0);
    const QString wert = vorher.section(QLatin1Char(':'), 1);
    if (art == QLatin1String("text"))
        ordner.Schreiben(ziel, wert.toUtf8());
    else if (art == QLatin1String("link"))
        QVERIFY(QFile::link(wert.startsWith(QLatin1Char('/')) ? wert : ordner.Pfad(wert), pfad));
    else if (art == QLatin1String("hartlink"))
        QCOMPARE(::link(QFile::encodeName(ordner.Pfad(wert)).constData(), QFile::encodeName(pfad).constData()), 0);
    else if (art == QLatin1String("fifo"))
        QCOMPARE(::mkfifo(QFile::encodeName(pfad).constData(), 0600), 0);
    else if (art == QLatin1String("schreibgeschützt")) {
        gesperrt.emplace(QFileInfo(pfad).absolutePath());
        if (!gesperrt->wirksam)
            QSKIP("Ein schreibgeschützter Ordner lässt sich hier nicht anlegen.");
    }
    QStringList woerter { "bericht", "--datenordner", ordner.Pfad() };
    if (!ziel.isEmpty())
        woerter << "--pdf" << pfad;
    QMap<QString, QByteArray> stand = Stand(ordner.Pfad());

    const Lauf l = Kelvora(woerter);
    meldung.replace(QLatin1String("ORDNER"), QDir::toNativeSeparators(ordner.Pfad()));
    QCOMPARE(l.code, code);
    QVERIFY2(l.fehler.contains(meldung), qPrintable(l.fehler));
    if (code == 1 && !ziel.isEmpty())
        QVERIFY2(l.fehler.contains(QDir::toNativeSeparators(QDir::cleanPath(pfad))), qPrintable(l.fehler));
    QVERIFY(l.aus.isEmpty());
    // Nothing written, whole or half, anywhere in the folder; today's log
    // records the refusal.
    QMap<QString, QByteArray> nachher = Stand(ordner.Pfad());
    nachher.remove(QFileInfo(TagesprotokollPfad()).fileName());
    stand.remove(QFileInfo(TagesprotokollPfad()).fileName());
    for (const QString& name : QStringList(stand.keys()) + nachher.keys())
        QVERIFY2(stand.value(name, "<fehlt>") == nachher.value(name, "<fehlt>"), qPrintable(name));
}

KELVORA_TEST(BerichtBefehlTest)
#include "tst_Bericht.moc"
