// The feed record: value codes, the permanent energy completion and deleting
// a feed with its usage check.

#include "StammdatenTestHilfen.h"
#include "TestRegister.h"
#include "feeds/FutterbezogeneRoutinen.h"

using namespace kelvora;
using test::SqlAusfuehren;
using test::SqlLesen;

namespace {

// A feed with a different value in every column, so that a code that reads
// the wrong column cannot go unnoticed. FutterArt 7 is "Ölschrote und
// Ölkuchen" ("Ölschrot") in the delivered database. Feed 902 has no dry matter,
// 905 nothing at all, 906 a type that does not exist.
void BeispielfutterAnlegen()
{
    SqlAusfuehren(QStringLiteral(
        "INSERT INTO Futtermittel (ID, FutterArt, FutterArtIOFC, Bezeichnung, TM_g, XP_gTM, nXP_gTM, UDP_gTM, "
        "NDF_gTM, ADF_gTM, NFC_gTM, XF_gTM, RNB_gTM, ME_MJTM, NEL_MJTM, Ca_gTM, P_gTM, Mg_gTM, K_gTM, Na_gTM, "
        "Cu_mgTM, Zn_mgTM, Mn_mgTM, \"Verfügbarkeit\", Preis) VALUES (900, 7, 3, 'Rapsschrot Probe', 880, 401, "
        "252, 103, 304, 205, 306, 107, 8.5, 11.5, 7.1, 9.1, 10.2, 3.3, 12.4, 1.5, 16.6, 77.7, 48.8, 3, 32.5)"));
    SqlAusfuehren(QStringLiteral("INSERT INTO Futtermittel (ID, FutterArt, Bezeichnung, TM_g, XP_gTM, ME_MJTM, "
                                 "NEL_MJTM, Preis) VALUES (902, 3, 'Ohne TM', 0, 100, 11, 7, 20)"));
    SqlAusfuehren(QStringLiteral("INSERT INTO Futtermittel (ID) VALUES (905)"));
    SqlAusfuehren(QStringLiteral("INSERT INTO Futtermittel (ID, FutterArt, Bezeichnung) VALUES (906, 999, 'Ohne Art')"));
}

// Counts the updates of table Futtermittel, to tell a stored completion from
// none.
void SchreibzaehlerAnlegen()
{
    SqlAusfuehren(QStringLiteral("CREATE TABLE Schreibzaehler (n INTEGER)"));
    SqlAusfuehren(QStringLiteral("INSERT INTO Schreibzaehler VALUES (0)"));
    SqlAusfuehren(QStringLiteral(
        "CREATE TRIGGER zaehlen AFTER UPDATE ON Futtermittel BEGIN UPDATE Schreibzaehler SET n = n + 1; END"));
}

// Same type and value (doubles within 1e-9); an empty value equals only an empty one.
bool Gleich(const QVariant& a, const QVariant& b)
{
    if (a.metaType() != b.metaType())
        return false;
    return a.typeId() == QMetaType::Double ? qAbs(a.toDouble() - b.toDouble()) <= 1e-9 : a == b;
}

} // namespace

