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

// What the last failed statement on a connection reported.
struct DatenbankFehler {
    long nummer = 0; // SQLite's primary result code, 0: no error
    QString text; // the driver's description
    bool beschaedigt = false; // not a database, corrupt, or a table missing
};

// A database file as the system knows it (device, inode), whether this
// program may write it, and its state (size, time of the last change).
struct Dateikennung {
    quint64 geraet = 0;
    quint64 knoten = 0;
    bool schreibbar = false;
    qint64 groesse = 0;
    qint64 geaendertNs = 0;
    bool operator==(const Dateikennung&) const = default;
    bool GleicheDatei(const Dateikennung& k) const
    {
        return geraet == k.geraet && knoten == k.knoten && schreibbar == k.schreibbar;
    }
};

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
    // The Qt connection name; empty when not open.
    const QString& Name() const { return name; }
    bool NurLesen() const { return nurLesen; }
    void Schliessen();

    // The last failure of a statement on this connection; Beschaedigt() stays
    // set for the life of the connection once damage was seen.
    const DatenbankFehler& LetzterFehler() const { return fehler; }
    bool Beschaedigt() const { return fehler.beschaedigt; }
    // Records a failed statement and writes it, with the database path and
    // the bound values of the row, to the error log.
    void FehlerMerken(const QSqlError& e, const QString& sql, const QVariantList& werte = {});

    // True inside a read transaction (Transaktion::LesenBeginnen), which
    // holds the shared lock: a write there that finds another program's
    // write lock cannot get through by waiting (that program waits for this
    // lock to commit), so it fails at once instead of being tried again.
    bool HaeltLeseSperre() const { return leseSperre; }
    // True while a transaction (read or write) is open on the connection.
    bool InTransaktion() const { return inTransaktion; }

private:
    friend bool DatenbankOeffnenVersuch(Verbindung&, const QString&, bool, bool&);
    friend class Transaktion;
    QString name;
    QString pfad;
    bool nurLesen = false;
    bool leseSperre = false;
    bool inTransaktion = false;
    DatenbankFehler fehler;
    // The file the connection was opened on.
    Dateikennung kennung;
};

// Connections of this program that are open right now.
int OffeneVerbindungen();

// A closed connection waits, open, for the next opening of the same file in
// the same thread. Whoever replaces or removes a database file closes the
// waiting ones first.
void WartendeVerbindungenSchliessen();

// Full path of a database by its short name ("Futter" -> data folder +
// "/Futter.mdb"), after the start-up checks against its copies; the first
// call of a run also compacts the database when the settings ask for it.
QString PfadHolen(const QString& kurzname);

// Opens the database with up to five attempts two seconds apart. False at
// once when the file does not exist. A damaged file leads to the restore
// offer from a young ".BAK"/".KOM" copy; a file that another program kept
// locked through every attempt is reported as busy (BesetztText).
bool DatenbankOeffnen(Verbindung& verbindung, const QString& pfad, bool nurLesen = false, bool meldungZeigen = true);

// One opening attempt. beschaedigt reports a file that is no database or is
// corrupt; a busy or locked file is a plain failure. A failed attempt leaves
// its error in verbindung.LetzterFehler().
bool DatenbankOeffnenVersuch(Verbindung& verbindung, const QString& pfad, bool nurLesen, bool& beschaedigt);

// Runs sql with the bound values (positional "?") on the connection and
// leaves the result in abfrage, positioned before the first row. Works for
// SELECT as for UPDATE/INSERT/DELETE. A statement that finds the database
// busy (another program's lock) is tried again like an opening, up to five
// times two seconds apart. A failure is logged and kept on the connection.
bool AbfrageOeffnen(Verbindung& verbindung, QSqlQuery& abfrage, const QString& sql, const QVariantList& werte = {});
// As AbfrageOeffnen, but refuses an SQL text that is blank.
bool AbfrageOeffnenPruefen(
    Verbindung& verbindung, QSqlQuery& abfrage, const QString& sql, const QVariantList& werte = {});

// Runs one statement; betroffen receives the number of changed rows.
[[nodiscard]] bool AnweisungAusfuehren(
    Verbindung& verbindung, const QString& sql, const QVariantList& werte = {}, int* betroffen = nullptr);

// One user action, one transaction: Beginnen takes the write lock at once
// (so a busy database shows before anything is changed, with the retries of
// AbfrageOeffnen), Bestaetigen commits. An action that reads and then writes
// begins before its first read, so that no other program can change what it
// read before it writes. Whatever is not confirmed is rolled back when the
// object goes out of scope.
class Transaktion {
public:
    explicit Transaktion(Verbindung& verbindung)
        : v(verbindung)
    {
    }
    ~Transaktion();
    Transaktion(const Transaktion&) = delete;
    Transaktion& operator=(const Transaktion&) = delete;

    [[nodiscard]] bool Beginnen();
    // A run of reads that must see one state: takes the shared lock at once,
    // after which no read of the run can find the database busy.
    [[nodiscard]] bool LesenBeginnen();
    [[nodiscard]] bool Bestaetigen();

private:
    Verbindung& v;
    bool offen = false;
};

// Tells the user that an action could not be completed, from what the last
// failed statement on the connection reported: busy, write-protected file or
// folder, full disk, or another error; a damaged database leads to the
// restore offer instead (the connection is closed for it). was is the first
// sentence ("Die Ration konnte nicht ausgeglichen werden."). The message says
// that the stored data are unchanged, since every write is one transaction.
void DatenbankFehlerMelden(Verbindung& verbindung, const QString& was);

// The German reason and advice for a failed write, without the first
// sentence; empty for a damaged database.
QString SchreibfehlerText(const Verbindung& verbindung);

// The reason for a database that another window or command of the program
// (or another program) kept locked through every attempt.
QString BesetztText(const QString& pfad);

// SQLITE_BUSY or SQLITE_LOCKED: another connection holds the lock.
bool IstBesetzt(long code);

// The restore offer for a damaged database at pfad (a young ".BAK"/".KOM"
// replaces it after the user agrees). True when the database was replaced.
bool WiederherstellungAnbieten(const QString& pfad);

// Deletes the row with the given ID, or every row when alle is true. True
// when at least one row was deleted.
[[nodiscard]] bool DatensatzLoeschen(const QString& datenbankPfad, const QString& tabelle, long id, bool alle);

// SQLite's primary result code of an error (5 busy, 11 corrupt, 26 no database).
long SqlFehlerNummer(const QSqlError& fehler);

// A table or column name as a quoted SQL identifier ("RationFürTier").
QString SqlName(const QString& name);

} // namespace kelvora
