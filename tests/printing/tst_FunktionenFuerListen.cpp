// Reading and setting the marked lines of list views.

#include "TestRegister.h"
#include "printing/ui/FunktionenFuerListen.h"

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
    void markieren_data()
    {
        QTest::addColumn<long>("zeile");
        QTest::addColumn<QList<int>>("erwartet");
        QTest::newRow("letzte") << 5L << QList<int> { 5 };
        QTest::newRow("0 hebt nur auf") << 0L << QList<int> {};
        QTest::newRow("über der Anzahl hebt nur auf") << 6L << QList<int> {};
    }

    // Lines marked before are unmarked in every case; the marked line becomes
    // the current one.
    void markieren()
    {
        QFETCH(long, zeile);
        QFETCH(QList<int>, erwartet);
        QTreeWidget liste;
        ZeilenAnlegen(liste, 5);
        for (int i = 0; i < 5; i += 2)
            liste.topLevelItem(i)->setSelected(true);

        ZeileMarkieren(&liste, zeile);

        QCOMPARE(Markiert(liste), erwartet);
        if (!erwartet.isEmpty())
            QCOMPARE(liste.currentItem(), liste.topLevelItem(erwartet.first() - 1));
    }

    void markierteZeilen_data()
    {
        QTest::addColumn<QList<int>>("markiert");
        QTest::addColumn<long>("ergebnis");
        QTest::addColumn<long>("index");
        QTest::newRow("keine") << QList<int> {} << 0L << 0L;
        QTest::newRow("letzte") << QList<int> { 4 } << 1L << 4L;
        QTest::newRow("zwei") << QList<int> { 2, 4 } << 2L << 0L;
    }

    void markierteZeilen()
    {
        QFETCH(QList<int>, markiert);
        QFETCH(long, ergebnis);
        QFETCH(long, index);
        QTreeWidget baum;
        ZeilenAnlegen(baum, 4);
        for (int z : markiert)
            baum.topLevelItem(z - 1)->setSelected(true);
        long i = 99;
        QCOMPARE(MarkierteZeilen(&baum, i), ergebnis);
        QCOMPARE(i, index);
    }

};

KELVORA_TEST(FunktionenFuerListenTest)
#include "tst_FunktionenFuerListen.moc"
