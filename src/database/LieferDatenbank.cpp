#include "database/LieferDatenbank.h"

#include "database/DateienFinden.h"
#include "database/DatenbankRoutinen.h"
#include "database/Datenbankholen.h"
#include "frame/Programm.h"
#include "frame/Protokoll.h"

#include <QAtomicInt>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

namespace kelvora {

namespace {

struct Abbruch {
    QString text;
};

QString DateiLesen(const QString& pfad)
{
    QFile f(pfad);
    if (!f.open(QIODevice::ReadOnly))
        throw Abbruch { QStringLiteral("Datei kann nicht gelesen werden: ") + pfad };
    QString text = QString::fromUtf8(f.readAll());
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    return text;
}

void Ausfuehren(QSqlQuery& q, const QString& sql)
{
    if (!q.exec(sql))
        throw Abbruch { q.lastError().text() + QStringLiteral(": ") + sql.simplified() };
}

// The table of the database whose name equals the file's base name, in any case.
QString TabelleFuer(const QSqlDatabase& db, const QString& csvPfad)
{
    const QString basis = QFileInfo(csvPfad).completeBaseName();
    for (const QString& t : db.tables())
        if (t.compare(basis, Qt::CaseInsensitive) == 0)
            return t;
    throw Abbruch { QStringLiteral("Keine Tabelle zur Datei ") + csvPfad };
}

// Rows of one CSV file: ';'-separated, header of column names, an empty field
// is NULL. Values go in as text; the column types of the schema turn them
// into numbers where the column holds numbers.
void CsvEinlesen(QSqlDatabase& db, const QString& csvPfad)
{
    const QString tabelle = TabelleFuer(db, csvPfad);
    QStringList zeilen = DateiLesen(csvPfad).split(QLatin1Char('\n'));
    for (QString& z : zeilen)
        if (z.endsWith(QLatin1Char('\r')))
            z.chop(1);
    while (!zeilen.isEmpty() && zeilen.first().trimmed().isEmpty())
        zeilen.removeFirst();
    if (zeilen.isEmpty())
        throw Abbruch { QStringLiteral("Datei ohne Kopfzeile: ") + csvPfad };

    const QStringList spalten = zeilen.takeFirst().split(QLatin1Char(';'));
    QStringList namen, platzhalter;
    for (const QString& s : spalten) {
        if (s.trimmed().isEmpty())
            throw Abbruch { QStringLiteral("Leerer Spaltenname in ") + csvPfad };
        namen << SqlName(s.trimmed());
        platzhalter << QStringLiteral("?");
    }
    QSqlQuery q(db);
    const QString sql = QStringLiteral("INSERT INTO ") + SqlName(tabelle) + QStringLiteral(" (")
        + namen.join(QStringLiteral(", ")) + QStringLiteral(") VALUES (") + platzhalter.join(QStringLiteral(", "))
        + QLatin1Char(')');
    if (!q.prepare(sql))
        throw Abbruch { q.lastError().text() + QStringLiteral(": ") + sql };

    int nummer = 1;
    for (const QString& zeile : std::as_const(zeilen)) {
        ++nummer;
        if (zeile.trimmed().isEmpty())
            continue;
        const QStringList felder = zeile.split(QLatin1Char(';'));
        if (felder.size() != spalten.size())
            throw Abbruch { csvPfad + QStringLiteral(", Zeile ") + QString::number(nummer) + QStringLiteral(": ")
                + QString::number(felder.size()) + QStringLiteral(" statt ") + QString::number(spalten.size())
                + QStringLiteral(" Felder") };
        for (const QString& f : felder)
            q.addBindValue(f.isEmpty() ? QVariant() : QVariant(f));
        if (!q.exec())
            throw Abbruch { csvPfad + QStringLiteral(", Zeile ") + QString::number(nummer) + QStringLiteral(": ")
                + q.lastError().text() };
    }
}

void Bauen(const QString& quellOrdner, const QString& datei)
{
    static QAtomicInt zaehler;
    const QString name = QStringLiteral("kelvora_bau_") + QString::number(zaehler.fetchAndAddRelaxed(1));
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(datei);
        try {
            if (!db.open())
                throw Abbruch { db.lastError().text() + QStringLiteral(": ") + datei };
            QSqlQuery q(db);
            Ausfuehren(q, QStringLiteral("BEGIN"));
            for (const QString& anweisung : SqlAnweisungen(DateiLesen(quellOrdner + QStringLiteral("/schema.sql"))))
                Ausfuehren(q, anweisung);
            QStringList csv = QDir(quellOrdner).entryList({ QStringLiteral("*.csv") }, QDir::Files, QDir::Name);
            for (const QString& c : csv)
                CsvEinlesen(db, quellOrdner + QLatin1Char('/') + c);
            Ausfuehren(q, QStringLiteral("COMMIT"));
        } catch (...) {
            db.close();
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(name);
            throw;
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
}

} // namespace

QStringList SqlAnweisungen(const QString& text)
{
    QStringList ergebnis;
    QString aktuell;
    QChar schluss; // the character that ends the open quote, or null
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        const QChar naechstes = i + 1 < text.size() ? text[i + 1] : QChar();
        if (!schluss.isNull()) {
            aktuell += c;
            if (c == schluss)
                schluss = QChar();
            continue;
        }
        if (c == QLatin1Char('-') && naechstes == QLatin1Char('-')) {
            while (i < text.size() && text[i] != QLatin1Char('\n'))
                ++i;
            aktuell += QLatin1Char('\n');
            continue;
        }
        if (c == QLatin1Char('/') && naechstes == QLatin1Char('*')) {
            const qsizetype ende = text.indexOf(QStringLiteral("*/"), i + 2);
            i = ende < 0 ? text.size() : ende + 1;
            aktuell += QLatin1Char(' ');
            continue;
        }
        if (c == QLatin1Char(';')) {
            if (!aktuell.trimmed().isEmpty())
                ergebnis << aktuell.trimmed();
            aktuell.clear();
            continue;
        }
        if (c == QLatin1Char('\'') || c == QLatin1Char('"') || c == QLatin1Char('`'))
            schluss = c;
        else if (c == QLatin1Char('['))
            schluss = QLatin1Char(']');
        aktuell += c;
    }
    if (!aktuell.trimmed().isEmpty())
        ergebnis << aktuell.trimmed();
    return ergebnis;
}

bool LieferDatenbankBauen(const QString& quellOrdner, const QString& zielPfad, QString* fehler)
{
    const QString neu = zielPfad + QStringLiteral(".neu");
    QFile::remove(neu);
    try {
        if (!QFileInfo(quellOrdner + QStringLiteral("/schema.sql")).isFile())
            throw Abbruch { QStringLiteral("schema.sql fehlt in ") + quellOrdner };
        Bauen(quellOrdner, neu);
        if (QFileInfo::exists(zielPfad) && !QFile::remove(zielPfad))
            throw Abbruch { zielPfad + QStringLiteral(" kann nicht ersetzt werden") };
        if (!QFile::rename(neu, zielPfad))
            throw Abbruch { neu + QStringLiteral(" kann nicht in ") + zielPfad + QStringLiteral(" umbenannt werden") };
        return true;
    } catch (const Abbruch& a) {
        QFile::remove(neu);
        if (fehler)
            *fehler = a.text;
        return false;
    }
}

namespace {

QString& GesetzterLieferOrdner()
{
    static QString ordner;
    return ordner;
}

} // namespace

QString LieferOrdner()
{
    const QString& gesetzt = GesetzterLieferOrdner();
    return gesetzt.isEmpty() ? QCoreApplication::applicationDirPath() : gesetzt;
}

void LieferOrdnerSetzen(const QString& ordner)
{
    GesetzterLieferOrdner() = ordner;
}

bool DatenordnerEinrichten(const QString& ausfuehrungsOrdner)
{
    const QString ordner = programm().datenordner;
    if (ordner.isEmpty() || !QDir().mkpath(ordner))
        return false;
    // Any trace of the user's data, in any letter case, means the folder was
    // used before: the start-up checks then restore the user's own copy. The
    // settings are none: the user may prepare them before the first start.
    for (const char* name : { "Futter.mdb", "Futter.BAK", "Futter.KOM" })
        if (QFileInfo::exists(DateiImOrdner(ordner, QLatin1String(name))))
            return false;
    const QString sicherung = SicherungsOrdner();
    if (QFileInfo(sicherung).isDir()
        && !QDir(sicherung).entryList({ QStringLiteral("Futter*.mdb") }, QDir::Files).isEmpty()) {
        ProtokollSchreiben(QStringLiteral("DatenordnerEinrichten: ") + ordner
            + QStringLiteral(" erhält keine mitgelieferte Datenbank, weil im Ordner ") + sicherung
            + QStringLiteral(" Sicherungskopien liegen."));
        return false;
    }

    const QString lieferung = ausfuehrungsOrdner + QLatin1Char('/') + QLatin1String(LieferDatenbankName);
    if (!QFileInfo(lieferung).isFile()) {
        FehlerProtokollieren(QStringLiteral("DatenordnerEinrichten: mitgelieferte Datenbank fehlt: ") + lieferung);
        return false;
    }
    ProtokollSchreiben(QStringLiteral("DatenordnerEinrichten: neuer Datenordner ") + ordner
        + QStringLiteral(" erhält die mitgelieferte Datenbank ") + lieferung);
    return DateiKopieren(lieferung, programm().futterDatenbank, false, false);
}

} // namespace kelvora
