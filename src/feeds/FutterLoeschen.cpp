// Deleting a feed: refused while any other table still refers to it, and
// only after the user has said Yes.

#include "feeds/FutterbezogeneRoutinen.h"

#include "database/DatenbankRoutinen.h"
#include "frame/Oberflaeche.h"
#include "frame/Programm.h"
#include "frame/Protokoll.h"

#include <QFileInfo>

namespace kelvora {

bool FutterWirdVerwendet(long futterID)
{
    if (futterID == 0)
        return false;
    Verbindung verbindung;
    if (!DatenbankOeffnen(verbindung, programm().futterDatenbank))
        return false;

    struct Verweis {
        const char* tabelle;
        const char* spalte;
    };
    static constexpr Verweis verweise[] = {
        { "Ration", "FutterID" },
        { "RationenInhalt", "FutterID" },
        { "RationFürTier", "FutterID" },
        { "Reihung", "FutterID" },
        { "Zukauf", "Futtermittel" },
    };
    // Every table is asked, also after a hit, so that the log shows each
    // table that cannot be read.
    bool verwendet = false;
    for (const Verweis& v : verweise) {
        QSqlQuery abfrage;
        const QString sql = QStringLiteral("SELECT ID FROM ") + SqlName(QString::fromUtf8(v.tabelle))
            + QStringLiteral(" WHERE ") + SqlName(QString::fromUtf8(v.spalte)) + QStringLiteral(" = ?");
        if (AbfrageOeffnen(verbindung, abfrage, sql, { QVariant::fromValue<qlonglong>(futterID) }) && abfrage.next())
            verwendet = true;
    }
    return verwendet;
}

bool FutterLoeschen(long futterID)
{
    if (FutterWirdVerwendet(futterID)) {
        MsgBox(QStringLiteral("Dieses Futtermittel kann nicht gelöscht werden weil es verwendet wird."), Knoepfe::OK,
            Symbol::Kritisch, Antwort::OK, QStringLiteral("Löschen nicht möglich"));
        return false;
    }
    Verbindung verbindung;
    if (!DatenbankOeffnen(verbindung, programm().futterDatenbank))
        return false;
    {
        QSqlQuery abfrage;
        if (!AbfrageOeffnen(verbindung, abfrage, QStringLiteral("SELECT ID FROM Futtermittel WHERE ID = ?"),
                { QVariant::fromValue<qlonglong>(futterID) })
            || !abfrage.next())
            return false;
    }
    if (MsgBox(QStringLiteral("Soll das Futtermittel wirklich gelöscht werden?"), Knoepfe::JaNein, Symbol::Frage,
            Antwort::Nein, QStringLiteral("Futtermittel löschen"))
        != Antwort::Ja)
        return false;
    int geloescht = 0;
    if (!AnweisungAusfuehren(verbindung, QStringLiteral("DELETE FROM Futtermittel WHERE ID = ?"),
            { QVariant::fromValue<qlonglong>(futterID) }, &geloescht)) {
        DatenbankFehlerMelden(verbindung, QStringLiteral("Das Futtermittel konnte nicht gelöscht werden."));
        return false;
    }
    return geloescht > 0;
}

bool AlleWichtigenDBvorhanden()
{
    const QString pfad = programm().futterDatenbank;
    if (!pfad.isEmpty() && !QFileInfo(pfad).isFile()) {
        FehlerProtokollieren(QStringLiteral("AlleWichtigenDBvorhanden - Datenbank fehlt: ") + pfad);
        return false;
    }
    return true;
}

} // namespace kelvora
