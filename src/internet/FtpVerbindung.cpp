#include "internet/FtpVerbindung.h"

#include "grundlagen/Textbereinigung.h"
#include "internet/CurlHilfen.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QUrl>

#include <curl/curl.h>

#include <algorithm>
#include <atomic>
#include <thread>
#include <utility>

namespace kelvora {

namespace {

std::atomic<bool> abbruch { false };

// The last failure's German reason and libcurl's words for it, so that a
// log line built from the reason gets the words too.
std::pair<QString, QString>& letzteTechnik()
{
    static std::pair<QString, QString> t;
    return t;
}

// libcurl hands FTP facts ("Last-Modified: ...") to the write callback even
// without a transfer; by default it would print them.
size_t Verwerfen(char*, size_t groesse, size_t anzahl, void*)
{
    return groesse * anzahl;
}

size_t Senden(char* p, size_t groesse, size_t anzahl, void* quelle)
{
    const qint64 n = static_cast<QIODevice*>(quelle)->read(p, static_cast<qint64>(groesse * anzahl));
    return n < 0 ? CURL_READFUNC_ABORT : static_cast<size_t>(n);
}

// libcurl hands every reply line of the server to the header callback.
// Only the last few are kept: a reply of endless lines must not fill the
// memory (libcurl itself ends it after 300 KB).
constexpr qsizetype BehalteneAntwortzeilen = 32;

size_t Antwortzeile(char* p, size_t groesse, size_t anzahl, void* ziel)
{
    auto* zeilen = static_cast<QList<QByteArray>*>(ziel);
    if (zeilen->size() >= BehalteneAntwortzeilen)
        zeilen->removeFirst();
    zeilen->append(QByteArray(p, static_cast<qsizetype>(std::min<size_t>(groesse * anzahl, 512))).trimmed());
    return groesse * anzahl;
}

int Fortschritt(void*, curl_off_t, curl_off_t, curl_off_t, curl_off_t)
{
    return abbruch ? 1 : 0;
}

// Runs arbeit on a worker thread while this thread keeps processing its
// events. When the program ends meanwhile, the transfer is cancelled and
// waited for (libcurl looks at the cancel flag at least once a second).
template <class F> void ImHintergrund(F arbeit)
{
    std::atomic<bool> fertig { false };
    QEventLoop schleife;
    std::thread t([&] {
        arbeit();
        fertig = true;
        QMetaObject::invokeMethod(&schleife, &QEventLoop::quit, Qt::QueuedConnection);
    });
    // The loop's return code says nothing here; fertig tells how the wait ended.
    static_cast<void>(schleife.exec());
    if (!fertig)
        abbruch = true;
    t.join();
}

// Server file names travel as UTF-8; a listing that is no valid UTF-8 comes
// from an older server that writes the Windows code page.
QString NameLesen(const QByteArray& roh)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8(roh);
    if (!utf8.hasError())
        return text;
    QStringDecoder ansi("windows-1252");
    return ansi(roh);
}

// The folder of a "257" reply: between the first and the last double quote,
// a doubled quote standing for one.
QString OrdnerAusAntwort(const QList<QByteArray>& antworten)
{
    for (auto z = antworten.crbegin(); z != antworten.crend(); ++z) {
        if (!z->startsWith("257"))
            continue;
        const qsizetype a = z->indexOf('"');
        const qsizetype b = z->lastIndexOf('"');
        if (a < 0 || b <= a)
            return {};
        return NameLesen(z->mid(a + 1, b - a - 1).replace("\"\"", "\""));
    }
    return {};
}

} // namespace

struct FtpVerbindung::Intern {
    CURL* h = nullptr;
    CURLM* m = nullptr; // keeps the connection from one transfer to the next
    QString host;
    int port = 21;
    bool implizit = false; // TLS from the first byte (ftps://)
    bool verschluesselt = false;
    QByteArray benutzer;
    QByteArray passwort;
    FtpEinstellungen einstellungen;
    QElapsedTimer uhr; // runs from the login: the whole operation has its limit
    QStringList ordner; // entered since the login, relative to the login folder
    QString aktuell;
    QString fehler;
    QString technisch;
    QList<QByteArray> antworten;
    char fehlerPuffer[CURL_ERROR_SIZE] = {};
    curl_slist* befehle = nullptr;
    // What a size limit of the running transfer refers to ("Die Datei X").
    QString begrenzt;
    QString ordnerVersuch; // the folder the running transfer tries to enter
    CurlEmpfang* empfang = nullptr;

    ~Intern() { curl_slist_free_all(befehle); }

