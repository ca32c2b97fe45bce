// The feed list window on the real main window, offscreen: filters, search,
// keys, refresh, deleting, dragging and closing. Deleting's question
// and usage check are tested as logic in tst_FutterWert.cpp.

#include "StammdatenTestHilfen.h"
#include "TestRegister.h"
#include "feeds/FutterbezogeneRoutinen.h"
#include "feeds/ui/FutterListe.h"
#include "frame/FunktionenFuerINI.h"

#include <QMimeData>
#include <QTimer>

using namespace kelvora;

namespace {

// Adds a feed; complete unless udp is 0. gruppe 0 leaves FutterArtIOFC empty.
void FutterAnlegen(long id, int gruppe, const QString& name, double udp = 30)
{
    test::SqlAusfuehren(QStringLiteral("INSERT INTO Futtermittel (ID, FutterArtIOFC, Bezeichnung, TM_g, XP_gTM, "
                                       "UDP_gTM, NDF_gTM, ADF_gTM, NFC_gTM, NEL_MJTM, Ca_gTM, P_gTM) "
                                       "VALUES (?, ?, ?, 880, 200, ?, 300, 200, 250, 7, 5, 4)"),
        { qlonglong(id), gruppe == 0 ? QVariant() : QVariant(gruppe), name, udp });
}

template <class T> T* Kind(QWidget* w, const char* name)
{
    return w->findChild<T*>(QString::fromUtf8(name));
}

// The test feeds' names, in list order.
QStringList Testfutter(QTreeWidget* liste)
{
    QStringList t;
    for (int i = 0; i < liste->topLevelItemCount(); ++i)
        t << liste->topLevelItem(i)->text(2);
    return t.filter(QStringLiteral("testfutter"), Qt::CaseInsensitive);
}

QTreeWidgetItem* ZeileMit(QTreeWidget* liste, const QString& name)
{
    const auto z = liste->findItems(name, Qt::MatchExactly, 2);
    return z.isEmpty() ? nullptr : z.first();
}

} // namespace

