#include "HttpTestServer.h"

#include <QFile>
#include <QRegularExpression>

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

} // namespace kelvora::test