    // Whole seconds, at least two: libcurl counts these waits in seconds and
    // measures a transfer's speed over more than its first second.
    int StilleMs() const
    {
        return std::max(2000, std::min(einstellungen.zeitlimitMs / 2, FtpStilleHoechstens * 1000) / 1000 * 1000);
    }
    qint64 RestMs() const { return einstellungen.zeitlimitMs - uhr.elapsed(); }

    QByteArray Adresse(const QString& name = QString()) const
    {
        const QString h = host.contains(QLatin1Char(':')) ? QLatin1Char('[') + host + QLatin1Char(']') : host;
        QByteArray url = (implizit ? "ftps://" : "ftp://") + h.toUtf8() + ':' + QByteArray::number(port) + '/';
        for (const QString& o : ordner)
            url += QUrl::toPercentEncoding(o) + '/';
        if (!name.isEmpty())
            url += QUrl::toPercentEncoding(name);
        return url;
    }

    void Einstellen(const QByteArray& url)
    {
        curl_easy_reset(h);
        antworten.clear();
        fehlerPuffer[0] = 0;
        curl_slist_free_all(befehle);
        befehle = nullptr;
        begrenzt.clear();
        ordnerVersuch.clear();
        empfang = nullptr;
        const long stilleSekunden = StilleMs() / 1000;
        curl_easy_setopt(h, CURLOPT_URL, url.constData());
        curl_easy_setopt(h, CURLOPT_PROTOCOLS_STR, "ftp,ftps");
        // User and password go to the server as UTF-8, whatever the INI
        // file's code page was.
        curl_easy_setopt(h, CURLOPT_USERNAME, benutzer.constData());
        curl_easy_setopt(h, CURLOPT_PASSWORD, passwort.constData());
        long tls = CURLUSESSL_TRY;
        if (implizit || einstellungen.verschluesselung == FtpVerschluesselung::Erforderlich)
            tls = CURLUSESSL_ALL;
        else if (einstellungen.verschluesselung == FtpVerschluesselung::Aus)
            tls = CURLUSESSL_NONE;
        curl_easy_setopt(h, CURLOPT_USE_SSL, tls);
        if (!einstellungen.zertifikate.isEmpty())
            curl_easy_setopt(h, CURLOPT_CAINFO, QFile::encodeName(einstellungen.zertifikate).constData());
        curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
        curl_easy_setopt(h, CURLOPT_TIMEOUT_MS, static_cast<long>(std::max<qint64>(1, RestMs())));
        curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(StilleMs()));
        curl_easy_setopt(h, CURLOPT_SERVER_RESPONSE_TIMEOUT, stilleSekunden);
        curl_easy_setopt(h, CURLOPT_LOW_SPEED_LIMIT, 1L);
        curl_easy_setopt(h, CURLOPT_LOW_SPEED_TIME, stilleSekunden);
        curl_easy_setopt(h, CURLOPT_NOPROGRESS, 0L);
        curl_easy_setopt(h, CURLOPT_XFERINFOFUNCTION, &Fortschritt);
        curl_easy_setopt(h, CURLOPT_HEADERFUNCTION, &Antwortzeile);
        curl_easy_setopt(h, CURLOPT_HEADERDATA, &antworten);
        curl_easy_setopt(h, CURLOPT_ERRORBUFFER, fehlerPuffer);
        curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, &Verwerfen);
    }

    // Receives into ziel, at most hoechstens bytes of what is called was.
    void EmpfangEinrichten(CurlEmpfang& e, const QString& was)
    {
        empfang = &e;
        begrenzt = was;
        curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, &CurlEmpfangen);
        curl_easy_setopt(h, CURLOPT_WRITEDATA, &e);
        curl_easy_setopt(h, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(e.hoechstens));
    }

    // Server commands sent after reaching the folder of the address.
    void Befehle(const QStringList& liste)
    {
        for (const QString& b : liste)
            befehle = curl_slist_append(befehle, b.toUtf8().constData());
        curl_easy_setopt(h, CURLOPT_POSTQUOTE, befehle);
    }

    bool Ausfuehren()
    {
        CURLcode rc = CURLE_ABORTED_BY_CALLBACK;
        if (RestMs() <= 0)
            rc = CURLE_OPERATION_TIMEDOUT;
        else if (!abbruch)
            ImHintergrund([&] { rc = CurlDurchfuehren(m, h); });
        if (rc == CURLE_OK)
            return true;
        Fehler(rc);
        return false;
    }

    void Fehler(CURLcode rc)
    {
        // libcurl says "timed out" for both limits; the clock tells which.
        const bool zuGross = rc == CURLE_FILESIZE_EXCEEDED || (empfang && empfang->zuGross);
        const CurlUmstaende u { .server = host,
            .port = port,
            .zeitlimitMs = einstellungen.zeitlimitMs,
            .stilleMs = StilleMs(),
            .gesamtzeitAbgelaufen = RestMs() <= 50,
            .zuGross = zuGross ? begrenzt : QString(),
            .grenzeBytes = empfang ? empfang->hoechstens : 0,
            .ftp = true,
            .implizit = implizit,
            .ohneGruss = antworten.isEmpty(),
            .ordner = ordnerVersuch };
        fehler = CurlGrund(rc, u);
        technisch = CurlTechnisch(rc, fehlerPuffer);
        const QString ablehnung = LetzteAblehnung();
        if (!ablehnung.isEmpty())
            technisch += QStringLiteral("; Server: ") + ablehnung;
        letzteTechnik() = { fehler, technisch };
    }

    // The server's last refusal (a 4xx or 5xx reply), as it wrote it.
    QString LetzteAblehnung() const
    {
        for (auto z = antworten.crbegin(); z != antworten.crend(); ++z)
            if (!z->isEmpty() && (z->at(0) == '4' || z->at(0) == '5'))
                return TextBereinigen(NameLesen(*z));
        return QString();
    }

    bool Namen(QStringList& namen)
    {
        namen.clear();
        QByteArray liste;
        CurlEmpfang e { liste, FtpListeHoechstBytes };
        Einstellen(Adresse());
        curl_easy_setopt(h, CURLOPT_DIRLISTONLY, 1L);
        EmpfangEinrichten(e, QStringLiteral("Die Dateiliste"));
        if (!Ausfuehren())
            return false;
        for (QByteArray zeile : liste.split('\n')) {
            zeile = zeile.trimmed();
            // Some servers answer with the folder in front of each name.
            zeile = zeile.mid(zeile.lastIndexOf('/') + 1);
            if (!zeile.isEmpty())
                namen.append(NameLesen(zeile));
        }
        return true;
    }
};

