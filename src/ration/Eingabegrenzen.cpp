#include "ration/Eingabegrenzen.h"

#include "grundlagen/Formate.h"

#include <QRegularExpression>
#include <cmath>

namespace kelvora {

const Eingabegrenze& MilchGrenze()
{
    static const Eingabegrenze g{QStringLiteral("Milch kg"), 0, 100, QStringLiteral("kg")};
    return g;
}

const Eingabegrenze& FettGrenze()
{
    static const Eingabegrenze g{QStringLiteral("Fett %"), 1, 10, QStringLiteral("%")};
    return g;
}

const Eingabegrenze& MengeGrenze()
{
    static const Eingabegrenze g{QStringLiteral("Menge"), 0, 500, QStringLiteral("kg Frischmasse")};
    return g;
}

const Eingabegrenze& AnteilGrenze()
{
    static const Eingabegrenze g{QStringLiteral("Anteil"), 0, 100, QStringLiteral("%")};
    return g;
}

const Eingabegrenze& MilchpreisGrenze()
{
    static const Eingabegrenze g{QStringLiteral("Milchpreis €/kg"), 0, 10, QStringLiteral("€ je kg Milch")};
    return g;
}

std::optional<double> ZahlLesen(const QString& text)
{
    static const QRegularExpression schlicht(QStringLiteral(R"(^-?(\d+([.,]\d*)?|[.,]\d+)$)"));
    static const QRegularExpression maske(QStringLiteral(R"(^-?\d{1,3}(\.\d{3})+(,\d*)?$)"));
    QString t = text.trimmed();
    if (maske.match(t).hasMatch())
        t.remove(QLatin1Char('.'));
    else if (!schlicht.match(t).hasMatch())
        return std::nullopt;
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double wert = t.toDouble(&ok);
    if (!ok || !std::isfinite(wert))
        return std::nullopt;
    return wert;
}

namespace {

QString GrenzeText(double wert)
{
    return DezimalText(wert);
}

} // namespace

QString GrenzePruefen(const Eingabegrenze& grenze, double wert)
{
    if (std::isfinite(wert) && wert >= grenze.minimum && wert <= grenze.maximum)
        return QString();
    return QStringLiteral("Der Wert bei %1 muss zwischen %2 und %3 %4 liegen. Bitte korrigieren Sie die Eingabe.")
        .arg(grenze.feld, GrenzeText(grenze.minimum), GrenzeText(grenze.maximum), grenze.einheit);
}

GepruefteZahl ZahlPruefen(const Eingabegrenze& grenze, const QString& text)
{
    const std::optional<double> wert = ZahlLesen(text);
    if (!wert)
        return {std::nullopt,
                QStringLiteral("Bitte geben Sie bei %1 eine Zahl ein (zum Beispiel 12,5). \"%2\" ist keine Zahl.")
                    .arg(grenze.feld, text.trimmed())};
    QString meldung = GrenzePruefen(grenze, *wert);
    if (!meldung.isEmpty())
        return {std::nullopt, meldung};
    return {wert, QString()};
}

} // namespace kelvora
