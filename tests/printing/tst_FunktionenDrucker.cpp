// Page frame, text fitting and list printing, read back from real PDFs.

#include "PdfLesen.h"
#include "TestOberflaeche.h"
#include "TestRegister.h"
#include "TestUmgebung.h"
#include "frame/Programm.h"
#include "printing/DruckListe.h"
#include "printing/ui/DruckVorschau.h"
#include "printing/ui/FunktionenDrucker.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace kelvora;

Q_DECLARE_METATYPE(kelvora::DruckListe)

namespace {

// The fitting rules without a font.
double Zeichen(const QString& s)
{
    return double(s.size());
}

} // namespace

class FunktionenDruckerTest : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        ui = new test::TestOberflaeche;
        ui->uhr = QDateTime(QDate(2026, 3, 9), QTime(7, 5));
        ordner = new test::TestDatenordner;
    }
    void cleanup()
    {
        delete ordner;
        delete ui;
    }

    // Shortened with "..." or wrapped; one unit of width per character.
    void textEinpassen_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("breite");
        QTest::addColumn<bool>("umbrechen");
        QTest::addColumn<QStringList>("erwartet");
        QTest::newRow("passt") << "Heu" << 3.0 << false << QStringList { "Heu" };
        QTest::newRow("gekürzt") << "Maissilage" << 6.0 << false << QStringList { "Mai..." };
        QTest::newRow("Blank vor den Punkten") << "ab cdef" << 6.0 << false << QStringList { "ab..." };
        QTest::newRow("nur Punkte") << "Maissilage" << 3.0 << false << QStringList { "..." };
        QTest::newRow("zu schmal") << "Maissilage" << 2.0 << false << QStringList { "" };
        QTest::newRow("am Blank") << "Heu und Stroh" << 10.0 << true << QStringList { "Heu und", "Stroh" };
        QTest::newRow("langes Wort") << "Grassilage" << 4.0 << true << QStringList { "Gras", "sila", "ge" };
        QTest::newRow("nach dem Punkt") << "Rohprot.kg" << 8.0 << true << QStringList { "Rohprot.", "kg" };
    }

    void textEinpassen()
    {
        QFETCH(QString, text);
        QFETCH(double, breite);
        QFETCH(bool, umbrechen);
        QFETCH(QStringList, erwartet);
        QCOMPARE(umbrechen ? TextUmbrechen(text, breite, Zeichen) : QStringList { TextKuerzen(text, breite, Zeichen) },
            erwartet);
    }

    void spaltenVerteilen()
    {
        // Widths of a list (0 = hidden) scaled onto a body from 20 to 277 mm.
        const QList<SpaltenLage> l
            = SpaltenVerteilen({ { "", {}, 0 }, { "A", {}, 100 }, { "B", {}, 300 }, { "", {}, 0 } }, 20, 277);
        QCOMPARE(l.size(), 4);
        QCOMPARE(l[0].breite, 0.0);
        QCOMPARE(l[1].x, 20.0);
        QCOMPARE(l[1].breite, 64.25);
        QCOMPARE(l[2].x, 84.25);
        QCOMPARE(l[2].x + l[2].breite, 277.0);
        QCOMPARE(l[3].breite, 0.0);
    }

    void nichtsZuDrucken_data()
    {
        QTest::addColumn<DruckListe>("liste");
        QTest::addColumn<QString>("text");
        QTest::newRow("keine Zeilen") << DruckListe { { { "A", {}, 10 } }, {} }
                                      << "Die Liste ist leer. Druck wird nicht durchgeführt!";
        QTest::newRow("keine Spalten") << DruckListe { {}, { { "x" } } } << "Die Liste hat keine Spalten!";
    }

    void nichtsZuDrucken()
    {
        QFETCH(DruckListe, liste);
        QFETCH(QString, text);
        QVERIFY(Drucken(liste).isEmpty());
        QCOMPARE(ui->Texte(), QStringList { text });
        QVERIFY(!QFile::exists(ordner->Pfad(QStringLiteral("liste.pdf"))));
    }

    // Frame and header on every page, the lines continued in order, hidden
    // columns (width 0) not printed.
    void seitenrahmenUndUmbruch()
    {
        programm().E1 = QStringLiteral("Hof Sonnental");
        programm().E2 = QStringLiteral("Am Bach 3, 12345 Wiesenau");
        QList<QStringList> zeilen;
        for (int i = 1; i <= 120; ++i)
            zeilen.append({ QStringLiteral("Zeile%1").arg(i, 3, 10, QLatin1Char('0')), QString::number(i), "GEHEIM" });
        const QString pdf = Drucken(
            { { { "Bezeichnung", {}, 3 }, { "Menge", DruckAusrichtung::Rechts, 1 }, { "ID", {}, 0 } }, zeilen });
        const QStringList seiten = test::PdfSeiten(pdf);
        QVERIFY2(seiten.size() >= 3, qPrintable(QString::number(seiten.size())));
        for (const char* t : { "Hof Sonnental", "Am Bach 3, 12345 Wiesenau", "09.03.2026 07:05" })
            QVERIFY2(seiten[0].simplified().contains(QString::fromUtf8(t)), t);

        int naechste = 1;
        for (qsizetype s = 0; s < seiten.size(); ++s) {
            const QString& seite = seiten[s];
            QVERIFY(!seite.contains(QLatin1String("GEHEIM")));
            for (const QString& t : { QStringLiteral("Kelvora"), QStringLiteral("Übersicht"),
                     QStringLiteral("Bezeichnung"), QStringLiteral("Menge"), QStringLiteral("Seite %1").arg(s + 1) })
                QVERIFY2(seite.simplified().contains(t), qPrintable(t));
            // Every line once, in order, continued on the next page.
            for (const QString& z : seite.split(QLatin1Char('\n'))) {
                const QString wort = z.trimmed().section(QLatin1Char(' '), 0, 0);
                if (!wort.startsWith(QLatin1String("Zeile")))
                    continue;
                QCOMPARE(wort.mid(5).toInt(), naechste);
                ++naechste;
            }
        }
        QCOMPARE(naechste, 121);
    }

    void pdfZielNichtBeschreibbar()
    {
        const DruckFunktion malen = [](QPagedPaintDevice& g) {
            Drucker d(g);
            return d.SeitenRahmenDrucken(1, QStringLiteral("Kelvora"), QString()) && d.Beenden();
        };
        const PdfErgebnis e = PdfSchreiben(ordner->Pfad(QStringLiteral("fehlt/bericht.pdf")), true, malen);
        QVERIFY(!e.geschrieben);
        QVERIFY2(e.fehler.contains(QLatin1String("kann nicht angelegt werden")), qPrintable(e.fehler));

        // A document that refuses itself leaves an older file as it was.
        ordner->Schreiben(QStringLiteral("alt.pdf"), "%PDF-1.4 alt");
        const PdfErgebnis abgelehnt
            = PdfSchreiben(ordner->Pfad(QStringLiteral("alt.pdf")), true, [](QPagedPaintDevice&) { return false; });
        QVERIFY(!abgelehnt.geschrieben);
        QVERIFY(abgelehnt.fehler.isEmpty());
        QCOMPARE(ordner->Roh(QStringLiteral("alt.pdf")), QByteArray("%PDF-1.4 alt"));

        // The window saves through here too: the program's own files are
        // refused, also when the target's folder is swapped for a link to
        // the data folder while the document is painted.
        const QByteArray datenbank("SQLite format 3");
        ordner->Schreiben(QStringLiteral("Futter.mdb"), datenbank);
        const PdfErgebnis eigene = PdfSchreiben(programm().futterDatenbank, true, malen);
        QVERIFY(!eigene.geschrieben);
        QVERIFY2(eigene.fehler.contains(QLatin1String("das ist die Futterdatenbank")), qPrintable(eigene.fehler));
        QVERIFY(QDir(ordner->Pfad()).mkdir(QStringLiteral("unter")));
        const PdfErgebnis vertauscht
            = PdfSchreiben(ordner->Pfad(QStringLiteral("unter/Futter.mdb")), true, [&](QPagedPaintDevice& g) {
                  return malen(g) && QDir(ordner->Pfad()).rename(QStringLiteral("unter"), QStringLiteral("alt"))
                      && QFile::link(ordner->Pfad(), ordner->Pfad(QStringLiteral("unter")));
              });
        QVERIFY(!vertauscht.geschrieben);
        QVERIFY2(vertauscht.fehler.contains(QLatin1String("verweist auf")), qPrintable(vertauscht.fehler));
        QCOMPARE(ordner->Roh(QStringLiteral("Futter.mdb")), datenbank);
    }

private:
    QString Drucken(const DruckListe& liste)
    {
        const QString pfad = ordner->Pfad(QStringLiteral("liste.pdf"));
        const PdfErgebnis e = PdfSchreiben(pfad, true, [&](QPagedPaintDevice& g) {
            Drucker d(g);
            return d.ListeDrucken(liste, QStringLiteral("Kelvora"), QStringLiteral("Übersicht"), 1, 9) && d.Beenden();
        });
        return e.geschrieben ? pfad : QString();
    }

    test::TestOberflaeche* ui = nullptr;
    test::TestDatenordner* ordner = nullptr;
};

KELVORA_TEST(FunktionenDruckerTest)
#include "tst_FunktionenDrucker.moc"