class FutterWertTest : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        ui = new test::TestOberflaeche;
        ordner = new test::TestDatenordner;
        QVERIFY(!test::TestDatenbankAnlegen().isEmpty());
        BeispielfutterAnlegen();
    }

    void cleanup()
    {
        delete ordner;
        delete ui;
    }

    void codeTabelle_data()
    {
        QTest::addColumn<long>("id");
        QTest::addColumn<int>("code");
        QTest::addColumn<QVariant>("erwartet");
        const auto zeile = [](long id, int code, const QVariant& w) {
            QTest::addRow("Futter %ld, Code %d", id, code) << id << code << w;
        };
        zeile(900, 1, QStringLiteral("Ölschrote und Ölkuchen"));
        zeile(900, 2, QStringLiteral("Rapsschrot Probe"));
        zeile(900, 3, QStringLiteral("ÖLSCHROTE UND ÖLKUCHEN - Rapsschrot Probe"));
        zeile(900, 19, QVariant::fromValue<qint32>(7));
        zeile(900, 20, QStringLiteral("Ölschrot"));
        zeile(900, 21, QVariant::fromValue<qint16>(3));
        // Codes 4-18 and 22-25 per kg dry matter; 55-68 the same per kg fresh
        // matter (x 880 / 1000).
        const QList<QPair<int, double>> tm { { 4, 880 }, { 5, 252 }, { 6, 401 }, { 7, 7.1 }, { 8, 107 }, { 9, 8.5 },
            { 10, 11.5 }, { 11, 9.1 }, { 12, 10.2 }, { 13, 3.3 }, { 14, 12.4 }, { 15, 1.5 }, { 16, 16.6 }, { 17, 77.7 },
            { 18, 48.8 }, { 22, 304 }, { 23, 103 }, { 24, 205 }, { 25, 306 } };
        for (const auto& [code, wert] : tm) {
            zeile(900, code, wert);
            if (code >= 5 && code <= 18)
                zeile(900, code + 50, wert * 0.88);
        }
        zeile(900, 72, 0.325);
        zeile(900, 73, 32.5 * 1000 / 880);
        for (int code : { 0, 26, 54, 69, 70, 71, 74, -1 })
            zeile(900, code, QVariant());
        // Without dry matter there is no price per kg dry matter.
        zeile(902, 73, QVariant());
        zeile(902, 72, 0.2);
        zeile(902, 56, 0.0);
        for (int code : { 1, 2, 4, 7, 19, 73 })
            zeile(123456, code, QVariant());
        // An empty row reads as 0 and "", in the types of the codes.
        zeile(905, 2, QString());
        zeile(905, 19, QVariant::fromValue<qint32>(0));
        zeile(905, 56, 0.0);
        zeile(906, 3, QStringLiteral(" - Ohne Art"));
    }

    void codeTabelle()
    {
        QFETCH(long, id);
        QFETCH(int, code);
        QFETCH(QVariant, erwartet);
        Verbindung v;
        QVERIFY(DatenbankOeffnen(v, programm().futterDatenbank));
        // The type names come through the connection given, not from the path
        // of the configured database.
        programm().futterDatenbank.clear();
        const QVariant w = FutterWert(v, id, code);
        QVERIFY2(Gleich(w, erwartet), qPrintable(w.toString() + QLatin1Char(' ') + w.typeName()));
        // Among other codes, on a reader that read another feed before: each
        // code finds its own column, each read binds its own feed.
        FutterLeser leser(v);
        const QList<int> codes { FutterCode::TM_g, code, FutterCode::Bezeichnung };
        leser.Werte(id == 900 ? 902 : 900, codes);
        QVERIFY(Gleich(leser.Werte(id, codes).at(1), erwartet));
        QVERIFY(ui->meldungen.isEmpty());
    }

    // The missing one of ME and NEL is completed and stored once; never when
    // both are missing or both are there.
    void energieErgaenzen_data()
    {
        QTest::addColumn<QString>("me");
        QTest::addColumn<QString>("nel");
        QTest::addColumn<int>("schreibvorgaenge");
        QTest::addColumn<double>("meDanach");
        QTest::addColumn<double>("nelDanach");
        QTest::newRow("ME fehlt") << "0" << "6.6" << 1 << 11.0 << 6.6;
        QTest::newRow("ME leer") << "NULL" << "6.0" << 1 << 10.0 << 6.0;
        QTest::newRow("NEL fehlt") << "10" << "0" << 1 << 10.0 << 6.0;
        QTest::newRow("beide 0") << "0" << "0" << 0 << 0.0 << 0.0;
        QTest::newRow("beide gesetzt") << "12" << "5" << 0 << 12.0 << 5.0;
    }

    void energieErgaenzen()
    {
        QFETCH(QString, me);
        QFETCH(QString, nel);
        QFETCH(int, schreibvorgaenge);
        QFETCH(double, meDanach);
        QFETCH(double, nelDanach);
        QVERIFY(SqlAusfuehren(QStringLiteral("INSERT INTO Futtermittel (ID, Bezeichnung, TM_g, ME_MJTM, NEL_MJTM) "
                                             "VALUES (901, 'Energie', 400, %1, %2)").arg(me, nel)));
        SchreibzaehlerAnlegen();
        Verbindung v;
        QVERIFY(DatenbankOeffnen(v, programm().futterDatenbank));
        // The first read of a pair sees it completed; later reads find it stored.
        const QList<int> energie { FutterCode::Bezeichnung, FutterCode::ME_MJTM, FutterCode::NEL_MJTM };
        for (int mal = 0; mal < 2; ++mal) {
            const QList<QVariant> w = FutterWerte(v, 901, energie);
            QCOMPARE(w.at(1).toDouble(), meDanach);
            QCOMPARE(w.at(2).toDouble(), nelDanach);
        }
        QCOMPARE(SqlLesen(QStringLiteral("SELECT n FROM Schreibzaehler")).toInt(), schreibvorgaenge);
        QCOMPARE(SqlLesen(QStringLiteral("SELECT ME_MJTM FROM Futtermittel WHERE ID = 901")).toDouble(), meDanach);
        QCOMPARE(SqlLesen(QStringLiteral("SELECT NEL_MJTM FROM Futtermittel WHERE ID = 901")).toDouble(), nelDanach);
        // Any code completes it, whatever the read asks for.
        QVERIFY(SqlAusfuehren(QStringLiteral("UPDATE Futtermittel SET ME_MJTM = %1, NEL_MJTM = %2 WHERE ID = 901")
                                  .arg(me, nel)));
        FutterWert(v, 901, FutterCode::Bezeichnung);
        QCOMPARE(SqlLesen(QStringLiteral("SELECT ME_MJTM FROM Futtermittel WHERE ID = 901")).toDouble(), meDanach);
        QVERIFY(ui->meldungen.isEmpty());
    }

    // Many feeds in one read give what one read per feed gives, store what
    // they complete, and leave out a feed that does not exist.
    void vieleWerte()
    {
        QVERIFY(SqlAusfuehren(QStringLiteral("INSERT INTO Futtermittel (ID, Bezeichnung, TM_g, ME_MJTM, NEL_MJTM) "
                                             "VALUES (901, 'Energie', 400, 0, 6.6)")));
        const QList<int> codes { 1, 2, 3, 4, 7, 10, 19, 21, 22, 56, 72, 73 };
        Verbindung v;
        QVERIFY(DatenbankOeffnen(v, programm().futterDatenbank));
        const QHash<long, QList<QVariant>> viele = FutterLeser(v).VieleWerte({ 900, 901, 902, 905, 906, 999, 901 }, codes);
        QList<long> ids = viele.keys();
        std::sort(ids.begin(), ids.end());
        QCOMPARE(ids, (QList<long> { 900, 901, 902, 905, 906 }));
        QCOMPARE(SqlLesen(QStringLiteral("SELECT ME_MJTM FROM Futtermittel WHERE ID = 901")).toDouble(), 11.0);
        for (long id : ids) {
            const QList<QVariant> einzeln = FutterWerte(v, id, codes);
            for (qsizetype i = 0; i < codes.size(); ++i)
                QVERIFY2(Gleich(viele.value(id).value(i), einzeln.value(i)),
                    qPrintable(QStringLiteral("Futter %1, Code %2").arg(id).arg(codes[i])));
        }
        QVERIFY(ui->meldungen.isEmpty());
    }

    // A missing nXP is estimated from XP, UDP and ME, a missing RNB from XP
    // and nXP, both stored with the first read like the energy. Soybean meal
    // 44 as the feed tables give it: XP 510, UDP 35 % of XP = 178.5 (g per
    // kg DM), ME 13.7 MJ: nXP = (11.93 - 6.82 x 0.35) x 13.7 + 1.03 x 178.5
    // = 314.594 (the tables print 316), RNB = (510 - 314.594) / 6.25 = 31.265
    // (tables: 31). Grass silage, 1st cut at heading: XP 150, UDP 15 % =
    // 22.5, ME 10.0: nXP 132.245 (tables: 133), RNB 2.841 (tables: 3).
    void eiweissErgaenzen_data()
    {
        QTest::addColumn<QString>("werte"); // XP, UDP, ME, NEL, nXP, RNB
        QTest::addColumn<int>("schreibvorgaenge");
        QTest::addColumn<double>("nXP");
        QTest::addColumn<double>("rnb");
        QTest::addColumn<bool>("nXPBerechnet");
        QTest::addColumn<bool>("rnbBerechnet");
        QTest::newRow("Sojaschrot 44") << "510, 178.5, 13.7, 8.6, 0, 0" << 1 << 314.5941 << 31.2649 << true << true;
        QTest::newRow("Grassilage") << "150, 22.5, 10, 6, NULL, NULL" << 1 << 132.245 << 2.8408 << true << true;
        // ME first from NEL, then nXP from it: one write for all three.
        QTest::newRow("ME aus NEL") << "510, 178.5, 0, 8.22, 0, 0" << 1 << 314.5941 << 31.2649 << true << true;
        QTest::newRow("nXP aus der Tabelle") << "510, 178.5, 13.7, 8.6, 316, 0" << 1 << 316.0 << 31.04 << false
                                             << true;
        QTest::newRow("beide eingetragen") << "510, 178.5, 13.7, 8.6, 316, 31" << 0 << 316.0 << 31.0 << false << false;
        QTest::newRow("ohne UDP") << "510, 0, 13.7, 8.6, 0, 0" << 0 << 0.0 << 0.0 << false << false;
        QTest::newRow("Mineral") << "0, 0, 0, 0, 0, 0" << 0 << 0.0 << 0.0 << false << false;
        QTest::newRow("mehr UDP als XP") << "100, 200, 12, 7.2, 0, 0" << 0 << 0.0 << 0.0 << false << false;
        QTest::newRow("RNB wirklich 0") << "130, 30, 9.4, 5.5, 130, 0" << 0 << 130.0 << 0.0 << false << false;
    }

    void eiweissErgaenzen()
    {
        QFETCH(QString, werte);
        QFETCH(int, schreibvorgaenge);
        QFETCH(double, nXP);
        QVERIFY(SqlAusfuehren(QStringLiteral("INSERT INTO Futtermittel (ID, Bezeichnung, TM_g, XP_gTM, UDP_gTM, "
                                             "ME_MJTM, NEL_MJTM, nXP_gTM, RNB_gTM) VALUES (901, 'Eiweiss', 880, %1)")
                                  .arg(werte)));
        SchreibzaehlerAnlegen();
        Verbindung v;
        QVERIFY(DatenbankOeffnen(v, programm().futterDatenbank));
        for (int mal = 0; mal < 2; ++mal) {
            const QList<QVariant> w = FutterWerte(v, 901, { FutterCode::Bezeichnung, FutterCode::nXP_gTM,
                FutterCode::RNB_gTM, FutterCode::nXP_gTM + FutterCode::FrischmasseVersatz });
            QVERIFY(qAbs(w.at(1).toDouble() - nXP) < 1e-4);
            QVERIFY(qAbs(w.at(3).toDouble() - nXP * 0.88) < 1e-4);
        }
        QCOMPARE(SqlLesen(QStringLiteral("SELECT n FROM Schreibzaehler")).toInt(), schreibvorgaenge);

        // What the editor finds in the row.
        const auto gespeichert = [] {
            const auto spalte = [](const char* s) {
                return SqlLesen(QStringLiteral("SELECT %1 FROM Futtermittel WHERE ID = 901").arg(QLatin1String(s)))
                    .toDouble();
            };
            return Eiweisswerte { spalte("XP_gTM"), spalte("UDP_gTM"), spalte("ME_MJTM"), spalte("nXP_gTM"),
                spalte("RNB_gTM") };
        };
        Eiweisswerte e = gespeichert();
        QVERIFY(qAbs(e.nXP_gTM - nXP) < 1e-4);
        QTEST(qRound(e.RNB_gTM * 1e4) / 1e4, "rnb");
        QTEST(nXPBerechnet(e), "nXPBerechnet");
        QTEST(RNBBerechnet(e), "rnbBerechnet");
        // A changed crude protein no longer gives the stored values.
        e.XP_gTM += 1;
        QVERIFY(!nXPBerechnet(e) && !RNBBerechnet(e));
        QVERIFY(ui->meldungen.isEmpty());
    }

    void loeschen_data()
    {
        QTest::addColumn<long>("id");
        QTest::addColumn<QString>("verwendetIn");
        QTest::addColumn<int>("antwort");
        QTest::addColumn<QString>("meldung");
        const QString frage = QStringLiteral("Soll das Futtermittel wirklich gelöscht werden?");
        const QString verwendet = QStringLiteral("Dieses Futtermittel kann nicht gelöscht werden weil es verwendet wird.");
        QTest::newRow("Ja") << 900L << "" << int(Antwort::Ja) << frage;
        QTest::newRow("Nein") << 900L << "" << int(Antwort::Nein) << frage;
        QTest::newRow("fehlendes Futter") << 123456L << "" << -1 << "";
        for (const char* tabelle : { "Ration", "RationenInhalt", "RationFürTier", "Reihung", "Zukauf" })
            QTest::newRow(tabelle) << 900L << QString::fromUtf8(tabelle) << -1 << verwendet;
    }

    void loeschen()
    {
        QFETCH(long, id);
        QFETCH(QString, verwendetIn);
        QFETCH(int, antwort);
        QFETCH(QString, meldung);
        // Another feed's use does not count.
        QVERIFY(SqlAusfuehren(QStringLiteral("INSERT INTO Ration (FutterID) VALUES (1)")));
        if (!verwendetIn.isEmpty())
            QVERIFY(SqlAusfuehren(QStringLiteral("INSERT INTO %1 (%2) VALUES (900)")
                                      .arg(SqlName(verwendetIn),
                                          SqlName(verwendetIn == QLatin1String("Zukauf") ? "Futtermittel" : "FutterID"))));
        QCOMPARE(FutterWirdVerwendet(900), !verwendetIn.isEmpty());
        QVERIFY(!FutterWirdVerwendet(0));
        const int vorher = SqlLesen(QStringLiteral("SELECT count(*) FROM Futtermittel")).toInt();
        if (antwort >= 0)
            ui->Antworten(Antwort(antwort));
        const bool geloescht = antwort == int(Antwort::Ja);

        QCOMPARE(FutterLoeschen(id), geloescht);

        QCOMPARE(ui->Texte(), meldung.isEmpty() ? QStringList() : QStringList { meldung });
        if (antwort >= 0) {
            QCOMPARE(ui->meldungen[0].knoepfe, Knoepfe::JaNein);
            QCOMPARE(ui->meldungen[0].standard, Antwort::Nein);
        }
        QCOMPARE(SqlLesen(QStringLiteral("SELECT count(*) FROM Futtermittel")).toInt(), vorher - (geloescht ? 1 : 0));
        QCOMPARE(SqlLesen(QStringLiteral("SELECT count(*) FROM Futtermittel WHERE ID = 900")).toInt(), geloescht ? 0 : 1);
    }

private:
    test::TestOberflaeche* ui = nullptr;
    test::TestDatenordner* ordner = nullptr;
};

KELVORA_TEST(FutterWertTest)
#include "tst_FutterWert.moc"
