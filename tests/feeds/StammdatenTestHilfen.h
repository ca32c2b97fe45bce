#pragma once
// Shared pieces of the feed tests: statements on the test database, typing
// as the keyboard does, and the feed editors open in the main window.

#include "TestDatenbank.h"
#include "TestOberflaeche.h"
#include "TestPfade.h"
#include "TestUmgebung.h"
#include "app/ui/HauptFenster.h"
#include "database/DatenbankRoutinen.h"
#include "feeds/ui/StammdatenFenster2.h"
#include "frame/Programm.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <memory>

namespace kelvora::test {

inline bool SqlAusfuehren(const QString& sql, const QVariantList& werte = {})
{
    Verbindung v;
    return DatenbankOeffnen(v, programm().futterDatenbank) && AnweisungAusfuehren(v, sql, werte);
}

// The first value of the first row; invalid when there is none.
inline QVariant SqlLesen(const QString& sql, const QVariantList& werte = {})
{
    Verbindung v;
    QSqlQuery q;
    if (!DatenbankOeffnen(v, programm().futterDatenbank, true) || !AbfrageOeffnen(v, q, sql, werte) || !q.next())
        return {};
    return q.value(0);
}

// Every character goes down and up; QTest knows keys for ASCII only, so an
// umlaut key types its letter.
inline void Tippen(QWidget* w, const QString& tasten)
{
    for (const QChar c : tasten) {
        if (c.unicode() >= 1 && c.unicode() <= 26 && c != QLatin1Char('\b') && c != QLatin1Char('\r')) {
            // "\x01" is Ctrl+A, as the key filters see it.
            QTest::keyClick(w, static_cast<Qt::Key>(Qt::Key_A + c.unicode() - 1), Qt::ControlModifier);
        } else if (c.unicode() < 128) {
            QTest::keyClick(w, c.toLatin1());
        } else {
            const auto taste = static_cast<Qt::Key>(c.toUpper().unicode());
            QTest::sendKeyEvent(QTest::Press, w, taste, QString(c), Qt::NoModifier);
            QTest::sendKeyEvent(QTest::Release, w, taste, QString(c), Qt::NoModifier);
        }
    }
}

// The feed editors open in the main window, oldest first.
inline QList<StammdatenFenster2*> Editoren(HauptFenster& haupt)
{
    QList<StammdatenFenster2*> e;
    for (QMdiSubWindow* u : haupt.Arbeitsbereich()->subWindowList())
        if (auto* s = qobject_cast<StammdatenFenster2*>(u->widget()))
            e << s;
    return e;
}

} // namespace kelvora::test
