#include "database/DatenbankRoutinen.h"

#include "database/DateienFinden.h"
#include "grundlagen/DatenTypen.h"
#include "database/DatenbankKomprimieren.h"
#include "database/Datenbankholen.h"
#include "database/SchnelleAbfrage.h"
#include "frame/Oberflaeche.h"
#include "frame/Protokoll.h"

#include <QAtomicInt>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QUrl>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kelvora {

namespace {

int& offeneVerbindungen()
{
    static int anzahl = 0;
    return anzahl;
}

QString NeuerVerbindungsname()
{
    static QAtomicInt zaehler;
    return QStringLiteral("kelvora_") + QString::number(zaehler.fetchAndAddRelaxed(1) + 1);
}

bool IstBeschaedigt(const QSqlError& fehler)
{
    const int code = SqlFehlerNummer(fehler);
    return code == 26 /* SQLITE_NOTADB */ || code == 11 /* SQLITE_CORRUPT */;
}

// An URI so that a missing file is not silently created as an empty database.
QString DatenbankUri(const QString& pfad, bool nurLesen)
{
    const QUrl url = QUrl::fromLocalFile(QFileInfo(pfad).absoluteFilePath());
    return url.toString(QUrl::FullyEncoded) + (nurLesen ? QStringLiteral("?mode=ro") : QStringLiteral("?mode=rw"));
}

// The indicator colours of the failed attempts 1 to 5.
qint64 VersuchFarbe(int versuch)
{
    switch (versuch) {
    case 1:
        return Farbe::Gruen;
    case 2:
        return 0xC0FFC0;
    case 3:
        return 0xC0FFFF;
    case 4:
        return 0x80FFFF;
    default:
        return Farbe::Rot;
    }
}

// A table the program needs that is gone is damage as well: the file was
// replaced or truncated by something other than this program.
bool TabelleFehlt(const QSqlError& fehler)
{
    return fehler.databaseText().startsWith(QLatin1String("no such table"), Qt::CaseInsensitive);
}

QString WerteText(const QVariantList& werte)
{
    QStringList t;
    for (const QVariant& w : werte)
        t << (w.isNull() ? QStringLiteral("NULL") : w.toString());
    return t.join(QStringLiteral(", "));
}

// A closed connection stays open for the next opening of the same file in
// the same thread: opening and reading SQLite's schema cost more than a
// whole evaluation of a ration. It holds no lock while it waits (no
// transaction is open), and it serves again only when the file is untouched
// since: the same inode (a restored copy or a compacted database is another
// file), the same write permission (SQLite opens a file it may not write
// read-only), the same size and time of change (whatever wrote to the file in
// between, the next opening starts afresh). Otherwise it is closed.
struct Geparkt {
    QString name;
    QString pfad;
    bool nurLesen = false;
    Dateikennung kennung;
};

bool KennungLesen(const QString& pfad, Dateikennung& kennung)
{
    const QByteArray name = QFile::encodeName(pfad);
    struct stat st {};
    if (::stat(name.constData(), &st) != 0)
        return false;
    kennung.geraet = st.st_dev;
    kennung.knoten = st.st_ino;
    kennung.schreibbar = ::faccessat(AT_FDCWD, name.constData(), W_OK, AT_EACCESS) == 0;
    kennung.groesse = st.st_size;
    kennung.geaendertNs = static_cast<qint64>(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec;
    return true;
}

void Entfernen(const QString& name)
{
    SchnelleAbfragenFreigeben(name);
    {
        QSqlDatabase db = QSqlDatabase::database(name, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
}

// A thread's waiting connections; closed when the thread ends.
struct Parkplatz {
    QList<Geparkt> wartend;
    ~Parkplatz() { Leeren(); }
    void Leeren()
    {
        for (const Geparkt& g : std::as_const(wartend))
            Entfernen(g.name);
        wartend.clear();
    }
};

// Two files are all one run works with (the feed database and at times its
// copy); more would only keep handles of files long gone.
constexpr qsizetype ParkplatzGroesse = 2;

Parkplatz& parkplatz()
{
    thread_local Parkplatz p;
    static const bool nachLaufLeeren = [] {
        // Before Qt's SQL drivers go away at the end of the program.
        qAddPostRoutine([] { parkplatz().Leeren(); });
        return true;
    }();
    Q_UNUSED(nachLaufLeeren);
    return p;
}

} // namespace

void WartendeVerbindungenSchliessen()
{
    parkplatz().Leeren();
}

bool IstBesetzt(long code)
{
    return code == 5 /* SQLITE_BUSY */ || code == 6 /* SQLITE_LOCKED */;
}

// SQLite's primary result codes: the extended codes carry them in the low byte.
long SqlFehlerNummer(const QSqlError& fehler)
{
    return fehler.nativeErrorCode().toLong() & 0xFF;
}

// ---------------------------------------------------------------- Verbindung

Verbindung::~Verbindung()
{
    Schliessen();
}

Verbindung::Verbindung(Verbindung&& andere) noexcept
    : name(std::move(andere.name))
    , pfad(std::move(andere.pfad))
    , nurLesen(andere.nurLesen)
    , kennung(andere.kennung)
{
    andere.name.clear();
}

Verbindung& Verbindung::operator=(Verbindung&& andere) noexcept
{
    if (this != &andere) {
        Schliessen();
        name = std::move(andere.name);
        pfad = std::move(andere.pfad);
        nurLesen = andere.nurLesen;
        kennung = andere.kennung;
        andere.name.clear();
    }
    return *this;
}

bool Verbindung::IstOffen() const
{
    return !name.isEmpty() && QSqlDatabase::database(name, false).isOpen();
}

QSqlDatabase Verbindung::Datenbank() const
{
    return name.isEmpty() ? QSqlDatabase() : QSqlDatabase::database(name, false);
}

void Verbindung::Schliessen()
{
    if (name.isEmpty())
        return;
    Geparkt g;
    // Only a connection that met no failure waits for the next opening: one
    // that saw damage or a lock opens anew, with the checks of an opening.
    const bool parken = !leseSperre && !inTransaktion && fehler.nummer == 0 && !fehler.beschaedigt
        && kennung.geraet != 0 && KennungLesen(pfad, g.kennung) && g.kennung.GleicheDatei(kennung)
        && QSqlDatabase::database(name, false).isOpen();
    if (parken) {
        g.name = name;
        g.pfad = pfad;
        g.nurLesen = nurLesen;
        QList<Geparkt>& wartend = parkplatz().wartend;
        wartend.prepend(g);
        while (wartend.size() > ParkplatzGroesse)
            Entfernen(wartend.takeLast().name);
    } else {
        Entfernen(name);
    }
    name.clear();
    --offeneVerbindungen();
}

int OffeneVerbindungen()
{
    return offeneVerbindungen();
}

// ------------------------------------------------------------- Öffnen

QString PfadHolen(const QString& kurzname)
{
    QString pfad;
    if (Datenbankholen(kurzname, pfad))
        KomprimierenWennFaellig(pfad);
    return pfad;
}

bool DatenbankOeffnenVersuch(Verbindung& verbindung, const QString& pfad, bool nurLesen, bool& beschaedigt)
{
    beschaedigt = false;
    verbindung.Schliessen();
    Dateikennung kennung;
    const bool kennungGelesen = KennungLesen(pfad, kennung);
    QList<Geparkt>& wartend = parkplatz().wartend;
    for (qsizetype i = 0; i < wartend.size(); ++i) {
        const Geparkt& g = wartend.at(i);
        if (g.pfad != pfad || g.nurLesen != nurLesen)
            continue;
        const Geparkt nehmen = wartend.takeAt(i);
        if (!kennungGelesen || !(nehmen.kennung == kennung)) {
            // The file was replaced or changed since.
            Entfernen(nehmen.name);
            break;
        }
        verbindung.name = nehmen.name;
        verbindung.pfad = pfad;
        verbindung.nurLesen = nurLesen;
        verbindung.kennung = kennung;
        verbindung.fehler = DatenbankFehler();
        ++offeneVerbindungen();
        return true;
    }
    const QString name = NeuerVerbindungsname();

    QString fehlerText;
    long fehlerNummer = 0;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(DatenbankUri(pfad, nurLesen));
        // No busy wait inside SQLite: a locked file is a failed attempt, and
        // the caller waits between attempts.
        db.setConnectOptions(nurLesen ? QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=0;QSQLITE_OPEN_READONLY")
                                      : QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=0"));
        if (!db.open()) {
            fehlerNummer = SqlFehlerNummer(db.lastError());
            fehlerText = db.lastError().text();
            beschaedigt = IstBeschaedigt(db.lastError());
        } else {
            // SQLite opens any file; a damaged one shows only at the first read.
            QSqlQuery q(db);
            if (!q.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")) || !q.next()) {
                fehlerNummer = SqlFehlerNummer(q.lastError());
                fehlerText = q.lastError().text();
                beschaedigt = IstBeschaedigt(q.lastError());
            } else if (q.value(0).toLongLong() == 0) {
                // An empty file reads as an empty database; without a single
                // table it cannot be one of the program's databases.
                fehlerNummer = 26;
                fehlerText = QStringLiteral("Die Datei enthält keine Tabellen");
                beschaedigt = true;
            } else {
                // Statements wait out another program's lock by the
                // attempts of AbfrageOeffnen, which the user can see.
                q.finish();
            }
        }
        if (fehlerText.isEmpty()) {
            verbindung.name = name;
            verbindung.pfad = pfad;
            verbindung.nurLesen = nurLesen;
            verbindung.kennung = kennungGelesen ? kennung : Dateikennung();
            verbindung.fehler = DatenbankFehler();
            ++offeneVerbindungen();
            return true;
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    verbindung.pfad = pfad;
    verbindung.fehler.nummer = fehlerNummer;
    verbindung.fehler.text = fehlerText;
    FehlerProtokollieren(FehlerBeschreibung(fehlerNummer, fehlerText, QStringLiteral("DatenbankOeffnenVersuch"),
                             QStringLiteral("DatenbankRoutinen"))
        + QStringLiteral(": ") + pfad);
    return false;
}

bool DatenbankOeffnen(Verbindung& verbindung, const QString& pfad, bool nurLesen, bool meldungZeigen)
{
    if (nurLesen)
        FehlerProtokollieren(QStringLiteral("Datenbank soll schreibgeschützt geöffnet werden: ") + pfad);
    if (!QFileInfo(pfad).isFile())
        return false;

    int versuch = 1;
    bool offen = false;
    for (; versuch <= 5; ++versuch) {
        ui().DatenbankAnzeigeSetzen(ui().DatenbankAnzeigeText(), Farbe::Schaltflaeche, true);
        bool beschaedigt = false;
        if (DatenbankOeffnenVersuch(verbindung, pfad, nurLesen, beschaedigt)) {
            offen = true;
            break;
        }
        FehlerProtokollieren(QStringLiteral("intZaehler = ") + QString::number(versuch), 4);
        if (beschaedigt)
            WiederherstellungAnbieten(pfad);
        ui().DatenbankAnzeigeSetzen(ui().DatenbankAnzeigeText(), VersuchFarbe(versuch), false);
        ui().EreignisseVerarbeiten();
        ui().Warten(2000);
    }

    if (!offen) {
        QString text = QStringLiteral("Datenbank konnte nicht geöffnet werden: ") + pfad;
        FehlerProtokollieren(text);
        if (IstBesetzt(verbindung.LetzterFehler().nummer))
            text += QStringLiteral("\n\n") + BesetztText(pfad);
        if (meldungZeigen)
            MsgBox(text, Knoepfe::OK, Symbol::Kritisch);
        return false;
    }
    if (versuch > 1)
        ProtokollSchreiben(QStringLiteral("Öffnen hat funktioniert bei lngZaehler = ") + QString::number(versuch)
                + QStringLiteral(": ") + pfad,
            4);
    ui().DatenbankAnzeigeSetzen(
        QString::number(TextInLong(ui().DatenbankAnzeigeText()) + 1), Farbe::Schaltflaeche, true);
    return true;
}

// ------------------------------------------------------------- Abfragen

void Verbindung::FehlerMerken(const QSqlError& e, const QString& sql, const QVariantList& werte)
{
    fehler.nummer = SqlFehlerNummer(e);
    fehler.text = e.text();
    if (IstBeschaedigt(e) || TabelleFehlt(e))
        fehler.beschaedigt = true;
    FehlerProtokollieren(QStringLiteral("Fehler beim Öffnen einer Tabelle: ") + sql);
    FehlerProtokollieren(FehlerBeschreibung(fehler.nummer, fehler.text, QStringLiteral("AbfrageOeffnen"),
                             QStringLiteral("DatenbankRoutinen"))
            + QStringLiteral(": ") + pfad,
        4);
    if (!werte.isEmpty())
        FehlerProtokollieren(QStringLiteral("Werte der Zeile: ") + WerteText(werte), 4);
}

bool AbfrageOeffnen(Verbindung& verbindung, QSqlQuery& abfrage, const QString& sql, const QVariantList& werte)
{
    abfrage = QSqlQuery(verbindung.Datenbank());
    abfrage.setForwardOnly(false);
    if (!verbindung.IstOffen()) {
        FehlerProtokollieren(QStringLiteral("Fehler beim Öffnen einer Tabelle: ") + sql);
        return false;
    }
    // Another program's lock is waited out like a busy opening; anything
    // else fails at once.
    for (int versuch = 1;; ++versuch) {
        bool ok = abfrage.prepare(sql);
        if (ok) {
            for (const QVariant& w : werte)
                abfrage.addBindValue(w);
            ok = abfrage.exec();
        }
        if (ok) {
            if (versuch > 1)
                ProtokollSchreiben(QStringLiteral("Anweisung hat funktioniert bei intZaehler = ")
                        + QString::number(versuch) + QStringLiteral(": ") + verbindung.Pfad(),
                    4);
            return true;
        }
        if (!IstBesetzt(SqlFehlerNummer(abfrage.lastError())) || versuch >= 5 || verbindung.HaeltLeseSperre()) {
            verbindung.FehlerMerken(abfrage.lastError(), sql, werte);
            return false;
        }
        FehlerProtokollieren(QStringLiteral("Datenbank besetzt, intZaehler = ") + QString::number(versuch)
                + QStringLiteral(": ") + verbindung.Pfad(),
            4);
        abfrage.finish();
        ui().DatenbankAnzeigeSetzen(ui().DatenbankAnzeigeText(), VersuchFarbe(versuch), false);
        ui().EreignisseVerarbeiten();
        ui().Warten(2000);
        ui().DatenbankAnzeigeSetzen(ui().DatenbankAnzeigeText(), Farbe::Schaltflaeche, true);
    }
}

bool AbfrageOeffnenPruefen(Verbindung& verbindung, QSqlQuery& abfrage, const QString& sql, const QVariantList& werte)
{
    if (sql.trimmed().isEmpty()) {
        MsgBox(QStringLiteral("Die Abfrage ist leer. Bitte informieren Sie den Programmierer!"), Knoepfe::OK,
            Symbol::Kritisch);
        return false;
    }
    return AbfrageOeffnen(verbindung, abfrage, sql, werte);
}

bool AnweisungAusfuehren(Verbindung& verbindung, const QString& sql, const QVariantList& werte, int* betroffen)
{
    QSqlQuery q;
    if (!AbfrageOeffnen(verbindung, q, sql, werte))
        return false;
    if (betroffen)
        *betroffen = q.numRowsAffected();
    return true;
}

Transaktion::~Transaktion()
{
    v.leseSperre = false;
    v.inTransaktion = false;
    if (!offen || !v.IstOffen())
        return;
    QSqlQuery q(v.Datenbank());
    if (!q.exec(QStringLiteral("ROLLBACK")))
        FehlerProtokollieren(
            QStringLiteral("ROLLBACK fehlgeschlagen: ") + v.Pfad() + QStringLiteral(" / ") + q.lastError().text());
}

bool Transaktion::Beginnen()
{
    // IMMEDIATE: the write lock is taken here, before the first change, so
    // that another program's lock cannot stop the action half-way.
    offen = AnweisungAusfuehren(v, QStringLiteral("BEGIN IMMEDIATE"));
    v.inTransaktion = offen;
    return offen;
}

bool Transaktion::LesenBeginnen()
{
    // Begun on every evaluation of a ration: a first attempt through the
    // kept statements, the usual way (with its waiting and its messages)
    // only when that fails.
    const QString begin = QStringLiteral("BEGIN");
    const QString lesen = QStringLiteral("SELECT count(*) FROM sqlite_master");
    offen = SchnellAusfuehren(v, begin) || AnweisungAusfuehren(v, begin);
    v.inTransaktion = offen;
    // The first read takes the shared lock, waiting out a commit of another
    // program like any busy statement; the transaction keeps it.
    v.leseSperre = offen && (SchnellAusfuehren(v, lesen) || AnweisungAusfuehren(v, lesen));
    return v.leseSperre;
}

bool Transaktion::Bestaetigen()
{
    // A commit that has to wait for readers gets through by waiting.
    v.leseSperre = false;
    if (!offen)
        return false;
    if (!AnweisungAusfuehren(v, QStringLiteral("COMMIT")))
        return false; // the destructor rolls back
    offen = false;
    v.inTransaktion = false;
    return true;
}

QString SqlName(const QString& name)
{
    QString n = name;
    n.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + n + QLatin1Char('"');
}

bool DatensatzLoeschen(const QString& datenbankPfad, const QString& tabelle, long id, bool alle)
{
    if (!QFileInfo(datenbankPfad).isFile())
        return false;
    Verbindung v;
    if (!DatenbankOeffnen(v, datenbankPfad))
        return false;
    int geloescht = 0;
    const bool ok = alle
        ? AnweisungAusfuehren(v, QStringLiteral("DELETE FROM ") + SqlName(tabelle), {}, &geloescht)
        : AnweisungAusfuehren(v, QStringLiteral("DELETE FROM ") + SqlName(tabelle) + QStringLiteral(" WHERE ID = ?"),
            { QVariant::fromValue<qlonglong>(id) }, &geloescht);
    if (!ok)
        DatenbankFehlerMelden(v,
            alle ? QStringLiteral("Die Einträge konnten nicht gelöscht werden.")
                 : QStringLiteral("Der Eintrag konnte nicht gelöscht werden."));
    return ok && geloescht > 0;
}

} // namespace kelvora
