#pragma once
// Location of the databases, connections with a bounded retry, the restore
// offer for a damaged database, and record sets.
//
// The databases are SQLite files. A connection is an owning object: it holds
// its own Qt connection name and removes it when it goes out of scope.
// Queries made on a connection must be destroyed before it (declare them
// after the connection). Every value goes in through bound parameters.

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QVariantList>

namespace kelvora {

class Verbindung {
public:
    Verbindung() = default;
    ~Verbindung();
    Verbindung(Verbindung&& andere) noexcept;
    Verbindung& operator=(Verbindung&& andere) noexcept;
    Verbindung(const Verbindung&) = delete;
    Verbindung& operator=(const Verbindung&) = delete;

    bool IstOffen() const;
    // The Qt connection; invalid when not open.
    QSqlDatabase Datenbank() const;
    const QString& Pfad() const { return pfad; }
    bool NurLesen() const { return nurLesen; }
    void Schliessen();

private:
    friend bool DatenbankOeffnenVersuch(Verbindung&, const QString&, bool, bool&);
    QString name;
    QString pfad;
    bool nurLesen = false;
};

// Full path of a database by its short name ("Futter" -> data folder +
// "/Futter.mdb"), after the start-up checks against its copies.
QString PfadHolen(const QString& kurzname);

// Opens the database with up to five attempts two seconds apart. False at
// once when the file does not exist. A damaged file leads to the restore
// offer from a young ".BAK"/".KOM" copy.
bool DatenbankOeffnen(Verbindung& verbindung, const QString& pfad, bool nurLesen = false, bool meldungZeigen = true);

// One opening attempt. beschaedigt reports a file that is no database or is
// corrupt; a busy or locked file is a plain failure.
bool DatenbankOeffnenVersuch(Verbindung& verbindung, const QString& pfad, bool nurLesen, bool& beschaedigt);

// Runs sql with the bound values (positional "?") on the connection and
// leaves the result in abfrage, positioned before the first row. Works for
// SELECT as for UPDATE/INSERT/DELETE.
bool AbfrageOeffnen(Verbindung& verbindung, QSqlQuery& abfrage, const QString& sql, const QVariantList& werte = {});
// As AbfrageOeffnen, but refuses an SQL text that is blank.
bool AbfrageOeffnenPruefen(
    Verbindung& verbindung, QSqlQuery& abfrage, const QString& sql, const QVariantList& werte = {});

// Runs one statement; betroffen receives the number of changed rows.
bool AnweisungAusfuehren(
    Verbindung& verbindung, const QString& sql, const QVariantList& werte = {}, int* betroffen = nullptr);

// Deletes the row with the given ID, or every row when alle is true. True
// when at least one row was deleted.
bool DatensatzLoeschen(const QString& datenbankPfad, const QString& tabelle, long id, bool alle);

// SQLite's primary result code of an error (5 busy, 11 corrupt, 26 no database).
long SqlFehlerNummer(const QSqlError& fehler);

// A table or column name as a quoted SQL identifier ("RationFürTier").
QString SqlName(const QString& name);

} // namespace kelvora
