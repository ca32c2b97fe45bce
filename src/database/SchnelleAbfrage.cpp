#include "database/SchnelleAbfrage.h"

#include "database/DatenbankRoutinen.h"
#include "frame/Oberflaeche.h"
#include "frame/Protokoll.h"

#include <QHash>
#include <QSqlDriver>
#include <QSqlError>
#include <sqlite3.h>

namespace kelvora {

namespace {

// Prepared statements by connection name and SQL text. Qt's connections are
// bound to their thread, and so are these.
QHash<QString, QHash<QString, sqlite3_stmt*>>& vorbereitet()
{
    thread_local QHash<QString, QHash<QString, sqlite3_stmt*>> anweisungen;
    return anweisungen;
}

sqlite3* Handle(const Verbindung& verbindung)
{
    const QSqlDatabase db = verbindung.Datenbank();
    if (!db.isOpen() || !db.driver())
        return nullptr;
    const QVariant h = db.driver()->handle();
    if (!h.isValid() || qstrcmp(h.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3* const*>(h.constData());
}

QSqlError Fehler(sqlite3* db)
{
    return QSqlError(QString(), QString::fromUtf8(sqlite3_errmsg(db)), QSqlError::StatementError,
        QString::number(sqlite3_extended_errcode(db)));
}

} // namespace

SchnelleAbfrage::SchnelleAbfrage(Verbindung& v, const QString& text, bool ohneMeldung)
    : verbindung(v)
    , sql(text)
    , leise(ohneMeldung)
{
    sqlite3* db = Handle(verbindung);
    if (!db) {
        if (!leise)
            FehlerProtokollieren(QStringLiteral("Fehler beim Öffnen einer Tabelle: ") + sql);
        fehlgeschlagen = true;
        return;
    }
    sqlite3_stmt*& gemerkt = vorbereitet()[verbindung.Name()][sql];
    if (!gemerkt) {
        const QByteArray utf8 = sql.toUtf8();
        if (sqlite3_prepare_v3(db, utf8.constData(), static_cast<int>(utf8.size()), SQLITE_PREPARE_PERSISTENT,
                &gemerkt, nullptr)
            != SQLITE_OK) {
            if (!leise)
                verbindung.FehlerMerken(Fehler(db), sql);
            sqlite3_finalize(gemerkt);
            vorbereitet()[verbindung.Name()].remove(sql);
            fehlgeschlagen = true;
            return;
        }
    }
    anweisung = gemerkt;
}

SchnelleAbfrage::~SchnelleAbfrage()
{
    // Gives the statement's read of the file back; the statement stays.
    if (anweisung)
        sqlite3_reset(anweisung);
}

bool SchnelleAbfrage::Naechste()
{
    if (!anweisung || fehlgeschlagen)
        return false;
    int ergebnis = sqlite3_step(anweisung);
    // Outside a transaction another program's write can hold the file at the
    // first step: waited out as an opening is, up to five attempts.
    for (int versuch = 1; !begonnen && !leise && !verbindung.InTransaktion() && versuch < 5
         && (ergebnis == SQLITE_BUSY || ergebnis == SQLITE_LOCKED);
         ++versuch) {
        FehlerProtokollieren(QStringLiteral("Datenbank besetzt, intZaehler = ") + QString::number(versuch)
                + QStringLiteral(": ") + verbindung.Pfad(),
            4);
        sqlite3_reset(anweisung);
        ui().Warten(2000);
        ergebnis = sqlite3_step(anweisung);
    }
    begonnen = true;
    if (ergebnis == SQLITE_ROW)
        return true;
    if (ergebnis != SQLITE_DONE) {
        fehlgeschlagen = true;
        if (!leise)
            verbindung.FehlerMerken(Fehler(sqlite3_db_handle(anweisung)), sql);
    }
    return false;
}

bool SchnelleAbfrage::IstNull(int spalte) const
{
    return sqlite3_column_type(anweisung, spalte) == SQLITE_NULL;
}

QVariant SchnelleAbfrage::Wert(int spalte) const
{
    switch (sqlite3_column_type(anweisung, spalte)) {
    case SQLITE_INTEGER:
        return QVariant::fromValue<qlonglong>(sqlite3_column_int64(anweisung, spalte));
    case SQLITE_FLOAT:
        return sqlite3_column_double(anweisung, spalte);
    case SQLITE_NULL:
        return QVariant(QMetaType::fromType<QString>());
    case SQLITE_BLOB:
        return QByteArray(static_cast<const char*>(sqlite3_column_blob(anweisung, spalte)),
            sqlite3_column_bytes(anweisung, spalte));
    default: {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(anweisung, spalte));
        return QString::fromUtf8(text, sqlite3_column_bytes(anweisung, spalte));
    }
    }
}

bool SchnellAusfuehren(Verbindung& verbindung, const QString& sql)
{
    SchnelleAbfrage a(verbindung, sql, true);
    if (!a.Bereit())
        return false;
    while (a.Naechste()) {
    }
    return !a.Fehlgeschlagen();
}

void SchnelleAbfragenFreigeben(const QString& verbindungsname)
{
    const QHash<QString, sqlite3_stmt*> anweisungen = vorbereitet().take(verbindungsname);
    for (sqlite3_stmt* a : anweisungen)
        sqlite3_finalize(a);
}

} // namespace kelvora