FtpVerbindung::FtpVerbindung()
    : d(std::make_unique<Intern>())
{
    CurlStarten();
}

FtpVerbindung::~FtpVerbindung()
{
    Schliessen();
}

bool FtpVerbindung::Oeffnen(
    const FtpZiel& ziel, const QString& benutzer, const QString& passwort, const FtpEinstellungen& einstellungen)
{
    Schliessen();
    d->einstellungen = einstellungen;
    if (d->einstellungen.zeitlimitMs <= 0)
        d->einstellungen.zeitlimitMs = FtpZeitlimitVorgabe * 1000;
    d->benutzer = benutzer.toUtf8();
    d->passwort = passwort.toUtf8();
    d->ordner.clear();
    d->aktuell.clear();
    d->fehler.clear();
    d->technisch.clear();
    d->verschluesselt = false;
    d->host = ziel.host;
    d->port = ziel.port == 0 ? (ziel.implizit ? 990 : 21) : ziel.port;
    d->implizit = ziel.implizit || d->port == 990;
    d->h = curl_easy_init();
    d->m = curl_multi_init();
    if (!d->h || !d->m) {
        d->fehler = QStringLiteral("Die FTP-Bibliothek konnte nicht gestartet werden.");
        return false;
    }
    d->uhr.start();
    // Logging in without a transfer: libcurl asks for the login folder itself.
    d->Einstellen(d->Adresse());
    curl_easy_setopt(d->h, CURLOPT_NOBODY, 1L);
    if (!d->Ausfuehren()) {
        Schliessen();
        return false;
    }
    // "234" accepts AUTH TLS: everything after it, the login included, is encrypted.
    d->verschluesselt = d->implizit || std::any_of(d->antworten.cbegin(), d->antworten.cend(), [](const QByteArray& z) {
        return z.startsWith("234");
    });
    char* eintritt = nullptr;
    if (curl_easy_getinfo(d->h, CURLINFO_FTP_ENTRY_PATH, &eintritt) == CURLE_OK && eintritt)
        d->aktuell = TextBereinigen(NameLesen(QByteArray(eintritt)));
    return true;
}

QString FtpVerbindung::Host() const
{
    return d->host;
}

bool FtpVerbindung::Verschluesselt() const
{
    return d->verschluesselt;
}

QString FtpVerbindung::AktuellerOrdner() const
{
    return d->aktuell;
}

