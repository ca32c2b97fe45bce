// The feed list window on the real main window, offscreen: filters, search,
// sorting, keys, refresh, deleting, dragging and closing.

#include "TestDatenbank.h"
#include "TestOberflaeche.h"
#include "TestRegister.h"
#include "TestUmgebung.h"
#include "database/DatenbankRoutinen.h"
#include "feeds/FutterbezogeneRoutinen.h"
#include "feeds/ui/FutterListe.h"
#include "feeds/ui/StammdatenFenster2.h"
#include "frame/FunktionenFuerINI.h"
#include "frame/Programm.h"
#include "frame/ui/FensterPositionQt.h"
#include "frame/ui/HauptFenster.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QPushButton>
#include <QSqlDatabase>
#include <QTest>
#include <QTimer>

using namespace kelvora;

namespace {

bool Ausfuehren(const QString& sql, const QVariantList& werte = {})
{
    Verbindung v;
    return DatenbankOeffnen(v, programm().futterDatenbank) && AnweisungAusfuehren(v, sql, werte);
}

// Adds a feed; complete unless udp is 0. gruppe 0 leaves FutterArtIOFC empty.
void FutterAnlegen(long id, int gruppe, const QString& name, double udp = 30)
{
    Ausfuehren(QStringLiteral("INSERT INTO Futtermittel (ID, FutterArtIOFC, Bezeichnung, TM_g, XP_gTM, UDP_gTM, "
                              "NDF_gTM, ADF_gTM, NFC_gTM, NEL_MJTM, Ca_gTM, P_gTM) "
                              "VALUES (?, ?, ?, 880, 200, ?, 300, 200, 250, 7, 5, 4)"),
        { qlonglong(id), gruppe == 0 ? QVariant() : QVariant(gruppe), name, udp });
}

template <class T> T* Kind(QWidget* w, const char* name)
{
    return w->findChild<T*>(QString::fromUtf8(name));
}

QStringList Spalte(QTreeWidget* liste, int spalte)
{
    QStringList t;
    for (int i = 0; i < liste->topLevelItemCount(); ++i)
        t << liste->topLevelItem(i)->text(spalte);
    return t;
}

QStringList Testfutter(QTreeWidget* liste)
{
    return Spalte(liste, 2).filter(QStringLiteral("testfutter"), Qt::CaseInsensitive);
}

// Types text character by character as the keyboard delivers it (key
// press with the character, then key release), umlauts included.
void Tippen(QWidget* w, const QString& text)
{
    for (const QChar c : text) {
        const int taste = c.isLetter() && c.unicode() < 128 ? c.toUpper().unicode() : int(Qt::Key_unknown);
        QKeyEvent druck(QEvent::KeyPress, taste, Qt::NoModifier, QString(c));
        QKeyEvent los(QEvent::KeyRelease, taste, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &druck);
        QApplication::sendEvent(w, &los);
    }
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
    void init();
    void cleanup();
    void laden();
    void filter_data();
    void filter();
    void suchtextTippen();
    void sortieren();
    void aktualisierenEinmal();
    void speichernImEditorAktualisiert();
    void oeffnenUndNeu();
    void loeschen_data();
    void loeschen();
    void tasten();
    void schliessenWaehrendDesFuellens();
    void ziehen();
    void groesse();

private:
    FutterListe* Oeffnen();
    void Gruppe(FutterListe* l, int index);
    QList<StammdatenFenster2*> Editoren() const;

    test::TestOberflaeche* ui = nullptr;
    test::TestDatenordner* ordner = nullptr;
    HauptFenster* haupt = nullptr;
};

void FutterListeTest::init()
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
}

void FutterListeTest::cleanup()
{
    programm().programmEndet = true;
    delete haupt;
    programm().programmEndet = false;
    delete ordner;
    delete ui;
}

FutterListe* FutterListeTest::Oeffnen()
{
    return qobject_cast<FutterListe*>(haupt->FensterOeffnen(QStringLiteral("wdwFuttermittel")));
}

void FutterListeTest::Gruppe(FutterListe* l, int index)
{
    auto* cmb = Kind<QComboBox>(l, "cmbFutterArt");
    cmb->setCurrentIndex(index);
    emit cmb->activated(index);
}

QList<StammdatenFenster2*> FutterListeTest::Editoren() const
{
    QList<StammdatenFenster2*> e;
    for (QMdiSubWindow* u : haupt->Arbeitsbereich()->subWindowList())
        if (auto* s = qobject_cast<StammdatenFenster2*>(u->widget()))
            e << s;
    return e;
}

