// The feed record: value codes, the permanent energy completion, the feed
// classifications and deleting a feed with its usage check.

#include "TestDatenbank.h"
#include "TestOberflaeche.h"
#include "TestRegister.h"
#include "TestUmgebung.h"
#include "database/DatenbankRoutinen.h"
#include "feeds/FutterbezogeneRoutinen.h"
#include "feeds/ui/FutterArtenListeFuellen.h"
#include "frame/Programm.h"

#include <QComboBox>
#include <QFile>
#include <QTest>

using namespace kelvora;

namespace {

// One statement on the test database; fails the test when it cannot run.
bool Ausfuehren(const QString& sql, const QVariantList& werte = {})
{
    Verbindung v;
    return DatenbankOeffnen(v, programm().futterDatenbank) && AnweisungAusfuehren(v, sql, werte);
}

QVariant Lesen(const QString& sql, const QVariantList& werte = {})
{
    Verbindung v;
    QSqlQuery q;
    if (!DatenbankOeffnen(v, programm().futterDatenbank) || !AbfrageOeffnen(v, q, sql, werte) || !q.next())
        return {};
    return q.value(0);
}

// A feed with a different value in every column, so that a code that reads
// the wrong column cannot go unnoticed. FutterArt 7 is "Ölschrote und
// Ölkuchen" ("Ölschrot") in the delivered database.
long BeispielfutterAnlegen()
{
    Ausfuehren(QStringLiteral(
        "INSERT INTO Futtermittel (ID, FutterArt, FutterArtIOFC, Bezeichnung, TM_g, XP_gTM, nXP_gTM, UDP_gTM, "
        "NDF_gTM, ADF_gTM, NFC_gTM, XF_gTM, RNB_gTM, ME_MJTM, NEL_MJTM, Ca_gTM, P_gTM, Mg_gTM, K_gTM, Na_gTM, "
        "Cu_mgTM, Zn_mgTM, Mn_mgTM, \"Verfügbarkeit\", Preis) VALUES (900, 7, 3, 'Rapsschrot Probe', 880, 401, "
        "252, 103, 304, 205, 306, 107, 8.5, 11.5, 7.1, 9.1, 10.2, 3.3, 12.4, 1.5, 16.6, 77.7, 48.8, 3, 32.5)"));
    return 900;
}

// Counts the updates of table Futtermittel, to tell a stored completion from
// none.
void SchreibzaehlerAnlegen()
{
    Ausfuehren(QStringLiteral("CREATE TABLE Schreibzaehler (n INTEGER)"));
    Ausfuehren(QStringLiteral("INSERT INTO Schreibzaehler VALUES (0)"));
    Ausfuehren(QStringLiteral("CREATE TRIGGER zaehlen AFTER UPDATE ON Futtermittel BEGIN "
                              "UPDATE Schreibzaehler SET n = n + 1; END"));
}

int Schreibvorgaenge()
{
    return Lesen(QStringLiteral("SELECT n FROM Schreibzaehler")).toInt();
}

// Every code FutterWert knows, and a few around them it does not.
QList<int> AlleCodes()
{
    QList<int> codes { -1, 99 };
    for (int c = 0; c <= 26; ++c)
        codes << c;
    for (int c = 50; c <= 75; ++c)
        codes << c;
    return codes;
}

QString Typ(const QVariant& v)
{
    return v.isValid() ? QString::fromLatin1(v.typeName()) : QStringLiteral("leer");
}

// "" when both values agree in validity, type and value (doubles to the
// last bit); otherwise what differs.
QString Unterschied(const QVariant& a, const QVariant& b)
{
    if (a.isValid() != b.isValid() || (a.isValid() && a.metaType() != b.metaType()))
        return QStringLiteral("%1 gegen %2").arg(Typ(a), Typ(b));
    if (!a.isValid())
        return {};
    if (a.metaType().id() == QMetaType::Double)
        return a.toDouble() == b.toDouble()
            ? QString()
            : QStringLiteral("%1 gegen %2").arg(a.toDouble(), 0, 'g', 17).arg(b.toDouble(), 0, 'g', 17);
    return a == b ? QString() : a.toString() + QStringLiteral(" gegen ") + b.toString();
}

} // namespace

class FutterWertTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void codeTabelle_data();
    void codeTabelle();
    void werteWieEinzelwerte_data();
    void werteWieEinzelwerte();
    void artNameUeberDieVerbindung();
    void energieErgaenzung_data();
    void energieErgaenzung();
    void preisOhneTrockenmasse();
    void fehlendesFutter();
    void umrechnungen_data();
    void umrechnungen();
    void futterArtName_data();
    void futterArtName();
    void gruppenName_data();
    void gruppenName();
    void artenListe_data();
    void artenListe();
    void artenListeZweimalFuellen();
    void verwendung_data();
    void verwendung();
    void loeschenGefragt_data();
    void loeschenGefragt();
    void datenbankVorhanden();

private:
    test::TestOberflaeche* ui = nullptr;
    test::TestDatenordner* ordner = nullptr;
};

void FutterWertTest::init()
{
    ui = new test::TestOberflaeche;
    ordner = new test::TestDatenordner;
    QVERIFY(!test::TestDatenbankAnlegen().isEmpty());
}

void FutterWertTest::cleanup()
{
    delete ordner;
    delete ui;
}

void FutterWertTest::codeTabelle_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QVariant>("erwartet");
    const auto d = [](double w) { return QVariant(w); };
    QTest::newRow("1 Art") << 1 << QVariant(QStringLiteral("Ölschrote und Ölkuchen"));
    QTest::newRow("2 Bezeichnung") << 2 << QVariant(QStringLiteral("Rapsschrot Probe"));
    QTest::newRow("3 Art und Bezeichnung")
        << 3 << QVariant(QStringLiteral("ÖLSCHROTE UND ÖLKUCHEN - Rapsschrot Probe"));
    QTest::newRow("4 TM_g") << 4 << d(880);
    QTest::newRow("5 nXP") << 5 << d(252);
    QTest::newRow("6 XP") << 6 << d(401);
    QTest::newRow("7 NEL") << 7 << d(7.1);
    QTest::newRow("8 XF") << 8 << d(107);
    QTest::newRow("9 RNB") << 9 << d(8.5);
    QTest::newRow("10 ME") << 10 << d(11.5);
    QTest::newRow("11 Ca") << 11 << d(9.1);
    QTest::newRow("12 P") << 12 << d(10.2);
    QTest::newRow("13 Mg") << 13 << d(3.3);
    QTest::newRow("14 K") << 14 << d(12.4);
    QTest::newRow("15 Na") << 15 << d(1.5);
    QTest::newRow("16 Cu") << 16 << d(16.6);
    QTest::newRow("17 Zn") << 17 << d(77.7);
    QTest::newRow("18 Mn") << 18 << d(48.8);
    QTest::newRow("19 FutterArt als Long") << 19 << QVariant::fromValue<qint32>(7);
    QTest::newRow("20 Kurzname") << 20 << QVariant(QStringLiteral("Ölschrot"));
    QTest::newRow("21 Verfügbarkeit als Integer") << 21 << QVariant::fromValue<qint16>(3);
    QTest::newRow("22 NDF") << 22 << d(304);
    QTest::newRow("23 UDP") << 23 << d(103);
    QTest::newRow("24 ADF") << 24 << d(205);
    QTest::newRow("25 NFC") << 25 << d(306);
    // Per kg fresh matter: value x 880 / 1000.
    QTest::newRow("55 nXP FM") << 55 << d(252 * 0.88);
    QTest::newRow("56 XP FM") << 56 << d(401 * 0.88);
    QTest::newRow("57 NEL FM") << 57 << d(7.1 * 0.88);
    QTest::newRow("58 XF FM") << 58 << d(107 * 0.88);
    QTest::newRow("59 RNB FM") << 59 << d(8.5 * 0.88);
    QTest::newRow("60 ME FM") << 60 << d(11.5 * 0.88);
    QTest::newRow("61 Ca FM") << 61 << d(9.1 * 0.88);
    QTest::newRow("62 P FM") << 62 << d(10.2 * 0.88);
    QTest::newRow("63 Mg FM") << 63 << d(3.3 * 0.88);
    QTest::newRow("64 K FM") << 64 << d(12.4 * 0.88);
    QTest::newRow("65 Na FM") << 65 << d(1.5 * 0.88);
    QTest::newRow("66 Cu FM") << 66 << d(16.6 * 0.88);
    QTest::newRow("67 Zn FM") << 67 << d(77.7 * 0.88);
    QTest::newRow("68 Mn FM") << 68 << d(48.8 * 0.88);
    QTest::newRow("72 Preis je kg FM") << 72 << d(0.325);
    QTest::newRow("73 Preis je kg TM") << 73 << d(32.5 * 1000 / 880);
    for (int code : { 0, 26, 54, 69, 70, 71, 74, -1 })
        QTest::newRow(qPrintable(QStringLiteral("%1 leer").arg(code))) << code << QVariant();
}

