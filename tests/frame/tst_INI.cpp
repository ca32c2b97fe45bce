#include "TestOberflaeche.h"
#include "TestRegister.h"
#include "TestUmgebung.h"
#include "frame/FunktionenFuerINI.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStringEncoder>
#include <QTest>
#include <optional>
#include <unistd.h>

using namespace kelvora;

namespace {

// Text as it lies on disk: Windows-1252 bytes.
QByteArray Ansi(const QString& text)
{
    QStringEncoder enc("windows-1252");
    return enc(text);
}

// A tiny file system of its own, mounted on ordner (needs root); Fuellen()
// takes what is left after the files the test put there.
struct VolleFestplatte {
    explicit VolleFestplatte(const QString& ordner)
        : ordner(ordner)
        , eingehaengt(::geteuid() == 0 && QDir().mkpath(ordner)
                      && QProcess::execute(QStringLiteral("mount"), {"-t", "tmpfs", "-o", "size=64k", "tmpfs", ordner})
                          == 0)
    {
    }
    ~VolleFestplatte()
    {
        if (eingehaengt)
            QProcess::execute(QStringLiteral("umount"), {ordner});
    }
    void Fuellen() const
    {
        QFile f(ordner + QStringLiteral("/fuellung"));
        const QByteArray block(4096, 'x');
        if (f.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
            while (f.write(block) == block.size()) {
            }
        }
    }
    const QString ordner;
    const bool eingehaengt;
};

} // namespace

class INITest : public QObject {
    Q_OBJECT
private slots:
    void lesen_data();
    void lesen();
    void schreiben_data();
    void schreiben();
    void protokoll_data();
    void protokoll();
    void schreibfehler_data();
    void schreibfehler();
};

void INITest::lesen_data()
{
    QTest::addColumn<QByteArray>("inhalt");  // empty: no file at all
    QTest::addColumn<QString>("abschnitt");
    QTest::addColumn<QString>("schluessel");
    QTest::addColumn<QString>("erwartet");

    const QByteArray datei = "[HauptFenster]\r\nBreit=12000\r\nLeer=\"\"\r\n  Hoch  =   9000  \r\n"
                             "Name=\"in Anfuehrung\"\r\n\r\n[Sound]\r\nSoundAnwenden=1\r\n";
    QTest::newRow("Wert") << datei << "HauptFenster" << "Breit" << "12000";
    QTest::newRow("Blanks entfernt") << datei << "HauptFenster" << "Hoch" << "9000";
    QTest::newRow("Anfuehrungszeichen") << datei << "HauptFenster" << "Name" << "in Anfuehrung";
    QTest::newRow("leerer Wert ist keine Vorgabe") << datei << "HauptFenster" << "Leer" << "";
    QTest::newRow("Schluessel eines anderen Abschnitts") << datei << "Sound" << "Breit" << "vorgabe";
    QTest::newRow("fehlende Datei") << QByteArray() << "HauptFenster" << "Breit" << "vorgabe";
    QTest::newRow("nur LF") << QByteArray("[A]\nx=3\n") << "A" << "x" << "3";
    QTest::newRow("Umlaute aus ANSI") << Ansi(QStringLiteral("[Programm]\r\nÄnderer=Jörg Müßig\r\n")) << "programm"
                                      << QStringLiteral("ÄNDERER") << QStringLiteral("Jörg Müßig");
    // An editor's UTF-8: the byte-order mark belongs to no line, the first
    // section is read like any other.
    QTest::newRow("UTF-8 mit Byte-Order-Mark")
        << QByteArray("\xEF\xBB\xBF[Programm]\r\nE1=Hof Müller\r\n") << "Programm"
        << "E1" << QStringLiteral("Hof Müller");
    QTest::newRow("UTF-8 ohne Byte-Order-Mark") << QByteArray("[Programm]\r\nE1=Hof Müller\r\n") << "Programm"
                                                << "E1" << QStringLiteral("Hof Müller");
    const QString lang = QString(60, QLatin1Char('a')) + QString(60, QLatin1Char('b'));
    QTest::newRow("nach 100 Zeichen abgeschnitten") << Ansi("[A]\r\nx=" + lang + "\r\n") << "A" << "x" << lang.left(100);
    const QString genau = QString(100, QLatin1Char('z'));
    QTest::newRow("genau 100 Zeichen") << Ansi("[A]\r\nx=" + genau + "\r\n") << "A" << "x" << genau;
}

