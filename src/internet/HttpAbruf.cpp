#include "internet/HttpAbruf.h"

#include "frame/Oberflaeche.h"

#include <QLocale>
#include <curl/curl.h>
#include <memory>
#include <mutex>

namespace kelvora {

namespace {

struct Empfang {
    QByteArray daten;
    qsizetype hoechstens = 0;
    bool abgeschnitten = false;
};

size_t Empfangen(char* zeiger, size_t groesse, size_t anzahl, void* nutzer)
{
    auto* e = static_cast<Empfang*>(nutzer);
    const qsizetype n = static_cast<qsizetype>(groesse * anzahl);
    const qsizetype platz = e->hoechstens - e->daten.size();
    if (n <= platz) {
        e->daten.append(zeiger, n);
        return static_cast<size_t>(n);
    }
    // Enough read: take what fits and end the transfer here.
    e->daten.append(zeiger, platz);
    e->abgeschnitten = true;
    return 0;
}

void BibliothekStarten()
{
    static std::once_flag einmal;
    std::call_once(einmal, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

QString FehlerText(CURLcode code, const HttpAbrufOptionen& o)
{
    switch (code) {
    case CURLE_COULDNT_RESOLVE_HOST:
        return QStringLiteral("Der Servername ist unbekannt: Es besteht keine Verbindung zum Internet, oder die "
                              "Adresse ist falsch.");
    case CURLE_COULDNT_CONNECT:
        return QStringLiteral("Der Server nimmt keine Verbindung an.");
    case CURLE_OPERATION_TIMEDOUT:
        return QStringLiteral("Der Server hat nicht innerhalb von %1 Sekunden geantwortet.")
            .arg(QLocale(QLocale::German).toString(o.zeitlimitMs / 1000.0, 'g', 3));
    case CURLE_UNSUPPORTED_PROTOCOL:
    case CURLE_URL_MALFORMAT:
        return QStringLiteral("Die Adresse ist keine gültige http- oder https-Adresse.");
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_CACERT_BADFILE:
        return QStringLiteral("Die sichere Verbindung (https) zum Server konnte nicht aufgebaut werden.");
    default:
        break;
    }
    return QStringLiteral("Die Übertragung ist fehlgeschlagen (%1).").arg(QString::fromUtf8(curl_easy_strerror(code)));
}

struct EasyLoeschen {
    void operator()(CURL* c) const { curl_easy_cleanup(c); }
};
struct MultiLoeschen {
    void operator()(CURLM* m) const { curl_multi_cleanup(m); }
};
struct ListeLoeschen {
    void operator()(curl_slist* l) const { curl_slist_free_all(l); }
};

} // namespace

HttpAntwort HttpAbrufen(const QString& adresse, const HttpAbrufOptionen& optionen)
{
    HttpAntwort antwort;
    BibliothekStarten();
    std::unique_ptr<CURL, EasyLoeschen> easy(curl_easy_init());
    std::unique_ptr<CURLM, MultiLoeschen> multi(curl_multi_init());
    if (!easy || !multi) {
        antwort.fehler = QStringLiteral("Die Internet-Bibliothek konnte nicht gestartet werden.");
        return antwort;
    }

    Empfang empfang;
    empfang.hoechstens = optionen.hoechstensBytes;
    const QByteArray url = adresse.trimmed().toUtf8();
    const QByteArray agent = optionen.agent.toUtf8();
    // Never a cached copy: the caller wants what the server has now.
    curl_slist* kopf = curl_slist_append(nullptr, "Cache-Control: no-cache");
    kopf = curl_slist_append(kopf, "Pragma: no-cache");
    std::unique_ptr<curl_slist, ListeLoeschen> kopfzeilen(kopf);

    CURL* c = easy.get();
    curl_easy_setopt(c, CURLOPT_URL, url.constData());
    curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(c, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(c, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(c, CURLOPT_MAXREDIRS, 5L);
    curl_easy_setopt(c, CURLOPT_PROXY, ""); // direct, whatever the environment says
    curl_easy_setopt(c, CURLOPT_USERAGENT, agent.constData());
    curl_easy_setopt(c, CURLOPT_HTTPHEADER, kopfzeilen.get());
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_TIMEOUT_MS, static_cast<long>(optionen.zeitlimitMs));
    curl_easy_setopt(
        c, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(qMin(optionen.verbindungsZeitlimitMs, optionen.zeitlimitMs)));
    curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, &Empfangen);
    curl_easy_setopt(c, CURLOPT_WRITEDATA, &empfang);

    curl_multi_add_handle(multi.get(), c);
    // The transfer runs in small steps; between them the window repaints and
    // answers the user, so a slow server never freezes it.
    int laufend = 1;
    while (laufend) {
        if (curl_multi_perform(multi.get(), &laufend) != CURLM_OK)
            break;
        if (!laufend)
            break;
        curl_multi_poll(multi.get(), nullptr, 0, 50, nullptr);
        ui().EreignisseVerarbeiten();
    }
    CURLcode ergebnis = CURLE_RECV_ERROR;
    int rest = 0;
    while (CURLMsg* m = curl_multi_info_read(multi.get(), &rest)) {
        if (m->msg == CURLMSG_DONE && m->easy_handle == c)
            ergebnis = m->data.result;
    }
    curl_multi_remove_handle(multi.get(), c);

    curl_easy_getinfo(c, CURLINFO_RESPONSE_CODE, &antwort.status);
    if (ergebnis == CURLE_OK || (ergebnis == CURLE_WRITE_ERROR && empfang.abgeschnitten)) {
        antwort.beantwortet = true;
        antwort.inhalt = empfang.daten;
        return antwort;
    }
    antwort.status = 0;
    antwort.zeitUeberschritten = ergebnis == CURLE_OPERATION_TIMEDOUT;
    antwort.fehler = FehlerText(ergebnis, optionen);
    return antwort;
}

} // namespace kelvora