void FutterWertTest::codeTabelle()
{
    QFETCH(int, code);
    QFETCH(QVariant, erwartet);
    const long id = BeispielfutterAnlegen();
    Verbindung v;
    QVERIFY(DatenbankOeffnen(v, programm().futterDatenbank));
    const QVariant wert = FutterWert(v, id, code);
    QCOMPARE(wert.isValid(), erwartet.isValid());
    if (!erwartet.isValid())
        return;
    QCOMPARE(wert.metaType(), erwartet.metaType());
    if (erwartet.metaType().id() == QMetaType::Double)
        QVERIFY2(qAbs(wert.toDouble() - erwartet.toDouble()) < 1e-9, qPrintable(wert.toString()));
    else
        QCOMPARE(wert, erwartet);
}

void FutterWertTest::werteWieEinzelwerte_data()
{
    QTest::addColumn<long>("id");
    QTest::addColumn<QString>("anlegen");
    QTest::addColumn<int>("schreibvorgaenge");
    QTest::newRow("vollständig") << 900L << QString() << 0;
    QTest::newRow("fehlendes Futter") << 123456L << QString() << 0;
    QTest::newRow("TM 0") << 902L
                          << "INSERT INTO Futtermittel (ID, FutterArt, Bezeichnung, TM_g, XP_gTM, ME_MJTM, NEL_MJTM, "
                             "Preis) VALUES (902, 3, 'Ohne TM', 0, 100, 11, 7, 20)"
                          << 0;
    QTest::newRow("nur ME") << 903L
                            << "INSERT INTO Futtermittel (ID, FutterArt, Bezeichnung, TM_g, XP_gTM, ME_MJTM, NEL_MJTM) "
                               "VALUES (903, 1, 'Nur ME', 350, 140, 10.4, 0)"
                            << 1;
    QTest::newRow("nur NEL, ME leer") << 904L
                                      << "INSERT INTO Futtermittel (ID, FutterArt, Bezeichnung, TM_g, NDF_gTM, "
                                         "NEL_MJTM, Preis) VALUES (904, 2, 'Nur NEL', 450, 420, 6.6, 15)"
                                      << 1;
    QTest::newRow("alles leer") << 905L << "INSERT INTO Futtermittel (ID) VALUES (905)" << 0;
    QTest::newRow("unbekannte Art") << 906L
                                    << "INSERT INTO Futtermittel (ID, FutterArt, Bezeichnung, TM_g, ME_MJTM, NEL_MJTM) "
                                       "VALUES (906, 999, 'Ohne Art', 880, 12, 7.5)"
                                    << 0;
}

void FutterWertTest::werteWieEinzelwerte()
{
    QFETCH(long, id);
    QFETCH(QString, anlegen);
    QFETCH(int, schreibvorgaenge);
    BeispielfutterAnlegen();
    SchreibzaehlerAnlegen();
    const QList<int> codes = AlleCodes();
    // Each read starts from the row as created, so that every single value
    // also meets the energy completion that the batch read does once.
    auto frisch = [&] {
        if (anlegen.isEmpty())
            return true;
        return Ausfuehren(QStringLiteral("DELETE FROM Futtermittel WHERE ID = ?"), { qlonglong(id) })
            && Ausfuehren(anlegen);
    };

    QVERIFY(frisch());
    Verbindung v;
    QVERIFY(DatenbankOeffnen(v, programm().futterDatenbank));
    const int vorher = Schreibvorgaenge();
    const QList<QVariant> werte = FutterWerte(v, id, codes);
    QCOMPARE(Schreibvorgaenge() - vorher, schreibvorgaenge);
    QCOMPARE(werte.size(), codes.size());

    for (qsizetype i = 0; i < codes.size(); ++i) {
        QVERIFY(frisch());
        const QString u = Unterschied(werte.at(i), FutterWert(v, id, codes.at(i)));
        QVERIFY2(u.isEmpty(), qPrintable(QStringLiteral("Code %1: ").arg(codes.at(i)) + u));
    }

    // One reader for several feeds in turn: each read binds its own feed,
    // whatever the reader read before.
    FutterLeser leser(v);
    for (long andere : { id, 900L, id }) {
        const QList<int> wenige { FutterCode::Bezeichnung, FutterCode::TM_g, FutterCode::ArtName };
        const QList<QVariant> gelesen = leser.Werte(andere, wenige);
        for (qsizetype i = 0; i < wenige.size(); ++i) {
            const QString u = Unterschied(gelesen.at(i), FutterWert(v, andere, wenige.at(i)));
            QVERIFY2(u.isEmpty(), qPrintable(QStringLiteral("Futter %1, Code %2: ").arg(andere).arg(wenige.at(i)) + u));
        }
    }
    QVERIFY(ui->meldungen.isEmpty());
}