void FutterListeTest::laden()
{
    FutterListe* l = Oeffnen();
    QVERIFY(l);
    QCOMPARE(FutterListe::Instanz(), l);
    QVERIFY(programm().listeOffen);
    QCOMPARE(Oeffnen(), l); // one instance
    QVERIFY(Kind<QCheckBox>(l, "chkNRC")->isChecked());
    QVERIFY(Kind<QCheckBox>(l, "chkNRC")->isHidden());
    QCOMPARE(Kind<QComboBox>(l, "cmbFutterArt")->currentIndex(), -1);
    auto* lvw = Kind<QTreeWidget>(l, "lvwListe");
    QVERIFY(lvw->isColumnHidden(0));
    QVERIFY(lvw->selectedItems().isEmpty());
    // Every row carries its ID in the key "Msg_" + ID.
    QTreeWidgetItem* z = ZeileMit(lvw, QStringLiteral("testfutter Rapsschrot"));
    QVERIFY(z);
    QCOMPARE(z->data(0, Qt::UserRole).toString(), QStringLiteral("Msg_902"));
    QCOMPARE(FutterListe::ZeilenID(z), 902L);
}

void FutterListeTest::filter_data()
{
    QTest::addColumn<int>("gruppe");
    QTest::addColumn<QString>("suche");
    QTest::addColumn<QStringList>("erwartet");
    // German order: "Ölkuchen" stands among the O's, case does not count.
    const QStringList alle { "Ölkuchen Testfutter", "Testfutter ohne Gruppe", "testfutter Rapsschrot",
        "Testfutter Zuckerrübe" };
    QTest::newRow("alle Gruppen") << 0 << "" << alle;
    QTest::newRow("nichts gewählt") << -1 << "" << alle;
    QTest::newRow("Eiweißträger") << 3 << "" << QStringList { "Ölkuchen Testfutter", "testfutter Rapsschrot" };
    QTest::newRow("Energieträger") << 2 << "" << QStringList { "Testfutter Zuckerrübe" };
    QTest::newRow("Suche in Großbuchstaben") << 0 << "TESTFUTTER" << alle;
    QTest::newRow("Suche mitten im Namen, mit Blanks") << 3 << "  schrot " << QStringList { "testfutter Rapsschrot" };
    QTest::newRow("Umlaut in der Suche") << 0 << "RÜBE" << QStringList { "Testfutter Zuckerrübe" };
    QTest::newRow("nur Blanks") << 3 << "   " << QStringList { "Ölkuchen Testfutter", "testfutter Rapsschrot" };
    QTest::newRow("nichts gefunden") << 0 << "gibtesnicht" << QStringList {};
    QTest::newRow("unvollständig nie") << 0 << "ohne UDP" << QStringList {};
}

void FutterListeTest::filter()
{
    QFETCH(int, gruppe);
    QFETCH(QString, suche);
    QFETCH(QStringList, erwartet);
    FutterListe* l = Oeffnen();
    auto* lvw = Kind<QTreeWidget>(l, "lvwListe");
    Kind<QLineEdit>(l, "txtSuchen")->setText(suche);
    if (gruppe >= 0)
        Gruppe(l, gruppe);
    else
        l->ListeFuellen();

    QCOMPARE(Testfutter(lvw), erwartet);
    const QString gruppenName = FutterGruppenName(gruppe);
    for (int i = 0; i < lvw->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* z = lvw->topLevelItem(i);
        QVERIFY2(z->text(2).contains(suche.trimmed(), Qt::CaseInsensitive), qPrintable(z->text(2)));
        if (gruppe > 0)
            QCOMPARE(z->text(1), gruppenName);
    }
    if (erwartet.contains(QStringLiteral("Testfutter ohne Gruppe")))
        QCOMPARE(ZeileMit(lvw, QStringLiteral("Testfutter ohne Gruppe"))->text(1), QString());
    // The mineral feeds of the delivered database have no organic nutrients
    // and never appear.
    Gruppe(l, 5);
    QCOMPARE(lvw->topLevelItemCount(), 0);
}

