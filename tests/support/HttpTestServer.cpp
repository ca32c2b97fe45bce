#include "HttpTestServer.h"

#include <QFile>
#include <QRegularExpression>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace kelvora::test {

HttpTestServer::HttpTestServer()
{
    prozess.setProcessChannelMode(QProcess::SeparateChannels);
    prozess.start(QStringLiteral("python3"),
        { QStringLiteral("-u"), QStringLiteral("-m"), QStringLiteral("http.server"), QStringLiteral("0"),
            QStringLiteral("--bind"), QStringLiteral("127.0.0.1"), QStringLiteral("--directory"), ordner.path() });
    if (!prozess.waitForStarted(10000))
        return;
    // The server names its port in its first line once it listens.
    static const QRegularExpression zeile(QStringLiteral("port (\\d+)"));
    QByteArray ausgabe;
    while (port == 0 && prozess.state() == QProcess::Running && prozess.waitForReadyRead(10000)) {
        ausgabe += prozess.readAllStandardOutput();
        const QRegularExpressionMatch m = zeile.match(QString::fromUtf8(ausgabe));
        if (m.hasMatch())
            port = m.captured(1).toInt();
    }
}

HttpTestServer::~HttpTestServer()
{
    prozess.kill();
    prozess.waitForFinished(5000);
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

namespace {

// A socket bound to a port of the system's choosing on 127.0.0.1.
int Binden(int* port)
{
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a {};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    a.sin_port = 0;
    socklen_t laenge = sizeof a;
    if (s < 0 || ::bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0
        || ::getsockname(s, reinterpret_cast<sockaddr*>(&a), &laenge) != 0) {
        if (s >= 0)
            ::close(s);
        return -1;
    }
    *port = ntohs(a.sin_port);
    return s;
}

} // namespace

StummerServer::StummerServer()
{
    socketNr = Binden(&port);
    // The kernel completes connections into the backlog; nobody ever reads.
    if (socketNr < 0 || ::listen(socketNr, 4) != 0)
        port = 0;
}

StummerServer::~StummerServer()
{
    if (socketNr >= 0)
        ::close(socketNr);
}

int FreierPort()
{
    int port = 0;
    const int s = Binden(&port);
    if (s >= 0)
        ::close(s);
    return port;
}

} // namespace kelvora::test
