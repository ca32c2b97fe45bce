#include "RationFensterHilfe.h"

#include "TestDatenbank.h"
#include "app/ui/HauptFenster.h"
#include "database/DatenbankRoutinen.h"
#include "frame/Programm.h"
#include "ration/ui/RationTierErstellenFenster.h"

#include <QAction>
#include <QApplication>
#include <QDropEvent>
#include <QGroupBox>
#include <QLineEdit>
#include <QMimeData>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QToolBar>
#include <QTreeWidget>

namespace kelvora::test {

bool Ausfuehren(const QString& sql, const QVariantList& werte)
{
    Verbindung v;
    return DatenbankOeffnen(v, programm().futterDatenbank) && AnweisungAusfuehren(v, sql, werte);
}

long ZeileAnlegen(long futterID, double frisch, double anteil, int fix)
{
    Verbindung v;
    if (!DatenbankOeffnen(v, programm().futterDatenbank))
        return 0;
    return RationZeileAnhaengen(v, futterID, frisch, anteil, fix);
}

QList<RationZeile> Zeilen()
{
    Verbindung v;
    QList<RationZeile> z;
    if (DatenbankOeffnen(v, programm().futterDatenbank))
        (void)RationZeilenLesen(v, z);
    return z;
}

RationZeile ZeileZu(long futterID)
{
    for (const RationZeile& z : Zeilen())
        if (z.futterID == futterID)
            return z;
    return {};
}

void Fallen(QWidget* ziel, long futterID)
{
    QMimeData daten;
    daten.setData(QString::fromLatin1(FutterMimeTyp), QByteArray::number(qlonglong(futterID)));
    const QPoint mitte = ziel->rect().center();
    QDragEnterEvent hinein(mitte, Qt::CopyAction, &daten, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(ziel, &hinein);
    QDropEvent fallen(QPointF(mitte), Qt::CopyAction, &daten, Qt::LeftButton, Qt::NoModifier);
    if (hinein.isAccepted())
        QApplication::sendEvent(ziel, &fallen);
}

bool ErgebnisTasteSichtbar(HauptFenster* haupt)
{
    auto* leiste = haupt->findChild<QToolBar*>("picSymbolleiste");
    auto* taste = haupt->findChild<QWidget*>("Taste10");
    for (QAction* platz : leiste->actions())
        if (leiste->widgetForAction(platz) == taste)
            return platz->isVisible();
    return false;
}

void Tippen(QLineEdit* box, const QString& text)
{
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, text);
}

RationFensterUmgebung::RationFensterUmgebung()
{
    if (TestDatenbankAnlegen().isEmpty())
        return;
    const QString futter = QStringLiteral("INSERT INTO Futtermittel (ID, FutterArt, Bezeichnung, TM_g, XP_gTM, "
                                          "NEL_MJTM, ME_MJTM) VALUES (?, ?, ?, ?, ?, ?, ?)");
    bereit = Ausfuehren(futter, {qlonglong(Silage), 2, "Testsilage", 350, 150, 6.4, 10.7})
             && Ausfuehren(futter, {qlonglong(Getreide), 6, "Testgerste", 880, 120, 8.1, 13.5})
             && Ausfuehren(futter, {qlonglong(Schrot), 7, "Testschrot", 890, 500, 7.6, 12.7})
             && Ausfuehren(QStringLiteral("DELETE FROM Ration"));
    haupt = new HauptFenster;
    haupt->resize(1400, 1000);
    haupt->show();
}

RationFensterUmgebung::~RationFensterUmgebung()
{
    delete haupt;
}

RationTierErstellenFenster* RationFensterUmgebung::Oeffnen()
{
    fenster = qobject_cast<RationTierErstellenFenster*>(
        haupt->FensterOeffnen(QStringLiteral("RationTierErstellenFenster")));
    return fenster;
}

bool RationFensterUmgebung::Bearbeiten(long futterID)
{
    const RationZeile z = ZeileZu(futterID);
    if (!fenster || z.id <= 0)
        return false;
    fenster->MengenEditorOeffnen(z.id, z.frischMenge);
    return EditorOffen();
}

bool RationFensterUmgebung::EditorMit(long futterID, double frisch)
{
    return ZeileAnlegen(futterID, frisch, 0, 1) > 0 && Oeffnen() && Bearbeiten(futterID);
}

bool RationFensterUmgebung::EditorOffen() const
{
    return fenster->findChild<QGroupBox*>("frmDetails")->isVisible();
}

QLineEdit* RationFensterUmgebung::Feld(const char* name) const
{
    return fenster->findChild<QLineEdit*>(name);
}

QLabel* RationFensterUmgebung::Label(const char* name) const
{
    return fenster->findChild<QLabel*>(name);
}

QPushButton* RationFensterUmgebung::Knopf(const char* name) const
{
    return fenster->findChild<QPushButton*>(name);
}

QTreeWidget* RationFensterUmgebung::Liste() const
{
    return fenster->findChild<QTreeWidget*>("lvwListe");
}

void RationFensterBasis::init()
{
    u = std::make_unique<RationFensterUmgebung>();
    QVERIFY(u->bereit);
}

void RationFensterBasis::cleanup()
{
    u.reset();
    QCOMPARE(programm().ZiehFutterID, 0L);
}

} // namespace kelvora::test
