// Reading and setting the marked lines of list views.

#include "TestOberflaeche.h"
#include "TestRegister.h"
#include "printing/ui/FunktionenFuerListen.h"

#include <QListWidget>
#include <QTest>
#include <QTreeWidget>

using namespace kelvora;

namespace {

void ZeilenAnlegen(QTreeWidget& liste, int anzahl)
{
    liste.setSelectionMode(QAbstractItemView::ExtendedSelection);
    for (int i = 1; i <= anzahl; ++i)
        new QTreeWidgetItem(&liste, { QString::number(i) });
}

// Line numbers (from 1) of the marked lines.
QList<int> Markiert(const QTreeWidget& liste)
{
    QList<int> z;
    for (int i = 0; i < liste.topLevelItemCount(); ++i)
        if (liste.topLevelItem(i)->isSelected())
            z << i + 1;
    return z;
}

} // namespace

class FunktionenFuerListenTest : public QObject {
    Q_OBJECT
private slots:
    void init() { ui = new test::TestOberflaeche; }
    void cleanup() { delete ui; }
    void zeileMarkieren_data();
    void zeileMarkieren();
    void zeileMarkierenAuffrischen();
    void letzteZeile_data();
    void letzteZeile();
    void markierteZeilen_data();
    void markierteZeilen();
    void markierteEintraege_data();
    void markierteEintraege();

private:
    test::TestOberflaeche* ui = nullptr;
};

void FunktionenFuerListenTest::zeileMarkieren_data()
{
    QTest::addColumn<int>("anzahl");
    QTest::addColumn<long>("zeile");
    QTest::addColumn<QList<int>>("erwartet");
    QTest::newRow("erste") << 5 << 1L << QList<int> { 1 };
    QTest::newRow("mittlere") << 5 << 3L << QList<int> { 3 };
    QTest::newRow("letzte") << 5 << 5L << QList<int> { 5 };
    QTest::newRow("0 hebt nur auf") << 5 << 0L << QList<int> {};
    QTest::newRow("über der Anzahl hebt nur auf") << 5 << 6L << QList<int> {};
    QTest::newRow("negativ hebt nur auf") << 5 << -2L << QList<int> {};
    QTest::newRow("leere Liste") << 0 << 1L << QList<int> {};
}

void FunktionenFuerListenTest::zeileMarkieren()
{
    QFETCH(int, anzahl);
    QFETCH(long, zeile);
    QFETCH(QList<int>, erwartet);
    QTreeWidget liste;
    ZeilenAnlegen(liste, anzahl);
    // Lines marked before are unmarked in every case.
    for (int i = 0; i < anzahl; i += 2)
        liste.topLevelItem(i)->setSelected(true);

    ZeileMarkieren(&liste, zeile, false);

    QCOMPARE(Markiert(liste), erwartet);
    if (!erwartet.isEmpty())
        QCOMPARE(liste.currentItem(), liste.topLevelItem(erwartet.first() - 1));
    QCOMPARE(ui->ereignisseVerarbeitet, 0);
}

void FunktionenFuerListenTest::zeileMarkierenAuffrischen()
{
    QTreeWidget liste;
    ZeilenAnlegen(liste, 300);
    liste.resize(200, 100);
    liste.show();
    ZeileMarkieren(&liste, 250, true);
    QCOMPARE(Markiert(liste), QList<int> { 250 });
    // Redrawn and scrolled to the line, with pending messages let through.
    QVERIFY(ui->ereignisseVerarbeitet > 0);
    QVERIFY(liste.viewport()->rect().intersects(liste.visualItemRect(liste.topLevelItem(249))));
}

void FunktionenFuerListenTest::letzteZeile_data()
{
    QTest::addColumn<int>("anzahl");
    QTest::addColumn<QList<int>>("erwartet");
    QTest::newRow("leer") << 0 << QList<int> {};
    QTest::newRow("eine") << 1 << QList<int> { 1 };
    QTest::newRow("viele") << 200 << QList<int> { 200 };
}

void FunktionenFuerListenTest::letzteZeile()
{
    QFETCH(int, anzahl);
    QFETCH(QList<int>, erwartet);
    QTreeWidget liste;
    ZeilenAnlegen(liste, anzahl);
    liste.resize(200, 100);
    liste.show();
    if (anzahl > 0)
        liste.topLevelItem(0)->setSelected(true);
    LetzteZeileMarkieren(&liste);
    QCOMPARE(Markiert(liste), erwartet);
    if (anzahl > 0)
        QVERIFY(liste.viewport()->rect().intersects(liste.visualItemRect(liste.topLevelItem(anzahl - 1))));
}

void FunktionenFuerListenTest::markierteZeilen_data()
{
    QTest::addColumn<int>("anzahl");
    QTest::addColumn<QList<int>>("markiert");
    QTest::addColumn<long>("ergebnis");
    QTest::addColumn<long>("index");
    QTest::newRow("leere Liste") << 0 << QList<int> {} << 0L << 0L;
    QTest::newRow("keine") << 4 << QList<int> {} << 0L << 0L;
    QTest::newRow("erste") << 4 << QList<int> { 1 } << 1L << 1L;
    QTest::newRow("letzte") << 4 << QList<int> { 4 } << 1L << 4L;
    QTest::newRow("zwei") << 4 << QList<int> { 2, 4 } << 2L << 0L;
    QTest::newRow("alle") << 4 << QList<int> { 1, 2, 3, 4 } << 4L << 0L;
}

void FunktionenFuerListenTest::markierteZeilen()
{
    QFETCH(int, anzahl);
    QFETCH(QList<int>, markiert);
    QFETCH(long, ergebnis);
    QFETCH(long, index);
    QTreeWidget liste;
    ZeilenAnlegen(liste, anzahl);
    for (int z : markiert)
        liste.topLevelItem(z - 1)->setSelected(true);
    long i = 99;
    QCOMPARE(MarkierteZeilen(&liste, i), ergebnis);
    QCOMPARE(i, index);

    // After sorting, the lines count in the order the list shows them.
    if (ergebnis == 1) {
        liste.sortItems(0, Qt::DescendingOrder);
        QCOMPARE(MarkierteZeilen(&liste, i), 1L);
        QCOMPARE(i, long(anzahl) + 1 - index);
    }
}

void FunktionenFuerListenTest::markierteEintraege_data()
{
    markierteZeilen_data();
}

void FunktionenFuerListenTest::markierteEintraege()
{
    QFETCH(int, anzahl);
    QFETCH(QList<int>, markiert);
    QFETCH(long, ergebnis);
    QFETCH(long, index);
    QListWidget liste;
    liste.setSelectionMode(QAbstractItemView::MultiSelection);
    for (int i = 1; i <= anzahl; ++i)
        liste.addItem(QString::number(i));
    for (int z : markiert)
        liste.item(z - 1)->setSelected(true);
    long i = 99;
    QCOMPARE(MarkierteEintraege(&liste, i), ergebnis);
    QCOMPARE(i, index);
}

KELVORA_TEST(FunktionenFuerListenTest)
#include "tst_FunktionenFuerListen.moc"
