#include "database/DatenbankKomprimieren.h"

#include "database/DateienFinden.h"
#include "database/DatenbankRoutinen.h"
#include "frame/Protokoll.h"

#include <QFileInfo>
#include <QSqlError>

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

    if (QFileInfo::exists(alt) && !DateiLoeschen(alt, 4)) {
        DateiLoeschen(temporaer, 4);
        return false;
    }
    if (!Umbenennen(pfad, alt, false)) {
        DateiLoeschen(temporaer, 4);
        return false;
    }
    if (!Umbenennen(temporaer, pfad, false)) {
        // Put the original back rather than leave the program without it.
        Umbenennen(alt, pfad, false);
        return false;
    }
    ProtokollSchreiben(pfad + QStringLiteral(" wurde erfolgreich komprimiert."));
    DateiLoeschen(alt, 4);
    return true;
}

} // namespace kelvora
