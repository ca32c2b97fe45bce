#include "TestRegister.h"
#include "feeds/FutterbezogeneRoutinen.h"
#include "ration/Futterkosten.h"

#include <QTest>
#include <optional>

using namespace kelvora;

namespace {

// Feed 1 costs 25 €/dt, feed 2 30 €/dt, feed 3 has no price (Preis 0),
// feed 4 is not in the feed table at all.
QVariant Wert(long id, int code)
{
    if (code == FutterCode::Bezeichnung)
        return id == 4 ? QVariant() : QVariant(QStringLiteral("Futter %1").arg(id));
    if (code == FutterCode::PreisJeKgFM)
        return id == 1 ? 0.25 : id == 2 ? 0.30 : id == 3 ? 0.0 : QVariant();
    return {};
}

RationZeile Zeile(long futterID, double kg)
{
    return {futterID, futterID, kg, 0, 1};
}

using Zeilen = QList<RationZeile>;
using Milchpreis = std::optional<double>;

} // namespace

Q_DECLARE_METATYPE(Zeilen)
Q_DECLARE_METATYPE(Milchpreis)

class FutterkostenTest : public QObject {
    Q_OBJECT
private slots:
    void kosten_data();
    void kosten();
};

void FutterkostenTest::kosten_data()
{
    QTest::addColumn<Zeilen>("zeilen");
    QTest::addColumn<double>("milch");
    QTest::addColumn<Milchpreis>("milchpreis");
    QTest::addColumn<QStringList>("texte");  // per day, per kg milk, income
    QTest::addColumn<QString>("tipp");

    // 10 kg × 0,25 € + 5 kg × 0,30 € = 4,00 €; 20 kg milk: 0,20 €/kg;
    // 20 × 0,45 − 4,00 = 5,00 €.
    QTest::newRow("vollständig") << Zeilen{Zeile(1, 10), Zeile(2, 5)} << 20.0 << Milchpreis(0.45)
                                 << QStringList{"4,00", "0,20", "5,00"} << "";
    QTest::newRow("Futter ohne Preis, aber ohne Menge zählt nicht")
        << Zeilen{Zeile(1, 10), Zeile(3, 0)} << 20.0 << Milchpreis(0.45) << QStringList{"2,50", "0,13", "6,50"}
        << "";
    QTest::newRow("Einkommen unter null") << Zeilen{Zeile(2, 40)} << 10.0 << Milchpreis(0.3)
                                          << QStringList{"12,00", "1,20", "-9,00"} << "";
    QTest::newRow("ohne Milch, ohne Milchpreis")
        << Zeilen{Zeile(1, 4)} << 0.0 << Milchpreis() << QStringList{"1,00", "", ""}
        << "Für das Einkommen über Futterkosten fehlt ein gültiger Milchpreis.";
    QTest::newRow("unvollständig nennt die Futtermittel")
        << Zeilen{Zeile(1, 10), Zeile(3, 2), Zeile(4, 1)} << 20.0 << Milchpreis(0.45)
        << QStringList{"unvollständig", "unvollständig", "unvollständig"}
        << "Ohne Preis: Futter 3, Nr. 4. Tragen Sie den Preis €/dt FM im Futtermittel ein.";
}

void FutterkostenTest::kosten()
{
    QFETCH(Zeilen, zeilen);
    QFETCH(double, milch);
    QFETCH(Milchpreis, milchpreis);
    QFETCH(QStringList, texte);
    QFETCH(QString, tipp);

    const KostenTexte t = KostenTexteBilden(FutterkostenBerechnen(zeilen, Wert), milch, milchpreis);
    QCOMPARE((QStringList{t.jeTag, t.jeKgMilch, t.einkommen}), texte);
    QCOMPARE(t.tipp, tipp);
}

KELVORA_TEST(FutterkostenTest)
#include "tst_Futterkosten.moc"