void INITest::lesen()
{
    QFETCH(QByteArray, inhalt);
    QFETCH(QString, abschnitt);
    QFETCH(QString, schluessel);
    QFETCH(QString, erwartet);
    test::TestOberflaeche ui;
    test::TestDatenordner ordner;
    if (!inhalt.isEmpty())
        ordner.Schreiben("KELVORA.INI", inhalt);
    QCOMPARE(INILesen(abschnitt, schluessel, QStringLiteral("vorgabe")), erwartet);
}

void INITest::schreiben_data()
{
    QTest::addColumn<QByteArray>("vorher");  // empty: no file yet
    QTest::addColumn<QStringList>("eintraege");  // "Abschnitt/Schlüssel=Wert", written in turn
    QTest::addColumn<QByteArray>("nachher");
    QTest::newRow("Datei und Abschnitte neu")
        << QByteArray() << QStringList{"Sichern/Intervall=1", "Sound/SoundAnwenden=0", "sichern/Komprimieren=1"}
        << QByteArray("[Sichern]\r\nIntervall=1\r\nKomprimieren=1\r\n[Sound]\r\nSoundAnwenden=0\r\n");
    // Comments, blank lines and the same key in another section stay; the
    // written key takes the spelling of the call.
    QTest::newRow("übrige Zeilen bleiben")
        << QByteArray("; von Hand\r\n"
                      "[HauptFenster]\r\n"
                      "  ; Kommentar im Abschnitt\r\n"
                      "HOCH=9000\r\n"
                      "\r\n"
                      "[Sound]\r\n"
                      "Hoch=1\r\n")
        << QStringList{"hauptfenster/Hoch=9500", "HauptFenster/Links=300"}
        << QByteArray("; von Hand\r\n"
                      "[HauptFenster]\r\n"
                      "  ; Kommentar im Abschnitt\r\n"
                      "Hoch=9500\r\n"
                      "Links=300\r\n"
                      "\r\n"
                      "[Sound]\r\n"
                      "Hoch=1\r\n");
    QTest::newRow("Umlaute als ANSI")
        << QByteArray() << QStringList{"StammdatenFenster2/AufrufZähler=5", "Programm/E2=Straße 1, Ölbach"}
        << QByteArray("[StammdatenFenster2]\r\nAufrufZ\xe4hler=5\r\n[Programm]\r\nE2=Stra\xdf" "e 1, \xd6lbach\r\n");
    // A file is written back in the encoding it was read in, every other
    // byte as it was.
    QTest::newRow("UTF-8 mit Byte-Order-Mark bleibt")
        << QByteArray("\xEF\xBB\xBF; Grüße\r\n[Programm]\r\nE1=Hof Müller\r\n")
        << QStringList { "Programm/E2=Straße 1" }
        << QByteArray("\xEF\xBB\xBF; Grüße\r\n[Programm]\r\nE1=Hof Müller\r\nE2=Straße 1\r\n");
    QTest::newRow("UTF-8 bleibt") << QByteArray("[Programm]\r\nE1=Hof Müller\r\n")
                                  << QStringList { "Sichern/Ort=Ölbach" }
                                  << QByteArray("[Programm]\r\nE1=Hof Müller\r\n[Sichern]\r\nOrt=Ölbach\r\n");
    QTest::newRow("Windows-1252 bleibt") << Ansi(QStringLiteral("[Programm]\r\nE1=Hof Müller\r\n"))
                                         << QStringList { "Sichern/Ort=Ölbach" }
                                         << Ansi(QStringLiteral(
                                                "[Programm]\r\nE1=Hof Müller\r\n[Sichern]\r\nOrt=Ölbach\r\n"));
}

void INITest::schreiben()
{
    QFETCH(QByteArray, vorher);
    QFETCH(QStringList, eintraege);
    QFETCH(QByteArray, nachher);
    test::TestOberflaeche ui;
    test::TestDatenordner ordner;
    if (!vorher.isEmpty())
        ordner.Schreiben("KELVORA.INI", vorher);
    for (const QString& e : eintraege)
        QVERIFY(INISpeichern(e.section('/', 0, 0), e.section('/', 1).section('=', 0, 0), e.section('=', 1), true));
    QCOMPARE(ordner.Roh("KELVORA.INI"), nachher);
}

