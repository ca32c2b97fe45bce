// The feed record: value codes, the permanent energy completion, the feed
// classifications and deleting a feed with its usage check.

#include "StammdatenTestHilfen.h"
#include "TestRegister.h"
#include "feeds/FutterbezogeneRoutinen.h"
#include "feeds/ui/FutterArtenListeFuellen.h"

#include <QFile>

using namespace kelvora;
using test::SqlAusfuehren;
using test::SqlLesen;

namespace {

// A feed with a different value in every column, so that a code that reads
// the wrong column cannot go unnoticed. FutterArt 7 is "Ölschrote und
// Ölkuchen" ("Ölschrot") in the delivered database. Feed 902 has no dry matter.
void BeispielfutterAnlegen()
{
    SqlAusfuehren(QStringLiteral(
        "INSERT INTO Futtermittel (ID, FutterArt, FutterArtIOFC, Bezeichnung, TM_g, XP_gTM, nXP_gTM, UDP_gTM, "
        "NDF_gTM, ADF_gTM, NFC_gTM, XF_gTM, RNB_gTM, ME_MJTM, NEL_MJTM, Ca_gTM, P_gTM, Mg_gTM, K_gTM, Na_gTM, "
        "Cu_mgTM, Zn_mgTM, Mn_mgTM, \"Verfügbarkeit\", Preis) VALUES (900, 7, 3, 'Rapsschrot Probe', 880, 401, "
        "252, 103, 304, 205, 306, 107, 8.5, 11.5, 7.1, 9.1, 10.2, 3.3, 12.4, 1.5, 16.6, 77.7, 48.8, 3, 32.5)"));
    SqlAusfuehren(QStringLiteral("INSERT INTO Futtermittel (ID, FutterArt, Bezeichnung, TM_g, XP_gTM, ME_MJTM, "
                                 "NEL_MJTM, Preis) VALUES (902, 3, 'Ohne TM', 0, 100, 11, 7, 20)"));
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

int Schreibvorgaenge()
{
    return SqlLesen(QStringLiteral("SELECT n FROM Schreibzaehler")).toInt();
}

QString Typ(const QVariant& v)
{
    return v.isValid() ? QString::fromLatin1(v.typeName()) : QStringLiteral("leer");
}

// "" when both values agree in validity, type and value (doubles within
// tol); otherwise what differs.
QString Unterschied(const QVariant& a, const QVariant& b, double tol = 0)
{
    if (a.isValid() != b.isValid() || (a.isValid() && a.metaType() != b.metaType()))
        return QStringLiteral("%1 gegen %2").arg(Typ(a), Typ(b));
    if (!a.isValid())
        return {};
    if (a.metaType().id() == QMetaType::Double)
        return qAbs(a.toDouble() - b.toDouble()) <= tol
            ? QString()
            : QStringLiteral("%1 gegen %2").arg(a.toDouble(), 0, 'g', 17).arg(b.toDouble(), 0, 'g', 17);
    return a == b ? QString() : a.toString() + QStringLiteral(" gegen ") + b.toString();
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
        const QString u = Unterschied(FutterWert(v, id, code), erwartet, 1e-9);
        QVERIFY2(u.isEmpty(), qPrintable(u));
        QVERIFY(ui->meldungen.isEmpty());
    }

    void werteWieEinzelwerte_data()
    {
        QTest::addColumn<long>("id");
        QTest::addColumn<QString>("anlegen");
        QTest::addColumn<int>("schreibvorgaenge");
        QTest::addColumn<double>("meDanach");
        QTest::addColumn<double>("nelDanach");
        QTest::newRow("vollständig") << 900L << QString() << 0 << 11.5 << 7.1;
        QTest::newRow("fehlendes Futter") << 123456L << QString() << 0 << 0.0 << 0.0;
        QTest::newRow("TM 0") << 902L << QString() << 0 << 11.0 << 7.0;
        QTest::newRow("alles leer") << 905L << "INSERT INTO Futtermittel (ID) VALUES (905)" << 0 << 0.0 << 0.0;
        QTest::newRow("unbekannte Art")
            << 906L << "INSERT INTO Futtermittel (ID, FutterArt, Bezeichnung, TM_g, ME_MJTM, NEL_MJTM) "
                       "VALUES (906, 999, 'Ohne Art', 880, 12, 7.5)" << 0 << 12.0 << 7.5;
        // The missing one of ME and NEL is completed and stored once; never
        // when both are missing or both are there.
        const auto energie = [](const char* name, const char* me, const char* nel, int n, double meD, double nelD) {
            QTest::newRow(name) << 901L
                                << QStringLiteral("INSERT INTO Futtermittel (ID, Bezeichnung, TM_g, ME_MJTM, NEL_MJTM) "
                                                  "VALUES (901, 'Energie', 400, %1, %2)").arg(me, nel)
                                << n << meD << nelD;
        };
        energie("ME fehlt", "0", "6.6", 1, 11.0, 6.6);
        energie("ME leer", "NULL", "6.0", 1, 10.0, 6.0);
        energie("NEL fehlt", "10", "0", 1, 10.0, 6.0);
        energie("beide 0", "0", "0", 0, 0.0, 0.0);
        energie("beide leer", "NULL", "NULL", 0, 0.0, 0.0);
        energie("beide gesetzt", "12", "5", 0, 12.0, 5.0);
    }

    void werteWieEinzelwerte()
    {
        QFETCH(long, id);
        QFETCH(QString, anlegen);
        QFETCH(int, schreibvorgaenge);
        QFETCH(double, meDanach);
        QFETCH(double, nelDanach);
        SchreibzaehlerAnlegen();
        // Every code FutterWert knows, and a few around them it does not.
        QList<int> codes { -1, 99 };
        for (int c = 0; c <= 75; ++c)
            if (c <= 26 || c >= 50)
                codes << c;
        // Each read starts from the row as created, so that every single value
        // also meets the energy completion that the batch read does once.
        auto frisch = [&] {
            return anlegen.isEmpty()
                || (SqlAusfuehren(QStringLiteral("DELETE FROM Futtermittel WHERE ID = ?"), { qlonglong(id) })
                    && SqlAusfuehren(anlegen));
        };
        auto gespeichert = [&](const char* spalte) {
            return SqlLesen(QStringLiteral("SELECT %1 FROM Futtermittel WHERE ID = ?").arg(QLatin1String(spalte)),
                { qlonglong(id) }).toDouble();
        };

        QVERIFY(frisch());
        Verbindung v;
        QVERIFY(DatenbankOeffnen(v, programm().futterDatenbank));
        const QList<QVariant> werte = FutterWerte(v, id, codes);
        QCOMPARE(Schreibvorgaenge(), schreibvorgaenge);
        QCOMPARE(werte.size(), codes.size());
        // The completed pair is what the ration sees at once, and what is stored.
        if (schreibvorgaenge) {
            QCOMPARE(Unterschied(werte.at(codes.indexOf(FutterCode::ME_MJTM)), meDanach, 1e-9), QString());
            QCOMPARE(Unterschied(werte.at(codes.indexOf(FutterCode::NEL_MJTM)), nelDanach, 1e-9), QString());
        }
        QVERIFY(qAbs(gespeichert("ME_MJTM") - meDanach) < 1e-9);
        QVERIFY(qAbs(gespeichert("NEL_MJTM") - nelDanach) < 1e-9);
        // Read again: the stored pair is complete, nothing more is written.
        FutterWerte(v, id, codes);
        FutterWert(v, id, FutterCode::ME_MJTM);
        QCOMPARE(Schreibvorgaenge(), schreibvorgaenge);

        for (qsizetype i = 0; i < codes.size(); ++i) {
            QVERIFY(frisch());
            const QString u = Unterschied(werte.at(i), FutterWert(v, id, codes.at(i)));
            QVERIFY2(u.isEmpty(), qPrintable(QStringLiteral("Code %1: ").arg(codes.at(i)) + u));
        }
        // A single read completes and stores the pair once, too.
        QVERIFY(frisch());
        const int vorher = Schreibvorgaenge();
        for (int code : { 2, 10, 7, 4 })
            FutterWert(v, id, code);
        QCOMPARE(Schreibvorgaenge() - vorher, schreibvorgaenge);
        QVERIFY(qAbs(gespeichert("ME_MJTM") - meDanach) < 1e-9);

        // One reader for several feeds in turn: each read binds its own feed,
        // whatever the reader read before.
        FutterLeser leser(v);
        const QList<int> wenige { FutterCode::Bezeichnung, FutterCode::TM_g, FutterCode::ArtName };
        for (long andere : { id, 900L, id }) {
            const QList<QVariant> gelesen = leser.Werte(andere, wenige);
            for (qsizetype i = 0; i < wenige.size(); ++i)
                QCOMPARE(Unterschied(gelesen.at(i), FutterWert(v, andere, wenige.at(i))), QString());
        }
        QVERIFY(ui->meldungen.isEmpty());
    }

    void artenListe_data()
    {
        QTest::addColumn<bool>("ohneAlle");
        QTest::addColumn<bool>("festeGruppen");
        QTest::addColumn<QString>("auswahl");
        QTest::addColumn<int>("anzahl");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("erster");
        QTest::newRow("Gruppen, nichts gewählt") << false << true << "" << 6 << -1 << "Alle Futtermittel";
        QTest::newRow("Gruppen, Eiweißträger") << false << true << "Eiweißträger" << 6 << 3 << "Alle Futtermittel";
        QTest::newRow("Gruppen, unbekannt bleibt beim ersten") << false << true << "Heu" << 6 << 0 << "Alle Futtermittel";
        QTest::newRow("Gruppen ohne Alle") << true << true << "Grundfutter" << 5 << 0 << "Grundfutter";
        QTest::newRow("Tabelle FutterArten") << true << false << "Heu" << 14 << 3 << "Grünfutter und Weide";
        QTest::newRow("Tabelle mit Alle") << false << false << "Heu" << 15 << 4 << "Alle Futtermittel";
    }

    void artenListe()
    {
        QFETCH(bool, ohneAlle);
        QFETCH(bool, festeGruppen);
        QFETCH(QString, auswahl);
        QFETCH(int, anzahl);
        QFETCH(int, index);
        QFETCH(QString, erster);
        // A filled box is left as it is.
        QComboBox box;
        FutterArtenListeFuellen(&box, auswahl, ohneAlle, festeGruppen);
        FutterArtenListeFuellen(&box, QStringLiteral("Grundfutter"), ohneAlle, festeGruppen);
        QCOMPARE(box.count(), anzahl);
        QCOMPARE(box.currentIndex(), index);
        QCOMPARE(box.itemText(0), erster);
        if (!festeGruppen)
            return;
        // The groups carry their code as item data; "Alle Futtermittel" is 0.
        const QStringList gruppen { "Alle Futtermittel", "Grundfutter", "Energieträger", "Eiweißträger",
            "Industrielle Nebenprodukte", "Mineralfutter" };
        for (int i = 0; i < box.count(); ++i) {
            const int code = box.itemData(i).toInt();
            QCOMPARE(box.itemText(i), gruppen.value(code));
            QCOMPARE(FutterGruppenName(code), code == 0 ? QString() : gruppen.value(code));
        }
        QCOMPARE(FutterGruppenName(6), QString());
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
        QTest::newRow("fehlendes Futter") << 905L << "" << -1 << "";
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
        if (!meldung.isEmpty()) {
            const auto& m = ui->meldungen[0];
            const bool frage = antwort >= 0;
            QCOMPARE(m.titel, frage ? QStringLiteral("Futtermittel löschen") : QStringLiteral("Löschen nicht möglich"));
            QCOMPARE(m.symbol, frage ? Symbol::Frage : Symbol::Kritisch);
            if (frage) {
                QCOMPARE(m.knoepfe, Knoepfe::JaNein);
                QCOMPARE(m.standard, Antwort::Nein);
            }
        }
        QCOMPARE(SqlLesen(QStringLiteral("SELECT count(*) FROM Futtermittel")).toInt(), vorher - (geloescht ? 1 : 0));
        QCOMPARE(SqlLesen(QStringLiteral("SELECT count(*) FROM Futtermittel WHERE ID = 900")).toInt(), geloescht ? 0 : 1);
    }

    void datenbankVorhanden()
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

private:
    test::TestOberflaeche* ui = nullptr;
    test::TestDatenordner* ordner = nullptr;
};

KELVORA_TEST(FutterWertTest)
#include "tst_FutterWert.moc"
