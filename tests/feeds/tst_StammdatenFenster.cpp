// The feed editor on the screen: key filters, the conversion while typing,
// loading a feed, the window keys, drops and one editor per feed.

#include "StammdatenTestHilfen.h"
#include "TestRegister.h"
#include "frame/FunktionenFuerINI.h"
#include "frame/ui/FensterPositionQt.h"

#include <QApplication>
#include <QClipboard>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QTimer>

using namespace kelvora;

class StammdatenFensterTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void tastenfilter_data();
    void tastenfilter();
    void einfuegenUndAusschneidenGehenDurch();
    void umrechnungBeimTippen_data();
    void umrechnungBeimTippen();
    void ohneTrockenmasseWirdGeleert();
    void neuBerechnenNachTrockenmasse();
    void ladenUeberAnzeigeTimer();
    void enterKette_data();
    void enterKette();
    void fenstertasten();
    void escSchliesstUndMerktSich();
    void ablegenLaedtFutter();
    void einEditorJeFutter();
    void groesseUndAufrufzaehler();

private:
    std::unique_ptr<test::EditorUmgebung> u;
};

void StammdatenFensterTest::init()
{
    u = std::make_unique<test::EditorUmgebung>();
    QVERIFY(u->Bereit());
}

void StammdatenFensterTest::cleanup()
{
    u.reset();
}

void StammdatenFensterTest::tastenfilter_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("tasten");
    QTest::addColumn<QString>("erwartet");
    QTest::newRow("Dezimal: ein Komma") << "txtNEL_MJTM"
                                        << "6,4"
                                        << "6,4";
    QTest::newRow("Dezimal: zweites Komma verworfen") << "txtNEL_MJTM"
                                                      << "6,,4,"
                                                      << "6,4";
    QTest::newRow("Dezimal: Punkt wird Komma") << "txtCa_gTM"
                                               << "5.5"
                                               << "5,5";
    QTest::newRow("Dezimal: Punkt nach Komma verworfen") << "txtP_gFM"
                                                         << "1,2.3"
                                                         << "1,23";
    QTest::newRow("Dezimal: Minus und Buchstaben verworfen") << "txtNEL_MKalTM"
                                                             << "-1a,5e"
                                                             << "1,5";
    QTest::newRow("Ganzzahl: kein Komma") << "txtXP_gTM"
                                          << "1,5.0"
                                          << "150";
    QTest::newRow("Ganzzahl: kein Minus") << "txtTM_g"
                                          << "-350"
                                          << "350";
    QTest::newRow("Prozent ganzzahlig") << "txtUDPProzent"
                                        << "2,5%"
                                        << "25";
    QTest::newRow("UDP FM ohne Filter") << "txtUDP_gFM"
                                        << "1,5a"
                                        << "1,5a";
    QTest::newRow("Name: erlaubte Zeichen") << "txtBezeichnung"
                                            << "Heu 1. Schnitt (50%) - ök/Bio: ja! §°´`$&=?+_"
                                            << "Heu 1. Schnitt (50%) - ök/Bio: ja! §°´`$&=?+_";
    QTest::newRow("Name: Umlaute und ß") << "txtBezeichnung"
                                         << "ÄÖÜäöüß"
                                         << "ÄÖÜäöüß";
    QTest::newRow("Name: verbotene Zeichen") << "txtBezeichnung"
                                             << "Ma'i\"s@#*;<>[\\]^{|}~"
                                             << "Mais";
    QTest::newRow("Name: andere Akzente") << "txtBezeichnung"
                                          << "Café crème"
                                          << "Caf crme";
}

void StammdatenFensterTest::tastenfilter()
{
    QFETCH(QString, box);
    QFETCH(QString, tasten);
    QFETCH(QString, erwartet);
    // With a dry matter, typing into a value box brings no message.
    u->Setzen({ QStringLiteral("txtTM_g=350") });
    u->Tippen(box, tasten);
    QCOMPARE(u->Text(box), erwartet);
    QVERIFY(u->ui.meldungen.isEmpty());
}