// Every write is logged, except on request and for the window positions,
// which are written at every close.
void INITest::protokoll_data()
{
    QTest::addColumn<QString>("schluessel");
    QTest::addColumn<bool>("keinProtokoll");
    QTest::addColumn<QString>("zeile");  // empty: no log line
    QTest::newRow("mit Zeile") << "Intervall" << false << "E 10:00:00  INISpeichern: Sichern / Intervall / 2 / ";
    QTest::newRow("ohne Protokoll") << "Intervall" << true << "";
    QTest::newRow("BREIT") << "BREIT" << false << "";
    QTest::newRow("Breite ist kein Positionsschluessel")
        << "Breite" << false << "E 10:00:00  INISpeichern: Sichern / Breite / 2 / ";
}

void INITest::protokoll()
{
    QFETCH(QString, schluessel);
    QFETCH(bool, keinProtokoll);
    QFETCH(QString, zeile);
    test::TestOberflaeche ui;
    test::TestDatenordner ordner;
    INISpeichern(QStringLiteral("Sichern"), schluessel, QStringLiteral("2"), keinProtokoll);
    QCOMPARE(INILesen(QStringLiteral("Sichern"), schluessel), QStringLiteral("2"));
    const QStringList erwartet = zeile.isEmpty() ? QStringList() : QStringList{zeile + programm().iniPfad};
    QCOMPARE(ordner.Zeilen("26_12_04.txt"), erwartet);
    QVERIFY(!QFile::exists(ordner.Pfad("Fehlerprotokoll.txt")));
}

void INITest::schreibfehler_data()
{
    QTest::addColumn<QString>("fehler");
    QTest::addColumn<QString>("grund");
    QTest::newRow("schreibgeschützte Datei") << "schreibgeschützt" << "die Datei ist schreibgeschützt";
    QTest::newRow("volle Festplatte") << "voll" << "der Datenträger ist voll";
}

// A failed write keeps the old file byte for byte, and it is heard: the
// status line shows it, the error log keeps it where it can be written.
void INITest::schreibfehler()
{
    QFETCH(QString, fehler);
    QFETCH(QString, grund);
    test::TestOberflaeche ui;
    test::TestDatenordner ordner;
    const QByteArray alt = "[Sichern]\r\nIntervall=0\r\n[HauptFenster]\r\nBreit=12000\r\n";

    std::optional<VolleFestplatte> platte;
    if (fehler == QLatin1String("voll")) {
        platte.emplace(ordner.Pfad("platte"));
        if (!platte->eingehaengt)
            QSKIP("Eine kleine tmpfs lässt sich nur als root einhängen.");
        DatenordnerSetzen(ordner.Pfad("platte"));
    }
    const QString ini = programm().iniPfad;
    ordner.Schreiben(platte ? "platte/KELVORA.INI" : "KELVORA.INI", alt);
    if (platte)
        platte->Fuellen();
    else
        QVERIFY(QFile::setPermissions(ini, QFileDevice::ReadOwner | QFileDevice::ReadGroup));

    QVERIFY(!INISpeichern(QStringLiteral("Sichern"), QStringLiteral("Intervall"), QStringLiteral("2")));
    QVERIFY(!INISpeichernMehrere(QStringLiteral("HauptFenster"), {{"Breit", "9000"}, {"Hoch", "7000"}}, true));

    QFile f(ini);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), alt);
    QCOMPARE(QDir(QFileInfo(ini).absolutePath()).entryList(QDir::Files | QDir::Hidden).filter("KELVORA"),
             QStringList{"KELVORA.INI"});
    QCOMPARE(ui.statuszeilen.size(), 2);
    QCOMPARE(ui.statuszeilen[0].farbe, Farbe::Rot);
    QVERIFY2(ui.statuszeilen[0].text.startsWith("Die Einstellungen konnten nicht in KELVORA.INI gespeichert werden ("
                                                  + grund),
             qPrintable(ui.statuszeilen[0].text));
    if (!platte) {
        const QStringList log = ordner.Zeilen("Fehlerprotokoll.txt");
        QCOMPARE(log.size(), 2);
        QVERIFY2(log[0].startsWith("E 04.12.26 10:00:00  INISpeichern: nicht gespeichert: Sichern / Intervall / 2 / "
                                   + ini + " / " + grund),
                 qPrintable(log[0]));
        QVERIFY2(log[1].contains("HauptFenster / Breit / 9000; HauptFenster / Hoch / 7000"), qPrintable(log[1]));
    }
}

KELVORA_TEST(INITest)
#include "tst_INI.moc"
