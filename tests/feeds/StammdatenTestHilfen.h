#pragma once
// Shared pieces of the feed tests: statements on the test database, typing
// as the keyboard does, and the feed editor on a real main window.

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
        if (c.unicode() < 128) {
            QTest::keyClick(w, c.toLatin1());
        } else {
            const auto taste = static_cast<Qt::Key>(c.toUpper().unicode());
            QTest::sendKeyEvent(QTest::Press, w, taste, QString(c), Qt::NoModifier);
            QTest::sendKeyEvent(QTest::Release, w, taste, QString(c), Qt::NoModifier);
        }
    }
}

// The exchange file of "Rapskuchen Öl_arm" (group 3) as the program writes it.
inline QByteArray RapsGolden()
{
    QFile f(QStringLiteral(KELVORA_TESTDATEN "/austausch/rapskuchen.xml"));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
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

class EditorUmgebung {
public:
    EditorUmgebung()
    {
        datenbank = TestDatenbankAnlegen();
        haupt = std::make_unique<HauptFenster>();
        haupt->show();
        haupt->activateWindow();
        aktiv = QTest::qWaitForWindowActive(haupt.get());
        editor = qobject_cast<StammdatenFenster2*>(haupt->FensterOeffnen(QStringLiteral("StammdatenFenster2")));
    }
    ~EditorUmgebung()
    {
        haupt.reset();
        programm().listeOffen = false;
        programm().ZiehFutterID = 0;
        programm().wartungsmodus = false;
    }

    bool Bereit() const { return aktiv && editor && !datenbank.isEmpty(); }

    template <class T = QWidget> T* Element(const QString& name) const
    {
        return editor ? editor->findChild<T*>(name) : nullptr;
    }
    QLineEdit* Box(const QString& name) const { return Element<QLineEdit>(name); }
    QString Text(const QString& name) const
    {
        if (auto* l = Element<QLabel>(name))
            return l->text();
        return Box(name) ? Box(name)->text() : QStringLiteral("<fehlt: ") + name + QLatin1Char('>');
    }
    QComboBox* Gruppe() const { return Element<QComboBox>(QStringLiteral("cmbFutterArt")); }
    void Klick(const QString& knopf) const { Element<QPushButton>(knopf)->click(); }

    // Types into a box as the user does: the focus selects its text first.
    void Tippen(const QString& name, const QString& tasten) const
    {
        QLineEdit* b = Box(name);
        b->setFocus();
        b->selectAll();
        test::Tippen(b, tasten);
    }

    void Taste(const QString& name, Qt::Key taste, Qt::KeyboardModifiers mod = Qt::NoModifier) const
    {
        QTest::keyClick(Element(name), taste, mod);
    }

    // Loads a feed at once, as a drop of a dragged feed does.
    void Laden(long id) const
    {
        programm().ZiehFutterID = id;
        Klick(QStringLiteral("DropEreignisAufrufen"));
    }

    // "name=text" entries: Setzen fills the boxes, Pruefen compares them.
    void Setzen(const QStringList& werte) const
    {
        for (const QString& w : werte)
            Box(w.section(QLatin1Char('='), 0, 0))->setText(w.section(QLatin1Char('='), 1));
    }
    QString Abweichung(const QStringList& werte) const
    {
        for (const QString& w : werte)
            if (Text(w.section(QLatin1Char('='), 0, 0)) != w.section(QLatin1Char('='), 1))
                return w + QStringLiteral(" ist ") + Text(w.section(QLatin1Char('='), 0, 0));
        return {};
    }

    QVariant Spalte(long id, const QString& spalte) const
    {
        return SqlLesen(QStringLiteral("SELECT ") + spalte + QStringLiteral(" FROM Futtermittel WHERE ID = ?"),
            { QVariant::fromValue<qlonglong>(id) });
    }
    long Anzahl(const QString& bedingung = QStringLiteral("1 = 1")) const
    {
        const QVariant n = SqlLesen(QStringLiteral("SELECT COUNT(*) FROM Futtermittel WHERE ") + bedingung);
        return n.isValid() ? long(n.toLongLong()) : -1;
    }

    TestOberflaeche ui;
    TestDatenordner ordner;
    QString datenbank;
    std::unique_ptr<HauptFenster> haupt;
    QPointer<StammdatenFenster2> editor;
    bool aktiv = false;
};

// Base of the editor test classes: a fresh editor for every test function.
class EditorTestBasis : public QObject {
    Q_OBJECT
protected slots:
    void init()
    {
        u = std::make_unique<EditorUmgebung>();
        QVERIFY(u->Bereit());
    }
    void cleanup() { u.reset(); }

protected:
    std::unique_ptr<EditorUmgebung> u;
};

} // namespace kelvora::test
