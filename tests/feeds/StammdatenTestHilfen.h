#pragma once
// The feed editor on a real main window for GUI tests: a scripted seam, a
// fresh data folder with the delivered database, the window opened through
// the main window's registry, and small helpers to type and to read back.

#include "TestDatenbank.h"
#include "TestOberflaeche.h"
#include "TestUmgebung.h"
#include "database/DatenbankRoutinen.h"
#include "feeds/ui/StammdatenFenster2.h"
#include "frame/Programm.h"
#include "frame/ui/HauptFenster.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <memory>

namespace kelvora::test {

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
        if (auto* b = Box(name))
            return b->text();
        if (auto* l = Element<QLabel>(name))
            return l->text();
        return QStringLiteral("<fehlt: ") + name + QLatin1Char('>');
    }
    QComboBox* Gruppe() const { return Element<QComboBox>(QStringLiteral("cmbFutterArt")); }

    // Types into a box as the user does: the box gets the focus (which
    // selects its text) and every character goes down and up.
    void Tippen(const QString& name, const QString& tasten) const
    {
        QLineEdit* b = Box(name);
        b->setFocus();
        b->selectAll();
        for (const QChar c : tasten) {
            if (c.unicode() < 128) {
                QTest::keyClick(b, c.toLatin1());
            } else {
                // QTest knows keys for ASCII only; an umlaut key types its letter.
                const auto taste = static_cast<Qt::Key>(c.toUpper().unicode());
                QTest::sendKeyEvent(QTest::Press, b, taste, QString(c), Qt::NoModifier);
                QTest::sendKeyEvent(QTest::Release, b, taste, QString(c), Qt::NoModifier);
            }
        }
    }
    void Taste(const QString& name, Qt::Key taste, Qt::KeyboardModifiers mod = Qt::NoModifier) const
    {
        QTest::keyClick(Element(name), taste, mod);
    }

    // Loads a feed at once, as a drop of a dragged feed does.
    void Laden(long id) const
    {
        programm().ZiehFutterID = id;
        Element<QPushButton>(QStringLiteral("DropEreignisAufrufen"))->click();
    }

    // Sets the boxes directly: "name=text" entries.
    void Setzen(const QStringList& werte) const
    {
        for (const QString& w : werte) {
            const qsizetype gleich = w.indexOf(QLatin1Char('='));
            Box(w.left(gleich))->setText(w.mid(gleich + 1));
        }
    }

    // One column of a stored feed, read directly from the database.
    QVariant Spalte(long id, const QString& spalte) const
    {
        Verbindung v;
        QSqlQuery q;
        if (!DatenbankOeffnen(v, datenbank, true)
            || !AbfrageOeffnen(v, q,
                QStringLiteral("SELECT ") + spalte + QStringLiteral(" FROM Futtermittel WHERE ID = ?"),
                { QVariant::fromValue<qlonglong>(id) })
            || !q.next())
            return {};
        return q.value(0);
    }
    long Anzahl(const QString& bedingung = QStringLiteral("1 = 1")) const
    {
        Verbindung v;
        QSqlQuery q;
        if (!DatenbankOeffnen(v, datenbank, true)
            || !AbfrageOeffnen(v, q, QStringLiteral("SELECT COUNT(*) FROM Futtermittel WHERE ") + bedingung)
            || !q.next())
            return -1;
        return q.value(0).toLongLong();
    }
    bool Ausfuehren(const QString& sql, const QVariantList& werte = {}) const
    {
        Verbindung v;
        return DatenbankOeffnen(v, datenbank) && AnweisungAusfuehren(v, sql, werte);
    }

    TestOberflaeche ui;
    TestDatenordner ordner;
    QString datenbank;
    std::unique_ptr<HauptFenster> haupt;
    QPointer<StammdatenFenster2> editor;
    bool aktiv = false;
};

} // namespace kelvora::test
