#pragma once
// Small rations in a fresh test database: feeds with chosen dry matter and
// NDF, and rows of table Ration.

#include "TestDatenbank.h"
#include "TestOberflaeche.h"
#include "TestUmgebung.h"

#include <QList>
#include <QString>

namespace kelvora::test {

struct TestFutter {
    long id;
    double tm_g;
    double ndf_gTM;
};

struct TestRationsZeile {
    long futterID;
    double frischMenge;
    double anteil;
    int fixeMenge;  // 1 fixed, 0 free
};

// Adds the feeds (IDs from 9001 on are free in the delivered data) and
// replaces the ration. False when the database could not be written.
bool RationAnlegen(const QList<TestFutter>& futter, const QList<TestRationsZeile>& zeilen);

// (ID, FutterFrischMenge, ProzentAnteil, FixeMenge) of every row, by ID.
struct GespeicherteZeile {
    long id;
    double frischMenge;
    double anteil;
    int fixeMenge;
};
QList<GespeicherteZeile> RationLesen();
// The fresh amounts of RationLesen().
QList<double> FrischMengen();

// A data folder with a fresh test database and the scripted seam, no window.
struct DatenbankUmgebung {
    TestOberflaeche ui;
    TestDatenordner ordner;
    bool bereit = !TestDatenbankAnlegen().isEmpty();
};

} // namespace kelvora::test
