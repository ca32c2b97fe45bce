#include "HttpTestServer.h"

#include "TestPfade.h"

#include <QFile>

namespace kelvora::test {

HttpTestServer::HttpTestServer()
{
    prozess.start(QStringLiteral("python3"),
        { QStringLiteral("-u"), QStringLiteral(KELVORA_QUELLORDNER "/tests/support/httpserver.py"),
            QStringLiteral("--ordner"), ordner.path() });
    if (!prozess.waitForStarted(10000))
        return;
    // The server names its port in its first line once it listens.
    while (!prozess.canReadLine() && prozess.waitForReadyRead(10000)) { }
    port = prozess.readLine().trimmed().toInt();
}

HttpTestServer::~HttpTestServer()
{
    prozess.closeWriteChannel();
    if (!prozess.waitForFinished(5000)) {
        prozess.kill();
        prozess.waitForFinished(5000);
    }
}

QString HttpTestServer::Adresse(const QString& datei) const
{
    return QStringLiteral("http://127.0.0.1:%1/%2").arg(port).arg(datei);
}

void HttpTestServer::DateiSchreiben(const QString& name, const QByteArray& inhalt) const
{
    QFile f(ordner.filePath(name));
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(inhalt);
}

void HttpTestServer::DateiLoeschen(const QString& name) const
{
    QFile::remove(ordner.filePath(name));
}

} // namespace kelvora::test
