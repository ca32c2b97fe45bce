#include "database/Schemapflege.h"

#include "database/DatenbankRoutinen.h"
#include "frame/Oberflaeche.h"
#include "frame/Programm.h"
#include "frame/Protokoll.h"

#include <QDateTime>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

namespace kelvora {

namespace {

// The column type written for a type word; empty for an unknown word.
QString Spaltentyp(const QString& typwort, int textLaenge)
{
    const QString w = typwort.trimmed().toUpper();
    if (w == QLatin1String("DATETIME") || w == QLatin1String("DATE"))
        return QStringLiteral("DATETIME");
    if (w == QLatin1String("TEXT"))
        return QStringLiteral("TEXT(") + QString::number(textLaenge) + QLatin1Char(')');
    if (w == QLatin1String("BOOLEAN"))
        return QStringLiteral("YESNO");
    for (const char* gleich : { "MEMO", "LONG", "INTEGER", "DOUBLE", "CURRENCY" })
        if (w == QLatin1String(gleich))
            return w;
    return QString();
}

// A default value as SQL text. DDL takes no bound parameters, so this is the
// one place where a value is written into the statement itself.
QString SqlLiteral(const QVariant& wert)
{
    if (!wert.isValid() || wert.isNull())
        return QStringLiteral("NULL");
    switch (wert.metaType().id()) {
    case QMetaType::Bool:
        return wert.toBool() ? QStringLiteral("1") : QStringLiteral("0");
    case QMetaType::Double:
    case QMetaType::Float:
        return QString::number(wert.toDouble(), 'g', 17);
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return wert.toString();
    case QMetaType::QDateTime:
        return QLatin1Char('\'') + wert.toDateTime().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss"))
            + QLatin1Char('\'');
    case QMetaType::QDate:
        return QLatin1Char('\'') + wert.toDate().toString(QStringLiteral("yyyy-MM-dd")) + QLatin1Char('\'');
    default: {
        QString t = wert.toString();
        t.replace(QLatin1Char('\''), QStringLiteral("''"));
        return QLatin1Char('\'') + t + QLatin1Char('\'');
    }
    }
}

// Columns of RationenInhalt beyond ID and FutterID, which older databases
// already have: name, type word, default (invalid: none).
struct InhaltSpalte {
    const char* name;
    const char* typwort;
    QVariant vorgabe;
};

const QList<InhaltSpalte>& InhaltSpalten()
{
    static const QList<InhaltSpalte> spalten{
        {"RationID", "INTEGER", QVariant()},          {"FutterFrischMenge", "DOUBLE", 0.0},
        {"ProzentAnteil", "DOUBLE", QVariant()},      {"FixeMenge", "INTEGER", 1},
        {"Reihung", "INTEGER", 0},
    };
    return spalten;
}

// The same statements as the delivered schema, so that an upgraded database
// cannot be told from a new one.
const QString RationenTabelle = QStringLiteral(
    "CREATE TABLE Rationen (ID INTEGER PRIMARY KEY AUTOINCREMENT, Name TEXT NOT NULL COLLATE NOCASE UNIQUE, "
    "Tiere INTEGER DEFAULT 0, Gewicht INTEGER DEFAULT 650, Milch DOUBLE DEFAULT 0, Fett DOUBLE DEFAULT 0, "
    "Eiweiss DOUBLE DEFAULT 3.4, "
    "Milchpreis DOUBLE, Reserve DOUBLE DEFAULT 3, Bemerkung TEXT, AngelegtAm DATETIME, GeaendertAm DATETIME)");
const QString InhaltTabelle = QStringLiteral(
    "CREATE TABLE RationenInhalt (ID INTEGER PRIMARY KEY AUTOINCREMENT, RationID INTEGER, FutterID INTEGER, "
    "FutterFrischMenge DOUBLE DEFAULT 0, ProzentAnteil DOUBLE, FixeMenge INTEGER DEFAULT 1, Reihung INTEGER "
    "DEFAULT 0)");
const QString InhaltIndex
    = QStringLiteral("CREATE INDEX IF NOT EXISTS RationenInhaltRation ON RationenInhalt (RationID)");

// Column names of a table; empty when the table does not exist.
bool Spaltennamen(Verbindung& v, const QString& tabelle, QStringList& namen)
{
    namen.clear();
    QSqlQuery q;
    if (!AbfrageOeffnen(v, q, QStringLiteral("PRAGMA table_info(") + SqlName(tabelle) + QLatin1Char(')')))
        return false;
    while (q.next())
        namen << q.value(1).toString();
    return true;
}

bool IndexDa(Verbindung& v, bool& da)
{
    QSqlQuery q;
    if (!AbfrageOeffnen(v, q, QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'index' AND name = ?"),
                        {QStringLiteral("RationenInhaltRation")}))
        return false;
    da = q.next();
    return true;
}

} // namespace

bool Feldhinzufuegen(const QString& datenbankPfad, const QString& tabelle, const QString& spalte,
    const QString& typwort, int textLaenge, bool fehlerZeigen, bool ohneVorgabe, const QVariant& vorgabe,
    Verbindung* verbindung)
{
    if (!QFileInfo(datenbankPfad).isFile()) {
        MsgBox(QStringLiteral("Datenbank nicht gefunden"), Knoepfe::OK, Symbol::Kritisch);
        return false;
    }
    const QString typ = Spaltentyp(typwort, textLaenge);
    if (typ.isEmpty()) {
        FehlerProtokollieren(QStringLiteral("Datentyp wurde nicht erkannt: ") + typwort);
        MsgBox(typwort + QStringLiteral(": ") + QStringLiteral("Datentyp wurde nicht erkannt"));
        return false;
    }

    const QString kopf = QStringLiteral("Feldhinzufuegen zu ") + tabelle + QStringLiteral(" _ ") + spalte
        + QStringLiteral(" _ ") + typ + QStringLiteral(" FEHLER: ");
    Verbindung eigene;
    Verbindung* v = verbindung;
    if (!v || !v->IstOffen()) {
        bool beschaedigt = false;
        if (!DatenbankOeffnenVersuch(eigene, datenbankPfad, false, beschaedigt)) {
            const QString text = QStringLiteral("Datenbank konnte nicht geöffnet werden: ") + datenbankPfad;
            FehlerProtokollieren(kopf + text, 12);
            if (fehlerZeigen)
                MsgBox(text, Knoepfe::OK, Symbol::Kritisch);
            return false;
        }
        v = &eigene;
    }

    QString sql
        = QStringLiteral("ALTER TABLE ") + tabelle + QStringLiteral(" ADD COLUMN ") + spalte + QLatin1Char(' ') + typ;
    if (!ohneVorgabe)
        sql += QStringLiteral(" DEFAULT ") + SqlLiteral(vorgabe);

    QSqlQuery q(v->Datenbank());
    if (q.exec(sql)) {
        ProtokollSchreiben(QStringLiteral("OK: ") + sql, 12);
        return true;
    }
    const QSqlError fehler = q.lastError();
    const QString beschreibung = fehler.databaseText().isEmpty() ? fehler.text() : fehler.databaseText();
    // SQLite names an existing column "duplicate column name"; that is the
    // normal case on every start after the first and stays silent.
    if (!beschreibung.contains(QLatin1String("duplicate column name"), Qt::CaseInsensitive))
        FehlerProtokollieren(kopf + QString::number(SqlFehlerNummer(fehler)) + QLatin1Char(' ') + beschreibung, 12);
    if (fehlerZeigen)
        MsgBox(beschreibung, Knoepfe::OK, Symbol::Kritisch);
    return false;
}

bool RationenTabellenPflegen(Verbindung& v, bool* geaendert)
{
    if (geaendert)
        *geaendert = false;
    QStringList rationen, inhalt;
    bool indexDa = false;
    if (!Spaltennamen(v, QStringLiteral("Rationen"), rationen) || !Spaltennamen(v, QStringLiteral("RationenInhalt"), inhalt)
        || !IndexDa(v, indexDa))
        return false;
    QList<const InhaltSpalte*> fehlend;
    for (const InhaltSpalte& s : InhaltSpalten())
        if (!inhalt.isEmpty() && !inhalt.contains(QString::fromLatin1(s.name)))
            fehlend << &s;
    // Milk protein came with the German standard; older stored rations read
    // the usual 3,40 %.
    const bool eiweissFehlt = !rationen.isEmpty() && !rationen.contains(QStringLiteral("Eiweiss"));
    if (!rationen.isEmpty() && !inhalt.isEmpty() && fehlend.isEmpty() && indexDa && !eiweissFehlt)
        return true;

    // All or nothing: a half-upgraded database would pass for a new one at
    // the next start and miss a column for good.
    Transaktion t(v);
    bool ok = t.Beginnen();
    QStringList anweisungen;
    if (rationen.isEmpty())
        anweisungen << RationenTabelle;
    if (inhalt.isEmpty())
        anweisungen << InhaltTabelle;
    for (const QString& sql : anweisungen) {
        ok = ok && AnweisungAusfuehren(v, sql);
        if (ok)
            ProtokollSchreiben(QStringLiteral("OK: ") + sql, 12);
    }
    for (const InhaltSpalte* s : fehlend)
        ok = ok
            && Feldhinzufuegen(v.Pfad(), QStringLiteral("RationenInhalt"), QString::fromLatin1(s->name),
                               QString::fromLatin1(s->typwort), 0, false, !s->vorgabe.isValid(), s->vorgabe, &v);
    if (eiweissFehlt)
        ok = ok
            && Feldhinzufuegen(v.Pfad(), QStringLiteral("Rationen"), QStringLiteral("Eiweiss"), QStringLiteral("DOUBLE"),
                               0, false, false, 3.4, &v);
    ok = ok && AnweisungAusfuehren(v, InhaltIndex) && t.Bestaetigen();
    if (ok && geaendert)
        *geaendert = true;
    return ok;
}

bool SchemaPflegen()
{
    const QString pfad = programm().futterDatenbank;
    if (!QFileInfo(pfad).isFile()) {
        ProtokollSchreiben(QStringLiteral("SchemaPflegen: ") + pfad
            + QStringLiteral(" fehlt, die Spalten werden beim nächsten Start geprüft."));
        return false;
    }
    bool tabellen = false;
    {
        Verbindung v;
        bool beschaedigt = false;
        // A database that cannot be upgraded now is upgraded by the first
        // action on the named rations, which then reports why it cannot.
        if (DatenbankOeffnenVersuch(v, pfad, false, beschaedigt) && !RationenTabellenPflegen(v, &tabellen))
            FehlerProtokollieren(QStringLiteral("SchemaPflegen: die Tabellen der Rationen fehlen in ") + pfad
                + QStringLiteral(": ") + v.LetzterFehler().text, 12);
    }
    const bool spalte = Feldhinzufuegen(pfad, QStringLiteral("Futtermittel"), QStringLiteral("FutterArtIOFC"),
        QStringLiteral("INTEGER"), 0, false, false, 0);
    return spalte || tabellen;
}

} // namespace kelvora
