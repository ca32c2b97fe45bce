#include "frame/FunktionenFuerINI.h"

#include "grundlagen/DatenTypen.h"
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
    return TextInDouble(INILesen(abschnitt, schluessel, QString::number(vorgabe)));
}

} // namespace kelvora
