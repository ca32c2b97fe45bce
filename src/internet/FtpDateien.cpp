#include "internet/FtpDateien.h"

#include "frame/Oberflaeche.h"
#include "frame/Programm.h"
#include "frame/Protokoll.h"
#include "frame/Statuszeile.h"
#include "grundlagen/Textbereinigung.h"
#include "internet/CurlHilfen.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStringEncoder>

namespace kelvora {

namespace {

QString& LetzterFehler()
{
    static QString text;
    return text;
}

// A procedure's name in front of a log line ("DateiVomServerHolen: ") is
// for the log only.
QString OhneProzedur(QString text)
{
    static const QRegularExpression prozedur(QStringLiteral("^[A-Za-z_][A-Za-z0-9_.]*: "));
    while (prozedur.match(text).hasMatch())
        text.remove(prozedur);
    return text;
}

QString Alter(qint64 sekunden)
{
    const qint64 tage = sekunden / 86400;
    return tage == 1 ? QStringLiteral("einem Tag") : QString::number(tage) + QStringLiteral(" Tagen");
}

// Closes the connection on every way out of a procedure.
struct Schliesser {
    FtpVerbindung& v;
    ~Schliesser() { v.Schliessen(); }
};

} // namespace

void FtpFehlerProtokollieren(const QString& text)
{
    FtpFehlerProtokollieren(text, OhneProzedur(text));
}

void FtpFehlerProtokollieren(const QString& protokoll, const QString& fuerDenBenutzer)
{
    const QString technisch = FtpTechnischerGrundZu(protokoll);
    FehlerProtokollieren(ZugangVerbergen(
        technisch.isEmpty() ? protokoll : protokoll + QStringLiteral(" [") + technisch + QLatin1Char(']')));
    LetzterFehler() = fuerDenBenutzer;
}

QString FtpLetzterFehler()
{
    return LetzterFehler();
}

void AustauschFehlerMelden(const QString& was)
{
    const QString grund = OhneSteuerzeichen(FtpLetzterFehler()).trimmed();
    HauptFensterMeldungAusgeben(Farbe::Rot, grund.isEmpty() ? was : was + QLatin1Char(' ') + grund, 10);
    MsgBox(grund.isEmpty() ? was : was + QStringLiteral("\n\n") + grund, Knoepfe::OK, Symbol::Ausrufezeichen,
        Antwort::OK, QStringLiteral("Futtermittel-Austausch"));
}

QString FtpOrdner::Text(const QString& trenner) const
{
    return ordner1 + trenner + ordner2 + trenner + ordner3;
}

bool FTPVerbindungOeffnen(FtpVerbindung& v, const FtpZugang& z)
{
    LetzterFehler().clear();
    if (!z.fehler.isEmpty()) {
        FtpFehlerProtokollieren(QStringLiteral("FTPVerbindungOeffnen: ") + z.fehler);
        return false;
    }
    for (const QString& server : { z.server, z.ersatzserver }) {
        if (server.isEmpty())
            break;
        FtpZiel ziel;
        QString fehler;
        if (!FtpZielLesen(server, z.port, ziel, fehler)) {
            FtpFehlerProtokollieren(QStringLiteral("FTPVerbindungOeffnen: ") + fehler);
            continue;
        }
        if (v.Oeffnen(ziel, z.benutzer, z.passwort, z.einstellungen)) {
            LetzteVerbindungMerken(v);
            return true;
        }
        FtpFehlerProtokollieren(QStringLiteral("FTPVerbindungOeffnen: ") + v.LetzterFehler());
        if (FtpAbgebrochen())
            break;
    }
    return false;
}

bool OrdnerBetreten(FtpVerbindung& v, const FtpOrdner& ordner, QString* nichtBetreten)
{
    if (nichtBetreten)
        nichtBetreten->clear();
    if (v.AktuellerOrdner() != QLatin1String("/"))
        return false;
    for (const QString& o : { ordner.ordner1, ordner.ordner2, ordner.ordner3 }) {
        if (o.isEmpty())
            continue;
        if (!v.OrdnerWechseln(o)) {
            if (nichtBetreten)
                *nichtBetreten = o;
            return false;
        }
    }
    return true;
}

bool OrdnerBetretenMitProtokoll(
    FtpVerbindung& v, const FtpOrdner& ordner, const QString& prozedur, QString* nichtBetreten)
{
    QString fehlt;
    const bool ok = OrdnerBetreten(v, ordner, &fehlt);
    if (!ok) {
        // A change the server took without error may still land elsewhere.
        const QString grund = fehlt.isEmpty()
            ? QStringLiteral("Der Server ") + v.Host() + QStringLiteral(" beginnt nicht in seinem Hauptordner /.")
            : !v.LetzterFehler().isEmpty()
            ? v.LetzterFehler()
            : QStringLiteral("Der Server ") + v.Host() + QStringLiteral(" wechselt statt nach ") + fehlt
                + QStringLiteral(" nach ") + v.AktuellerOrdner() + QLatin1Char('.');
        FtpFehlerProtokollieren(prozedur + QStringLiteral(": ") + grund + QStringLiteral(" (Ordner jetzt: ")
                + v.AktuellerOrdner() + QLatin1Char(')'),
            QStringLiteral("Der Ordner /") + ordner.Text(QStringLiteral("/"))
                + QStringLiteral(" ist nicht erreichbar: ") + grund);
    }
    if (nichtBetreten)
        *nichtBetreten = fehlt;
    return ok;
}

QString SperrdateiName(const QString& name)
{
    return name.left(name.size() - 4) + QStringLiteral(".lock");
}

bool FTPDateiExistiert(const QString& lokalerPfad, const FtpOrdner& ordner, bool* verbunden)
{
    if (verbunden)
        *verbunden = false;
    FtpVerbindung v;
    if (!FTPVerbindungOeffnen(v))
        return false;
    Schliesser s { v };
    QString fehlt;
    if (!OrdnerBetretenMitProtokoll(v, ordner, QStringLiteral("FTPDateiExistiert"), &fehlt)) {
        ProtokollSchreiben(QStringLiteral("FTPDateiExistiert: Es konnte nicht in den FTP-Ordner ") + fehlt
            + QStringLiteral(" gewechselt werden!"));
        return false;
    }
    QStringList namen;
    const bool gelesen = v.Dateiliste(QStringLiteral("*"), namen);
    if (!gelesen)
        FtpFehlerProtokollieren(QStringLiteral("FTPDateiExistiert: ") + v.LetzterFehler());
    if (verbunden)
        *verbunden = gelesen;
    return namen.contains(QFileInfo(lokalerPfad).fileName());
}

bool DateiAufDenServerLaden(const QString& lokalerPfad, const FtpOrdner& ordner, bool sperren)
{
    if (!QFileInfo::exists(lokalerPfad)) {
        FtpFehlerProtokollieren(QStringLiteral("DateiAufDenServerLaden: Datei existiert nicht! ") + lokalerPfad,
            QStringLiteral("Die Datei ") + lokalerPfad
                + QStringLiteral(", die auf den Server geladen werden soll, gibt es nicht."));
        HauptFensterMeldungAusgeben(
            Farbe::Rot, QStringLiteral("Die Datei die auf den Server geladen werden soll existiert nicht!"), 2);
        return false;
    }
    const QString name = QFileInfo(lokalerPfad).fileName();
    const QString sperre = SperrdateiName(name);
    const QString lokaleSperre = QFileInfo(lokalerPfad).dir().filePath(sperre);
    if (sperren && !AnsiDateiSchreiben(lokaleSperre, { QStringLiteral("Dies ist nur eine Datei zum Sperren.") })) {
        FtpFehlerProtokollieren(QStringLiteral("DateiAufDenServerLaden: Sperrdatei ") + lokaleSperre
            + QStringLiteral(" konnte nicht geschrieben werden."));
        return false;
    }

    FtpVerbindung v;
    if (!FTPVerbindungOeffnen(v)) {
        if (sperren)
            QFile::remove(lokaleSperre);
        return false;
    }
    Schliesser s { v };
    QString fehlt;
    if (!OrdnerBetretenMitProtokoll(v, ordner, QStringLiteral("DateiAufDenServerLaden"), &fehlt)) {
        ProtokollSchreiben(QStringLiteral("DateiAufDenServerLaden: Es konnte nicht in den FTP-Ordner /") + fehlt
            + QStringLiteral(" gewechselt werden!"));
        FtpFehlerProtokollieren(lokalerPfad + QStringLiteral(" konnte nicht nach ") + ordner.Text(QStringLiteral("\\"))
                + QStringLiteral(" geladen werden!"),
            FtpLetzterFehler());
        if (sperren)
            QFile::remove(lokaleSperre);
        return false;
    }

    if (sperren) {
        const bool gesperrt = v.Hochladen(lokaleSperre, sperre);
        QFile::remove(lokaleSperre);
        if (!gesperrt) {
            FtpFehlerProtokollieren(QStringLiteral("DateiAufDenServerLaden: ") + v.LetzterFehler());
            return false;
        }
    }
    const bool ok = v.Hochladen(lokalerPfad, name);
    if (!ok)
        FtpFehlerProtokollieren(
            QStringLiteral("DateiAufDenServerLaden: ") + name + QStringLiteral(": ") + v.LetzterFehler());
    // The lock goes whatever became of the file, so it never blocks the file for good.
    if (sperren && !v.Loeschen(sperre))
        FtpFehlerProtokollieren(QStringLiteral("DateiAufDenServerLaden: Sperrdatei ") + sperre
            + QStringLiteral(" blieb auf dem Server: ") + v.LetzterFehler());
    return ok;
}

namespace {

// A lock file is left while a file is written. One older than a day was
// left behind by a transfer that broke off, and only the server's keeper
// can remove it.
void SperreMelden(FtpVerbindung& v, const QString& name, const QString& sperre)
{
    QDateTime seit;
    const qint64 sekunden = v.Aenderungszeit(sperre, seit) ? seit.secsTo(ui().Jetzt()) : -1;
    const QString protokoll
        = name + QStringLiteral(" kann nicht heruntergeladen werden, weil ") + sperre + QStringLiteral(" existiert!");
    if (sekunden >= 86400)
        FtpFehlerProtokollieren(protokoll + QStringLiteral(" (seit ") + Alter(sekunden) + QLatin1Char(')'),
            name + QStringLiteral(" kann nicht geholt werden: Die Sperrdatei ") + sperre
                + QStringLiteral(" liegt seit ") + Alter(sekunden) + QStringLiteral(" auf dem Server ") + v.Host()
                + QStringLiteral(". Sie ist wohl von einer abgebrochenen Übertragung liegen geblieben; bitte bitten "
                                 "Sie den Betreuer des Servers, sie zu entfernen."));
    else
        FtpFehlerProtokollieren(protokoll,
            name + QStringLiteral(" wird gerade auf den Server ") + v.Host()
                + QStringLiteral(" geschrieben (Sperrdatei ") + sperre
                + QStringLiteral("); bitte versuchen Sie es später noch einmal."));
}

} // namespace

bool DateiVomServerHolen(const QString& lokalerPfad, const FtpOrdner& ordner, bool protokollieren)
{
    const QString name = QFileInfo(lokalerPfad).fileName();
    FtpVerbindung v;
    if (!FTPVerbindungOeffnen(v)) {
        if (protokollieren)
            ProtokollSchreiben(QStringLiteral("DateiVomServerHolen: Es konnte keine Verbindung zu ") + AustauschServer()
                + QStringLiteral(" geöffnet werden."));
        return false;
    }
    Schliesser s { v };
    QString fehlt;
    if (!OrdnerBetretenMitProtokoll(v, ordner, QStringLiteral("DateiVomServerHolen"), &fehlt)) {
        if (protokollieren)
            ProtokollSchreiben(QStringLiteral("DateiVomServerHolen: FTPVerzeichnisWechseln zu ") + fehlt
                + QStringLiteral(" hat nicht funktioniert."));
        FtpFehlerProtokollieren(name + QStringLiteral(" konnte nicht nach ") + ordner.Text(QStringLiteral("\\"))
                + QStringLiteral(" geladen werden! bolOrdnerOK = False"),
            FtpLetzterFehler());
        return false;
    }

    QStringList namen;
    if (!v.Dateiliste(QStringLiteral("*"), namen)) {
        FtpFehlerProtokollieren(QStringLiteral("DateiVomServerHolen: ") + v.LetzterFehler());
        return false;
    }
    const QString sperre = SperrdateiName(name);
    if (namen.contains(sperre)) {
        SperreMelden(v, name, sperre);
        return false;
    }
    if (!namen.contains(name)) {
        FtpFehlerProtokollieren(QStringLiteral("DateiVomServerHolen: ") + name
            + QStringLiteral(" liegt nicht auf dem Server ") + v.Host() + QLatin1Char('.'));
        return false;
    }
    QByteArray inhalt;
    if (!v.Herunterladen(name, inhalt)) {
        FtpFehlerProtokollieren(
            QStringLiteral("DateiVomServerHolen: ") + name + QStringLiteral(": ") + v.LetzterFehler(),
            v.LetzterFehler());
        return false;
    }

    // Only a complete file replaces the local one.
    const bool vorhanden = QFileInfo::exists(lokalerPfad);
    QSaveFile datei(lokalerPfad);
    if (!datei.open(QIODevice::WriteOnly) || datei.write(inhalt) != inhalt.size() || !datei.commit()) {
        // Told by the caller with the rest of the failure, in one message.
        FtpFehlerProtokollieren(QStringLiteral("DateiVomServerHolen: ") + lokalerPfad
                + QStringLiteral(" konnte nicht geschrieben werden: ") + datei.errorString(),
            (vorhanden
                    ? QStringLiteral("Die auf dem eigenen Rechner schon vorhandene Datei ") + lokalerPfad
                        + QStringLiteral(" konnte nicht ersetzt werden.")
                    : QStringLiteral("Die Datei ") + lokalerPfad + QStringLiteral(" konnte nicht gespeichert werden."))
                + QStringLiteral(" Bitte prüfen Sie, ob der Datenordner beschreibbar ist."));
        return false;
    }
    ProtokollSchreiben(QStringLiteral("DateiVomServerHolen: ") + name + QStringLiteral(" wurde geholt."));

    // The receipt tells the maintainer who fetched; its failure does not undo the fetch.
    const QString quittung = QuittungSchreiben();
    if (quittung.isEmpty() || !v.Hochladen(quittung, QFileInfo(quittung).fileName()))
        FtpFehlerProtokollieren(
            QStringLiteral("DateiVomServerHolen: Quittung wurde nicht hochgeladen: ") + v.LetzterFehler());
    return true;
}

QString QuittungSchreiben(const QString& bemerkung)
{
    const QDateTime jetzt = ui().Jetzt();
    const QString name
        = QStringLiteral("abgeholt_") + jetzt.toString(QStringLiteral("yyyyMMdd_HHmmss")) + QStringLiteral(".xml");
    const QString pfad = ImDatenordner(name);
    const auto element = [](const QString& tag, const QString& wert) {
        return QLatin1Char('<') + tag + QLatin1Char('>') + wert + QStringLiteral("</") + tag + QLatin1Char('>');
    };
    const QString einzug = QStringLiteral("    ");
    const QStringList zeilen = {
        QStringLiteral("<Client>"),
        einzug + element(QStringLiteral("E1"), programm().E1),
        einzug + element(QStringLiteral("E2"), programm().E2),
        einzug + element(QStringLiteral("Programm"), Programmname()),
        einzug + element(QStringLiteral("Versionsdatum"), Versionsdatum().toString(QStringLiteral("dd.MM.yyyy"))),
        QStringLiteral("</Client>"),
        element(QStringLiteral("Bemerkung"), bemerkung),
        element(QStringLiteral("Zeitpunkt"), jetzt.toString(QStringLiteral("dd.MM.yy HH:mm:ss"))),
        element(QStringLiteral("DateinameProtokoll"), name),
    };
    if (!AnsiDateiSchreiben(pfad, zeilen, true)) {
        FtpFehlerProtokollieren(
            QStringLiteral("QuittungSchreiben: ") + pfad + QStringLiteral(" konnte nicht geschrieben werden."));
        return QString();
    }
    return pfad;
}

QByteArray Ansi(const QString& text)
{
    QStringEncoder enc("windows-1252");
    return enc(text);
}

bool AnsiDateiSchreiben(const QString& pfad, const QStringList& zeilen, bool anhaengen)
{
    QByteArray inhalt;
    for (const QString& z : zeilen)
        inhalt += Ansi(z) + "\r\n";
    if (anhaengen && QFileInfo::exists(pfad)) {
        QFile f(pfad);
        return f.open(QIODevice::Append) && f.write(inhalt) == inhalt.size() && f.flush();
    }
    QSaveFile f(pfad);
    return f.open(QIODevice::WriteOnly) && f.write(inhalt) == inhalt.size() && f.commit();
}

} // namespace kelvora
