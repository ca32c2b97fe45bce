#pragma once
// A SELECT read straight through SQLite, for the few reads that run on every
// change of a ration (the ration with the values of its feeds). The statement
// is prepared once per connection and kept while the connection is, and the
// fields come without the per-field work of QSqlQuery, which costs more than
// the rest of an evaluation together.
//
// Meant for the inside of the caller's transaction (Transaktion), where no
// read finds the database busy; outside one, another program's lock is
// waited out like in AbfrageOeffnen. A failure is recorded on the connection
// like one of AbfrageOeffnen.

#include <QString>
#include <QVariant>

struct sqlite3_stmt;

namespace kelvora {

class Verbindung;

class SchnelleAbfrage {
public:
    // leise: a failure is not recorded on the connection.
    SchnelleAbfrage(Verbindung& verbindung, const QString& sql, bool leise = false);
    ~SchnelleAbfrage();
    SchnelleAbfrage(const SchnelleAbfrage&) = delete;
    SchnelleAbfrage& operator=(const SchnelleAbfrage&) = delete;

    // False when the statement could not be prepared.
    bool Bereit() const { return anweisung != nullptr; }
    // The next row; false at the end or after a failure (Fehlgeschlagen).
    bool Naechste();
    bool Fehlgeschlagen() const { return fehlgeschlagen; }

    // A field as QSqlQuery::value gives it: whole numbers as qlonglong,
    // others as double, texts as QString, NULL as a null QString.
    QVariant Wert(int spalte) const;
    bool IstNull(int spalte) const;

private:
    Verbindung& verbindung;
    QString sql;
    sqlite3_stmt* anweisung = nullptr;
    bool fehlgeschlagen = false;
    bool leise = false;
    bool begonnen = false;
};

// Runs a statement to its end without recording a failure (for a first,
// quick attempt whose failure the caller then handles the usual way).
bool SchnellAusfuehren(Verbindung& verbindung, const QString& sql);

// Finalises the statements kept for a Qt connection; called before it closes.
void SchnelleAbfragenFreigeben(const QString& verbindungsname);

} // namespace kelvora
