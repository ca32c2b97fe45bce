#include "frame/INIDatei.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QStringList>

namespace kelvora::ini {

namespace {

QStringList ZeilenLesen(const QString& datei, bool* vorhanden = nullptr)
{
    QFile f(datei);
    if (vorhanden)
        *vorhanden = f.exists();
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QStringDecoder dec("windows-1252");
    QString text = dec(f.readAll());
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

bool Schreiben(const QString& datei, const QString& abschnitt, const QString& schluessel, const QString& wert)
{
    bool vorhanden = false;
    QStringList zeilen = ZeilenLesen(datei, &vorhanden);
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

    QStringEncoder enc("windows-1252");
    QByteArray daten = enc(zeilen.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
    // Written beside and renamed into place, so a failed write never leaves
    // a half-written settings file behind.
    QSaveFile f(datei);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    f.write(daten);
    return f.commit();
}

} // namespace kelvora::ini
