#pragma once
// What FTP and HTTP transfers over libcurl share: starting the library,
// receiving into memory up to a limit, and what the user reads when a
// transfer fails: one German sentence per class of failure that names the
// server. libcurl's own English text is kept apart for the error log, in
// brackets, and every address in a text bound for a log has its user name
// and password masked.

#include <QByteArray>
#include <QString>

#include <curl/curl.h>

#include <cstddef>
#include <functional>

namespace kelvora {

// curl_global_init, once per program.
void CurlStarten();

// A transfer's data in memory, at most `hoechstens` bytes: a server that
// sends without end is cut off there instead of filling the memory. What
// fits is kept, zuGross set and the transfer ended (libcurl then reports a
// write error).
struct CurlEmpfang {
    QByteArray& daten;
    qsizetype hoechstens;
    bool zuGross = false;
};
// The CURLOPT_WRITEFUNCTION for a CurlEmpfang as CURLOPT_WRITEDATA.
size_t CurlEmpfangen(char* p, size_t groesse, size_t anzahl, void* empfang);

// Runs one transfer of `easy` on `multi` (whose connections outlive it, to
// be used again) in steps of at most 50 ms, calling zwischendurch between
// the steps. curl_easy_perform of libcurl 7.88 at times sleeps a whole
// second before it opens an FTP data connection; short steps do not.
CURLcode CurlDurchfuehren(CURLM* multi, CURL* easy, const std::function<void()>& zwischendurch = {});

// The circumstances a failure is told with.
struct CurlUmstaende {
    QString server; // as the user entered it
    int port = 0;
    int zeitlimitMs = 0; // the whole transfer
    int stilleMs = 0; // a server silent this long is given up
    bool gesamtzeitAbgelaufen = false; // the whole-transfer limit, not the silence, ended it
    QString zuGross; // set when a size limit ended the transfer: what was too large ("Die Dateiliste")
    qsizetype grenzeBytes = 0; // that limit
    bool ftp = false; // credentials are sent after the TLS handshake (FTP)
    bool implizit = false; // FTP with TLS from the first byte (ftps://)
    bool ohneGruss = false; // the FTP server has not said a word yet
    QString ordner; // the FTP folder the transfer tried to enter
};

// The German reason for a libcurl result code.
QString CurlGrund(int code, const CurlUmstaende& u);

// libcurl's text for the log: the detailed buffer when it has one, else
// the code's general description; credentials in it masked.
QString CurlTechnisch(int code, const char* fehlerPuffer);

// The reason for an HTTP status other than 200.
QString HttpStatusGrund(long status, const QString& server);

// "1 MB", "256 KB": a byte limit as the user reads it.
QString GroesseText(qsizetype bytes);

// Seconds as the user reads them: "60 Sekunden", "1 Sekunde", "0,5 Sekunden".
QString SekundenText(int millisekunden);

// Every "scheme://user:password@" in the text becomes "scheme://***:***@"
// (and "scheme://user@" becomes "scheme://***@"), so that no log keeps
// credentials written into an address.
QString ZugangVerbergen(const QString& text);

} // namespace kelvora