bool FtpVerbindung::OrdnerWechseln(const QString& ordner)
{
    if (!d->h || ordner.isEmpty())
        return false;
    d->ordner.append(ordner);
    d->Einstellen(d->Adresse());
    curl_easy_setopt(d->h, CURLOPT_NOBODY, 1L);
    d->Befehle({ QStringLiteral("PWD") });
    d->ordnerVersuch = ordner;
    if (!d->Ausfuehren()) {
        d->ordner.removeLast();
        return false;
    }
    d->aktuell = TextBereinigen(OrdnerAusAntwort(d->antworten));
    return d->aktuell.endsWith(ordner);
}

bool FtpVerbindung::Dateiliste(const QString& muster, QStringList& namen)
{
    namen.clear();
    QStringList alle;
    if (!d->h || !d->Namen(alle))
        return false;
    const QRegularExpression passt(
        QRegularExpression::wildcardToRegularExpression(muster), QRegularExpression::CaseInsensitiveOption);
    for (const QString& n : alle)
        if (passt.match(n).hasMatch())
            namen.append(n);
    return true;
}

bool FtpVerbindung::DateiVorhanden(const QString& name)
{
    QStringList alle;
    return d->h && d->Namen(alle) && alle.contains(name);
}

bool FtpVerbindung::Aenderungszeit(const QString& name, QDateTime& zeit)
{
    zeit = QDateTime();
    if (!d->h)
        return false;
    d->Einstellen(d->Adresse(name));
    curl_easy_setopt(d->h, CURLOPT_NOBODY, 1L);
    curl_easy_setopt(d->h, CURLOPT_FILETIME, 1L);
    if (!d->Ausfuehren())
        return false;
    curl_off_t sekunden = -1;
    if (curl_easy_getinfo(d->h, CURLINFO_FILETIME_T, &sekunden) == CURLE_OK && sekunden >= 0)
        zeit = QDateTime::fromSecsSinceEpoch(static_cast<qint64>(sekunden), Qt::UTC);
    return zeit.isValid();
}

bool FtpVerbindung::Hochladen(const QString& lokalerPfad, const QString& name)
{
    if (!d->h)
        return false;
    QFile datei(lokalerPfad);
    if (!datei.open(QIODevice::ReadOnly)) {
        d->fehler = QStringLiteral("Die Datei ") + lokalerPfad + QStringLiteral(" kann nicht gelesen werden.");
        d->technisch = datei.errorString();
        return false;
    }
    d->Einstellen(d->Adresse(name));
    curl_easy_setopt(d->h, CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(d->h, CURLOPT_READFUNCTION, &Senden);
    curl_easy_setopt(d->h, CURLOPT_READDATA, static_cast<QIODevice*>(&datei));
    curl_easy_setopt(d->h, CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(datei.size()));
    return d->Ausfuehren();
}

bool FtpVerbindung::Herunterladen(const QString& name, QByteArray& inhalt, qsizetype hoechstBytes)
{
    inhalt.clear();
    if (!d->h)
        return false;
    CurlEmpfang e { inhalt, hoechstBytes };
    d->Einstellen(d->Adresse(name));
    d->EmpfangEinrichten(e, QStringLiteral("Die Datei ") + name);
    if (d->Ausfuehren())
        return true;
    inhalt.clear();
    inhalt.squeeze();
    return false;
}

bool FtpVerbindung::Loeschen(const QString& name)
{
    if (!d->h)
        return false;
    d->Einstellen(d->Adresse());
    curl_easy_setopt(d->h, CURLOPT_NOBODY, 1L);
    d->Befehle({ QStringLiteral("DELE ") + name });
    return d->Ausfuehren();
}

void FtpVerbindung::Schliessen()
{
    if (!d->h && !d->m)
        return;
    // Saying goodbye waits for the server's answer, so it runs off this
    // thread too, and within the silence limit.
    CURL* h = std::exchange(d->h, nullptr);
    CURLM* m = std::exchange(d->m, nullptr);
    curl_easy_setopt(h, CURLOPT_SERVER_RESPONSE_TIMEOUT, static_cast<long>(d->StilleMs() / 1000));
    ImHintergrund([h, m] {
        curl_easy_cleanup(h);
        curl_multi_cleanup(m);
    });
}

QString FtpVerbindung::LetzterFehler() const
{
    return d->fehler;
}

QString FtpVerbindung::TechnischerFehler() const
{
    return d->technisch;
}

QString FtpTechnischerGrundZu(const QString& text)
{
    const auto& [grund, technisch] = letzteTechnik();
    return !grund.isEmpty() && text.contains(grund) ? technisch : QString();
}

void FtpAbbrechen()
{
    abbruch = true;
}

void FtpAbbruchZuruecksetzen()
{
    abbruch = false;
}

bool FtpAbgebrochen()
{
    return abbruch;
}

} // namespace kelvora