void FutterWertTest::artNameUeberDieVerbindung()
{
    const long id = BeispielfutterAnlegen();
    Verbindung v;
    QVERIFY(DatenbankOeffnen(v, programm().futterDatenbank));
    // The type names come through the connection given, not from the path
    // of the configured database.
    programm().futterDatenbank.clear();
    const QList<QVariant> werte
        = FutterWerte(v, id, { FutterCode::ArtName, FutterCode::ArtUndBezeichnung, FutterCode::ArtKurzName });
    QCOMPARE(werte.value(0).toString(), QStringLiteral("Ölschrote und Ölkuchen"));
    QCOMPARE(werte.value(1).toString(), QStringLiteral("ÖLSCHROTE UND ÖLKUCHEN - Rapsschrot Probe"));
    QCOMPARE(werte.value(2).toString(), QStringLiteral("Ölschrot"));
}

void FutterWertTest::energieErgaenzung_data()
{
    QTest::addColumn<QVariant>("me");
    QTest::addColumn<QVariant>("nel");
    QTest::addColumn<int>("code");
    QTest::addColumn<double>("meDanach");
    QTest::addColumn<double>("nelDanach");
    QTest::addColumn<int>("schreibvorgaenge");
    QTest::newRow("ME fehlt, nach Bezeichnung gefragt") << QVariant(0.0) << QVariant(6.6) << 2 << 11.0 << 6.6 << 1;
    QTest::newRow("ME fehlt, nach ME gefragt") << QVariant(0.0) << QVariant(6.6) << 10 << 11.0 << 6.6 << 1;
    QTest::newRow("ME leer") << QVariant() << QVariant(6.0) << 4 << 10.0 << 6.0 << 1;
    QTest::newRow("NEL fehlt") << QVariant(10.0) << QVariant(0.0) << 7 << 10.0 << 6.0 << 1;
    QTest::newRow("NEL fehlt, unbekannter Code") << QVariant(10.0) << QVariant(0.0) << 99 << 10.0 << 6.0 << 1;
    QTest::newRow("beide 0") << QVariant(0.0) << QVariant(0.0) << 7 << 0.0 << 0.0 << 0;
    QTest::newRow("beide leer") << QVariant() << QVariant() << 10 << 0.0 << 0.0 << 0;
    QTest::newRow("beide gesetzt") << QVariant(12.0) << QVariant(5.0) << 10 << 12.0 << 5.0 << 0;
}

void FutterWertTest::energieErgaenzung()
{
    QFETCH(QVariant, me);
    QFETCH(QVariant, nel);
    QFETCH(int, code);
    QFETCH(double, meDanach);
    QFETCH(double, nelDanach);
    QFETCH(int, schreibvorgaenge);
    QVERIFY(Ausfuehren(QStringLiteral("INSERT INTO Futtermittel (ID, Bezeichnung, TM_g, ME_MJTM, NEL_MJTM) "
                                      "VALUES (901, 'Energie', 400, ?, ?)"),
        { me, nel }));
    SchreibzaehlerAnlegen();

    Verbindung v;
    QVERIFY(DatenbankOeffnen(v, programm().futterDatenbank));
    const QVariant erster = FutterWert(v, 901, code);
    // The completed pair is what the ration sees at once.
    if (code == FutterCode::ME_MJTM)
        QVERIFY(qAbs(erster.toDouble() - meDanach) < 1e-9);
    if (code == FutterCode::NEL_MJTM)
        QVERIFY(qAbs(erster.toDouble() - nelDanach) < 1e-9);
    // Read again: the stored pair is complete, nothing more is written.
    FutterWert(v, 901, FutterCode::ME_MJTM);
    FutterWert(v, 901, FutterCode::NEL_MJTM);

    QCOMPARE(Schreibvorgaenge(), schreibvorgaenge);
    QVERIFY(
        qAbs(Lesen(QStringLiteral("SELECT ME_MJTM FROM Futtermittel WHERE ID = 901")).toDouble() - meDanach) < 1e-9);
    QVERIFY(
        qAbs(Lesen(QStringLiteral("SELECT NEL_MJTM FROM Futtermittel WHERE ID = 901")).toDouble() - nelDanach) < 1e-9);
}

