#include "frame/Protokoll.h"

#include "frame/Oberflaeche.h"
#include "frame/Programm.h"

#include <QFile>

namespace kelvora {

namespace {

void Anhaengen(const QString& pfad, const QString& zeile)
{
    QFile f(pfad);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Append))
        return;  // a lost log line must never disturb the caller
    f.write((zeile + QStringLiteral("\r\n")).toUtf8());
    f.close();
}

} // namespace

QString TagesprotokollPfad()
{
    return ImDatenordner(ui().Jetzt().date().toString(QStringLiteral("yy_MM_dd")) + QStringLiteral(".txt"));
}

QString FehlerprotokollPfad()
{
    return ImDatenordner(QStringLiteral("Fehlerprotokoll.txt"));
}

void ProtokollSchreiben(const QString& text, int einruecken, const QString& datei, bool fehler, bool ohneZeit,
                        bool mitDatum)
{
    try {
        if (programm().datenordner.isEmpty())
            return;
        const QDateTime jetzt = ui().Jetzt();
        const QString datum = jetzt.toString(QStringLiteral("dd.MM.yy"));
        const QString zeit = jetzt.toString(QStringLiteral("hh:mm:ss"));
        const QString einzug(qMax(0, einruecken), QLatin1Char(' '));
        const QString datumVorsatz = mitDatum ? datum + QLatin1Char(' ') : QString();

        const QString zeile = ohneZeit
            ? datumVorsatz + einzug + text
            : QStringLiteral("E ") + datumVorsatz + zeit + QStringLiteral("  ") + einzug + text;
        Anhaengen(datei.isEmpty() ? TagesprotokollPfad() : datei, zeile);

        if (fehler) {
            const QString fehlerZeile = ohneZeit
                ? QStringLiteral("E ") + datum + QLatin1Char(' ') + einzug + text
                : QStringLiteral("E ") + datum + QLatin1Char(' ') + zeit + QStringLiteral("  ") + einzug + text;
            Anhaengen(FehlerprotokollPfad(), fehlerZeile);
        }
    } catch (...) {
    }
}

QString FehlerBeschreibung(long nummer, const QString& beschreibung, const QString& prozedur, const QString& modul)
{
    QString t = QStringLiteral("Fehler ") + QString::number(nummer) + QStringLiteral(" (") + beschreibung
        + QStringLiteral(") in Prozedur ") + prozedur;
    if (!modul.isEmpty())
        t += QStringLiteral(" in Modul ") + modul;
    return t;
}

} // namespace kelvora
