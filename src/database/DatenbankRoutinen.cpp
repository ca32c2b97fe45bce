#include "database/DatenbankRoutinen.h"

#include "database/DateienFinden.h"
#include "database/DatenTypen.h"
#include "database/Datenbankholen.h"
#include "frame/Oberflaeche.h"
#include "frame/Protokoll.h"

#include <QAtomicInt>
#include <QFileInfo>
#include <QSqlError>
#include <QUrl>

namespace kelvora {

namespace {

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

QString ZeitText(const QDateTime& zeit)
{
    return zeit.toString(QStringLiteral("dd.MM.yyyy hh:mm"));
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

// A damaged database may be replaced by the younger of its ".BAK" and ".KOM"
// copies, but only by one from the last day and only when the user agrees;
// older copies are left to the start-up rules.
void WiederherstellungAnbieten(const QString& pfad)
{
    const QString bak = pfad.left(pfad.size() - 3) + QStringLiteral("BAK");
    const QString kom = pfad.left(pfad.size() - 3) + QStringLiteral("KOM");
    const bool bakDa = QFileInfo(bak).isFile();
    const bool komDa = QFileInfo(kom).isFile();
    QString kopie;
    if (komDa && (!bakDa || Dateizeit(kom) > Dateizeit(bak)))
        kopie = kom;
    else if (bakDa)
        kopie = bak;

    const QDateTime jetzt = ui().Jetzt();
    if (kopie.isEmpty() || !(Dateizeit(kopie) > jetzt.addDays(-1))) {
        ProtokollSchreiben(QStringLiteral("Keine Wiederherstellung der Sicherungskopie von ") + pfad
            + QStringLiteral(", weil keine junge Datei vorhanden ist."));
        return;
    }
    const QString zeit = ZeitText(Dateizeit(kopie));
    const Antwort a = MsgBox(QStringLiteral("Die Datenbank ") + pfad
            + QStringLiteral(" kann nicht geöffnet werden. Vermutlich wurde sie beschädigt. Soll sie jetzt durch die "
                             "Sicherungskopie vom Zeitpunkt ")
            + zeit + QStringLiteral(" ersetzt werden?"),
        Knoepfe::JaNein, Symbol::Frage, Antwort::Nein,
        QStringLiteral("Datenbank wiederherstellen aus Sicherungskopie"));
    if (a != Antwort::Ja)
        return;

    ProtokollSchreiben(QStringLiteral("Wiederherstellung der Sicherungskopie von ") + pfad + QStringLiteral(" aus ")
        + kopie + QLatin1Char('(') + zeit + QStringLiteral(") gewünscht!"));
    if (!DateiLoeschen(pfad, 4))
        return;
    if (!Umbenennen(kopie, pfad, true)) {
        FehlerProtokollieren(
            kopie + QStringLiteral(" konnte nicht in ") + pfad + QStringLiteral(" umbenannt werden."), 4);
        return;
    }
    ProtokollSchreiben(kopie + QStringLiteral(" in ") + pfad + QStringLiteral(" umbenannt."), 4);
    MsgBox(QStringLiteral(" Die Datenbank wurde aus einer Sicherungskopie wiederhergestellt. Bitte prüfen Sie "
                          "unbedingt in der Tageskontrolle oder aus dem Protokoll der Behandlungen, ob die zuletzt "
                          "eingegebenen Behandlungen vorhanden sind."),
        Knoepfe::OK, Symbol::Ausrufezeichen);
}

} // namespace

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
    {
        QSqlDatabase db = QSqlDatabase::database(name, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    name.clear();
}

// ------------------------------------------------------------- Öffnen

QString PfadHolen(const QString& kurzname)
{
    QString pfad;
    Datenbankholen(kurzname, pfad);
    return pfad;
}

bool DatenbankOeffnenVersuch(Verbindung& verbindung, const QString& pfad, bool nurLesen, bool& beschaedigt)
{
    beschaedigt = false;
    verbindung.Schliessen();
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
                q.finish();
                // Once open, short waits for another program's write are fine.
                q.exec(QStringLiteral("PRAGMA busy_timeout = 1000"));
            }
        }
        if (fehlerText.isEmpty()) {
            verbindung.name = name;
            verbindung.pfad = pfad;
            verbindung.nurLesen = nurLesen;
            return true;
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
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
        const QString text = QStringLiteral("Datenbank konnte nicht geöffnet werden: ") + pfad;
        FehlerProtokollieren(text);
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

bool AbfrageOeffnen(Verbindung& verbindung, QSqlQuery& abfrage, const QString& sql, const QVariantList& werte)
{
    abfrage = QSqlQuery(verbindung.Datenbank());
    abfrage.setForwardOnly(false);
    bool ok = verbindung.IstOffen() && abfrage.prepare(sql);
    if (ok) {
        for (const QVariant& w : werte)
            abfrage.addBindValue(w);
        ok = abfrage.exec();
    }
    if (!ok) {
        FehlerProtokollieren(QStringLiteral("Fehler beim Öffnen einer Tabelle: ") + sql);
        if (verbindung.IstOffen())
            FehlerProtokollieren(abfrage.lastError().text(), 4);
    }
    return ok;
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
    return ok && geloescht > 0;
}

} // namespace kelvora
