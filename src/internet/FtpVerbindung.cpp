#include "internet/FtpVerbindung.h"

#include "grundlagen/Textbereinigung.h"

#include <QEventLoop>
#include <QFile>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QUrl>

#include <curl/curl.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <mutex>
#include <thread>

namespace kelvora {

namespace {

std::atomic<bool> abbruch { false };

void CurlEinrichten()
{
    static std::once_flag einmal;
    std::call_once(einmal, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

struct Lesepuffer {
    QByteArray daten;
    qsizetype gelesen = 0;
};

size_t Empfangen(char* p, size_t groesse, size_t anzahl, void* ziel)
{
    static_cast<QByteArray*>(ziel)->append(p, static_cast<qsizetype>(groesse * anzahl));
    return groesse * anzahl;
}

size_t Senden(char* p, size_t groesse, size_t anzahl, void* quelle)
{
    auto* q = static_cast<Lesepuffer*>(quelle);
    const size_t n = std::min(groesse * anzahl, static_cast<size_t>(q->daten.size() - q->gelesen));
    std::memcpy(p, q->daten.constData() + q->gelesen, n);
    q->gelesen += static_cast<qsizetype>(n);
    return n;
}

// libcurl hands every reply line of the server to the header callback.
size_t Antwortzeile(char* p, size_t groesse, size_t anzahl, void* ziel)
{
    static_cast<QList<QByteArray>*>(ziel)->append(QByteArray(p, static_cast<qsizetype>(groesse * anzahl)).trimmed());
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
    QString host;
    int port = 21;
    QByteArray benutzer;
    QByteArray passwort;
    int zeitlimit = FtpZeitlimitVorgabe;
    QStringList ordner; // entered since the login, relative to the login folder
    QString aktuell;
    QString fehler;
    QList<QByteArray> antworten;
    char fehlerPuffer[CURL_ERROR_SIZE] = {};
    curl_slist* befehle = nullptr;

    ~Intern() { curl_slist_free_all(befehle); }

    QByteArray Adresse(const QString& name = QString()) const
    {
        const QString h = host.contains(QLatin1Char(':')) ? QLatin1Char('[') + host + QLatin1Char(']') : host;
        QByteArray url = "ftp://" + h.toUtf8() + ':' + QByteArray::number(port) + '/';
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
        const long sekunden = zeitlimit;
        curl_easy_setopt(h, CURLOPT_URL, url.constData());
        curl_easy_setopt(h, CURLOPT_PROTOCOLS_STR, "ftp");
        curl_easy_setopt(h, CURLOPT_USERNAME, benutzer.constData());
        curl_easy_setopt(h, CURLOPT_PASSWORD, passwort.constData());
        // Credentials go encrypted where the server can do it; a server
        // without TLS is still served.
        curl_easy_setopt(h, CURLOPT_USE_SSL, static_cast<long>(CURLUSESSL_TRY));
        curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
        curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT, sekunden);
        curl_easy_setopt(h, CURLOPT_SERVER_RESPONSE_TIMEOUT, sekunden);
        curl_easy_setopt(h, CURLOPT_LOW_SPEED_LIMIT, 1L);
        curl_easy_setopt(h, CURLOPT_LOW_SPEED_TIME, sekunden);
        curl_easy_setopt(h, CURLOPT_NOPROGRESS, 0L);
        curl_easy_setopt(h, CURLOPT_XFERINFOFUNCTION, &Fortschritt);
        curl_easy_setopt(h, CURLOPT_HEADERFUNCTION, &Antwortzeile);
        curl_easy_setopt(h, CURLOPT_HEADERDATA, &antworten);
        curl_easy_setopt(h, CURLOPT_ERRORBUFFER, fehlerPuffer);
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
        if (!abbruch)
            ImHintergrund([&] { rc = curl_easy_perform(h); });
        if (rc == CURLE_OK)
            return true;
        fehler = Beschreibung(rc);
        return false;
    }

    QString LetzteAblehnung() const
    {
        for (auto z = antworten.crbegin(); z != antworten.crend(); ++z)
            if (!z->isEmpty() && (z->at(0) == '4' || z->at(0) == '5'))
                return NameLesen(*z);
        return QString::fromUtf8(fehlerPuffer);
    }

    QString Beschreibung(CURLcode rc) const
    {
        switch (rc) {
        case CURLE_COULDNT_RESOLVE_HOST:
            return QStringLiteral("Der Servername ") + host + QStringLiteral(" ist unbekannt.");
        case CURLE_COULDNT_CONNECT:
            return QStringLiteral("Der Server ") + host + QStringLiteral(" nimmt auf Port ") + QString::number(port)
                + QStringLiteral(" keine Verbindung an.");
        case CURLE_OPERATION_TIMEDOUT:
            return QStringLiteral("Der Server ") + host + QStringLiteral(" hat ") + QString::number(zeitlimit)
                + QStringLiteral(" Sekunden lang nicht geantwortet.");
        case CURLE_LOGIN_DENIED:
            return QStringLiteral("Der Server ") + host
                + QStringLiteral(" hat die Anmeldung abgelehnt (Benutzer oder Passwort falsch).");
        case CURLE_ABORTED_BY_CALLBACK:
            return QStringLiteral("Die Übertragung wurde abgebrochen.");
        case CURLE_REMOTE_ACCESS_DENIED:
        case CURLE_REMOTE_FILE_NOT_FOUND:
        case CURLE_QUOTE_ERROR:
        case CURLE_FTP_COULDNT_RETR_FILE:
        case CURLE_UPLOAD_FAILED:
            return QStringLiteral("Der Server hat abgelehnt: ") + LetzteAblehnung();
        default:
            return QStringLiteral("FTP-Fehler ") + QString::number(static_cast<int>(rc)) + QStringLiteral(" (")
                + (fehlerPuffer[0] ? QString::fromUtf8(fehlerPuffer) : QString::fromUtf8(curl_easy_strerror(rc)))
                + QLatin1Char(')');
        }
    }

    bool Namen(QStringList& namen)
    {
        namen.clear();
        QByteArray liste;
        Einstellen(Adresse());
        curl_easy_setopt(h, CURLOPT_DIRLISTONLY, 1L);
        curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, &Empfangen);
        curl_easy_setopt(h, CURLOPT_WRITEDATA, &liste);
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
    CurlEinrichten();
}

FtpVerbindung::~FtpVerbindung()
{
    Schliessen();
}

bool FtpVerbindung::Oeffnen(
    const QString& host, int port, const QString& benutzer, const QString& passwort, int zeitlimitSekunden)
{
    Schliessen();
    d->host = host.trimmed();
    d->port = port == 0 ? 21 : port;
    d->benutzer = benutzer.toUtf8();
    d->passwort = passwort.toUtf8();
    d->zeitlimit = zeitlimitSekunden > 0 ? zeitlimitSekunden : FtpZeitlimitVorgabe;
    d->ordner.clear();
    d->aktuell.clear();
    d->fehler.clear();
    if (d->host.isEmpty()) {
        d->fehler = QStringLiteral("Es ist kein Server angegeben.");
        return false;
    }
    d->h = curl_easy_init();
    if (!d->h) {
        d->fehler = QStringLiteral("Die FTP-Bibliothek konnte nicht gestartet werden.");
        return false;
    }
    // Logging in without a transfer: libcurl asks for the login folder itself.
    d->Einstellen(d->Adresse());
    curl_easy_setopt(d->h, CURLOPT_NOBODY, 1L);
    if (!d->Ausfuehren()) {
        Schliessen();
        return false;
    }
    char* eintritt = nullptr;
    if (curl_easy_getinfo(d->h, CURLINFO_FTP_ENTRY_PATH, &eintritt) == CURLE_OK && eintritt)
        d->aktuell = TextBereinigen(NameLesen(QByteArray(eintritt)));
    return true;
}

bool FtpVerbindung::Offen() const
{
    return d->h != nullptr;
}

QString FtpVerbindung::Host() const
{
    return d->host;
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

bool FtpVerbindung::Hochladen(const QString& lokalerPfad, const QString& name)
{
    if (!d->h)
        return false;
    QFile datei(lokalerPfad);
    if (!datei.open(QIODevice::ReadOnly)) {
        d->fehler = QStringLiteral("Die Datei ") + lokalerPfad + QStringLiteral(" kann nicht gelesen werden.");
        return false;
    }
    Lesepuffer quelle { datei.readAll(), 0 };
    d->Einstellen(d->Adresse(name));
    curl_easy_setopt(d->h, CURLOPT_UPLOAD, 1L);
    // An upload on a connection that has just listed a folder waits a whole
    // second before it opens its data connection (libcurl 7.88); a fresh
    // login is quicker.
    curl_easy_setopt(d->h, CURLOPT_FRESH_CONNECT, 1L);
    curl_easy_setopt(d->h, CURLOPT_READFUNCTION, &Senden);
    curl_easy_setopt(d->h, CURLOPT_READDATA, &quelle);
    curl_easy_setopt(d->h, CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(quelle.daten.size()));
    return d->Ausfuehren();
}

bool FtpVerbindung::Herunterladen(const QString& name, QByteArray& inhalt)
{
    inhalt.clear();
    if (!d->h)
        return false;
    d->Einstellen(d->Adresse(name));
    curl_easy_setopt(d->h, CURLOPT_WRITEFUNCTION, &Empfangen);
    curl_easy_setopt(d->h, CURLOPT_WRITEDATA, &inhalt);
    if (d->Ausfuehren())
        return true;
    inhalt.clear();
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
    if (!d->h)
        return;
    // Saying goodbye waits for the server's answer, so it runs off this thread too.
    CURL* h = d->h;
    d->h = nullptr;
    ImHintergrund([h] { curl_easy_cleanup(h); });
}

QString FtpVerbindung::LetzterFehler() const
{
    return d->fehler;
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
