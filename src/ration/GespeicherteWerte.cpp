#include "ration/GespeicherteWerte.h"

#include "ration/Eingabegrenzen.h"

#include <cmath>

namespace kelvora {

namespace {

QString Zahl(double wert)
{
    if (!std::isfinite(wert))
        return QStringLiteral("keine Zahl");
    return QString::number(wert, 'g', 6).replace(QLatin1Char('.'), QLatin1Char(','));
}

bool Innerhalb(double wert, double minimum, double maximum)
{
    return std::isfinite(wert) && wert >= minimum && wert <= maximum;
}

QString Meldung(
    const QString& futterName, const QString& was, double wert, const Eingabegrenze& grenze, const QString& abhilfe)
{
    return QStringLiteral("Beim Futtermittel \"%1\" ist %2 ungültig gespeichert (%3). Erlaubt sind %4 bis %5 %6. %7")
        .arg(
            futterName.trimmed(), was, Zahl(wert), Zahl(grenze.minimum), Zahl(grenze.maximum), grenze.einheit, abhilfe);
}

const QString RationAbhilfe
    = QStringLiteral("Bitte ziehen Sie das Futtermittel erneut in die Ration und geben Sie die Menge neu ein.");
const QString FutterAbhilfe = QStringLiteral("Bitte korrigieren Sie das Futtermittel in \"Futtermittel bearbeiten\".");

} // namespace

QString GespeicherteZeilePruefen(const RationZeile& zeile, const QString& futterName)
{
    const Eingabegrenze& menge = MengeGrenze();
    if (!Innerhalb(zeile.frischMenge, menge.minimum, menge.maximum))
        return Meldung(futterName, QStringLiteral("die Menge"), zeile.frischMenge, menge, RationAbhilfe);
    const Eingabegrenze& anteil = AnteilGrenze();
    if (!Innerhalb(zeile.prozentAnteil, anteil.minimum, anteil.maximum))
        return Meldung(futterName, QStringLiteral("der Anteil"), zeile.prozentAnteil, anteil, RationAbhilfe);
    return QString();
}

QString GespeicherteFutterwertePruefen(
    const QString& futterName, double tm_g, const QList<QPair<QString, double>>& werte)
{
    const Eingabegrenze& tm = TrockenmasseGrenze();
    if (tm_g != 0 && !Innerhalb(tm_g, tm.minimum, tm.maximum))
        return Meldung(futterName, QStringLiteral("die Trockenmasse"), tm_g, tm, FutterAbhilfe);
    // Nutrient values are only checked for being numbers that can be there
    // at all: the evaluation reports its own overflow of absurd sums.
    for (const auto& [spalte, wert] : werte) {
        if (!std::isfinite(wert) || wert < 0)
            return QStringLiteral("Beim Futtermittel \"%1\" ist der Wert %2 ungültig gespeichert (%3). Erlaubt sind "
                                  "Zahlen ab 0. %4")
                .arg(futterName.trimmed(), spalte, Zahl(wert), FutterAbhilfe);
    }
    return QString();
}

} // namespace kelvora
