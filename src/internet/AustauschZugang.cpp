#include "internet/AustauschZugang.h"

#include "frame/FunktionenFuerINI.h"
#include "frame/INIDatei.h"
#include "frame/Oberflaeche.h"
#include "frame/Programm.h"
#include "grundlagen/Textbereinigung.h"

#include <QDir>
#include <QRegularExpression>

namespace kelvora {

namespace {

const QString Abschnitt = QStringLiteral("Austausch");
const QString Zeitformat = QStringLiteral("dd.MM.yyyy HH:mm:ss");
// A longer limit is no limit a user would wait for.
constexpr double ZeitlimitHoechstSekunden = 3600;

FtpVerschluesselung VerschluesselungLesen(QString& fehler)
{
    const QString wert = INILesen(Abschnitt, QStringLiteral("Verschluesselung")).trimmed();
    const QString klein = wert.toLower();
    if (klein.isEmpty() || klein == QLatin1String("wenn_moeglich") || klein == QStringLiteral("wenn_möglich"))
        return FtpVerschluesselung::WennMoeglich;
    if (klein == QLatin1String("erforderlich"))
        return FtpVerschluesselung::Erforderlich;
    if (klein == QLatin1String("aus"))
        return FtpVerschluesselung::Aus;
    // A mistyped value must not quietly send the password in clear.
    fehler = QStringLiteral("Der Wert „") + wert
        + QStringLiteral("“ für Verschluesselung im Abschnitt [Austausch] der KELVORA.INI ist unbekannt; möglich "
                         "sind erforderlich, wenn_moeglich und aus.");
    return FtpVerschluesselung::Erforderlich;
}

} // namespace

bool FtpZielLesen(const QString& eingabe, int port, FtpZiel& ziel, QString& fehler)
{
    QString t = eingabe.trimmed();
    ziel = FtpZiel {};
    if (t.startsWith(QLatin1String("ftps://"), Qt::CaseInsensitive)) {
        ziel.implizit = true;
        t = t.mid(7);
    } else if (t.startsWith(QLatin1String("ftp://"), Qt::CaseInsensitive)) {
        t = t.mid(6);
    }
    while (t.endsWith(QLatin1Char('/')))
        t.chop(1);
    if (t.isEmpty()) {
        fehler = QStringLiteral("Es ist kein Server angegeben.");
        return false;
    }
    if (t.contains(QLatin1Char('@'))) {
        fehler = QStringLiteral("Die Serverangabe enthält Zugangsdaten (ein „@“). Bitte tragen Sie dort nur den "
                                "Namen des Servers ein, Benutzer und Passwort unter „Benutzer“ und „Passwort“.");
        return false;
    }
    static const QRegularExpression mitPort(QStringLiteral("^([^:\\[\\]]+):(\\d{1,5})$"));
    if (const QRegularExpressionMatch m = mitPort.match(t); m.hasMatch()) {
        t = m.captured(1);
        port = m.captured(2).toInt();
    }
    if (t.startsWith(QLatin1Char('[')) && t.endsWith(QLatin1Char(']')))
        t = t.mid(1, t.size() - 2);
    static const QRegularExpression erlaubt(QStringLiteral("^[A-Za-z0-9.:\\-]+$"));
    if (!erlaubt.match(t).hasMatch() || port < 0 || port > 65535) {
        fehler = QStringLiteral("Der Servername „") + TextBereinigen(t) + QStringLiteral("“ ist ungültig.");
        return false;
    }
    ziel.host = t;
    ziel.port = port;
    return true;
}

QString AustauschServer()
{
    QString server = INILesen(Abschnitt, QStringLiteral("Server")).trimmed();
    // "name" or "ftp://name" may carry "user:password@" in front of the
    // name, the password written as it is: everything up to the last "@".
    static const QRegularExpression zugang(QStringLiteral("^((?:[A-Za-z]+://)?).*@"));
    server.replace(zugang, QStringLiteral("\\1***@"));
    return server;
}

FtpZugang AustauschZugang()
{
    FtpZugang z;
    z.server = AustauschServer();
    z.ersatzserver = INILesen(Abschnitt, QStringLiteral("Ersatzserver")).trimmed();
    const double port = INILesenZahl(Abschnitt, QStringLiteral("Port"), 0);
    z.port = port > 0 && port < 65536 ? static_cast<int>(port) : 0;
    z.benutzer = INILesen(Abschnitt, QStringLiteral("Benutzer"));
    const double zeit = INILesenZahl(Abschnitt, QStringLiteral("Zeitlimit"), FtpZeitlimitVorgabe);
    z.einstellungen.zeitlimitMs = zeit > 0 ? qRound(std::min(zeit, ZeitlimitHoechstSekunden) * 1000) : 0;
    if (z.einstellungen.zeitlimitMs <= 0)
        z.einstellungen.zeitlimitMs = FtpZeitlimitVorgabe * 1000;
    z.einstellungen.verschluesselung = VerschluesselungLesen(z.fehler);
    // Paths are longer than the usual 100 characters of a value.
    const QString zertifikate
        = ini::Lesen(programm().iniPfad, Abschnitt, QStringLiteral("Zertifikate"), QString(), 1000).trimmed();
    if (!zertifikate.isEmpty())
        z.einstellungen.zertifikate = QDir::isAbsolutePath(zertifikate) ? zertifikate : ImDatenordner(zertifikate);
    if (!z.server.isEmpty() && z.fehler.isEmpty()) {
        const FtpPasswort p = FtpPasswortHolen(z.server, z.benutzer);
        z.passwort = p.passwort;
        z.passwortQuelle = p.quelle;
    }
    return z;
}

bool AustauschEingestellt()
{
    return !AustauschServer().isEmpty();
}

QString AustauschFehltMeldung()
{
    return QStringLiteral("Kein Austausch-Server eingestellt.\n\nTragen Sie in der Datei ") + programm().iniPfad
        + QStringLiteral(" im Abschnitt [Austausch] den FTP-Server ein, zum Beispiel:\n"
                         "Server=ftp.example.de\nBenutzer=IhrName\nPasswort=IhrPasswort\n\n"
                         "Die Zugangsdaten erhalten Sie vom Betreuer des Programms. Das Passwort kommt beim "
                         "nächsten Austausch in den Passwortspeicher des Systems, wo es einen gibt.");
}

void LetzteVerbindungMerken(const FtpVerbindung& v)
{
    // A bookkeeping value: a failed write is reported by INISpeichernMehrere
    // and changes nothing about the transfer.
    static_cast<void>(INISpeichernMehrere(Abschnitt,
        { { QStringLiteral("LetzteVerbindungAm"), ui().Jetzt().toString(Zeitformat) },
            { QStringLiteral("LetzteVerbindungServer"), v.Host() },
            { QStringLiteral("LetzteVerbindungVerschluesselt"),
                v.Verschluesselt() ? QStringLiteral("1") : QStringLiteral("0") } },
        true));
}

LetzteFtpVerbindung LetzteVerbindungLesen()
{
    LetzteFtpVerbindung l;
    l.zeit = QDateTime::fromString(INILesen(Abschnitt, QStringLiteral("LetzteVerbindungAm")), Zeitformat);
    l.server = INILesen(Abschnitt, QStringLiteral("LetzteVerbindungServer"));
    l.verschluesselt = INILesen(Abschnitt, QStringLiteral("LetzteVerbindungVerschluesselt")) == QLatin1String("1");
    return l;
}

QString PasswortablageText()
{
    if (!AustauschEingestellt())
        return QStringLiteral("Kein Austausch-Server eingestellt.");
    const FtpZugang z = AustauschZugang();
    if (!z.fehler.isEmpty())
        return z.fehler;
    switch (z.passwortQuelle) {
    case PasswortQuelle::Passwortspeicher:
        return QStringLiteral("Das FTP-Passwort liegt im Passwortspeicher des Systems.");
    case PasswortQuelle::Ini:
        return QStringLiteral("Das FTP-Passwort steht in KELVORA.INI: Dieser Rechner hat keinen Passwortspeicher.");
    case PasswortQuelle::Keine:
        break;
    }
    return QStringLiteral("Es ist kein FTP-Passwort eingetragen.");
}

QString LetzteVerbindungText()
{
    const LetzteFtpVerbindung l = LetzteVerbindungLesen();
    if (!l.zeit.isValid())
        return QStringLiteral("Noch keine Verbindung zum Austausch-Server.");
    return QStringLiteral("Letzte Verbindung zu ") + l.server + QStringLiteral(" am ") + l.zeit.toString(Zeitformat)
        + (l.verschluesselt ? QStringLiteral(": verschlüsselt (TLS).")
                            : QStringLiteral(": unverschlüsselt, Passwort und Dateien gingen im Klartext."));
}

} // namespace kelvora
