#pragma once
// A real FTP server (pyftpdlib) on 127.0.0.1 and a free port for the
// exchange tests, serving a temporary folder; stopped by the destructor.

#include "TestOberflaeche.h"
#include "TestUmgebung.h"
#include "internet/Passwortablage.h"

#include <QMap>
#include <QObject>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

namespace kelvora::test {

class TestFtpServer {
public:
    struct Optionen {
        QString benutzer = QStringLiteral("kelvora");
        QString passwort = QStringLiteral("geheim");
        QString startordner = QStringLiteral("/"); // where the login puts the user
        bool tls = false; // AUTH TLS with a self-signed certificate (Zertifikat())
        bool implizit = false; // with tls: encrypted from the first byte
    };
    TestFtpServer();
    explicit TestFtpServer(const Optionen& optionen);
    ~TestFtpServer();

    bool Laeuft() const { return port > 0; }
    int Port() const { return port; }
    const Optionen& Zugang() const { return optionen; }

    // The exchange folder Datenquellen/Futtermittel/Kelvora on the server.
    QString Ordner() const;
    QString Pfad(const QString& name) const { return Ordner() + QLatin1Char('/') + name; }
    QStringList Dateien() const;
    QByteArray Lesen(const QString& name) const;
    void Schreiben(const QString& name, const QByteArray& inhalt) const;
    // Empties the exchange folder, forgets the commands received and ends
    // every misbehaviour.
    void Leeren() const;

    // Makes a command misbehave from now on (see ftpserver.py): befehl NLST,
    // RETR or PWD, art endlos, tropfen, stocken or abbrechen.
    void Stoeren(const QString& befehl, const QString& art) const;
    // The command words received since the last Leeren().
    QStringList Befehle() const;
    // The server's certificate (PEM), to trust it or not.
    QString Zertifikat() const;

    // Writes section "Austausch" of the current KELVORA.INI for this server,
    // with a time limit short enough for the tests.
    void Eintragen(const QString& host = QStringLiteral("127.0.0.1")) const;

private:
    Optionen optionen;
    QTemporaryDir wurzel;
    QTemporaryDir werkstatt; // steering file, transcript and certificate, outside the served tree
    QProcess prozess;
    int port = 0;
};

// A port on 127.0.0.1 where nothing listens.
int FreierPort();

// Accepts connections on 127.0.0.1 and never answers: a server that hangs.
class StummerServer {
public:
    StummerServer();
    ~StummerServer();
    int Port() const { return port; }

private:
    int fd = -1;
    int port = 0;
};

// A password store in memory; without `vorhanden` it behaves as a machine
// without one. Tests never touch the desktop's store.
class TestPasswortablage final : public Passwortablage {
public:
    AblageAntwort Lesen(const QString& schluessel, QString& passwort) override;
    AblageAntwort Schreiben(const QString& schluessel, const QString& passwort) override;
    bool vorhanden = false;
    QMap<QString, QString> eintraege;
};

// Base of the test classes that talk to the server: one server for the
// class; Vorbereiten() gives a test a fresh seam and data folder, an empty
// exchange folder entered in KELVORA.INI, no password store and no
// pending cancel.
class FtpTestBasis : public QObject {
    Q_OBJECT
protected slots:
    void initTestCase();
    void cleanupTestCase();

protected:
    virtual TestFtpServer::Optionen Zugang() const { return {}; }
    void Vorbereiten();
    void Aufraeumen();

    std::unique_ptr<TestFtpServer> server;
    TestPasswortablage ablage;
    std::unique_ptr<TestOberflaeche> ui;
    std::unique_ptr<TestDatenordner> ordner;
};

} // namespace kelvora::test
