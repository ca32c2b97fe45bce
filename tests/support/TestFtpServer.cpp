#include "TestFtpServer.h"

#include "TestPfade.h"
#include "frame/FunktionenFuerINI.h"
#include "internet/FtpVerbindung.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace kelvora::test {

namespace {

const QString Austausch = QStringLiteral("Datenquellen/Futtermittel/Kelvora");

// Debian's interpreter carries the pyftpdlib package; a python3 of its own
// earlier in PATH may not.
QString Python()
{
    return QFileInfo::exists(QStringLiteral("/usr/bin/python3")) ? QStringLiteral("/usr/bin/python3")
                                                                 : QStringLiteral("python3");
}

// A socket bound to a free port of 127.0.0.1; -1 on failure.
int Gebunden(int& port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a {};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t laenge = sizeof a;
    if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0
        || ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &laenge) != 0) {
        if (fd >= 0)
            ::close(fd);
        return -1;
    }
    port = ntohs(a.sin_port);
    return fd;
}

} // namespace

TestFtpServer::TestFtpServer()
    : TestFtpServer(Optionen {})
{
}

TestFtpServer::TestFtpServer(const Optionen& o)
    : optionen(o)
{
    QDir(wurzel.path()).mkpath(Austausch);
    prozess.start(Python(),
        { QStringLiteral(KELVORA_QUELLORDNER "/tests/support/ftpserver.py"), QStringLiteral("--wurzel"), wurzel.path(),
            QStringLiteral("--benutzer"), o.benutzer, QStringLiteral("--passwort"), o.passwort,
            QStringLiteral("--startordner"), o.startordner });
    if (!prozess.waitForStarted(10000))
        return;
    while (!prozess.canReadLine() && prozess.waitForReadyRead(10000)) { }
    port = prozess.readLine().trimmed().toInt();
    if (port <= 0)
        qWarning("FTP-Testserver startet nicht: %s", prozess.readAllStandardError().constData());
}

TestFtpServer::~TestFtpServer()
{
    prozess.closeWriteChannel();
    if (!prozess.waitForFinished(5000)) {
        prozess.kill();
        prozess.waitForFinished(5000);
    }
}

QString TestFtpServer::Ordner() const
{
    return wurzel.path() + QLatin1Char('/') + Austausch;
}

QStringList TestFtpServer::Dateien() const
{
    return QDir(Ordner()).entryList(QDir::Files, QDir::Name);
}

QByteArray TestFtpServer::Lesen(const QString& name) const
{
    QFile f(Pfad(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void TestFtpServer::Schreiben(const QString& name, const QByteArray& inhalt) const
{
    QFile f(Pfad(name));
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(inhalt);
}

void TestFtpServer::Leeren() const
{
    for (const QString& n : Dateien())
        QFile::remove(Pfad(n));
}

void TestFtpServer::Eintragen(const QString& host) const
{
    INISpeichern(QStringLiteral("Austausch"), QStringLiteral("Server"), host);
    INISpeichern(QStringLiteral("Austausch"), QStringLiteral("Port"), QString::number(port));
    INISpeichern(QStringLiteral("Austausch"), QStringLiteral("Benutzer"), optionen.benutzer);
    INISpeichern(QStringLiteral("Austausch"), QStringLiteral("Passwort"), optionen.passwort);
}

int FreierPort()
{
    int port = 0;
    const int fd = Gebunden(port);
    if (fd < 0)
        return 0;
    ::close(fd);
    return port;
}

StummerServer::StummerServer()
{
    fd = Gebunden(port);
    // The kernel completes the handshake for the backlog; nobody ever answers.
    if (fd >= 0 && ::listen(fd, 8) != 0) {
        ::close(fd);
        fd = -1;
        port = 0;
    }
}

StummerServer::~StummerServer()
{
    if (fd >= 0)
        ::close(fd);
}

void FtpTestBasis::initTestCase()
{
    server = std::make_unique<TestFtpServer>(Zugang());
    QVERIFY(server->Laeuft());
}

void FtpTestBasis::Vorbereiten()
{
    ui = std::make_unique<TestOberflaeche>();
    ordner = std::make_unique<TestDatenordner>();
    server->Leeren();
    server->Eintragen();
    FtpAbbruchZuruecksetzen();
}

void FtpTestBasis::Aufraeumen()
{
    ordner.reset();
    ui.reset();
}

} // namespace kelvora::test
