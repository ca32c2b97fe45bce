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
    QStringList argumente { QStringLiteral(KELVORA_QUELLORDNER "/tests/support/ftpserver.py"),
        QStringLiteral("--wurzel"), wurzel.path(), QStringLiteral("--benutzer"), o.benutzer,
        QStringLiteral("--passwort"), o.passwort, QStringLiteral("--startordner"), o.startordner,
        QStringLiteral("--steuerung"), werkstatt.filePath(QStringLiteral("steuerung")), QStringLiteral("--mitschrift"),
        werkstatt.filePath(QStringLiteral("mitschrift")) };
    if (o.tls)
        argumente << QStringLiteral("--zertifikat") << Zertifikat();
    if (o.implizit)
        argumente << QStringLiteral("--implizit");
    prozess.start(Python(), argumente);
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
    QFile::remove(werkstatt.filePath(QStringLiteral("steuerung")));
    QFile::remove(werkstatt.filePath(QStringLiteral("mitschrift")));
}

void TestFtpServer::Stoeren(const QString& befehl, const QString& art) const
{
    QFile f(werkstatt.filePath(QStringLiteral("steuerung")));
    if (f.open(QIODevice::WriteOnly | QIODevice::Append))
        f.write((befehl + QLatin1Char(' ') + art + QLatin1Char('\n')).toUtf8());
}

QStringList TestFtpServer::Befehle() const
{
    QFile f(werkstatt.filePath(QStringLiteral("mitschrift")));
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts)
                                       : QStringList();
}

QString TestFtpServer::Zertifikat() const
{
    return werkstatt.filePath(QStringLiteral("zertifikat.pem"));
}

void TestFtpServer::Eintragen(const QString& host) const
{
    // The password stays out of the logs, as the program keeps it.
    QVERIFY(INISpeichernMehrere(QStringLiteral("Austausch"),
        { { QStringLiteral("Server"), host }, { QStringLiteral("Port"), QString::number(port) },
            { QStringLiteral("Benutzer"), optionen.benutzer }, { QStringLiteral("Passwort"), optionen.passwort },
            { QStringLiteral("Zeitlimit"), QStringLiteral("5") } },
        true));
}

AblageAntwort TestPasswortablage::Lesen(const QString& schluessel, QString& passwort)
{
    if (!vorhanden)
        return AblageAntwort::KeinSpeicher;
    if (!eintraege.contains(schluessel))
        return AblageAntwort::NichtVorhanden;
    passwort = eintraege.value(schluessel);
    return AblageAntwort::Erledigt;
}

AblageAntwort TestPasswortablage::Schreiben(const QString& schluessel, const QString& passwort)
{
    if (!vorhanden)
        return AblageAntwort::KeinSpeicher;
    eintraege.insert(schluessel, passwort);
    return AblageAntwort::Erledigt;
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
    PasswortablageSetzen(&ablage);
    server = std::make_unique<TestFtpServer>(Zugang());
    QVERIFY(server->Laeuft());
}

void FtpTestBasis::cleanupTestCase()
{
    server.reset();
    PasswortablageSetzen(nullptr);
}

void FtpTestBasis::Vorbereiten()
{
    ui = std::make_unique<TestOberflaeche>();
    ordner = std::make_unique<TestDatenordner>();
    ablage = TestPasswortablage {};
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