void FutterListeTest::suchtextTippen()
{
    FutterListe* l = Oeffnen();
    auto* txt = Kind<QLineEdit>(l, "txtSuchen");
    auto* lvw = Kind<QTreeWidget>(l, "lvwListe");
    const int vorher = l->Fuellungen();
    txt->setFocus();
    Tippen(txt, QStringLiteral("Raps'\"@#*;<>[]^{|}~é\\schrot"));
    QCOMPARE(txt->text(), QStringLiteral("Rapsschrot"));
    QCOMPARE(l->Fuellungen(), vorher);
    QTest::keyClick(txt, Qt::Key_Backspace);
    Tippen(txt, QStringLiteral("t (Ü)"));
    QCOMPARE(txt->text(), QStringLiteral("Rapsschrot (Ü)"));
    txt->setText(QStringLiteral("RAPSSCHROT"));
    QTest::keyClick(txt, Qt::Key_Return);
    QCOMPARE(l->Fuellungen(), vorher + 1);
    QCOMPARE(Testfutter(lvw), QStringList { "testfutter Rapsschrot" });
}

void FutterListeTest::sortieren()
{
    FutterListe* l = Oeffnen();
    auto* lvw = Kind<QTreeWidget>(l, "lvwListe");
    QHeaderView* kopf = lvw->header();
    auto klick = [&](int spalte) {
        QTest::mouseClick(kopf->viewport(), Qt::LeftButton, {},
            QPoint(kopf->sectionViewportPosition(spalte) + 5, kopf->height() / 2));
    };
    auto geordnet = [&](int spalte, bool aufsteigend) {
        const QStringList t = Spalte(lvw, spalte);
        for (int i = 1; i < t.size(); ++i) {
            const int v = BezeichnungVergleichen(t[i - 1], t[i]);
            if (aufsteigend ? v > 0 : v < 0)
                return false;
        }
        return t.size() > 1;
    };
    QVERIFY(geordnet(2, true));

    klick(2);
    QVERIFY(geordnet(2, true));
    QCOMPARE(Testfutter(lvw).first(), QStringLiteral("Ölkuchen Testfutter"));
    klick(2);
    QVERIFY(geordnet(2, false));
    QCOMPARE(Testfutter(lvw).first(), QStringLiteral("Testfutter Zuckerrübe"));
    klick(1);
    QVERIFY(geordnet(1, true));
    QVERIFY(!geordnet(1, false));
    klick(1);
    QVERIFY(geordnet(1, false));

    // The chosen order holds when the list is filled again.
    l->ListeFuellen();
    QVERIFY(geordnet(1, false));
}

void FutterListeTest::aktualisierenEinmal()
{
    ListeAktualisierenAnstossen(); // no list open: nothing happens

    FutterListe* l = Oeffnen();
    auto* lvw = Kind<QTreeWidget>(l, "lvwListe");
    auto* tmr = Kind<QTimer>(l, "tmrAktualisieren");
    QVERIFY(!tmr->isActive());
    QCOMPARE(tmr->interval(), 100);
    const int vorher = l->Fuellungen();
    FutterAnlegen(906, 1, QStringLiteral("Testfutter Nachzügler"));
    QVERIFY(!ZeileMit(lvw, QStringLiteral("Testfutter Nachzügler")));

    ListeAktualisierenAnstossen();
    ListeAktualisierenAnstossen();
    QVERIFY(tmr->isActive());
    QTRY_VERIFY(!tmr->isActive());
    QCOMPARE(l->Fuellungen(), vorher + 1);
    QVERIFY(ZeileMit(lvw, QStringLiteral("Testfutter Nachzügler")));
}

void FutterListeTest::speichernImEditorAktualisiert()
{
    FutterListe* l = Oeffnen();
    auto* lvw = Kind<QTreeWidget>(l, "lvwListe");
    QTreeWidgetItem* z = ZeileMit(lvw, QStringLiteral("testfutter Rapsschrot"));
    QVERIFY(z);
    z->setSelected(true);
    lvw->scrollToItem(z);
    // A double click is a click followed by the double-click message.
    QTest::mouseClick(lvw->viewport(), Qt::LeftButton, {}, lvw->visualItemRect(z).center());
    QTest::mouseDClick(lvw->viewport(), Qt::LeftButton, {}, lvw->visualItemRect(z).center());
    QCOMPARE(Editoren().size(), 1);
    StammdatenFenster2* e = Editoren().first();
    QTRY_COMPARE(e->AngezeigteFutterID(), 902L);

    Kind<QLineEdit>(e, "txtBezeichnung")->setText(QStringLiteral("testfutter Rapsschrot neu"));
    const int vorher = l->Fuellungen();
    Kind<QPushButton>(e, "cmdSpeichern")->click();
    QTRY_VERIFY(ZeileMit(lvw, QStringLiteral("testfutter Rapsschrot neu")));
    QVERIFY(!Kind<QTimer>(l, "tmrAktualisieren")->isActive());
    QCOMPARE(l->Fuellungen(), vorher + 1);
}

