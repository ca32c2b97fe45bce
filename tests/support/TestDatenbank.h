#pragma once
// Fresh feed databases for tests, built by the same code that builds the
// delivered database from data/.

#include <QString>
#include <QStringList>

namespace kelvora::test {

// Builds the delivered database (schema and feed rows of data/) once per
// test run and copies it into the current test data folder under name.
// Returns the full path; empty (with a warning) when it cannot be built.
QString TestDatenbankAnlegen(const QString& name = QStringLiteral("Futter.mdb"));

// Builds a database from SQL statements (separated by ';') at pfad.
// For tests that need tables of their own. True on success.
bool EigeneDatenbankAnlegen(const QString& pfad, const QString& sql);

// Runs SQL statements (separated by ';') on the existing database at pfad,
// directly, not through the program's connections. True on success.
bool SqlInDatei(const QString& pfad, const QString& sql);

// Every row of every table as text, ordered, to compare two databases.
QStringList DatenbankInhalt(const QString& pfad);

// Adds five feeds of the tests' own (IDs 9101 to 9105: grass and maize
// silage, wheat, rapeseed meal, a mineral; the maize without price) to the
// database at pfad, so that expected outputs do not move with the delivered
// feed table. True on success.
bool TestFutterEinfuegen(const QString& pfad);

} // namespace kelvora::test
