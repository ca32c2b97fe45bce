#include "frame/INIDatei.h"

#include "grundlagen/Textkodierung.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <QStorageInfo>
#include <QStringList>
#include <algorithm>
#include <map>
#include <memory>

namespace kelvora::ini {

namespace {

QStringList ZeilenLesen(const QString& datei, bool* vorhanden = nullptr, Kodierung* kodierung = nullptr)
{
    QFile f(datei);
    if (vorhanden)
        *vorhanden = f.exists();
    if (!f.open(QIODevice::ReadOnly))
        return {};
    // Windows programs write the settings in Windows-1252, editors nowadays
    // often UTF-8, some with a byte-order mark; a write keeps what was read.
    DekodierterText gelesen = TextDekodieren(f.readAll());
    if (kodierung)
        *kodierung = gelesen.kodierung;
    QString text = std::move(gelesen.text);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QStringList zeilen = text.split(QLatin1Char('\n'));
    if (!zeilen.isEmpty() && zeilen.last().isEmpty())
        zeilen.removeLast();
    return zeilen;
}

// "[name]" -> name, else a null string.
QString Abschnittsname(const QString& zeile)
{
    const QString t = zeile.trimmed();
    if (!t.startsWith(QLatin1Char('[')))
        return {};
    const qsizetype ende = t.indexOf(QLatin1Char(']'));
    if (ende < 0)
        return {};
    return t.mid(1, ende - 1).trimmed();
}

bool Gleich(const QString& a, const QString& b)
{
    return QString::compare(a, b, Qt::CaseInsensitive) == 0;
}

// Splits "key=value"; false for lines without "=".
bool ZeileZerlegen(const QString& zeile, QString& schluessel, QString& wert)
{
    const qsizetype gleich = zeile.indexOf(QLatin1Char('='));
    if (gleich < 0)
        return false;
    schluessel = zeile.left(gleich).trimmed();
    wert = zeile.mid(gleich + 1);
    return true;
}

// Sets key = value in the lines of the file: the key's line replaced, else
// appended after the section's last entry, else a new section at the end.
void EintragSetzen(QStringList& zeilen, const QString& abschnitt, const QString& schluessel, const QString& wert)
{
    const QString neueZeile = schluessel + QLatin1Char('=') + wert;
    qsizetype abschnittZeile = -1;
    qsizetype letzteEintragZeile = -1;  // last key line of the section
    qsizetype ersetzen = -1;
    for (qsizetype i = 0; i < zeilen.size(); ++i) {
        const QString name = Abschnittsname(zeilen[i]);
        if (!name.isNull()) {
            if (abschnittZeile >= 0)
                break;  // the section ended
            if (Gleich(name, abschnitt)) {
                abschnittZeile = i;
                letzteEintragZeile = i;
            }
            continue;
        }
        if (abschnittZeile < 0)
            continue;
        QString k, w;
        if (ZeileZerlegen(zeilen[i], k, w)) {
            letzteEintragZeile = i;
            if (Gleich(k, schluessel)) {
                ersetzen = i;
                break;
            }
        } else if (!zeilen[i].trimmed().isEmpty()) {
            letzteEintragZeile = i;
        }
    }

    if (ersetzen >= 0)
        zeilen[ersetzen] = neueZeile;
    else if (abschnittZeile >= 0)
        zeilen.insert(letzteEintragZeile + 1, neueZeile);
    else {
        zeilen.append(QLatin1Char('[') + abschnitt + QLatin1Char(']'));
        zeilen.append(neueZeile);
    }
}

// The reason of a failed write as the user can act on it; the system's
// own text follows in brackets.
QString Grund(const QString& datei, qsizetype bytes, const QString& systemText)
{
    const QString ordner = QFileInfo(datei).absolutePath();
    const QStorageInfo platte(ordner);
    const QString grund = platte.isValid() && platte.bytesAvailable() < bytes + 4096
        ? QStringLiteral("der Datenträger ist voll")
        : !QFileInfo(ordner).isWritable() ? QStringLiteral("der Datenordner ist schreibgeschützt")
                                          : QStringLiteral("die Datei kann nicht geschrieben werden");
    return systemText.isEmpty() ? grund : grund + QStringLiteral(" (") + systemText + QLatin1Char(')');
}

// Another instance holds the lock only for one read-modify-write of a few
// kilobytes, milliseconds. Waiting longer means it hangs: this write is
// given up (and told); a lock older than SperreVeraltetMs is taken over,
// as is one whose program has ended.
constexpr int SperreWartezeitMs = 2000;
constexpr int SperreVeraltetMs = 10000;

struct GehalteneSperre {
    std::unique_ptr<QLockFile> datei;
    int tiefe = 0;
};

// The locks this process holds, by absolute path of the INI file.
std::map<QString, GehalteneSperre>& GehalteneSperren()
{
    static std::map<QString, GehalteneSperre> sperren;
    return sperren;
}

} // namespace

QString Lesen(const QString& datei, const QString& abschnitt, const QString& schluessel, const QString& vorgabe,
              int maxZeichen)
{
    const QStringList zeilen = ZeilenLesen(datei);
    bool imAbschnitt = false;
    QString ergebnis = vorgabe;
    for (const QString& zeile : zeilen) {
        const QString name = Abschnittsname(zeile);
        if (!name.isNull()) {
            imAbschnitt = Gleich(name, abschnitt);
            continue;
        }
        if (!imAbschnitt)
            continue;
        QString k, w;
        if (ZeileZerlegen(zeile, k, w) && Gleich(k, schluessel)) {
            w = w.trimmed();
            if (w.size() >= 2 && (w.front() == QLatin1Char('"') || w.front() == QLatin1Char('\''))
                && w.back() == w.front())
                w = w.mid(1, w.size() - 2);
            ergebnis = w;
            break;
        }
    }
    return ergebnis.left(maxZeichen);
}

Sperre::Sperre(const QString& datei)
    : pfad(QFileInfo(datei).absoluteFilePath())
{
    auto& gehaltene = GehalteneSperren();
    const auto it = gehaltene.find(pfad);
    if (it != gehaltene.end()) {
        ++it->second.tiefe;
        gehalten = true;
        return;
    }
    const QString sperrPfad = pfad + QStringLiteral(".lock");
    auto sperrdatei = std::make_unique<QLockFile>(sperrPfad);
    sperrdatei->setStaleLockTime(SperreVeraltetMs);
    if (!sperrdatei->tryLock(SperreWartezeitMs)) {
        fehler = sperrdatei->error() == QLockFile::LockFailedError
            ? QStringLiteral("die Datei wird gerade von einem anderen Kelvora geschrieben (Sperrdatei %1)")
                  .arg(QDir::toNativeSeparators(sperrPfad))
            : Grund(pfad, 0,
                    QStringLiteral("Sperrdatei %1 nicht angelegt").arg(QDir::toNativeSeparators(sperrPfad)));
        return;
    }
    gehaltene[pfad] = {std::move(sperrdatei), 1};
    gehalten = true;
}

Sperre::~Sperre()
{
    if (!gehalten)
        return;
    auto& gehaltene = GehalteneSperren();
    const auto it = gehaltene.find(pfad);
    if (it != gehaltene.end() && --it->second.tiefe == 0)
        gehaltene.erase(it);  // unlocks
}

bool Schreiben(const QString& datei, const QString& abschnitt, const QList<Eintrag>& eintraege, QString* fehler)
{
    const auto melden = [fehler](const QString& grund) {
        if (fehler)
            *fehler = grund;
        return false;
    };
    const Sperre sperre(datei);
    if (!sperre.Gehalten())
        return melden(sperre.Fehler());

    // Read again under the lock: what another instance wrote a moment ago
    // stays.
    bool vorhanden = false;
    Kodierung kodierung = Kodierung::Ansi;
    QStringList zeilen = ZeilenLesen(datei, &vorhanden, &kodierung);
    for (const Eintrag& e : eintraege)
        EintragSetzen(zeilen, abschnitt, e.schluessel, e.wert);

    // A file marked read-only stays untouched, also for a user who could
    // replace it (root, or the owner of the folder).
    if (vorhanden
        && !(QFile::permissions(datei) & (QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther)))
        return melden(QStringLiteral("die Datei ist schreibgeschützt"));

    const QByteArray daten = TextKodieren(zeilen.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"), kodierung);
    // Written beside and renamed into place, so a failed write never leaves
    // a half-written or empty settings file behind. Unbuffered, so that a
    // full disk shows at the write and not in a flush whose failure
    // QSaveFile would not notice.
    QSaveFile f(datei);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return melden(Grund(datei, daten.size(), f.errorString()));
    if (f.write(daten) != daten.size()) {
        const QString grund = Grund(datei, daten.size(), f.errorString());
        f.cancelWriting();
        [[maybe_unused]] const bool entfernt = f.commit();  // removes the temporary file
        return melden(grund);
    }
    if (!f.commit())
        return melden(Grund(datei, daten.size(), f.errorString()));
    return true;
}

bool Schreiben(const QString& datei, const QString& abschnitt, const QString& schluessel, const QString& wert,
               QString* fehler)
{
    return Schreiben(datei, abschnitt, QList<Eintrag>{{schluessel, wert}}, fehler);
}

} // namespace kelvora::ini