void FutterWertTest::preisOhneTrockenmasse()
{
    QVERIFY(Ausfuehren(QStringLiteral(
        "INSERT INTO Futtermittel (ID, Bezeichnung, TM_g, XP_gTM, Preis) VALUES (902, 'Ohne TM', 0, 100, 20)")));
    Verbindung v;
    QVERIFY(DatenbankOeffnen(v, programm().futterDatenbank));
    QVERIFY(!FutterWert(v, 902, FutterCode::PreisJeKgTM).isValid());
    QCOMPARE(FutterWert(v, 902, FutterCode::PreisJeKgFM).toDouble(), 0.2);
    QCOMPARE(FutterWert(v, 902, 56).toDouble(), 0.0);
    QVERIFY(ui->meldungen.isEmpty());
}

void FutterWertTest::fehlendesFutter()
{
    SchreibzaehlerAnlegen();
    Verbindung v;
    QVERIFY(DatenbankOeffnen(v, programm().futterDatenbank));
    for (int code : { 1, 2, 3, 4, 7, 19, 73 })
        QVERIFY2(!FutterWert(v, 123456, code).isValid(), qPrintable(QString::number(code)));
    QCOMPARE(Schreibvorgaenge(), 0);
    QVERIFY(ui->meldungen.isEmpty());
}

void FutterWertTest::umrechnungen_data()
{
    QTest::addColumn<QString>("art");
    QTest::addColumn<double>("eingabe");
    QTest::addColumn<double>("tm_g");
    QTest::addColumn<double>("erwartet");
    QTest::newRow("XP FM nach TM") << "FMinTM" << 70.0 << 350.0 << 200.0;
    QTest::newRow("XP TM nach FM") << "TMinFM" << 200.0 << 350.0 << 70.0;
    QTest::newRow("NEL TM nach FM") << "TMinFM" << 6.4 << 350.0 << 2.24;
    QTest::newRow("ohne Trockenmasse") << "FMinTM" << 70.0 << 0.0 << 0.0;
    QTest::newRow("MJ nach Mcal") << "MJinMcal" << 6.4 << 0.0 << 6.4 * 0.454 / 4.183;
    QTest::newRow("Mcal nach MJ") << "McalInMJ" << 1.0 << 0.0 << 4.183 / 0.454;
}

void FutterWertTest::umrechnungen()
{
    QFETCH(QString, art);
    QFETCH(double, eingabe);
    QFETCH(double, tm_g);
    QFETCH(double, erwartet);
    double ergebnis = 0;
    if (art == QLatin1String("FMinTM"))
        ergebnis = FMinTM(eingabe, tm_g);
    else if (art == QLatin1String("TMinFM"))
        ergebnis = TMinFM(eingabe, tm_g);
    else if (art == QLatin1String("MJinMcal"))
        ergebnis = MJinMcal(eingabe);
    else
        ergebnis = McalInMJ(eingabe);
    QVERIFY2(qAbs(ergebnis - erwartet) < 1e-9, qPrintable(QString::number(ergebnis, 'g', 17)));
}

void FutterWertTest::futterArtName_data()
{
    QTest::addColumn<int>("art");
    QTest::addColumn<int>("welche");
    QTest::addColumn<QString>("erwartet");
    QTest::newRow("Bezeichnung") << 7 << 1 << "Ölschrote und Ölkuchen";
    QTest::newRow("Kurzbezeichnung") << 7 << 2 << "Ölschrot";
    QTest::newRow("anderes welche") << 7 << 3 << "";
    QTest::newRow("welche 0") << 7 << 0 << "";
    QTest::newRow("fehlende Art") << 999 << 1 << "";
    QTest::newRow("Art 0") << 0 << 2 << "";
}

