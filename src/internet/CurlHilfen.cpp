#include "internet/CurlHilfen.h"

#include <QLocale>
#include <QRegularExpression>

#include <mutex>

namespace kelvora {

namespace {

QString Server(const CurlUmstaende& u)
{
    return QStringLiteral("Der Server ") + u.server;
}

} // namespace

void CurlStarten()
{
    static std::once_flag einmal;
    std::call_once(einmal, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

size_t CurlEmpfangen(char* p, size_t groesse, size_t anzahl, void* empfang)
{
    auto* e = static_cast<CurlEmpfang*>(empfang);
    const auto n = static_cast<qsizetype>(groesse * anzahl);
    const qsizetype platz = e->hoechstens - e->daten.size();
    if (n <= platz) {
        e->daten.append(p, n);
        return groesse * anzahl;
    }
    e->daten.append(p, platz);
    e->zuGross = true;
    return 0;
}

CURLcode CurlDurchfuehren(CURLM* multi, CURL* easy, const std::function<void()>& zwischendurch)
{
    CURLcode ergebnis = CURLE_RECV_ERROR;
    curl_multi_add_handle(multi, easy);
    int laufend = 1;
    while (curl_multi_perform(multi, &laufend) == CURLM_OK && laufend) {
        curl_multi_poll(multi, nullptr, 0, 50, nullptr);
        if (zwischendurch)
            zwischendurch();
    }
    int rest = 0;
    while (CURLMsg* m = curl_multi_info_read(multi, &rest))
        if (m->msg == CURLMSG_DONE && m->easy_handle == easy)
            ergebnis = m->data.result;
    curl_multi_remove_handle(multi, easy);
    return ergebnis;
}

QString GroesseText(qsizetype bytes)
{
    if (bytes >= 1024 * 1024 && bytes % (1024 * 1024) == 0)
        return QString::number(bytes / (1024 * 1024)) + QStringLiteral(" MB");
    if (bytes >= 1024 && bytes % 1024 == 0)
        return QString::number(bytes / 1024) + QStringLiteral(" KB");
    return QString::number(bytes) + QStringLiteral(" Byte");
}

QString SekundenText(int millisekunden)
{
    return QLocale(QLocale::German).toString(millisekunden / 1000.0, 'g', 6)
        + (millisekunden == 1000 ? QStringLiteral(" Sekunde") : QStringLiteral(" Sekunden"));
}

namespace {

QString Grund(int code, const CurlUmstaende& u)
{
    switch (static_cast<CURLcode>(code)) {
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_RESOLVE_PROXY:
        return QStringLiteral("Der Servername ") + u.server
            + QStringLiteral(" ist unbekannt: Es besteht keine Verbindung zum Internet, oder der Name ist falsch.");
    case CURLE_COULDNT_CONNECT:
        return Server(u) + QStringLiteral(" nimmt auf Port ") + QString::number(u.port)
            + QStringLiteral(" keine Verbindung an.");
    case CURLE_OPERATION_TIMEDOUT:
        if (u.gesamtzeitAbgelaufen)
            return Server(u) + QStringLiteral(" hat die Übertragung nicht innerhalb von ") + SekundenText(u.zeitlimitMs)
                + QStringLiteral(" beendet; sie wurde abgebrochen.");
        return Server(u) + QStringLiteral(" hat ") + SekundenText(u.stilleMs)
            + QStringLiteral(" lang nichts geschickt; die Übertragung wurde abgebrochen.");
    case CURLE_LOGIN_DENIED:
        return Server(u) + QStringLiteral(" hat die Anmeldung abgelehnt (Benutzer oder Passwort falsch).");
    case CURLE_PEER_FAILED_VERIFICATION:
        return QStringLiteral("Das Zertifikat des Servers ") + u.server + QStringLiteral(" ist nicht vertrauenswürdig")
            + (u.ftp ? QStringLiteral("; Benutzer und Passwort wurden ihm nicht geschickt.") : QStringLiteral("."));
    case CURLE_SSL_CACERT_BADFILE:
    case CURLE_SSL_CRL_BADFILE:
        return QStringLiteral("Die Zertifikatsdatei für den Server ") + u.server
            + QStringLiteral(" kann nicht gelesen werden.");
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_SSL_ENGINE_NOTFOUND:
    case CURLE_SSL_ENGINE_SETFAILED:
    case CURLE_SSL_CERTPROBLEM:
    case CURLE_SSL_CIPHER:
    case CURLE_SSL_ENGINE_INITFAILED:
    case CURLE_SSL_SHUTDOWN_FAILED:
    case CURLE_SSL_ISSUER_ERROR:
    case CURLE_SSL_PINNEDPUBKEYNOTMATCH:
    case CURLE_SSL_INVALIDCERTSTATUS:
    case CURLE_SSL_CLIENTCERT:
        return QStringLiteral("Die verschlüsselte Verbindung (TLS) zum Server ") + u.server
            + QStringLiteral(" kam nicht zustande.");
    case CURLE_USE_SSL_FAILED:
        return Server(u)
            + QStringLiteral(" bietet keine Verschlüsselung (TLS) an. Weil sie verlangt ist "
                             "(Verschluesselung=erforderlich), wurden Benutzer und Passwort nicht geschickt.");
    case CURLE_ABORTED_BY_CALLBACK:
        return QStringLiteral("Die Übertragung wurde abgebrochen.");
    case CURLE_WRITE_ERROR:
    case CURLE_FILESIZE_EXCEEDED:
        if (!u.zuGross.isEmpty())
            return u.zuGross + QStringLiteral(" des Servers ") + u.server + QStringLiteral(" ist größer als ")
                + GroesseText(u.grenzeBytes) + QStringLiteral("; sie wird nicht angenommen.");
        break;
    case CURLE_TOO_MANY_REDIRECTS:
        return Server(u) + QStringLiteral(" leitet zu oft auf eine andere Adresse weiter.");
    case CURLE_PARTIAL_FILE:
    case CURLE_GOT_NOTHING:
    case CURLE_SEND_ERROR:
    case CURLE_RECV_ERROR:
        return QStringLiteral("Die Verbindung zum Server ") + u.server
            + QStringLiteral(" brach während der Übertragung ab.");
    case CURLE_WEIRD_SERVER_REPLY:
    case CURLE_FTP_WEIRD_PASV_REPLY:
    case CURLE_FTP_WEIRD_227_FORMAT:
    case CURLE_FTP_CANT_GET_HOST:
    case CURLE_FTP_PORT_FAILED:
    case CURLE_FTP_ACCEPT_FAILED:
    case CURLE_FTP_ACCEPT_TIMEOUT:
        return Server(u) + QStringLiteral(" antwortet nicht, wie es ein ")
            + (u.ftp ? QLatin1String("FTP") : QLatin1String("Web")) + QStringLiteral("-Server tun sollte.");
    case CURLE_UNSUPPORTED_PROTOCOL:
    case CURLE_URL_MALFORMAT:
        return QStringLiteral("Die Adresse des Servers ") + u.server + QStringLiteral(" ist ungültig.");
    case CURLE_REMOTE_ACCESS_DENIED:
        return Server(u) + QStringLiteral(" verweigert den Zugriff.");
    case CURLE_REMOTE_FILE_NOT_FOUND:
        return QStringLiteral("Die Datei liegt nicht auf dem Server ") + u.server + QLatin1Char('.');
    case CURLE_FTP_COULDNT_RETR_FILE:
        return Server(u) + QStringLiteral(" gibt die Datei nicht heraus.");
    case CURLE_UPLOAD_FAILED:
        return Server(u) + QStringLiteral(" hat die Datei nicht angenommen.");
    case CURLE_QUOTE_ERROR:
        return Server(u) + QStringLiteral(" hat einen Befehl abgelehnt.");
    default:
        break;
    }
    return QStringLiteral("Die Übertragung mit dem Server ") + u.server + QStringLiteral(" ist fehlgeschlagen (Fehler ")
        + QString::number(code) + QStringLiteral(").");
}

} // namespace

QString CurlGrund(int code, const CurlUmstaende& u)
{
    if (code == CURLE_REMOTE_ACCESS_DENIED && !u.ordner.isEmpty())
        return QStringLiteral("Den Ordner ") + u.ordner + QStringLiteral(" gibt es auf dem Server ") + u.server
            + QStringLiteral(" nicht, oder er ist nicht zugänglich.");
    QString grund = Grund(code, u);
    // A server that waits for a TLS handshake first says nothing to a plain
    // FTP client; one without TLS from the start answers a handshake with text.
    if (u.ftp && code == CURLE_OPERATION_TIMEDOUT && u.ohneGruss && !u.implizit)
        grund += QStringLiteral(" Er hat nicht einmal gegrüßt: Verlangt er eine von Anfang an verschlüsselte "
                                "Verbindung, tragen Sie Server=ftps://")
            + u.server + QStringLiteral(" ein.");
    else if (u.ftp && code == CURLE_SSL_CONNECT_ERROR && u.implizit)
        grund += QStringLiteral(" Vielleicht verschlüsselt er nicht von Anfang an (ftps://, Port 990); dann tragen "
                                "Sie den Server ohne ftps:// und mit seinem FTP-Port ein.");
    return grund;
}

QString CurlTechnisch(int code, const char* fehlerPuffer)
{
    const QString text = fehlerPuffer && *fehlerPuffer
        ? QString::fromUtf8(fehlerPuffer)
        : QString::fromUtf8(curl_easy_strerror(static_cast<CURLcode>(code)));
    return ZugangVerbergen(QStringLiteral("curl ") + QString::number(code) + QStringLiteral(": ") + text.trimmed());
}

QString HttpStatusGrund(long status, const QString& server)
{
    QString art;
    if (status == 401 || status == 403)
        art = QStringLiteral(" (Zugriff verweigert)");
    else if (status == 404 || status == 410)
        art = QStringLiteral(" (Datei nicht vorhanden)");
    else if (status >= 500 && status < 600)
        art = QStringLiteral(" (Störung beim Server)");
    return QStringLiteral("Der Server ") + server + QStringLiteral(" meldet den Fehler ") + QString::number(status)
        + art + QLatin1Char('.');
}

QString ZugangVerbergen(const QString& text)
{
    // Up to the last "@" before the address's first "/": a password may
    // hold an "@" of its own.
    static const QRegularExpression zugang(QStringLiteral("([A-Za-z][A-Za-z0-9+.\\-]*://)([^/\\s]*)@"));
    QString ergebnis;
    qsizetype bis = 0;
    for (auto it = zugang.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        ergebnis += text.mid(bis, m.capturedStart() - bis) + m.captured(1)
            + (m.captured(2).contains(QLatin1Char(':')) ? QStringLiteral("***:***@") : QStringLiteral("***@"));
        bis = m.capturedEnd();
    }
    return ergebnis + text.mid(bis);
}

} // namespace kelvora
