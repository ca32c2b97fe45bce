#include "frame/FunktionenFuerINI.h"

#include "database/DatenTypen.h"
#include "frame/INIDatei.h"
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

void INISpeichern(const QString& abschnitt, const QString& schluessel, const QString& wert, bool keinProtokoll,
                  int einruecken)
{
    const QString& pfad = programm().iniPfad;
    ini::Schreiben(pfad, abschnitt, schluessel, wert);
    if (!keinProtokoll && !IstPositionsSchluessel(schluessel))
        ProtokollSchreiben(QString(qMax(0, einruecken), QLatin1Char(' ')) + QStringLiteral("INISpeichern: ")
                           + abschnitt + QStringLiteral(" / ") + schluessel + QStringLiteral(" / ") + wert
                           + QStringLiteral(" / ") + pfad);
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
