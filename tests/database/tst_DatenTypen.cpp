#include "TestRegister.h"
#include "database/DatenTypen.h"

#include <QTest>

using namespace kelvora;

namespace {

const QDateTime DatumNull(QDate(1899, 12, 30), QTime(0, 0));

QDateTime Tag(int jahr, int monat, int tag)
{
    return QDateTime(QDate(jahr, monat, tag), QTime(0, 0));
}

} // namespace

class DatenTypenTest : public QObject {
    Q_OBJECT
private slots:
    void textInLong_data();
    void textInLong();
    void textInDouble_data();
    void textInDouble();
    void textInDatum_data();
    void textInDatum();
    void datumFuerSQL_data();
    void datumFuerSQL();
};

void DatenTypenTest::textInLong_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("zahl");
    QTest::newRow("Tausender und Dezimalkomma") << "1.234,56" << 1234;
    QTest::newRow("Einheit dahinter") << "12 kg" << 12;
    QTest::newRow("Minus hinten") << "7-" << -7;
    QTest::newRow("Minus vorn") << "-42" << -42;
    QTest::newRow("Minus mitten drin") << "12-3" << -123;
    QTest::newRow("Leerzeichen ringsum") << "  815  " << 815;
    QTest::newRow("neun Ziffern") << "123456789" << 123456789;
    QTest::newRow("zehn Ziffern") << "1234567890" << 0;
    QTest::newRow("zehn Ziffern mit fuehrender Null") << "0000000001" << 0;
    QTest::newRow("Komma schneidet ab, rundet nicht") << "5,9" << 5;
    QTest::newRow("leer") << "" << 0;
    QTest::newRow("nur Minus") << "-" << 0;
    QTest::newRow("Leerzeichen nach Minus beendet") << "- 5" << 0;
    QTest::newRow("Ziffern nach Text zaehlen nicht") << "kg 12" << 0;
}

void DatenTypenTest::textInLong()
{
    QFETCH(QString, text);
    QFETCH(int, zahl);
    QCOMPARE(TextInLong(text), static_cast<long>(zahl));
}

void DatenTypenTest::textInDouble_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("zahl");
    QTest::newRow("Komma") << "4,5" << 4.5;
    QTest::newRow("Punkt") << "4.5" << 4.5;
    QTest::newRow("fuehrendes Komma") << ",5" << 0.5;
    QTest::newRow("fuehrender Punkt") << ".5" << 0.5;
    QTest::newRow("nur der erste Trenner zaehlt") << "1.234,5" << 1.2345;
    QTest::newRow("true") << "true" << -1.0;
    QTest::newRow("False") << "False" << 0.0;
    QTest::newRow("nur Minus") << "-" << 0.0;
    QTest::newRow("nur Komma") << "," << 0.0;
    QTest::newRow("negativ mit Leerzeichen") << "  -3,25 " << -3.25;
    QTest::newRow("negativ ohne Null") << "-,5" << -0.5;
    QTest::newRow("Einheit wird zum Trenner") << "12 kg" << 12.0;
    QTest::newRow("Einheit nach Dezimalzahl") << "1,5 kg" << 1.5;
    QTest::newRow("zweites Minus wird Trenner") << "5-3" << 5.3;
    QTest::newRow("Prozentwert") << "35,25 %" << 35.25;
    QTest::newRow("grosse Zahl") << "123456789012" << 123456789012.0;
}

void DatenTypenTest::textInDouble()
{
    QFETCH(QString, text);
    QFETCH(double, zahl);
    QCOMPARE(TextInDouble(text), zahl);
}

void DatenTypenTest::textInDatum_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QDateTime>("datum");
    QTest::newRow("Jahr-Monat-Tag") << "2015-05-15" << Tag(2015, 5, 15);
    QTest::newRow("Tag.Monat.Jahr") << "15.05.2015" << Tag(2015, 5, 15);
    QTest::newRow("ohne fuehrende Nullen") << "1.2.2026" << Tag(2026, 2, 1);
    QTest::newRow("zweistellig 15") << "15.5.15" << Tag(2015, 5, 15);
    QTest::newRow("zweistellig 29") << "01.01.29" << Tag(2029, 1, 1);
    QTest::newRow("zweistellig 30") << "01.01.30" << Tag(1930, 1, 1);
    QTest::newRow("zweistellig 00") << "29.02.00" << Tag(2000, 2, 29);
    QTest::newRow("weiche Trennstriche") << QStringLiteral("15\u00AD05\u00AD2015") << Tag(2015, 5, 15);
    QTest::newRow("mit Uhrzeit") << "04.12.2026 10:15:30" << QDateTime(QDate(2026, 12, 4), QTime(10, 15, 30));
    QTest::newRow("leer") << "" << DatumNull;
    QTest::newRow("ein Trenner") << "15.05" << DatumNull;
    QTest::newRow("Schraegstriche") << "2015/05/15" << DatumNull;
    QTest::newRow("Bindestriche nicht zehn lang") << "2015-5-15" << DatumNull;
    QTest::newRow("kein Kalendertag") << "31.02.2015" << DatumNull;
}

void DatenTypenTest::textInDatum()
{
    QFETCH(QString, text);
    QFETCH(QDateTime, datum);
    QCOMPARE(TextInDatum(text), datum);
}

void DatenTypenTest::datumFuerSQL_data()
{
    QTest::addColumn<QDateTime>("datum");
    QTest::addColumn<QString>("text");
    QTest::newRow("Monat zuerst, ohne Nullen") << Tag(2015, 5, 15) << "#5/15/2015#";
    QTest::newRow("zweistelliger Monat") << Tag(2026, 12, 1) << "#12/1/2026#";
    QTest::newRow("Uhrzeit bleibt weg") << QDateTime(QDate(2026, 1, 9), QTime(23, 59, 59)) << "#1/9/2026#";
}

void DatenTypenTest::datumFuerSQL()
{
    QFETCH(QDateTime, datum);
    QFETCH(QString, text);
    QCOMPARE(DatumFuerSQL(datum), text);
    QCOMPARE(DatumFuerSQL(datum.date()), text);
}

KELVORA_TEST(DatenTypenTest)
#include "tst_DatenTypen.moc"
