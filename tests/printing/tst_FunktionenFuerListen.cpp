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

    void markieren_data()
    {
        QTest::addColumn<int>("anzahl");
        QTest::addColumn<long>("zeile"); // -1: LetzteZeileMarkieren
        QTest::addColumn<bool>("auffrischen");
        QTest::addColumn<QList<int>>("erwartet");
        QTest::newRow("erste") << 5 << 1L << false << QList<int> { 1 };
        QTest::newRow("letzte") << 5 << 5L << false << QList<int> { 5 };
        QTest::newRow("0 hebt nur auf") << 5 << 0L << false << QList<int> {};
        QTest::newRow("über der Anzahl hebt nur auf") << 5 << 6L << false << QList<int> {};
        QTest::newRow("negativ hebt nur auf") << 5 << -2L << false << QList<int> {};
        QTest::newRow("leere Liste") << 0 << 1L << false << QList<int> {};
        QTest::newRow("aufgefrischt, gerollt") << 300 << 250L << true << QList<int> { 250 };
        QTest::newRow("letzte Zeile: leer") << 0 << -1L << false << QList<int> {};
        QTest::newRow("letzte Zeile: viele") << 200 << -1L << false << QList<int> { 200 };
    }

    // Lines marked before are unmarked in every case; the marked line becomes
    // the current one and is scrolled into view.
    void markieren()
    {
        QFETCH(int, anzahl);
        QFETCH(long, zeile);
        QFETCH(bool, auffrischen);
        QFETCH(QList<int>, erwartet);
        QTreeWidget liste;
        ZeilenAnlegen(liste, anzahl);
        liste.resize(200, 100);
        liste.show();
        for (int i = 0; i < anzahl; i += 2)
            liste.topLevelItem(i)->setSelected(true);

        if (zeile == -1)
            LetzteZeileMarkieren(&liste);
        else
            ZeileMarkieren(&liste, zeile, auffrischen);

        QCOMPARE(Markiert(liste), erwartet);
        if (!erwartet.isEmpty()) {
            QTreeWidgetItem* z = liste.topLevelItem(erwartet.first() - 1);
            QCOMPARE(liste.currentItem(), z);
            QVERIFY(liste.viewport()->rect().intersects(liste.visualItemRect(z)));
        }
        // Only a refresh lets pending messages through.
        QCOMPARE(ui->ereignisseVerarbeitet > 0, auffrischen);
    }

    void markierteZeilen_data()
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

    // The same answer from a tree view and a plain list.
    void markierteZeilen()
    {
        QFETCH(int, anzahl);
        QFETCH(QList<int>, markiert);
        QFETCH(long, ergebnis);
        QFETCH(long, index);
        QTreeWidget baum;
        ZeilenAnlegen(baum, anzahl);
        QListWidget liste;
        liste.setSelectionMode(QAbstractItemView::MultiSelection);
        for (int i = 1; i <= anzahl; ++i)
            liste.addItem(QString::number(i));
        for (int z : markiert) {
            baum.topLevelItem(z - 1)->setSelected(true);
            liste.item(z - 1)->setSelected(true);
        }
        long i = 99;
        QCOMPARE(MarkierteZeilen(&baum, i), ergebnis);
        QCOMPARE(i, index);
        i = 99;
        QCOMPARE(MarkierteEintraege(&liste, i), ergebnis);
        QCOMPARE(i, index);

        // After sorting, the lines count in the order the list shows them.
        if (ergebnis == 1) {
            baum.sortItems(0, Qt::DescendingOrder);
            QCOMPARE(MarkierteZeilen(&baum, i), 1L);
            QCOMPARE(i, long(anzahl) + 1 - index);
        }
    }

private:
    test::TestOberflaeche* ui = nullptr;
};

KELVORA_TEST(FunktionenFuerListenTest)
#include "tst_FunktionenFuerListen.moc"