void FutterListeTest::oeffnenUndNeu()
{
    FutterListe* l = Oeffnen();
    auto* lvw = Kind<QTreeWidget>(l, "lvwListe");
    // Nothing or two rows selected: Enter opens nothing.
    QTest::keyClick(lvw, Qt::Key_Return);
    lvw->selectAll();
    QTest::keyClick(lvw, Qt::Key_Return);
    QCOMPARE(Editoren().size(), 0);

    lvw->clearSelection();
    ZeileMit(lvw, QStringLiteral("Testfutter Zuckerrübe"))->setSelected(true);
    QTest::keyClick(lvw, Qt::Key_Return);
    QCOMPARE(Editoren().size(), 1);
    QTRY_COMPARE(Editoren().first()->AngezeigteFutterID(), 901L);
    // F4 and the button open an empty editor each.
    QTest::keyClick(lvw, Qt::Key_F4);
    QCOMPARE(Editoren().size(), 2);
    Kind<QPushButton>(l, "cmdMaskeLeer")->click();
    QCOMPARE(Editoren().size(), 3);
    QVERIFY(Kind<QPushButton>(l, "cmdMaskeLeer")->isEnabled());
    QTRY_COMPARE(Editoren().last()->AngezeigteFutterID(), 0L);
}

void FutterListeTest::loeschen_data()
{
    QTest::addColumn<int>("taste");
    QTest::addColumn<bool>("imZukauf");
    QTest::addColumn<int>("antwort");
    QTest::addColumn<bool>("geloescht");
    QTest::newRow("Entf, Ja") << int(Qt::Key_Delete) << false << int(Antwort::Ja) << true;
    QTest::newRow("F9, Ja") << int(Qt::Key_F9) << false << int(Antwort::Ja) << true;
    QTest::newRow("Knopf, Nein") << 0 << false << int(Antwort::Nein) << false;
    QTest::newRow("nur im Zukauf verwendet") << int(Qt::Key_Delete) << true << -1 << false;
}

void FutterListeTest::loeschen()
{
    QFETCH(int, taste);
    QFETCH(bool, imZukauf);
    QFETCH(int, antwort);
    QFETCH(bool, geloescht);
    if (imZukauf)
        QVERIFY(Ausfuehren(QStringLiteral("INSERT INTO Zukauf (Futtermittel) VALUES (901)")));
    FutterListe* l = Oeffnen();
    auto* lvw = Kind<QTreeWidget>(l, "lvwListe");
    ZeileMit(lvw, QStringLiteral("Testfutter Zuckerrübe"))->setSelected(true);
    if (antwort >= 0)
        ui->Antworten(Antwort(antwort));
    if (taste)
        QTest::keyClick(lvw, Qt::Key(taste));
    else
        Kind<QPushButton>(l, "cmdLoeschen")->click();

    QCOMPARE(ui->meldungen.size(), 1);
    QCOMPARE(ui->meldungen[0].text,
        imZukauf ? QStringLiteral("Dieses Futtermittel kann nicht gelöscht werden weil es verwendet wird.")
                 : QStringLiteral("Soll das Futtermittel wirklich gelöscht werden?"));
    QVERIFY(Kind<QPushButton>(l, "cmdLoeschen")->isEnabled());
    QCOMPARE(Kind<QTimer>(l, "tmrAktualisieren")->isActive(), geloescht);
    QTRY_VERIFY(!Kind<QTimer>(l, "tmrAktualisieren")->isActive());
    QCOMPARE(!ZeileMit(lvw, QStringLiteral("Testfutter Zuckerrübe")), geloescht);

    // With two rows selected nothing is deleted and nothing asked.
    lvw->clearSelection();
    ZeileMit(lvw, QStringLiteral("testfutter Rapsschrot"))->setSelected(true);
    ZeileMit(lvw, QStringLiteral("Ölkuchen Testfutter"))->setSelected(true);
    QTest::keyClick(lvw, Qt::Key_Delete);
    QCOMPARE(ui->meldungen.size(), 1);
}

