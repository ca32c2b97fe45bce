#include "internet/Passwortablage.h"

#include "frame/FunktionenFuerINI.h"
#include "frame/Oberflaeche.h"
#include "frame/Protokoll.h"

#include <QCoreApplication>
#include <qt6keychain/keychain.h>

#include <memory>

namespace kelvora {

namespace {

const QString Dienst = QStringLiteral("Kelvora");

// What an asynchronous job of the store answered.
struct Bescheid {
    bool fertig = false;
    QKeychain::Error fehler = QKeychain::NoError;
    QString fehlerText;
    QString text;
};

// The desktop's store through QtKeychain.
class Schluesselbund final : public Passwortablage {
public:
    AblageAntwort Lesen(const QString& schluessel, QString& passwort) override
    {
        auto* job = new QKeychain::ReadPasswordJob(Dienst);
        job->setKey(schluessel);
        const auto b = Ausfuehren(job);
        if (!b)
            return AblageAntwort::KeinSpeicher;
        if (b->fehler == QKeychain::EntryNotFound)
            return AblageAntwort::NichtVorhanden;
        if (b->fehler != QKeychain::NoError)
            return Ausgefallen(b->fehlerText);
        passwort = b->text;
        return AblageAntwort::Erledigt;
    }

    AblageAntwort Schreiben(const QString& schluessel, const QString& passwort) override
    {
        auto* job = new QKeychain::WritePasswordJob(Dienst);
        job->setKey(schluessel);
        job->setTextData(passwort);
        const auto b = Ausfuehren(job);
        if (!b)
            return AblageAntwort::KeinSpeicher;
        if (b->fehler != QKeychain::NoError)
            return Ausgefallen(b->fehlerText);
        return AblageAntwort::Erledigt;
    }

private:
    // Starts the job and waits for its answer: the job's D-Bus replies are
    // events of this thread, so they are let in while the seam's clock
    // bounds the wait (and the seam keeps the window alive meanwhile).
    // Null when the store is known to be missing or did not answer in time.
    std::shared_ptr<Bescheid> Ausfuehren(QKeychain::Job* job)
    {
        if (!verfuegbar) {
            delete job;
            return nullptr;
        }
        auto b = std::make_shared<Bescheid>();
        // A job that never ends must not point into this frame: the answer
        // goes into the shared Bescheid, and the job deletes itself.
        job->setAutoDelete(true);
        QObject::connect(job, &QKeychain::Job::finished, job, [b](QKeychain::Job* j) {
            b->fehler = j->error();
            b->fehlerText = j->errorString();
            if (auto* lesen = qobject_cast<QKeychain::ReadPasswordJob*>(j))
                b->text = lesen->textData();
            b->fertig = true;
        });
        job->start();
        const QDateTime ende = ui().Jetzt().addSecs(PasswortablageWarteSekunden);
        while (!b->fertig) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
            if (b->fertig)
                break;
            if (ui().Jetzt() >= ende) {
                Ausgefallen(QStringLiteral("keine Antwort in %1 Sekunden").arg(PasswortablageWarteSekunden));
                return nullptr;
            }
            ui().Warten(20);
        }
        return b;
    }

    AblageAntwort Ausgefallen(const QString& grund)
    {
        // Asked once per run: a machine without a store falls back to the
        // INI file at once from then on.
        verfuegbar = false;
        ProtokollSchreiben(QStringLiteral("Passwortspeicher des Systems nicht verfügbar, das FTP-Passwort kommt aus "
                                          "KELVORA.INI [")
            + grund + QLatin1Char(']'));
        return AblageAntwort::KeinSpeicher;
    }

    bool verfuegbar = true;
};

Passwortablage* installiert = nullptr;

} // namespace

Passwortablage& passwortablage()
{
    static Schluesselbund desktop;
    return installiert ? *installiert : desktop;
}

void PasswortablageSetzen(Passwortablage* ablage)
{
    installiert = ablage;
}

FtpPasswort FtpPasswortHolen(const QString& server, const QString& benutzer)
{
    // One entry per account and server, so another server never gets this password.
    const QString schluessel = QStringLiteral("Austausch ") + benutzer + QLatin1Char('@') + server;
    const QString ausIni = INILesen(QStringLiteral("Austausch"), QStringLiteral("Passwort"));
    if (!ausIni.isEmpty()) {
        if (passwortablage().Schreiben(schluessel, ausIni) != AblageAntwort::Erledigt)
            return { ausIni, PasswortQuelle::Ini };
        // The value itself never goes into a log.
        if (INISpeichern(QStringLiteral("Austausch"), QStringLiteral("Passwort"), QString(), true))
            ProtokollSchreiben(QStringLiteral("Das FTP-Passwort für ") + schluessel
                + QStringLiteral(" wurde aus KELVORA.INI in den Passwortspeicher des Systems übernommen."));
        return { ausIni, PasswortQuelle::Passwortspeicher };
    }
    QString gespeichert;
    if (passwortablage().Lesen(schluessel, gespeichert) == AblageAntwort::Erledigt)
        return { gespeichert, PasswortQuelle::Passwortspeicher };
    return { QString(), PasswortQuelle::Keine };
}

} // namespace kelvora
