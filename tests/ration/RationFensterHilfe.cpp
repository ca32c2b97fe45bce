#include "RationFensterHilfe.h"

#include "database/DatenbankRoutinen.h"

#include <QApplication>
#include <QDropEvent>
#include <QGroupBox>
#include <QMimeData>

namespace kelvora::test {

bool Ausfuehren(const QString& sql, const QVariantList& werte)
{
    Verbindung v;
    return DatenbankOeffnen(v, programm().futterDatenbank) && AnweisungAusfuehren(v, sql, werte);
}

RationZeile ZeileZu(long futterID)
{
    Verbindung v;
    QList<RationZeile> zeilen;
    if (DatenbankOeffnen(v, programm().futterDatenbank))
        (void)RationZeilenLesen(v, zeilen);
    for (const RationZeile& z : zeilen)
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
    return RationAnlegen({}, {{futterID, frisch, 0, 1}}) && Oeffnen() && Bearbeiten(futterID);
}

bool RationFensterUmgebung::EditorOffen() const
{
    return fenster->findChild<QGroupBox*>("frmDetails")->isVisible();
}

} // namespace kelvora::test
