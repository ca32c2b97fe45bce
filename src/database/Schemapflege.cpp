#include "database/Schemapflege.h"

#include "database/DatenbankRoutinen.h"
#include "frame/Oberflaeche.h"
#include "frame/Programm.h"
#include "frame/Protokoll.h"

#include <QDateTime>
#include <QFileInfo>
#include <QSqlError>

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

bool SchemaPflegen()
{
    const QString pfad = programm().futterDatenbank;
    if (!QFileInfo(pfad).isFile()) {
        ProtokollSchreiben(QStringLiteral("SchemaPflegen: ") + pfad
            + QStringLiteral(" fehlt, die Spalten werden beim nächsten Start geprüft."));
        return false;
    }
    return Feldhinzufuegen(pfad, QStringLiteral("Futtermittel"), QStringLiteral("FutterArtIOFC"),
        QStringLiteral("INTEGER"), 0, false, false, 0);
}

} // namespace kelvora
