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

} // namespace kelvora::test
