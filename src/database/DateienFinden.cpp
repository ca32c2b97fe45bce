#include "database/DateienFinden.h"

#include "database/DatenbankRoutinen.h"

#include "grundlagen/Formate.h"
#include "frame/Oberflaeche.h"
#include "frame/Programm.h"
#include "frame/Protokoll.h"
#include "frame/Statuszeile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace kelvora {

namespace {

QString Ordner(const QString& pfad)
{
    return QFileInfo(pfad).absolutePath();
}

bool GleicherOrdner(const QString& a, const QString& b)
{
    return QDir::cleanPath(Ordner(a)) == QDir::cleanPath(Ordner(b));
}

QString Groesse(const QString& pfad)
{
    return Formatieren(static_cast<double>(QFileInfo(pfad).size()), QStringLiteral("#,###"));
}

// Plain copy block by block; the target is created anew.
bool BlockweiseKopieren(const QString& quelle, const QString& ziel)
{
    QFile ein(quelle);
    QFile aus(ziel);
    if (!ein.open(QIODevice::ReadOnly) || !aus.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    QByteArray block;
    while (!(block = ein.read(1 << 16)).isEmpty()) {
        if (aus.write(block) != block.size())
            return false;
        ui().EreignisseVerarbeiten();
    }
    return ein.error() == QFileDevice::NoError && aus.flush();
}

class SanduhrAn {
public:
    SanduhrAn() { ui().Sanduhr(true); }
    ~SanduhrAn() { ui().Sanduhr(false); }
    SanduhrAn(const SanduhrAn&) = delete;
    SanduhrAn& operator=(const SanduhrAn&) = delete;
};

} // namespace

QString BegleiterPfad(const QString& datenbank, const QString& endung)
{
    const QFileInfo fi(datenbank);
    const QString name = fi.fileName();
    return DateiImOrdner(fi.absolutePath(), name.left(name.size() - 3) + endung);
}

bool SqliteBegleiterLoeschen(const QString& datenbank)
{
    bool alle = true;
    for (const char* endung : { "-journal", "-wal", "-shm" }) {
        const QString begleiter = datenbank + QLatin1String(endung);
        if (QFileInfo::exists(begleiter) && !DateiLoeschen(begleiter, 4))
            alle = false;
    }
    return alle;
}

QDateTime DateizeitFehlend()
{
    return QDateTime(QDate(1899, 12, 30), QTime(0, 0));
}

QDateTime Dateizeit(const QString& pfad)
{
    const QFileInfo fi(pfad);
    if (!fi.exists() || !fi.isFile())
        return DateizeitFehlend();
    return fi.lastModified();
}

bool OrdnerExistiert(const QString& pfad)
{
    return !pfad.isEmpty() && QFileInfo(pfad).isDir();
}

bool OrdnerSchreibbar(const QString& pfad)
{
    // The permission bits alone do not tell (root, access lists, read-only
    // mounts); a real file does.
    QTemporaryFile probe(pfad + QStringLiteral("/.kelvora_probe_XXXXXX"));
    return probe.open();
}

bool FileExists(const QString& pfad)
{
    if (pfad.isEmpty())
        return false;
    const QFileInfo fi(pfad);
    if (!fi.exists() || fi.isDir())
        return false;
    int nummer = 0;
    bool verweigert = false;
#ifdef Q_OS_UNIX
    const int fd = ::open(QFile::encodeName(pfad).constData(), O_RDONLY | O_CLOEXEC);
    if (fd >= 0) {
        ::close(fd);
        return true;
    }
    nummer = errno;
    if (nummer == ENOENT || nummer == ENOTDIR || nummer == EISDIR)
        return false; // gone in the meantime, or no file at all
    verweigert = nummer == EACCES || nummer == EPERM;
#else
    QFile f(pfad);
    if (f.open(QIODevice::ReadOnly))
        return true;
    nummer = static_cast<int>(f.error());
    verweigert = f.error() == QFileDevice::PermissionsError || f.error() == QFileDevice::OpenError;
#endif
    if (verweigert) {
        FehlerProtokollieren(QStringLiteral("Fehler 70 (auf Datei kann nicht zugegriffen werden): ") + pfad);
        MsgBox(pfad + QLatin1Char('\n') + QStringLiteral("Auf diese Datei kann nicht zugegriffen werden!")
                + QLatin1Char(' ') + QStringLiteral("Sie sollten das Programm beenden und nach der Ursache suchen.")
                + QStringLiteral("\n\n")
                + QStringLiteral("Informieren Sie den Programmierer, sollte das Problem häufiger auftauchen!"),
            Knoepfe::OK, Symbol::Kritisch);
        return false;
    }
    MsgBox(QStringLiteral("Fehler Nr.") + QLatin1Char(' ') + QString::number(nummer) + QStringLiteral(" - ")
            + QStringLiteral("unbekannter Fehler") + QStringLiteral(" - ") + QStringLiteral("Programm wird beendet"),
        Knoepfe::OK, Symbol::Ausrufezeichen, Antwort::OK, QStringLiteral("Fehler"));
    ProtokollSchreiben(QStringLiteral("undefinierter Fehler Nr. ") + QString::number(nummer)
        + QStringLiteral(" bei FileExists: ") + pfad);
    return false;
}

bool DateiFrei(const QString& pfad)
{
    if (!QFileInfo::exists(pfad))
        return true;
    QFile f(pfad);
    if (!f.open(QIODevice::ReadWrite) && !f.open(QIODevice::ReadOnly))
        return false;
#ifdef Q_OS_UNIX
    // Windows refuses to open a file that another program holds; here the
    // other program's lock (a database engine's, for example) tells it.
    struct flock sperre { };
    sperre.l_type = F_WRLCK;
    sperre.l_whence = SEEK_SET;
    if (::fcntl(f.handle(), F_GETLK, &sperre) == 0 && sperre.l_type != F_UNLCK)
        return false;
#endif
    return true;
}

bool DateiKopieren(
    const QString& quelle, const QString& ziel, bool meldungenZeigen, bool ueberschreiben, bool neueMethode)
{
    // A connection kept open must not read a file copied over its own.
    WartendeVerbindungenSchliessen();
    ProtokollSchreiben(QStringLiteral("DateiKopieren aufgerufen: ") + quelle + QStringLiteral(" ---> ") + ziel);

    const QString zielOrdner = Ordner(ziel);
    if (!OrdnerExistiert(zielOrdner)) {
        ProtokollSchreiben(QStringLiteral("DateiKopieren abgebrochen, weil Zielordner nicht existiert."), 4);
        MsgBox(QStringLiteral("Der Ordner ") + zielOrdner
                + QStringLiteral(" existiert nicht! Kopieren der Datei ist nicht möglich!"),
            Knoepfe::OK, Symbol::Kritisch);
        return false;
    }

    // The source is checked before an existing target is deleted, so that a
    // failed copy never costs the file it was meant to replace.
    if (!QFileInfo(quelle).isFile()) {
        ProtokollSchreiben(QStringLiteral("DateiKopieren abgebrochen, weil die Quelldatei nicht existiert."));
        return false;
    }
    if (!DateiFrei(quelle)) {
        ProtokollSchreiben(QStringLiteral("DateiKopieren abgebrochen, weil die Quelldatei benutzt wird."));
        return false;
    }

    if (QFileInfo::exists(ziel)) {
        if (!ueberschreiben) {
            ProtokollSchreiben(QStringLiteral("DateiKopieren abgebrochen, weil die Zieldatei ") + ziel
                + QStringLiteral(" mit gleichem Namen schon vorhanden ist."));
            if (meldungenZeigen)
                MsgBox(QStringLiteral("Das Kopieren der Datei wurde abgebrochen, weil die Zieldatei ") + ziel
                        + QStringLiteral(" mit gleichem Namen schon vorhanden ist!"),
                    Knoepfe::OK, Symbol::Ausrufezeichen);
            return false;
        }
        if (!DateiLoeschen(ziel, 4)) {
            ProtokollSchreiben(
                QStringLiteral("DateiKopieren abgebrochen, weil die Zieldatei nicht gelöscht werden konnte."));
            if (meldungenZeigen)
                MsgBox(QStringLiteral("Das Kopieren der Datei ") + ziel
                        + QStringLiteral(" konnte nicht durchgeführt werden, weil die schon existierende Datei "
                                         "nicht gelöscht werden konnte."),
                    Knoepfe::OK, Symbol::Kritisch);
            return false;
        }
    }

    ProtokollSchreiben(QStringLiteral("FileCopy wird jetzt gestartet: ") + quelle + QStringLiteral(" ---> ") + ziel);
    ProtokollSchreiben(Groesse(quelle), 8);
    bool kopiert;
    {
        SanduhrAn sanduhr;
        if (neueMethode) {
            ProtokollSchreiben(QStringLiteral("Variante 2 (neue Methode) wird verwendet"), 8);
            kopiert = QFile::copy(quelle, ziel);
        } else {
            ProtokollSchreiben(QStringLiteral("Variante 1 (alte Methode) wird verwendet"), 8);
            kopiert = BlockweiseKopieren(quelle, ziel);
        }
    }
    if (!kopiert || !QFileInfo::exists(ziel)) {
        FehlerProtokollieren(
            QStringLiteral("DateiKopieren hat nicht funktioniert: ") + quelle + QStringLiteral(" ---> ") + ziel);
        return false;
    }
    // A copy of a write-protected delivered file must still be usable.
    QFile(ziel).setPermissions(QFile(ziel).permissions() | QFileDevice::WriteOwner | QFileDevice::ReadOwner);

    ProtokollSchreiben(QStringLiteral("FileCopy wurde fehlerfrei ausgeführt."), 8);
    ProtokollSchreiben(Groesse(ziel), 8);
    if (QFileInfo(quelle).size() != QFileInfo(ziel).size()) {
        HauptFensterMeldungAusgeben(
            Farbe::Rot, QStringLiteral("Fehler beim Kopieren von ") + QFileInfo(quelle).fileName(), 5);
        ProtokollSchreiben(QStringLiteral("DateiKopieren hat nicht funktioniert weil unterschiedliche Dateigrößen: ")
            + quelle + QStringLiteral(" ---> ") + ziel);
        return false;
    }
    return true;
}

bool Umbenennen(const QString& quelle, const QString& ziel, bool ueberschreiben)
{
    WartendeVerbindungenSchliessen();
    if (QFileInfo::exists(ziel)) {
        if (!ueberschreiben)
            return false;
        if (!DateiLoeschen(ziel, 8)) {
            ProtokollSchreiben(QStringLiteral("Datei kann für das Umbenennen nicht gelöscht werden: ") + ziel);
            return false;
        }
    }
    if (!DateiFrei(quelle))
        return false;
    for (int i = 0; i < 5 && !QFileInfo::exists(quelle); ++i)
        ui().Warten(1000);

    if (!GleicherOrdner(quelle, ziel))
        return DateiVerschieben(quelle, ziel, ueberschreiben);

    const QString pfeil = quelle + QStringLiteral(" --> ") + ziel;
    ProtokollSchreiben(QStringLiteral("Datei wird mit Name umbenannt: ") + pfeil, 8);
    QFile::rename(quelle, ziel);
    if (!QFileInfo::exists(ziel)) {
        FehlerProtokollieren(QStringLiteral("Datei wurde NICHT mit Name umbenannt, existiert nicht!!!: ") + pfeil, 8);
        return false;
    }
    ProtokollSchreiben(QStringLiteral("Datei wurde mit Name umbenannt: ") + pfeil, 8);
    return true;
}

bool DateiVerschieben(const QString& quelle, const QString& ziel, bool ueberschreiben, QString* endgueltigesZiel)
{
    WartendeVerbindungenSchliessen();
    QString wirklichesZiel = ziel;
    if (!QDir().mkpath(Ordner(ziel)))
        return false;
    if (QFileInfo::exists(ziel) && !ueberschreiben) {
        const QFileInfo fi(ziel);
        const QString basis = fi.absolutePath() + QLatin1Char('/') + fi.completeBaseName();
        const QString endung = fi.suffix().isEmpty() ? QString() : QLatin1Char('.') + fi.suffix();
        wirklichesZiel.clear();
        for (int n = 1; n <= 99; ++n) {
            const QString name = basis + QLatin1Char('(') + QString::number(n) + QLatin1Char(')') + endung;
            if (!QFileInfo::exists(name)) {
                wirklichesZiel = name;
                break;
            }
        }
        if (wirklichesZiel.isEmpty())
            return false;
    }
    if (!DateiKopieren(quelle, wirklichesZiel, false, true))
        return false;
    if (endgueltigesZiel)
        *endgueltigesZiel = wirklichesZiel;
    if (!DateiLoeschen(quelle, 4)) {
        ProtokollSchreiben(QStringLiteral("DateiLoeschen fehlgeschlagen bei Aufruf aus DateiVerschieben: ") + quelle
            + QStringLiteral(" ---> ") + wirklichesZiel);
        return false;
    }
    return true;
}

bool DateiLoeschen(const QString& pfad, int einruecken)
{
    WartendeVerbindungenSchliessen();
    const QFileInfo fi(pfad);
    if (fi.suffix().compare(QLatin1String("ini"), Qt::CaseInsensitive) == 0
        && QDir::cleanPath(fi.absolutePath()) == QDir::cleanPath(programm().datenordner)) {
        FehlerProtokollieren(
            QStringLiteral("DateienFinden.General.DateiLoeschen: INI-Datei soll gelöscht werden. Wird verweigert: ")
                + pfad,
            einruecken);
        return false;
    }
    if (!fi.exists() && !fi.isSymLink())
        return true;

    ProtokollSchreiben(QStringLiteral("Datei wird jetzt gelöscht: ") + pfad, einruecken);
    QFile datei(pfad);
    datei.setPermissions(datei.permissions() | QFileDevice::WriteOwner | QFileDevice::WriteUser);
    for (int versuch = 0; versuch < 10; ++versuch) {
        if (QFile::remove(pfad) || !QFileInfo::exists(pfad))
            break;
        ui().Warten(500);
    }
    if (QFileInfo::exists(pfad))
        return false;
    ProtokollSchreiben(pfad + QStringLiteral(" gelöscht."), einruecken);
    return true;
}

} // namespace kelvora
