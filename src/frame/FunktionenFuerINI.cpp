#include "frame/FunktionenFuerINI.h"

#include "grundlagen/Textbereinigung.h"
#include "grundlagen/ZahlText.h"
#include "frame/INIDatei.h"
#include "frame/Oberflaeche.h"
#include "frame/Programm.h"
#include "frame/Protokoll.h"

namespace kelvora {

namespace {

bool IstPositionsSchluessel(const QString& schluessel)
{
    const QString s = schluessel.toLower();
    return s == QLatin1String("breit") || s == QLatin1String("hoch") || s == QLatin1String("links")
        || s == QLatin1String("oben");
}

QString Bereinigen(QString w)
{
    w = w.trimmed();
    if (w.endsWith(QChar(0)))
        w.chop(1);
    return w.trimmed();
}

} // namespace

void INIFehlerMelden(const QString& abschnitt, const QList<ini::Eintrag>& eintraege, const QString& grund,
                     int einruecken)
{
    QStringList was;
    for (const ini::Eintrag& e : eintraege)
        was.append(abschnitt + QStringLiteral(" / ") + e.schluessel + QStringLiteral(" / ") + e.wert);
    // Into the error log while it can still be written; a full disk loses
    // this line too, the status line still shows.
    ProtokollSchreiben(QString(qMax(0, einruecken), QLatin1Char(' ')) + QStringLiteral("INISpeichern: nicht gespeichert: ")
                           + was.join(QStringLiteral("; ")) + QStringLiteral(" / ") + programm().iniPfad
                           + QStringLiteral(" / ") + grund,
                       0, QString(), true);
    ui().StatuszeileZeigen(Farbe::Rot,
                           QStringLiteral("Die Einstellungen konnten nicht in KELVORA.INI gespeichert werden (") + grund
                               + QStringLiteral("). Bitte prüfen Sie freien Speicherplatz und Schreibrechte im "
                                                "Datenordner."),
                           10, false);
}

bool INISpeichernMehrere(const QString& abschnitt, const QList<ini::Eintrag>& eintraege, bool keinProtokoll,
                         int einruecken)
{
    const QString& pfad = programm().iniPfad;
    QString grund;
    if (!ini::Schreiben(pfad, abschnitt, eintraege, &grund)) {
        INIFehlerMelden(abschnitt, eintraege, grund, einruecken);
        return false;
    }
    if (!keinProtokoll)
        for (const ini::Eintrag& e : eintraege)
            if (!IstPositionsSchluessel(e.schluessel))
                ProtokollSchreiben(QString(qMax(0, einruecken), QLatin1Char(' ')) + QStringLiteral("INISpeichern: ")
                                   + abschnitt + QStringLiteral(" / ") + e.schluessel + QStringLiteral(" / ") + e.wert
                                   + QStringLiteral(" / ") + pfad);
    return true;
}

bool INISpeichern(const QString& abschnitt, const QString& schluessel, const QString& wert, bool keinProtokoll,
                  int einruecken)
{
    return INISpeichernMehrere(abschnitt, {{schluessel, wert}}, keinProtokoll, einruecken);
}

QString INILesenAusDatei(const QString& abschnitt, const QString& schluessel, const QString& vorgabe,
                         const QString& dateiPfad)
{
    return Bereinigen(ini::Lesen(dateiPfad, abschnitt, schluessel, vorgabe, 100));
}

QString INILesen(const QString& abschnitt, const QString& schluessel, const QString& vorgabe)
{
    return INILesenAusDatei(abschnitt, schluessel, vorgabe, programm().iniPfad);
}

double INILesenZahl(const QString& abschnitt, const QString& schluessel, long vorgabe)
{
    const QString text = INILesen(abschnitt, schluessel, QString::number(vorgabe));
    if (text.isEmpty())
        return 0; // a key without a value, as Windows reads it
    if (const std::optional<double> zahl = ZahlAusText(text))
        return *zahl;
    // "1e308" or "3,5 Tage" is no setting the program can read; the default
    // holds, and the error log says which key to correct.
    FehlerProtokollieren(QStringLiteral("INILesenZahl: ") + programm().iniPfad + QStringLiteral(" [") + abschnitt
            + QStringLiteral("] ") + schluessel + QStringLiteral(" = \"") + OhneSteuerzeichen(text)
            + QStringLiteral("\" ist keine Zahl; es gilt ") + QString::number(vorgabe) + QLatin1Char('.'));
    return vorgabe;
}

} // namespace kelvora