void StammdatenFensterTest::einfuegenUndAusschneidenGehenDurch()
{
    QApplication::clipboard()->setText(QStringLiteral("12"));
    u->Setzen({ QStringLiteral("txtTM_g=500") });
    u->Tippen(QStringLiteral("txtXP_gTM"), QStringLiteral("3"));
    u->Taste(QStringLiteral("txtXP_gTM"), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(u->Text("txtXP_gTM"), QStringLiteral("312"));
    u->Box(QStringLiteral("txtXP_gTM"))->selectAll();
    u->Taste(QStringLiteral("txtXP_gTM"), Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(u->Text("txtXP_gTM"), QString());
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("312"));
    // Select-all is no copy, paste or cut: the number box swallows it.
    u->Tippen(QStringLiteral("txtXP_gTM"), QStringLiteral("45"));
    u->Taste(QStringLiteral("txtXP_gTM"), Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(u->Box(QStringLiteral("txtXP_gTM"))->selectedText(), QString());
}

void StammdatenFensterTest::umrechnungBeimTippen_data()
{
    QTest::addColumn<QStringList>("vorher");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("tasten");
    QTest::addColumn<QStringList>("erwartet");
    const QString tm = QStringLiteral("txtTM_g=350");
    QTest::newRow("XP FM nach TM") << QStringList { tm } << "txtXP_gFM"
                                   << "70" << QStringList { "txtXP_gTM=200" };
    QTest::newRow("XP TM nach FM") << QStringList { tm } << "txtXP_gTM"
                                   << "200" << QStringList { "txtXP_gFM=70" };
    QTest::newRow("NEL TM mit Mcal") << QStringList { tm } << "txtNEL_MJTM"
                                     << "6,4" << QStringList { "txtNEL_MJFM=2,24", "txtNEL_MKalTM=0,69" };
    QTest::newRow("NEL FM mit Mcal") << QStringList { tm } << "txtNEL_MJFM"
                                     << "2,24" << QStringList { "txtNEL_MJTM=6,40", "txtNEL_MKalTM=0,69" };
    QTest::newRow("Mcal nach MJ TM und FM") << QStringList { tm } << "txtNEL_MKalTM"
                                            << "1,5" << QStringList { "txtNEL_MJTM=13,82", "txtNEL_MJFM=4,84" };
    QTest::newRow("Ca halbe Hundertstel aufgerundet") << QStringList { tm } << "txtCa_gTM"
                                                      << "5,5" << QStringList { "txtCa_gFM=1,93" };
    QTest::newRow("NDF ganzzahlig gerundet") << QStringList { tm } << "txtNDF_gFM"
                                             << "101" << QStringList { "txtNDF_gTM=289" };
    QTest::newRow("UDP TM gibt Anteil") << QStringList { tm, "txtXP_gTM=200" } << "txtUDP_gTM"
                                        << "50" << QStringList { "txtUDP_gFM=18", "txtUDPProzent=25" };
    QTest::newRow("UDP FM gibt Anteil über XP FM")
        << QStringList { tm, "txtXP_gFM=70", "txtXP_gTM=200" } << "txtUDP_gFM"
        << "14" << QStringList { "txtUDP_gTM=40", "txtUDPProzent=20" };
    QTest::newRow("UDP ohne XP lässt Anteil leer") << QStringList { tm } << "txtUDP_gTM"
                                                   << "50" << QStringList { "txtUDP_gFM=18", "txtUDPProzent=" };
    QTest::newRow("Anteil gibt UDP") << QStringList { tm, "txtXP_gTM=200" } << "txtUDPProzent"
                                     << "25" << QStringList { "txtUDP_gTM=50", "txtUDP_gFM=18" };
    QTest::newRow("Anteil ohne XP ändert nichts") << QStringList { tm, "txtUDP_gTM=7" } << "txtUDPProzent"
                                                  << "25" << QStringList { "txtUDP_gTM=7", "txtUDP_gFM=" };
    QTest::newRow("Rücktaste rechnet neu") << QStringList { tm, "txtP_gTM=4,25" } << "txtP_gTM"
                                           << "" << QStringList { "txtP_gFM=1,47" };
}

void StammdatenFensterTest::umrechnungBeimTippen()
{
    QFETCH(QStringList, vorher);
    QFETCH(QString, box);
    QFETCH(QString, tasten);
    QFETCH(QStringList, erwartet);
    u->Setzen(vorher);
    if (tasten.isEmpty()) {
        // Backspace at the end of the text.
        QLineEdit* b = u->Box(box);
        b->setFocus();
        b->end(false);
        u->Taste(box, Qt::Key_Backspace);
    } else {
        u->Tippen(box, tasten);
    }
    for (const QString& e : erwartet) {
        const qsizetype gleich = e.indexOf(QLatin1Char('='));
        QCOMPARE(u->Text(e.left(gleich)), e.mid(gleich + 1));
    }
    QVERIFY(u->ui.meldungen.isEmpty());
}

void StammdatenFensterTest::ohneTrockenmasseWirdGeleert()
{
    u->Laden(4);
    QCOMPARE(u->Text("lblIDAnzeige"), QStringLiteral("4"));
    u->Box(QStringLiteral("txtTM_g"))->clear();
    u->Tippen(QStringLiteral("txtXP_gFM"), QStringLiteral("7"));

    QCOMPARE(u->ui.Texte(),
        QStringList { QStringLiteral("Sie müssen zuerst die Trockenmasse in einem Kilo Frischmasse eingeben, bevor "
                                     "sie andere Werte eingeben können, da dieser Wert für die Umrechnung zwischen "
                                     "Frischmasse und Trockenmasse benötigt wird!") });
    QCOMPARE(u->ui.meldungen.first().knoepfe, Knoepfe::OK);
    QCOMPARE(u->Text("txtXP_gFM"), QString());
    QCOMPARE(u->Text("txtXP_gTM"), QStringLiteral("0"));
    for (const char* name : { "txtNDF_gTM", "txtNEL_MJFM", "txtUDPProzent", "txtNEL_MKalTM", "txtP_gTM" })
        QCOMPARE(u->Text(QLatin1String(name)), QString());
    // Group and name stay; the ID goes, so saving makes a new feed.
    QCOMPARE(u->Text("txtBezeichnung"), QStringLiteral("Grassilage 1. Schnitt, früh"));
    QCOMPARE(u->Gruppe()->currentIndex(), 1);
    QCOMPARE(u->Text("lblIDAnzeige"), QString());
    QCOMPARE(QApplication::focusWidget(), u->Box(QStringLiteral("txtTM_g")));
}

void StammdatenFensterTest::neuBerechnenNachTrockenmasse()
{
    u->Laden(4);
    u->Tippen(QStringLiteral("txtTM_g"), QStringLiteral("500"));
    // Changing the dry matter alone converts nothing.
    QCOMPARE(u->Text("txtXP_gFM"), QStringLiteral("61"));
    u->Element<QPushButton>(QStringLiteral("cmdNeuBerechnen"))->click();
    QCOMPARE(u->Text("txtXP_gFM"), QStringLiteral("93")); // 185 * 0.5 = 92.5
    QCOMPARE(u->Text("txtNEL_MJFM"), QStringLiteral("3,27"));
    QCOMPARE(u->Text("txtP_gFM"), QStringLiteral("1,90"));
    QCOMPARE(u->Text("txtUDPProzent"), QStringLiteral("15"));
    QCOMPARE(u->Text("txtNEL_MKalTM"), QStringLiteral("0,71"));
}

void StammdatenFensterTest::ladenUeberAnzeigeTimer()
{
    auto* timer = u->editor->findChild<QTimer*>(QStringLiteral("tmrAnzeigen"));
    QVERIFY(!timer->isActive());
    QCOMPARE(timer->interval(), 250);
    u->editor->FutterLaden(4);
    QCOMPARE(u->Text("lblUebergabe"), QStringLiteral("4"));
    QTRY_COMPARE(u->Text("lblIDAnzeige"), QStringLiteral("4"));
    QVERIFY(!timer->isActive());

    const QStringList erwartet = {
        "txtBezeichnung=Grassilage 1. Schnitt, früh",
        "txtTM_g=330",
        "txtXP_gTM=185",
        "txtXP_gFM=61",
        "txtUDP_gTM=28",
        "txtUDP_gFM=9",
        "txtUDPProzent=15",
        "txtNDF_gTM=420",
        "txtNDF_gFM=139",
        "txtADF_gFM=84",
        "txtNFC_gFM=82",
        "txtNEL_MJTM=6,53",
        "txtNEL_MJFM=2,15",
        "txtNEL_MKalTM=0,71",
        "txtCa_gTM=6,00",
        "txtCa_gFM=1,98",
        "txtP_gTM=3,80",
        "txtP_gFM=1,25",
    };
    for (const QString& e : erwartet) {
        const qsizetype gleich = e.indexOf(QLatin1Char('='));
        QCOMPARE(u->Text(e.left(gleich)), e.mid(gleich + 1));
    }
    QCOMPARE(u->Gruppe()->currentText(), QStringLiteral("Grundfutter"));
    // Sharing needs a stored feed, and is offered only in maintainer mode.
    auto* teilen = u->Element<QPushButton>(QStringLiteral("cmdTeilen"));
    QVERIFY(teilen->isEnabled());
    QVERIFY(!teilen->isVisible());

    // A feed without group keeps "Alle Futtermittel"; an unknown ID leaves
    // the window empty.
    QVERIFY(u->Ausfuehren(QStringLiteral("UPDATE Futtermittel SET FutterArtIOFC = NULL WHERE ID = 4")));
    u->Laden(4);
    QCOMPARE(u->Gruppe()->currentIndex(), 0);
    u->Laden(99999);
    QCOMPARE(u->Text("txtBezeichnung"), QString());
    QCOMPARE(u->Text("txtTM_g"), QString());
    QCOMPARE(u->Gruppe()->currentIndex(), -1);
    QCOMPARE(u->Text("lblIDAnzeige"), QString());
    QVERIFY(!teilen->isEnabled());
}

void StammdatenFensterTest::enterKette_data()
{
    QTest::addColumn<QString>("von");
    QTest::addColumn<QString>("nach");
    QTest::newRow("Gruppe") << "cmbFutterArt"
                            << "txtBezeichnung";
    QTest::newRow("Name") << "txtBezeichnung"
                          << "txtTM_g";
    QTest::newRow("TM") << "txtTM_g"
                        << "txtXP_gTM";
    QTest::newRow("FM-Spalte") << "txtXP_gFM"
                               << "txtUDP_gFM";
    QTest::newRow("NFC zu NEL") << "txtNFC_gTM"
                                << "txtNEL_MJTM";
    QTest::newRow("Ca FM zu P FM") << "txtCa_gFM"
                                   << "txtP_gFM";
    QTest::newRow("P FM zum Speichern") << "txtP_gFM"
                                        << "cmdSpeichern";
    QTest::newRow("P TM zum Speichern") << "txtP_gTM"
                                        << "cmdSpeichern";
    QTest::newRow("Anteil") << "txtUDPProzent"
                            << "txtNDF_gTM";
    QTest::newRow("Mcal") << "txtNEL_MKalTM"
                          << "txtCa_gTM";
}

void StammdatenFensterTest::enterKette()
{
    QFETCH(QString, von);
    QFETCH(QString, nach);
    u->Laden(4);
    const long vorher = u->Anzahl();
    QWidget* start = u->Element(von);
    start->setFocus();
    auto* box = qobject_cast<QLineEdit*>(start);
    const QString text = box ? box->text() : QString();
    QTest::keyClick(start, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), u->Element(nach));
    if (box)
        QCOMPARE(box->text(), text);
    // Reaching the save button does not save.
    QVERIFY(u->ui.meldungen.isEmpty());
    QVERIFY(u->ui.statuszeilen.isEmpty());
    QCOMPARE(u->Anzahl(), vorher);
}

void StammdatenFensterTest::fenstertasten()
{
    u->Laden(4);
    // F9 deletes after the question (answered No here).
    u->ui.Antworten(Antwort::Nein);
    u->Taste(QStringLiteral("txtNDF_gTM"), Qt::Key_F9);
    QCOMPARE(u->ui.Texte(), QStringList { QStringLiteral("Soll das Futtermittel wirklich gelöscht werden?") });
    QCOMPARE(u->Anzahl(QStringLiteral("ID = 4")), 1);

    // F4 clears everything and sends the user to the group.
    u->Taste(QStringLiteral("txtNDF_gTM"), Qt::Key_F4);
    QCOMPARE(u->Gruppe()->currentIndex(), -1);
    QCOMPARE(u->Text("txtBezeichnung"), QString());
    QCOMPARE(u->Text("txtNDF_gTM"), QString());
    QCOMPARE(u->Text("txtNEL_MKalTM"), QString());
    QCOMPARE(u->Text("lblIDAnzeige"), QString());
    QCOMPARE(QApplication::focusWidget(), u->Gruppe());

    // F5 saves, and the first check stops the empty mask.
    u->Taste(QStringLiteral("txtBezeichnung"), Qt::Key_F5);
    QCOMPARE(u->ui.Texte().last(), QStringLiteral("Sie müssen erst die Art des Futtermittels festlegen!"));

    // A disabled button is not pressed by its key.
    u->Element<QPushButton>(QStringLiteral("cmdSpeichern"))->setEnabled(false);
    const qsizetype gezeigt = u->ui.meldungen.size();
    u->Taste(QStringLiteral("txtBezeichnung"), Qt::Key_F5);
    QCOMPARE(u->ui.meldungen.size(), gezeigt);
}

void StammdatenFensterTest::escSchliesstUndMerktSich()
{
    u->Laden(4);
    // The release of an Esc pressed elsewhere (in a message box) is no command.
    QTest::sendKeyEvent(QTest::Release, u->Box(QStringLiteral("txtXP_gTM")), Qt::Key_Escape, QString(), Qt::NoModifier);
    QVERIFY(UnterfensterVon(u->editor)->isVisible());
    QCOMPARE(INILesen(QStringLiteral("OffeneFenster"), QStringLiteral("StammdatenFenster2")), QString());

    u->Taste(QStringLiteral("txtXP_gTM"), Qt::Key_Escape);
    QTRY_VERIFY(u->editor.isNull());
    QVERIFY(u->haupt->Arbeitsbereich()->subWindowList().isEmpty());
    QCOMPARE(INILesen(QStringLiteral("OffeneFenster"), QStringLiteral("StammdatenFenster2")), QStringLiteral("0"));
    QVERIFY(!INILesen(QStringLiteral("StammdatenFenster2"), QStringLiteral("Breit")).isEmpty());

    // Closed by the end of the program it counts as left open.
    u->editor = qobject_cast<StammdatenFenster2*>(u->haupt->FensterOeffnen(QStringLiteral("StammdatenFenster2")));
    QVERIFY(u->editor);
    u->haupt->close();
    QCOMPARE(INILesen(QStringLiteral("OffeneFenster"), QStringLiteral("StammdatenFenster2")), QStringLiteral("1"));
}

void StammdatenFensterTest::ablegenLaedtFutter()
{
    u->Setzen({ QStringLiteral("txtTM_g=100"), QStringLiteral("txtCa_gTM=9") });
    auto* daten = new QMimeData;
    daten->setData(QString::fromLatin1(FutterMimeTyp), QByteArrayLiteral("4"));
    daten->setText(QStringLiteral("4"));
    QLineEdit* ziel = u->Box(QStringLiteral("txtCa_gTM"));
    // A drop goes to the control that accepted the drag when it entered.
    QDragEnterEvent eintreten(QPoint(5, 5), Qt::CopyAction, daten, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(ziel, &eintreten);
    QVERIFY(eintreten.isAccepted());
    QDropEvent ablegen(QPointF(5, 5), Qt::CopyAction, daten, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(ziel, &ablegen);
    delete daten;

    QVERIFY(ablegen.isAccepted());
    QCOMPARE(programm().ZiehFutterID, 4L);
    QCOMPARE(u->Text("lblIDAnzeige"), QStringLiteral("4"));
    QCOMPARE(u->Text("txtCa_gTM"), QStringLiteral("6,00")); // not "94" from the dropped text
    QCOMPARE(u->Text("txtTM_g"), QStringLiteral("330"));
}

void StammdatenFensterTest::einEditorJeFutter()
{
    StammdatenFenster2* erster = StammdatenFenster2::FutterBearbeiten(u->haupt.get(), 4);
    QVERIFY(erster != u->editor);
    QCOMPARE(StammdatenFenster2::FutterBearbeiten(u->haupt.get(), 4), erster);
    QTRY_COMPARE(erster->AngezeigteFutterID(), 4L);
    QCOMPARE(StammdatenFenster2::FutterBearbeiten(u->haupt.get(), 4), erster);
    QCOMPARE(u->haupt->Arbeitsbereich()->activeSubWindow()->widget(), erster);

    StammdatenFenster2* neu1 = StammdatenFenster2::FutterBearbeiten(u->haupt.get(), 0);
    StammdatenFenster2* neu2 = StammdatenFenster2::FutterBearbeiten(u->haupt.get(), 0);
    QVERIFY(neu1 != neu2);
    QCOMPARE(u->haupt->Arbeitsbereich()->subWindowList().size(), 4);
    // Further instances cascade.
    QVERIFY(UnterfensterVon(neu2)->pos() != UnterfensterVon(neu1)->pos());
}

void StammdatenFensterTest::groesseUndAufrufzaehler()
{
    QCOMPARE(INILesen(QStringLiteral("StammdatenFenster2"), QStringLiteral("AufrufZähler")), QStringLiteral("1"));
    QMdiSubWindow* sub = UnterfensterVon(u->editor);
    QVERIFY(sub);
    QVERIFY(sub->rect().contains(u->editor->geometry()));
    // Every control is visible inside the fixed window size.
    const QRect innen = u->editor->rect();
    for (const char* name : { "cmdSpeichern", "txtP_gTM", "txtNEL_MKalTM", "AlleFelderLöschen" }) {
        QWidget* w = u->Element(QString::fromUtf8(name));
        QVERIFY2(innen.contains(QRect(w->mapTo(u->editor, QPoint(0, 0)), w->size())), name);
    }
    QVERIFY(!u->Element(QStringLiteral("DropEreignisAufrufen"))->isVisible());
    QVERIFY(!u->Element(QStringLiteral("lblUebergabe"))->isVisible());
    QCOMPARE(u->Element<QPushButton>(QStringLiteral("cmdSpeichern"))->toolTip(),
        QStringLiteral("Futtermittel prüfen und speichern (F5)"));
}

KELVORA_TEST(StammdatenFensterTest)
#include "tst_StammdatenFenster.moc"
