#include "internet/HttpAbruf.h"

#include "frame/Oberflaeche.h"
#include "internet/CurlHilfen.h"

#include <QElapsedTimer>
#include <QUrl>
#include <curl/curl.h>
#include <memory>

namespace kelvora {

namespace {

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
    CurlStarten();
    std::unique_ptr<CURL, EasyLoeschen> easy(curl_easy_init());
    std::unique_ptr<CURLM, MultiLoeschen> multi(curl_multi_init());
    if (!easy || !multi) {
        antwort.fehler = QStringLiteral("Die Internet-Bibliothek konnte nicht gestartet werden.");
        return antwort;
    }

    CurlEmpfang empfang { antwort.inhalt, optionen.hoechstensBytes };
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
    curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, &CurlEmpfangen);
    curl_easy_setopt(c, CURLOPT_WRITEDATA, &empfang);

    char fehlerPuffer[CURL_ERROR_SIZE] = {};
    curl_easy_setopt(c, CURLOPT_ERRORBUFFER, fehlerPuffer);

    QElapsedTimer uhr;
    uhr.start();
    // The transfer runs in small steps; between them the window repaints and
    // answers the user, so a slow server never freezes it.
    const CURLcode ergebnis = CurlDurchfuehren(multi.get(), c, [] { ui().EreignisseVerarbeiten(); });

    curl_easy_getinfo(c, CURLINFO_RESPONSE_CODE, &antwort.status);
    // The first bytes were all that was wanted.
    if (ergebnis == CURLE_OK || (ergebnis == CURLE_WRITE_ERROR && empfang.zuGross)) {
        antwort.beantwortet = true;
        return antwort;
    }
    const QUrl adresseUrl(adresse.trimmed());
    CurlUmstaende u;
    u.server = adresseUrl.host().isEmpty() ? ZugangVerbergen(adresse.trimmed()) : adresseUrl.host();
    u.port = adresseUrl.port(adresseUrl.scheme() == QLatin1String("https") ? 443 : 80);
    u.zeitlimitMs = optionen.zeitlimitMs;
    u.stilleMs = qMin(optionen.verbindungsZeitlimitMs, optionen.zeitlimitMs);
    u.gesamtzeitAbgelaufen = uhr.elapsed() >= optionen.zeitlimitMs - 50;
    antwort.inhalt.clear();
    antwort.status = 0;
    antwort.zeitUeberschritten = ergebnis == CURLE_OPERATION_TIMEDOUT;
    antwort.fehler = CurlGrund(ergebnis, u);
    antwort.technisch = CurlTechnisch(ergebnis, fehlerPuffer);
    return antwort;
}

} // namespace kelvora
