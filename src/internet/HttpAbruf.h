#pragma once
// Reading a small text over HTTP(S) with libcurl, without freezing the
// window: the transfer runs in steps while pending window events are
// processed, and it gives up after a stated time.

#include <QByteArray>
#include <QString>

namespace kelvora {

struct HttpAbrufOptionen {
    qsizetype hoechstensBytes = 1000; // the rest of a longer answer is not read
    int zeitlimitMs = 15000; // the whole transfer, connecting included
    int verbindungsZeitlimitMs = 10000;
    QString agent = QStringLiteral("Kelvora");
};

struct HttpAntwort {
    bool beantwortet = false; // the server sent an HTTP answer (any status)
    long status = 0; // HTTP status code, 0 without an answer
    QByteArray inhalt; // at most hoechstensBytes of the body
    bool zeitUeberschritten = false;
    QString fehler; // German reason when not beantwortet
    QString technisch; // libcurl's words for it, for the error log
};

// Fetches `adresse` (http or https only) directly, without proxy, and asks
// every cache on the way for a fresh copy. Redirects are followed. Shows no
// message and writes no log; the caller decides what a failure means.
HttpAntwort HttpAbrufen(const QString& adresse, const HttpAbrufOptionen& optionen = {});

} // namespace kelvora
