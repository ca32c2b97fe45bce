#pragma once
// Feeds with prices, current rations and stored group rations in a fresh
// test database, for the tests of the named rations and the herd.

#include "../app/BefehlsLauf.h"
#include "TestDatenbank.h"
#include "TestOberflaeche.h"
#include "TestUmgebung.h"
#include "database/DatenbankRoutinen.h"
#include "frame/Programm.h"
#include "herde/RationenVerwalten.h"

#include <QFile>
#include <QList>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>
#include <QVariant>

namespace kelvora::test {

// A row of table Ration; an invalid share is stored empty, as a new row is.
struct Zeile {
    long futterID;
    double frisch;
    QVariant anteil;
    int fixe;
};
using Zeilen = QList<Zeile>;

// A fresh database with the tests' own feeds (TestFutterEinfuegen), the
// scripted seam, no window.
struct HerdenUmgebung {
    TestOberflaeche ui;
    TestDatenordner ordner;
    QString pfad = TestDatenbankAnlegen();
    bool bereit = !pfad.isEmpty() && FutterAnlegen();

    bool FutterAnlegen() const { return TestFutterEinfuegen(pfad); }

    // Replaces table Ration.
    bool Aktuell(const Zeilen& zeilen) const
    {
        Verbindung v;
        bool ok = DatenbankOeffnen(v, pfad) && AnweisungAusfuehren(v, QStringLiteral("DELETE FROM Ration"));
        for (const Zeile& z : zeilen)
            ok = ok
                && AnweisungAusfuehren(v,
                    QStringLiteral("INSERT INTO Ration (FutterID, FutterFrischMenge, "
                                   "ProzentAnteil, FixeMenge) VALUES (?, ?, ?, ?)"),
                    { qlonglong(z.futterID), z.frisch,
                        z.anteil.isValid() ? z.anteil : QVariant(QMetaType::fromType<double>()), z.fixe });
        return ok;
    }

    // Makes the rows current and stores them under name.
    bool Speichern(const QString& name, const Zeilen& zeilen, long tiere, double milch,
        std::optional<double> preis = 0.45, long gewicht = 650, double fett = 4.0, double eiweiss = 3.4) const
    {
        return Aktuell(zeilen) && RationSpeichern(pfad, { name, tiere, false, gewicht, milch, fett, preis, eiweiss });
    }

    // Every row of a table in ID order, NULLs marked, with each value's type.
    QStringList Tabelle(const QString& sql) const
    {
        QStringList zeilen;
        Verbindung v;
        QSqlQuery q;
        if (!DatenbankOeffnen(v, pfad) || !AbfrageOeffnen(v, q, sql))
            return { QStringLiteral("<nicht lesbar>") };
        while (q.next()) {
            QStringList felder;
            for (int i = 0; i < q.record().count(); ++i)
                felder << (q.value(i).isNull() ? QStringLiteral("<NULL>")
                                               : q.value(i).toString() + QLatin1Char(':') + q.value(i).typeName());
            zeilen << felder.join(QLatin1Char('|'));
        }
        return zeilen;
    }

    QByteArray Bytes(const QString& datei) const
    {
        QFile f(datei);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<fehlt>");
    }

    // Runs the command on this data folder: exit code, output, a part of the
    // error output (empty: none at all); whatever is refused leaves the
    // database as it was. A read may store a feed's completed energy, so
    // only a refusal is held to the bytes.
    void BefehlPruefen(const QStringList& angaben, int code, const QString& aus, const QString& fehler) const
    {
        const QByteArray vorher = Bytes(pfad);
        const Lauf l = Kelvora(angaben + QStringList { "--datenordner", ordner.Pfad() });
        QCOMPARE(l.code, code);
        QCOMPARE(l.aus, aus);
        QVERIFY2(fehler.isEmpty() ? l.fehler.isEmpty() : l.fehler.contains(fehler), qPrintable(l.fehler));
        if (code != 0)
            QCOMPARE(Bytes(pfad), vorher);
    }
};

} // namespace kelvora::test
