#include "database/Schreibziel.h"

#include "database/DateienFinden.h"
#include "database/Datenbankholen.h"
#include "database/LieferDatenbank.h"
#include "frame/Hauptmenue.h"
#include "frame/Programm.h"
#include "frame/Protokoll.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QRegularExpression>

#include <filesystem>
#include <system_error>

namespace kelvora {

namespace {

namespace fs = std::filesystem;

// The longest file name (one path component) the common file systems take.
constexpr qsizetype LaengsterName = 255;
// Deeper than any sensible chain of links; a loop ends here.
constexpr int LinkTiefe = 40;

fs::path Fs(const QString& pfad)
{
#ifdef Q_OS_WIN
    return fs::path(pfad.toStdWString());
#else
    return fs::path(QFile::encodeName(pfad).toStdString());
#endif
}

QString Anzeige(const QString& pfad)
{
    return QStringLiteral("„") + QDir::toNativeSeparators(pfad) + QStringLiteral("“");
}

// pfad made absolute with every symbolic link of its last part followed, as
// the write will follow them, and its folder in canonical form, so that two
// names of one file compare equal. Null for a chain of links without end.
QString Aufloesen(const QString& pfad)
{
    QFileInfo fi(QDir::cleanPath(QFileInfo(pfad).absoluteFilePath()));
    for (int tiefe = 0; fi.isSymLink(); ++tiefe) {
        if (tiefe == LinkTiefe)
            return {};
        fi.setFile(QDir::cleanPath(fi.symLinkTarget()));
    }
    const QString ordner = QFileInfo(fi.absolutePath()).canonicalFilePath();
    return QDir::cleanPath((ordner.isEmpty() ? fi.absolutePath() : ordner) + QLatin1Char('/') + fi.fileName());
}

struct EigeneDatei {
    QString pfad; // absolute, as the program names it
    QString aufgeloest; // with its links followed
    QString was; // "die Futterdatenbank des Programms"
};

// The program's own files. The start-up rules find the database's companions
// in any letter case (a folder copied from Windows), so a name is one of them
// in any letter case too.
QList<EigeneDatei> EigeneDateien()
{
    QList<EigeneDatei> dateien;
    const auto dazu = [&dateien](const QString& pfad, const char* was) {
        if (!pfad.isEmpty())
            dateien.append(
                { QDir::cleanPath(QFileInfo(pfad).absoluteFilePath()), Aufloesen(pfad), QString::fromUtf8(was) });
    };
    const QString db = programm().futterDatenbank;
    if (!db.isEmpty()) {
        dazu(db, "die Futterdatenbank des Programms");
        dazu(BegleiterPfad(db, QStringLiteral("BAK")), "die Sicherungskopie der Futterdatenbank");
        dazu(BegleiterPfad(db, QStringLiteral("KOM")), "die komprimierte Kopie der Futterdatenbank");
        // SQLite's journal would be rolled back into the database.
        for (const char* endung : { "-journal", "-wal", "-shm" })
            dazu(db + QLatin1String(endung), "eine Arbeitsdatei der Futterdatenbank");
    }
    dazu(programm().iniPfad, "die Einstellungsdatei des Programms");
    dazu(FehlerprotokollPfad(), "das Fehlerprotokoll des Programms");
    const QString programmOrdner = Programmordner();
    dazu(KontaktIniPfad(), "die Datei mit Name und Anschrift für die Ausdrucke");
    if (!programm().datenordner.isEmpty())
        dazu(ImDatenordner(QStringLiteral("kontakt.ini")), "die Datei mit Name und Anschrift für die Ausdrucke");
    if (!programmOrdner.isEmpty()) {
        dazu(programmOrdner + QStringLiteral("/kontakt.ini"), "die Datei mit Name und Anschrift für die Ausdrucke");
        dazu(programmOrdner + QLatin1Char('/') + QLatin1String(LieferDatenbankName),
            "die mit dem Programm gelieferte Futterdatenbank");
    }
    return dateien;
}

bool GleicherName(const QString& a, const QString& b)
{
    const QFileInfo fa(a), fb(b);
    return fa.absolutePath() == fb.absolutePath()
        && QString::compare(fa.fileName(), fb.fileName(), Qt::CaseInsensitive) == 0;
}

bool Darin(const QString& datei, const QString& ordner)
{
    return datei.startsWith(ordner + QLatin1Char('/'));
}

// Why the program's own files forbid datei, empty when they do not.
QString EigeneDateiGrund(const QString& datei)
{
    std::error_code fehler;
    const bool vorhanden = fs::exists(Fs(datei), fehler);
    for (const EigeneDatei& e : EigeneDateien()) {
        if (GleicherName(datei, e.pfad) || GleicherName(datei, e.aufgeloest))
            return QStringLiteral("das ist ") + e.was;
        // A second name of the same file (hard link).
        if (vorhanden && fs::equivalent(Fs(datei), Fs(e.aufgeloest), fehler))
            return QStringLiteral("der Name ist über einen harten Link dieselbe Datei wie ") + Anzeige(e.pfad)
                + QStringLiteral(", ") + e.was;
    }

    const QString ordner = QFileInfo(datei).absolutePath();
    if (!programm().datenordner.isEmpty() && ordner == Aufloesen(programm().datenordner)) {
        static const QRegularExpression tagesprotokoll(
            QStringLiteral("^\\d\\d_\\d\\d_\\d\\d\\.txt$"), QRegularExpression::CaseInsensitiveOption);
        if (tagesprotokoll.match(QFileInfo(datei).fileName()).hasMatch())
            return QStringLiteral("das ist ein Tagesprotokoll des Programms");
    }

    if (!programm().datenordner.isEmpty()) {
        const QString sicherung = Aufloesen(SicherungsOrdner());
        if (datei == sicherung || Darin(datei, sicherung))
            return QStringLiteral("dort liegen die Sicherungskopien der Futterdatenbank (") + Anzeige(sicherung)
                + QLatin1Char(')');
    }
    return {};
}

// Why the file system forbids datei, empty when a PDF may go there.
QString ArtGrund(const QString& datei)
{
    if (QFile::encodeName(QFileInfo(datei).fileName()).size() > LaengsterName)
        return QStringLiteral("der Name ist länger, als das Dateisystem erlaubt (höchstens %1 Zeichen, "
                              "Umlaute zählen doppelt)")
            .arg(LaengsterName);
    std::error_code fehler;
    switch (fs::status(Fs(datei), fehler).type()) {
    case fs::file_type::not_found:
    case fs::file_type::none: // not to be examined: the write itself reports why it fails
        return {};
    case fs::file_type::regular:
        break;
    case fs::file_type::directory:
        return QStringLiteral("das ist ein Ordner");
    case fs::file_type::fifo:
        return QStringLiteral("das ist keine gewöhnliche Datei, sondern eine benannte Pipe (FIFO)");
    case fs::file_type::socket:
        return QStringLiteral("das ist keine gewöhnliche Datei, sondern ein Socket");
    case fs::file_type::block:
    case fs::file_type::character:
        return QStringLiteral("das ist keine gewöhnliche Datei, sondern ein Gerät");
    default:
        return QStringLiteral("das ist keine gewöhnliche Datei");
    }
    // Only a regular file is ever opened here: a FIFO would block the read.
    QFile f(datei);
    if (!f.open(QIODevice::ReadOnly))
        return QStringLiteral("dort liegt schon eine Datei, die sich nicht lesen lässt; ob sie eine PDF-Datei ist, "
                              "bleibt offen");
    if (!f.read(5).startsWith("%PDF-"))
        return QStringLiteral("dort liegt schon eine Datei, die keine PDF-Datei ist; ersetzt wird nur eine PDF-Datei");
    return {};
}

} // namespace

Schreibziel SchreibzielPruefen(const QString& pfad)
{
    Schreibziel z;
    const QString abgelehnt
        = QStringLiteral("Die PDF-Datei wird nicht unter ") + Anzeige(pfad) + QStringLiteral(" gespeichert: ");
    const QString bitte = QStringLiteral(". Bitte wählen Sie einen anderen Namen.");
    if (pfad.trimmed().isEmpty()) {
        z.meldung = QStringLiteral("Es ist keine Datei angegeben, in die die PDF-Datei geschrieben werden soll.");
        return z;
    }
    z.datei = Aufloesen(pfad);
    if (z.datei.isNull()) {
        z.meldung = abgelehnt + QStringLiteral("der Name ist eine Verknüpfung, die im Kreis verweist") + bitte;
        return z;
    }
    const QString absolut = QDir::cleanPath(QFileInfo(pfad).absoluteFilePath());
    const QString verweis = z.datei == absolut
        ? QString()
        : QStringLiteral("der Name verweist auf ") + Anzeige(z.datei) + QStringLiteral(", ");

    QString grund = EigeneDateiGrund(z.datei);
    if (grund.isEmpty())
        grund = ArtGrund(z.datei);
    if (!grund.isEmpty()) {
        z.meldung = abgelehnt + verweis + grund + bitte;
        ProtokollSchreiben(QStringLiteral("SchreibzielPruefen: ") + QDir::toNativeSeparators(pfad)
            + QStringLiteral(" abgelehnt: ") + verweis + grund);
        return z;
    }
    z.erlaubt = true;
    return z;
}

} // namespace kelvora
