#include "database/Datenbankholen.h"

#include "database/DateienFinden.h"
#include "database/DatenbankRoutinen.h"
#include "frame/FunktionenFuerINI.h"
#include "frame/Oberflaeche.h"
#include "frame/Programm.h"
#include "frame/Protokoll.h"

#include <QDirIterator>
#include <QFileInfo>

namespace kelvora {

namespace {

// Every line of the start-up checks goes to the error log as well: they are
// what one reads after a user reports lost data.
void Melden(const QString& text, int einruecken = 0)
{
    FehlerProtokollieren(text, einruecken);
}

QString Minuten(const QDateTime& t)
{
    return t.toString(QStringLiteral("dd.MM.yyyy hh:mm"));
}

QString Sekunden(const QDateTime& t)
{
    return t.toString(QStringLiteral("dd.MM.yyyy hh:mm:ss"));
}

bool Da(const QString& pfad)
{
    return QFileInfo(pfad).isFile();
}

struct Kandidat {
    QString datei;
    QDateTime zeit;
};

// The youngest of the first ten files kurzname*.mdb in the folder, in the
// order the directory lists them.
Kandidat JuengsteSicherungskopie(const QString& ordner, const QString& kurzname)
{
    Kandidat k { QString(), DateizeitFehlend() };
    QDirIterator it(ordner, { kurzname + QStringLiteral("*.mdb") }, QDir::Files);
    for (int gesehen = 0; gesehen < 10 && it.hasNext(); ++gesehen) {
        const QString datei = it.next();
        const QDateTime zeit = Dateizeit(datei);
        if (k.datei.isEmpty() || zeit > k.zeit)
            k = { datei, zeit };
    }
    return k;
}

// SQLite's journal of a database that is about to be replaced belongs to
// the old file; left in place it would be rolled back into the copy.
bool JournalWeg(const QString& mdb)
{
    if (SqliteBegleiterLoeschen(mdb))
        return true;
    Melden(QStringLiteral("Das Journal von ") + mdb
        + QStringLiteral(" kann nicht gelöscht werden; die Sicherungskopie wird deshalb nicht eingesetzt."));
    return false;
}

// A newer companion (".KOM" or ".BAK") takes the place of the database.
void BegleiterEinsetzen(const QString& kurzname, const QString& endung, const QString& begleiter, const QString& mdb)
{
    const QString n = kurzname;
    Melden(n + QLatin1Char('.') + endung.toUpper() + QStringLiteral(" wird beim Programmstart umbenannt weil die ") + n
        + QStringLiteral(".mdb älter oder nicht vorhanden ist."));
    Melden(endung.toUpper() + QStringLiteral(": ") + begleiter + QLatin1Char(' ') + Minuten(Dateizeit(begleiter))
        + QStringLiteral("  ") + mdb + QLatin1Char(' ') + Minuten(Dateizeit(mdb)));
    if (JournalWeg(mdb) && Umbenennen(begleiter, mdb, true))
        Melden(QStringLiteral("Erfolgreich! ") + n + QLatin1Char('.') + endung + QStringLiteral(" in ") + n
            + QStringLiteral(".mdb umbenannt."));
    else
        Melden(QStringLiteral("Hat nicht funktioniert! ") + n + QLatin1Char('.') + endung
            + QStringLiteral(" bleibt neben ") + n + QStringLiteral(".mdb erhalten!"));
}

// Opens the database once and runs SQLite's quick check over every page: a
// database that fails it is no reason to throw away its compacted copy.
bool DatenbankGeprueft(const QString& mdb)
{
    Verbindung v;
    bool beschaedigt = false;
    if (!DatenbankOeffnenVersuch(v, mdb, true, beschaedigt))
        return false;
    QSqlQuery q;
    if (!AbfrageOeffnen(v, q, QStringLiteral("PRAGMA quick_check")) || !q.next())
        return false;
    const QString ergebnis = q.value(0).toString();
    if (ergebnis == QLatin1String("ok"))
        return true;
    Melden(QStringLiteral("Prüfung von ") + mdb + QStringLiteral(" fehlgeschlagen: ") + ergebnis);
    return false;
}

} // namespace

QString SicherungsOrdner()
{
    const QString vorgabe = programm().datenordner + QStringLiteral("/Sicherung");
    const QString ordner = INILesen(QStringLiteral("Daten"), QStringLiteral("OrdnerSicherungskopien"), vorgabe);
    return ordner.trimmed().isEmpty() ? vorgabe : ordner;
}

bool Datenbankholen(const QString& kurzname, QString& pfad)
{
    const QString& n = kurzname;
    // A folder copied from Windows may spell the files in any case; the
    // names found are the names kept.
    const QString ordner = programm().datenordner;
    const QString mdb = DateiImOrdner(ordner, n + QStringLiteral(".mdb"));
    const QString bak = DateiImOrdner(ordner, n + QStringLiteral(".BAK"));
    const QString kom = DateiImOrdner(ordner, n + QStringLiteral(".KOM"));
    pfad = mdb;

    const QDateTime jetzt = ui().Jetzt();
    const QDateTime dreiTage(jetzt.date().addDays(-3), QTime(0, 0));
    const QDateTime tMdb = Dateizeit(mdb);
    const QDateTime tBak = Dateizeit(bak);
    const QDateTime tKom = Dateizeit(kom);

    if (Da(kom)) {
        if (tKom > tMdb && tKom > tBak) {
            if (tKom >= dreiTage)
                BegleiterEinsetzen(n, QStringLiteral("kom"), kom, mdb);
        } else if (tBak > tKom && tBak > tMdb) {
            if (tBak >= dreiTage)
                BegleiterEinsetzen(n, QStringLiteral("BAK"), bak, mdb);
        } else if (Da(mdb) && tMdb >= tKom) {
            // Only a ".KOM" that the database has overtaken is stale; one that
            // is newer than the database is never thrown away here. Nor is one
            // beside a database that does not pass the check: it is the copy
            // the restore offer will need.
            if (!DatenbankGeprueft(mdb))
                Melden(n + QStringLiteral(".KOM bleibt erhalten, weil ") + n
                    + QStringLiteral(".mdb nicht geöffnet oder geprüft werden kann."));
            else if (DateiLoeschen(kom))
                Melden(
                    n + QStringLiteral(".KOM, die älter als die ") + n + QStringLiteral(".mdb ist, wurde gelöscht."));
            else
                Melden(n + QStringLiteral(".KOM, die älter als die ") + n
                    + QStringLiteral(".mdb ist, konnte nicht gelöscht werden."));
        }
    }

    if (!Da(kom) && !Da(mdb) && Da(bak)) {
        if (tBak < dreiTage) {
            Melden(QStringLiteral("KOM existiert nicht. BAK nicht verwendet, weil älter als drei Tage: ")
                + tBak.toString(QStringLiteral("dd.MM.yy hh:mm")));
        } else {
            Melden(n + QStringLiteral(".BAK wird beim Programmstart in MDB kopiert, weil die ") + n
                + QStringLiteral(".mdb nicht vorhanden ist."));
            Melden(QStringLiteral("BAK: ") + bak + QLatin1Char(' ') + Minuten(tBak) + QStringLiteral("  ") + mdb
                + QLatin1Char(' ') + Minuten(tMdb));
            if (JournalWeg(mdb) && DateiKopieren(bak, mdb, false, false))
                Melden(QStringLiteral("Erfolgreich! ") + n + QStringLiteral(".BAK in ") + n
                    + QStringLiteral(".mdb kopiert."));
            else
                Melden(QStringLiteral("Hat nicht funktioniert! ") + n + QStringLiteral(".BAK wird nicht in ") + n
                    + QStringLiteral(".mdb kopiert!"));
        }
    }

    if (!Da(mdb)) {
        const QString sicherung = SicherungsOrdner();
        if (!OrdnerExistiert(sicherung)) {
            Melden(QStringLiteral("Ordner Sicherungskopien ") + sicherung + QStringLiteral(" existiert nicht!"));
        } else if (Kandidat wahl = JuengsteSicherungskopie(sicherung, n); !wahl.datei.isEmpty()) {
            const bool komDa = Da(kom);
            const bool bakDa = Da(bak);
            if ((komDa && Dateizeit(kom) > wahl.zeit) || (bakDa && Dateizeit(bak) > wahl.zeit)) {
                const bool komJuenger = komDa && (!bakDa || Dateizeit(kom) > Dateizeit(bak));
                const QString begleiter = komJuenger ? kom : bak;
                const QString art = komJuenger ? QStringLiteral("KOM") : QStringLiteral("BAK");
                Melden(QStringLiteral("Sicherungskopie wird abgelehnt weil ") + art + QStringLiteral(" jünger ist."));
                Melden(QStringLiteral("Jüngste Sicherungskopie: ") + Sekunden(wahl.zeit) + QStringLiteral("  ")
                        + wahl.datei,
                    4);
                Melden(art + QStringLiteral("-Datei              : ")
                        + Dateizeit(begleiter).toString(QStringLiteral("dd.MM.yyyy hh:mm.ss")) + QStringLiteral("  ")
                        + begleiter,
                    4);
                wahl = { begleiter, Dateizeit(begleiter) };
            }

            if (wahl.zeit < jetzt.addDays(-99)) {
                const QString text = QStringLiteral("Die ") + n
                    + QStringLiteral("-Datenbank wurde als Sicherungskopie gefunden: ") + wahl.datei
                    + QStringLiteral(", allerdings ist die Sicherungskopie bereits älter als drei Monate und wird "
                                     "daher nicht verwendet: ")
                    + Sekunden(wahl.zeit) + QStringLiteral("\n\n")
                    + QStringLiteral("Bitte informieren Sie den Programmierer!");
                Melden(text);
                MsgBox(text, Knoepfe::OK, Symbol::Ausrufezeichen, Antwort::OK,
                    QStringLiteral("Sicherungskopie wird nicht verwendet!"));
            } else {
                Melden(QStringLiteral("Sicherungskopie wird verwendet, weil die ") + n
                    + QStringLiteral("-Datenbank nicht mehr vorhanden ist!"));
                Melden(wahl.datei + QStringLiteral("  ") + Sekunden(wahl.zeit), 4);
                if (JournalWeg(mdb) && DateiKopieren(wahl.datei, mdb, false, false)) {
                    Melden(QStringLiteral("Erfolgreich! ") + wahl.datei + QStringLiteral(" in ") + n
                        + QStringLiteral(".mdb kopiert."));
                    MsgBox(QStringLiteral("Die ") + n + QStringLiteral("-Datenbank wurde aus einer Sicherungskopie ")
                            + wahl.datei + QStringLiteral(" (zuletzt verwendet: ") + Sekunden(wahl.zeit)
                            + QStringLiteral(") wiederhergestellt!") + QStringLiteral("\n\n")
                            + QStringLiteral("Bitte prüfen Sie nachher die Daten!"),
                        Knoepfe::OK, Symbol::Information, Antwort::OK, QStringLiteral("Sicherungskopie verwendet!"));
                } else {
                    Melden(QStringLiteral("Hat nicht funktioniert! ") + wahl.datei + QStringLiteral(" wird nicht in ")
                        + n + QStringLiteral(".mdb kopiert!"));
                }
            }
        }
    }

    if (Da(mdb))
        return true;
    const QString fehlt = QStringLiteral("Die Datenbank ") + n + QStringLiteral(".mdb fehlt!");
    Melden(fehlt);
    MsgBox(fehlt
            + QStringLiteral(" Das Programm kann ohne diese Datenbank nicht richtig arbeiten und wird deshalb "
                             "jetzt beendet."),
        Knoepfe::OK, Symbol::Kritisch, Antwort::OK, QStringLiteral("Datenbank fehlt"));
    ui().ProgrammBeenden(1);
    return false;
}

} // namespace kelvora
