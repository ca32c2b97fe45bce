#include "database/DatenbankKomprimieren.h"

#include "database/DateienFinden.h"
#include "grundlagen/DatenTypen.h"
#include "database/DatenbankRoutinen.h"
#include "frame/FunktionenFuerINI.h"
#include "frame/Oberflaeche.h"
#include "frame/Protokoll.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QSqlError>
#include <cstdio>

namespace kelvora {

namespace {

bool KompakteKopieSchreiben(const QString& pfad, const QString& ziel)
{
    Verbindung quelle;
    bool beschaedigt = false;
    if (!DatenbankOeffnenVersuch(quelle, pfad, true, beschaedigt))
        return false;
    QSqlQuery q(quelle.Datenbank());
    // VACUUM INTO takes its target as an expression, so the path is bound.
    q.prepare(QStringLiteral("VACUUM INTO ?"));
    q.addBindValue(ziel);
    if (!q.exec()) {
        FehlerProtokollieren(FehlerBeschreibung(SqlFehlerNummer(q.lastError()), q.lastError().text(),
                                 QStringLiteral("DatenbankKomprimieren"), QStringLiteral("DatenbankRoutinen"))
            + QStringLiteral(": ") + pfad);
        return false;
    }
    return true;
}

} // namespace

bool DatenbankKomprimieren(const QString& pfad)
{
    const QFileInfo fi(pfad);
    if (!fi.isFile())
        return false;
    const QString ordner = fi.absolutePath() + QLatin1Char('/');
    const QString temporaer = ordner + QStringLiteral("~tmp_") + fi.fileName();
    const QString alt = ordner + QStringLiteral("old_") + fi.fileName();

    // A leftover of an interrupted run would make VACUUM INTO refuse.
    if (QFileInfo::exists(temporaer) && !DateiLoeschen(temporaer, 4))
        return false;
    if (!KompakteKopieSchreiben(pfad, temporaer)) {
        DateiLoeschen(temporaer, 4);
        return false;
    }

    // The database stays in place, complete, at every moment: old_ is a
    // copy kept until the compacted file has atomically taken the name.
    if (!DateiKopieren(pfad, alt, false, true)) {
        DateiLoeschen(temporaer, 4);
        DateiLoeschen(alt, 4);
        return false;
    }
    WartendeVerbindungenSchliessen();
    if (std::rename(QFile::encodeName(temporaer).constData(), QFile::encodeName(pfad).constData()) != 0) {
        FehlerProtokollieren(QStringLiteral("Komprimierte Datei kann nicht eingesetzt werden: ") + temporaer
            + QStringLiteral(" --> ") + pfad);
        DateiLoeschen(temporaer, 4);
        DateiLoeschen(alt, 4);
        return false;
    }
    ProtokollSchreiben(pfad + QStringLiteral(" wurde erfolgreich komprimiert."));
    DateiLoeschen(alt, 4);
    return true;
}

bool KomprimierenWennFaellig(const QString& pfad)
{
    static QSet<QString> geprueft;
    if (geprueft.contains(pfad))
        return false;
    geprueft.insert(pfad);

    const QString abschnitt = QStringLiteral("Sichern");
    const bool immer = INILesen(abschnitt, QStringLiteral("Komprimieren"), QStringLiteral("0")) == QLatin1String("1");
    int tage = 0;
    switch (static_cast<int>(INILesenZahl(abschnitt, QStringLiteral("Intervall"), 0))) {
    case 0:
        tage = 30;
        break;
    case 1:
        tage = 7;
        break;
    case 2:
        tage = 1;
        break;
    default:
        break;
    }
    const QDate heute = ui().Jetzt().date();
    const QString datum = heute.toString(QStringLiteral("dd.MM.yyyy"));
    const QDate letzte = TextInDatum(INILesen(abschnitt, QStringLiteral("LetzteKomprimierung"))).date();
    // The interval of a database never compacted starts today.
    if (!immer && letzte <= QDate(1899, 12, 30)) {
        INISpeichern(abschnitt, QStringLiteral("LetzteKomprimierung"), datum);
        return false;
    }
    if (!immer && (tage == 0 || letzte.addDays(tage) > heute))
        return false;

    // The file is swapped: nothing may hold it, and a journal left by a crash
    // has to be rolled back by a normal opening first.
    if (OffeneVerbindungen() > 0 || !DateiFrei(pfad) || QFileInfo::exists(pfad + QStringLiteral("-journal"))
        || QFileInfo::exists(pfad + QStringLiteral("-wal"))) {
        ProtokollSchreiben(QStringLiteral("Komprimieren verschoben, weil die Datenbank benutzt wird: ") + pfad);
        return false;
    }
    if (!DatenbankKomprimieren(pfad)) {
        FehlerProtokollieren(QStringLiteral("Komprimieren hat nicht funktioniert: ") + pfad);
        return false;
    }
    INISpeichern(abschnitt, QStringLiteral("LetzteKomprimierung"), datum);
    return true;
}

} // namespace kelvora
