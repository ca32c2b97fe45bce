#pragma once
// A real HTTP server for one test class (httpserver.py) on 127.0.0.1, on a
// port the system chooses, serving a temporary folder; Adresse() also
// reaches its misbehaving paths ("status/500/Versionen.txt", "weiter",
// "endlos", "tropfen"). Stopped by the destructor.

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

// FreierPort and StummerServer for servers that are off or silent.
#include "TestFtpServer.h"

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

} // namespace kelvora::test
