#pragma once
// A real HTTP server for one test class: python3's http.server on
// 127.0.0.1, on a port the system chooses, serving a temporary folder.
// Stopped by the destructor.

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

namespace kelvora::test {

class HttpTestServer {
public:
    HttpTestServer();
    ~HttpTestServer();

    bool Laeuft() const { return port > 0; }
    QString Adresse(const QString& datei) const;
    void DateiSchreiben(const QString& name, const QByteArray& inhalt) const;
    void DateiLoeschen(const QString& name) const;

private:
    QTemporaryDir ordner;
    QProcess prozess;
    int port = 0;
};

// A socket on 127.0.0.1 that takes connections and never answers; closed by
// the destructor.
class StummerServer {
public:
    StummerServer();
    ~StummerServer();
    int port = 0;

private:
    int socketNr = -1;
};

// A port on 127.0.0.1 on which nothing listens.
int FreierPort();

} // namespace kelvora::test
