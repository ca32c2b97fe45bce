// What the user hears when the database fails: the restore offer for a
// damaged file, and the message for a failed action from what the last
// failed statement on the connection reported (busy, write-protected, full
// disk), in German with what to do. Declared in DatenbankRoutinen.h beside
// the statements that fail.

#include "database/DatenbankRoutinen.h"

#include "database/DateienFinden.h"
#include "frame/Oberflaeche.h"
#include "frame/Protokoll.h"

#include <QFileInfo>

namespace kelvora {

namespace {

QString OrdnerVon(const QString& pfad)
{
    return QFileInfo(pfad).absolutePath();
}

QString ZeitText(const QDateTime& zeit)
{
    return zeit.toString(QStringLiteral("dd.MM.yyyy hh:mm"));
}

} // namespace

bool WiederherstellungAnbieten(const QString& pfad)
{
    const QString bak = BegleiterPfad(pfad, QStringLiteral("BAK"));
    const QString kom = BegleiterPfad(pfad, QStringLiteral("KOM"));
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
        return false;
    }
    const QString zeit = ZeitText(Dateizeit(kopie));
    const QString frage = QStringLiteral("Die Datenbank ") + pfad
        + QStringLiteral(" kann nicht geöffnet werden. Vermutlich wurde sie beschädigt. Soll sie jetzt durch die "
                         "Sicherungskopie vom Zeitpunkt ")
        + zeit + QStringLiteral(" ersetzt werden?");
    // Question and answer go to the error log: they are what one reads after
    // a user reports that data are missing.
    FehlerProtokollieren(QStringLiteral("Frage: ") + frage + QStringLiteral(" (Kopie: ") + kopie + QLatin1Char(')'));
    const Antwort a = MsgBox(frage, Knoepfe::JaNein, Symbol::Frage, Antwort::Nein,
        QStringLiteral("Datenbank wiederherstellen aus Sicherungskopie"));
    FehlerProtokollieren(
        QStringLiteral("Antwort: ") + (a == Antwort::Ja ? QStringLiteral("Ja") : QStringLiteral("Nein")), 4);
    if (a != Antwort::Ja)
        return false;

    ProtokollSchreiben(QStringLiteral("Wiederherstellung der Sicherungskopie von ") + pfad + QStringLiteral(" aus ")
        + kopie + QLatin1Char('(') + zeit + QStringLiteral(") gewünscht!"));
    if (!DateiLoeschen(pfad, 4))
        return false;
    // A journal of the damaged file would otherwise be rolled back into the copy.
    if (!SqliteBegleiterLoeschen(pfad))
        return false;
    if (!Umbenennen(kopie, pfad, true)) {
        FehlerProtokollieren(
            kopie + QStringLiteral(" konnte nicht in ") + pfad + QStringLiteral(" umbenannt werden."), 4);
        return false;
    }
    ProtokollSchreiben(kopie + QStringLiteral(" in ") + pfad + QStringLiteral(" umbenannt."), 4);
    MsgBox(QStringLiteral(" Die Datenbank wurde aus einer Sicherungskopie wiederhergestellt. Bitte prüfen Sie "
                          "unbedingt in der Tageskontrolle oder aus dem Protokoll der Behandlungen, ob die zuletzt "
                          "eingegebenen Behandlungen vorhanden sind."),
        Knoepfe::OK, Symbol::Ausrufezeichen);
    return true;
}

QString SchreibfehlerText(const Verbindung& verbindung)
{
    const DatenbankFehler& f = verbindung.LetzterFehler();
    const QString pfad = verbindung.Pfad();
    if (f.beschaedigt)
        return QString();
    switch (f.nummer) {
    case 5:
    case 6:
        return BesetztText(pfad);
    case 8:
    case 14:
        // A write-protected file is opened read-only and refuses the write;
        // a folder without write access refuses the journal with the same
        // code. Which of the two it is, a probe in the folder tells.
        if (OrdnerSchreibbar(OrdnerVon(pfad)))
            return QStringLiteral("Die Datenbank ") + pfad
                + QStringLiteral(" ist schreibgeschützt. Bitte heben Sie den Schreibschutz der Datei auf (zum "
                                 "Beispiel nach einer Datensicherung) und versuchen Sie es noch einmal.");
        return QStringLiteral("Im Ordner ") + OrdnerVon(pfad)
            + QStringLiteral(" darf nicht geschrieben werden, deshalb kann die Datenbank nicht geändert werden. "
                             "Bitte geben Sie den Ordner zum Schreiben frei und versuchen Sie es noch einmal.");
    case 13:
        return QStringLiteral("Auf dem Datenträger mit dem Ordner ") + OrdnerVon(pfad)
            + QStringLiteral(" ist kein Platz mehr frei. Bitte schaffen Sie Platz (zum Beispiel durch Löschen nicht "
                             "mehr benötigter Dateien) und versuchen Sie es noch einmal.");
    default:
        return QStringLiteral("Beim Schreiben in die Datenbank ") + pfad + QStringLiteral(" ist ")
            + FehlerBeschreibung(f.nummer, f.text, QStringLiteral("AbfrageOeffnen"))
            + QStringLiteral(" aufgetreten. Bitte versuchen Sie es noch einmal; tritt der Fehler wieder auf, "
                             "informieren Sie bitte den Programmierer.");
    }
}

QString BesetztText(const QString& pfad)
{
    return QStringLiteral("Die Datenbank wird gerade von einem anderen Kelvora-Fenster oder -Befehl benutzt (") + pfad
        + QStringLiteral("). Bitte warten Sie einen Moment und versuchen Sie es noch einmal. Bleibt die Meldung, "
                         "schließen Sie die anderen Kelvora-Fenster und jedes andere Programm, das die Datenbank "
                         "geöffnet hat.");
}

void DatenbankFehlerMelden(Verbindung& verbindung, const QString& was)
{
    const QString pfad = verbindung.Pfad();
    if (verbindung.Beschaedigt()) {
        const QString grund = verbindung.LetzterFehler().text;
        FehlerProtokollieren(QStringLiteral("Datenbank beschädigt: ") + pfad + QStringLiteral(" (") + grund
            + QStringLiteral(") bei: ") + was);
        // The file is replaced by the restore; nothing of ours may hold it.
        verbindung.Schliessen();
        if (WiederherstellungAnbieten(pfad))
            return;
        MsgBox(was + QStringLiteral("\n\nDie Datenbank ") + pfad + QStringLiteral(" ist beschädigt (") + grund
                + QStringLiteral("). Bitte stellen Sie eine Sicherungskopie wieder her oder informieren Sie den "
                                 "Programmierer."),
            Knoepfe::OK, Symbol::Kritisch);
        return;
    }
    const QString text = was + QStringLiteral("\n\n") + SchreibfehlerText(verbindung)
        + QStringLiteral("\n\nAn den gespeicherten Daten wurde nichts verändert.");
    FehlerProtokollieren(
        QStringLiteral("DatenbankFehlerMelden: ") + QString(text).replace(QLatin1Char('\n'), QLatin1Char(' ')));
    MsgBox(text, Knoepfe::OK, Symbol::Kritisch);
}

} // namespace kelvora