void FutterWertTest::futterArtName()
{
    QFETCH(int, art);
    QFETCH(int, welche);
    QFETCH(QString, erwartet);
    QCOMPARE(FutterArtName(art, welche), erwartet);
}

void FutterWertTest::gruppenName_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("name");
    QTest::newRow("0") << 0 << "";
    QTest::newRow("1") << 1 << "Grundfutter";
    QTest::newRow("2") << 2 << "Energieträger";
    QTest::newRow("3") << 3 << "Eiweißträger";
    QTest::newRow("4") << 4 << "Industrielle Nebenprodukte";
    QTest::newRow("5") << 5 << "Mineralfutter";
    QTest::newRow("6") << 6 << "";
    QTest::newRow("-1") << -1 << "";
}

void FutterWertTest::gruppenName()
{
    QFETCH(int, code);
    QFETCH(QString, name);
    QCOMPARE(FutterGruppenName(code), name);
}

void FutterWertTest::artenListe_data()
{
    QTest::addColumn<bool>("ohneAlle");
    QTest::addColumn<bool>("festeGruppen");
    QTest::addColumn<QString>("auswahl");
    QTest::addColumn<int>("anzahl");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("erster");
    QTest::newRow("Gruppen, nichts gewählt") << false << true << "" << 6 << -1 << "Alle Futtermittel";
    QTest::newRow("Gruppen, Eiweißträger") << false << true << "Eiweißträger" << 6 << 3 << "Alle Futtermittel";
    QTest::newRow("Gruppen, letzte") << false << true << "Mineralfutter" << 6 << 5 << "Alle Futtermittel";
    QTest::newRow("Gruppen, unbekannt bleibt beim ersten") << false << true << "Heu" << 6 << 0 << "Alle Futtermittel";
    QTest::newRow("Gruppen ohne Alle") << true << true << "Grundfutter" << 5 << 0 << "Grundfutter";
    QTest::newRow("Tabelle FutterArten") << true << false << "Heu" << 14 << 3 << "Grünfutter und Weide";
    QTest::newRow("Tabelle mit Alle") << false << false << "Heu" << 15 << 4 << "Alle Futtermittel";
}

void FutterWertTest::artenListe()
{
    QFETCH(bool, ohneAlle);
    QFETCH(bool, festeGruppen);
    QFETCH(QString, auswahl);
    QFETCH(int, anzahl);
    QFETCH(int, index);
    QFETCH(QString, erster);
    const QList<FutterArtEintrag> eintraege = FutterArtenEintraege(ohneAlle, festeGruppen);
    QCOMPARE(eintraege.size(), anzahl);
    QCOMPARE(eintraege.first().text, erster);
    QStringList texte;
    for (const auto& e : eintraege)
        texte << e.text;
    QCOMPARE(FutterArtenAuswahlIndex(texte, auswahl), index);

    // The same on a real combo box, with the group code as item data.
    QComboBox box;
    FutterArtenListeFuellen(&box, auswahl, ohneAlle, festeGruppen);
    QCOMPARE(box.count(), anzahl);
    QCOMPARE(box.currentIndex(), index);
    if (festeGruppen)
        for (int i = 0; i < box.count(); ++i)
            QCOMPARE(FutterGruppenName(box.itemData(i).toInt()), i == 0 && !ohneAlle ? QString() : box.itemText(i));
}

void FutterWertTest::artenListeZweimalFuellen()
{
    QComboBox box;
    FutterArtenListeFuellen(&box, QStringLiteral("Eiweißträger"), false, true);
    FutterArtenListeFuellen(&box, QStringLiteral("Grundfutter"), false, true);
    QCOMPARE(box.count(), 6);
    QCOMPARE(box.currentText(), QStringLiteral("Eiweißträger"));
    QCOMPARE(box.itemData(0).toInt(), 0);
}

void FutterWertTest::verwendung_data()
{
    QTest::addColumn<QString>("tabelle");
    QTest::addColumn<QString>("spalte");
    QTest::addColumn<bool>("verwendet");
    QTest::newRow("nirgends") << ""
                              << "" << false;
    QTest::newRow("Ration") << "Ration"
                            << "FutterID" << true;
    QTest::newRow("RationenInhalt") << "RationenInhalt"
                                    << "FutterID" << true;
    QTest::newRow("RationFürTier") << "RationFürTier"
                                   << "FutterID" << true;
    QTest::newRow("Reihung") << "Reihung"
                             << "FutterID" << true;
    QTest::newRow("nur Zukauf") << "Zukauf"
                                << "Futtermittel" << true;
}