void FutterListeTest::tasten()
{
    FutterListe* l = Oeffnen();
    auto* lvw = Kind<QTreeWidget>(l, "lvwListe");
    lvw->setFocus();
    QTest::keyClick(lvw, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(lvw->selectedItems().size(), lvw->topLevelItemCount());

    // With Shift, Ctrl or Alt the window keys do nothing.
    QTest::keyClick(lvw, Qt::Key_F4, Qt::ShiftModifier);
    QTest::keyClick(lvw, Qt::Key_Escape, Qt::ControlModifier);
    QCOMPARE(Editoren().size(), 0);
    QCOMPARE(FutterListe::Instanz(), l);

    auto* txt = Kind<QLineEdit>(l, "txtSuchen");
    txt->setText(QStringLiteral("  rübe  "));
    QTest::keyClick(txt, Qt::Key_Escape);
    QTRY_VERIFY(!FutterListe::Instanz());
    QVERIFY(!programm().listeOffen);
    const QString log = ordner->Zeilen(QDate(2026, 12, 4).toString(QStringLiteral("yy_MM_dd")) + QStringLiteral(".txt"))
                            .join(QLatin1Char('\n'));
    QVERIFY(log.contains(QStringLiteral("wdwFuttermittel wird geöffnet")));
    QVERIFY(log.contains(QStringLiteral("wdwFuttermittel wird geschlossen")));

    // The search text is kept, trimmed, for the next opening.
    QCOMPARE(INILesen(QStringLiteral("wdwFuttermittel"), QStringLiteral("txtSuchen")), QStringLiteral("rübe"));
    l = Oeffnen();
    QCOMPARE(Kind<QLineEdit>(l, "txtSuchen")->text(), QStringLiteral("rübe"));
    QCOMPARE(Testfutter(Kind<QTreeWidget>(l, "lvwListe")), QStringList { "Testfutter Zuckerrübe" });
}

void FutterListeTest::schliessenWaehrendDesFuellens()
{
    FutterListe* l = Oeffnen();
    auto* lvw = Kind<QTreeWidget>(l, "lvwListe");
    const int zeilen = lvw->topLevelItemCount();
    // Another program holds the database; the list waits for it and a close
    // request meanwhile is refused.
    {
        QSqlDatabase sperre = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("sperre"));
        sperre.setDatabaseName(programm().futterDatenbank);
        QVERIFY(sperre.open());
        QSqlQuery(sperre).exec(QStringLiteral("BEGIN EXCLUSIVE"));
        int wartezeiten = 0;
        bool offenGeblieben = false;
        ui->beimWarten = [&](int) {
            if (++wartezeiten == 1) {
                UnterfensterVon(l)->close();
                offenGeblieben = FutterListe::Instanz() == l && l->Beschaeftigt() && programm().listeOffen;
            } else {
                QSqlQuery(sperre).exec(QStringLiteral("ROLLBACK"));
            }
        };
        l->ListeFuellen();
        ui->beimWarten = nullptr;
        QVERIFY(wartezeiten >= 2);
        QVERIFY(offenGeblieben);
        sperre.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("sperre"));
    QCOMPARE(lvw->topLevelItemCount(), zeilen);
    QVERIFY(!l->Beschaeftigt());
    UnterfensterVon(l)->close();
    QTRY_VERIFY(!FutterListe::Instanz());
}

void FutterListeTest::ziehen()
{
    FutterListe* l = Oeffnen();
    auto* lvw = l->findChild<FutterListenAnsicht*>(QStringLiteral("lvwListe"));
    QVERIFY(lvw);
    QCOMPARE(lvw->ZiehFutter(), 0L);
    // The last selected row in list order wins, whatever was clicked first.
    ZeileMit(lvw, QStringLiteral("Testfutter Zuckerrübe"))->setSelected(true);
    ZeileMit(lvw, QStringLiteral("Ölkuchen Testfutter"))->setSelected(true);
    std::unique_ptr<QMimeData> daten(lvw->ZiehDatenErzeugen());
    QCOMPARE(programm().ZiehFutterID, 901L);
    QVERIFY(daten->hasFormat(QString::fromLatin1(FutterMimeTyp)));
    QCOMPARE(daten->data(QString::fromLatin1(FutterMimeTyp)), QByteArray("901"));
}

void FutterListeTest::groesse()
{
    FutterListe* l = Oeffnen();
    QMdiSubWindow* u = UnterfensterVon(l);
    auto* lvw = Kind<QTreeWidget>(l, "lvwListe");
    u->resize(u->width() + 120, u->height() + 80);
    QCOMPARE(lvw->x() + lvw->width() + 4, l->width());
    QCOMPARE(lvw->y() + lvw->height() + 4, l->height());
    const int rest = lvw->width() - 26;
    QCOMPARE(lvw->columnWidth(1), int(rest * 0.3));
    QCOMPARE(lvw->columnWidth(2), int(rest * 0.7));
}

KELVORA_TEST(FutterListeTest)
#include "tst_FutterListe.moc"