class FutterListeTest : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        ui = new test::TestOberflaeche;
        ordner = new test::TestDatenordner;
        QVERIFY(!test::TestDatenbankAnlegen().isEmpty());
        FutterAnlegen(901, 2, QStringLiteral("Testfutter Zuckerrübe"));
        FutterAnlegen(902, 3, QStringLiteral("testfutter Rapsschrot"));
        FutterAnlegen(903, 3, QStringLiteral("Testfutter Sojaschrot ohne UDP"), 0);
        FutterAnlegen(904, 0, QStringLiteral("Testfutter ohne Gruppe"));
        FutterAnlegen(905, 3, QStringLiteral("Ölkuchen Testfutter"));
        haupt = new HauptFenster;
        haupt->Laden();
        haupt->show();
        l = qobject_cast<FutterListe*>(haupt->FensterOeffnen(QStringLiteral("wdwFuttermittel")));
        QVERIFY(l);
        lvw = Kind<QTreeWidget>(l, "lvwListe");
    }

    void cleanup()
    {
        programm().programmEndet = true;
        delete haupt;
        programm().programmEndet = false;
        programm().ZiehFutterID = 0;
        delete ordner;
        delete ui;
    }

    void filter_data()
    {
        QTest::addColumn<int>("gruppe");
        QTest::addColumn<QString>("suche");
        QTest::addColumn<QStringList>("erwartet");
        // German order: "Ölkuchen" stands among the O's, case does not count.
        const QStringList alle { "Ölkuchen Testfutter", "Testfutter ohne Gruppe", "testfutter Rapsschrot",
            "Testfutter Zuckerrübe" };
        const QStringList eiweiss { "Ölkuchen Testfutter", "testfutter Rapsschrot" };
        QTest::newRow("alle Gruppen") << 0 << "" << alle;
        QTest::newRow("Eiweißträger") << 3 << "" << eiweiss;
        QTest::newRow("Suche mitten im Namen, mit Blanks") << 3 << "  schrot " << QStringList { "testfutter Rapsschrot" };
        QTest::newRow("Umlaut in der Suche") << 0 << "RÜBE" << QStringList { "Testfutter Zuckerrübe" };
        QTest::newRow("unvollständig nie") << 0 << "ohne UDP" << QStringList {};
    }

    void filter()
    {
        QFETCH(int, gruppe);
        QFETCH(QString, suche);
        QFETCH(QStringList, erwartet);
        Kind<QLineEdit>(l, "txtSuchen")->setText(suche);
        Gruppe(gruppe);

        QCOMPARE(Testfutter(lvw), erwartet);
        for (int i = 0; i < lvw->topLevelItemCount(); ++i) {
            const QTreeWidgetItem* z = lvw->topLevelItem(i);
            QVERIFY2(z->text(2).contains(suche.trimmed(), Qt::CaseInsensitive), qPrintable(z->text(2)));
            if (gruppe > 0)
                QCOMPARE(z->text(1), FutterGruppenName(gruppe));
        }
        // Minerals carry no fibre or protein by nature and are listed all the same.
        Kind<QLineEdit>(l, "txtSuchen")->clear();
        Gruppe(5);
        QVERIFY(lvw->topLevelItemCount() > 0);
    }

    void oeffnenUndSpeichern()
    {
        // Two rows selected: Enter opens nothing; a drag carries the last of
        // them in list order, whatever was selected first.
        ZeileMit(lvw, QStringLiteral("Testfutter Zuckerrübe"))->setSelected(true);
        ZeileMit(lvw, QStringLiteral("Ölkuchen Testfutter"))->setSelected(true);
        QTest::keyClick(lvw, Qt::Key_Return);
        QCOMPARE(Editoren().size(), 0);
        std::unique_ptr<QMimeData> daten(qobject_cast<FutterListenAnsicht*>(lvw)->ZiehDatenErzeugen());
        QCOMPARE(daten->data(QString::fromLatin1(FutterMimeTyp)), QByteArray("901"));
        QCOMPARE(programm().ZiehFutterID, 901L);
        // F4 opens an empty editor.
        QTest::keyClick(lvw, Qt::Key_F4);
        QCOMPARE(Editoren().size(), 1);

        lvw->clearSelection();
        ZeileMit(lvw, QStringLiteral("Testfutter Zuckerrübe"))->setSelected(true);
        QTest::keyClick(lvw, Qt::Key_Return);
        QCOMPARE(Editoren().size(), 2);
        QTRY_COMPARE(Editoren().last()->AngezeigteFutterID(), 901L);

        // Saving in the editor fills the list once more, once.
        StammdatenFenster2* e = Editoren().last();
        Kind<QLineEdit>(e, "txtBezeichnung")->setText(QStringLiteral("Testfutter Zuckerrübe neu"));
        const int vorher = l->Fuellungen();
        Kind<QPushButton>(e, "cmdSpeichern")->click();
        QTRY_VERIFY(ZeileMit(lvw, QStringLiteral("Testfutter Zuckerrübe neu")));
        QVERIFY(!Kind<QTimer>(l, "tmrAktualisieren")->isActive());
        QCOMPARE(l->Fuellungen(), vorher + 1);
    }

    // The button deletes the selected feed after the question; with two rows
    // selected nothing is deleted and nothing asked.
    void loeschen()
    {
        const QString frage = QStringLiteral("Soll das Futtermittel wirklich gelöscht werden?");
        ZeileMit(lvw, QStringLiteral("Testfutter Zuckerrübe"))->setSelected(true);
        ui->Antworten(Antwort::Nein);
        Kind<QPushButton>(l, "cmdLoeschen")->click();
        QVERIFY(ZeileMit(lvw, QStringLiteral("Testfutter Zuckerrübe")));
        ui->Antworten(Antwort::Ja);
        Kind<QPushButton>(l, "cmdLoeschen")->click();
        QCOMPARE(ui->Texte(), QStringList({ frage, frage }));
        QTRY_VERIFY(!ZeileMit(lvw, QStringLiteral("Testfutter Zuckerrübe")));

        ZeileMit(lvw, QStringLiteral("Ölkuchen Testfutter"))->setSelected(true);
        ZeileMit(lvw, QStringLiteral("Testfutter ohne Gruppe"))->setSelected(true);
        Kind<QPushButton>(l, "cmdLoeschen")->click();
        QCOMPARE(ui->meldungen.size(), 2);
    }

    void tastenUndSchliessen()
    {
        QCOMPARE(haupt->FensterOeffnen(QStringLiteral("wdwFuttermittel")), l); // one instance
        ZeileMit(lvw, QStringLiteral("Testfutter Zuckerrübe"))->setSelected(true);

        // With a feed selected, Delete in the search box edits its text and
        // deletes no feed; Enter searches, once.
        auto* txt = Kind<QLineEdit>(l, "txtSuchen");
        const int vorher = l->Fuellungen();
        txt->setText(QStringLiteral("xRÜbe"));
        txt->setFocus();
        txt->setCursorPosition(0);
        QTest::keyClick(txt, Qt::Key_Delete);
        QCOMPARE(txt->text(), QStringLiteral("RÜbe"));
        QVERIFY(ui->meldungen.isEmpty());
        QTest::keyClick(txt, Qt::Key_Return);
        QCOMPARE(l->Fuellungen(), vorher + 1);
        QCOMPARE(Testfutter(lvw), QStringList { "Testfutter Zuckerrübe" });
        txt->setText(QStringLiteral("  rübe  "));
        QTest::keyClick(txt, Qt::Key_Escape);
        QTRY_VERIFY(!FutterListe::Instanz());
        QVERIFY(!programm().listeOffen);

        // The search text is kept, trimmed, for the next opening.
        QCOMPARE(INILesen(QStringLiteral("wdwFuttermittel"), QStringLiteral("txtSuchen")), QStringLiteral("rübe"));
    }

private:
    void Gruppe(int index)
    {
        auto* cmb = Kind<QComboBox>(l, "cmbFutterArt");
        cmb->setCurrentIndex(index);
        emit cmb->activated(index);
    }

    QList<StammdatenFenster2*> Editoren() const { return test::Editoren(*haupt); }

    test::TestOberflaeche* ui = nullptr;
    test::TestDatenordner* ordner = nullptr;
    HauptFenster* haupt = nullptr;
    FutterListe* l = nullptr;
    QTreeWidget* lvw = nullptr;
};

KELVORA_TEST(FutterListeTest)
#include "tst_FutterListe.moc"