void FutterWertTest::verwendung()
{
    QFETCH(QString, tabelle);
    QFETCH(QString, spalte);
    QFETCH(bool, verwendet);
    const long id = BeispielfutterAnlegen();
    // Another feed's use does not count.
    QVERIFY(Ausfuehren(QStringLiteral("INSERT INTO Ration (FutterID) VALUES (1)")));
    if (!tabelle.isEmpty())
        QVERIFY(Ausfuehren(QStringLiteral("INSERT INTO ") + SqlName(tabelle) + QStringLiteral(" (") + SqlName(spalte)
                + QStringLiteral(") VALUES (?)"),
            { qlonglong(id) }));
    QCOMPARE(FutterWirdVerwendet(id), verwendet);
    QVERIFY(!FutterWirdVerwendet(0));

    // A feed in use cannot be deleted and no question is asked.
    if (verwendet) {
        QVERIFY(!FutterLoeschen(id));
        QCOMPARE(ui->meldungen.size(), 1);
        QCOMPARE(ui->meldungen[0].text,
            QStringLiteral("Dieses Futtermittel kann nicht gelöscht werden weil es verwendet wird."));
        QCOMPARE(ui->meldungen[0].titel, QStringLiteral("Löschen nicht möglich"));
        QCOMPARE(ui->meldungen[0].symbol, Symbol::Kritisch);
        QCOMPARE(Lesen(QStringLiteral("SELECT count(*) FROM Futtermittel WHERE ID = ?"), { qlonglong(id) }).toInt(), 1);
    }
}

void FutterWertTest::loeschenGefragt_data()
{
    QTest::addColumn<long>("id");
    QTest::addColumn<int>("antwort");
    QTest::addColumn<bool>("geloescht");
    QTest::addColumn<bool>("gefragt");
    QTest::newRow("Ja") << 900L << int(Antwort::Ja) << true << true;
    QTest::newRow("Nein") << 900L << int(Antwort::Nein) << false << true;
    QTest::newRow("fehlendes Futter") << 905L << -1 << false << false;
}

void FutterWertTest::loeschenGefragt()
{
    QFETCH(long, id);
    QFETCH(int, antwort);
    QFETCH(bool, geloescht);
    QFETCH(bool, gefragt);
    BeispielfutterAnlegen();
    const int vorher = Lesen(QStringLiteral("SELECT count(*) FROM Futtermittel")).toInt();
    if (antwort >= 0)
        ui->Antworten(Antwort(antwort));

    QCOMPARE(FutterLoeschen(id), geloescht);

    QCOMPARE(ui->meldungen.size(), gefragt ? 1 : 0);
    if (gefragt) {
        const auto& m = ui->meldungen[0];
        QCOMPARE(m.text, QStringLiteral("Soll das Futtermittel wirklich gelöscht werden?"));
        QCOMPARE(m.titel, QStringLiteral("Futtermittel löschen"));
        QCOMPARE(m.knoepfe, Knoepfe::JaNein);
        QCOMPARE(m.symbol, Symbol::Frage);
        QCOMPARE(m.standard, Antwort::Nein);
    }
    QCOMPARE(Lesen(QStringLiteral("SELECT count(*) FROM Futtermittel")).toInt(), vorher - (geloescht ? 1 : 0));
    QCOMPARE(Lesen(QStringLiteral("SELECT count(*) FROM Futtermittel WHERE ID = 900")).toInt(), geloescht ? 0 : 1);
}

void FutterWertTest::datenbankVorhanden()
{
    QVERIFY(AlleWichtigenDBvorhanden());
    QVERIFY(QFile::remove(programm().futterDatenbank));
    QVERIFY(!AlleWichtigenDBvorhanden());
    QVERIFY(ordner->Zeilen(QStringLiteral("Fehlerprotokoll.txt"))
                .join(QLatin1Char('\n'))
                .contains(QStringLiteral("AlleWichtigenDBvorhanden - Datenbank fehlt: ") + programm().futterDatenbank));
    // Without a configured path there is nothing to miss.
    programm().futterDatenbank.clear();
    QVERIFY(AlleWichtigenDBvorhanden());
}

KELVORA_TEST(FutterWertTest)
#include "tst_FutterWert.moc"
