#include "grundlagen/ZahlText.h"

#include "grundlagen/Textbereinigung.h"

#include <QLocale>
#include <QRegularExpression>
#include <cmath>
#include <limits>

namespace kelvora {

namespace {

// [0-9] rather than \d: QRegularExpression's \d also takes Arabic or
// Devanagari digits, which the conversion below would not read.
const QRegularExpression& Tausendermuster()
{
    static const QRegularExpression m(QStringLiteral("^(-?)([1-9][0-9]{0,2}(?:\\.[0-9]{3})+)(?:,([0-9]*))?$"));
    return m;
}

const QRegularExpression& Schlichtmuster()
{
    static const QRegularExpression m(QStringLiteral("^(-?)([0-9]*)(?:[.,]([0-9]*))?$"));
    return m;
}

std::optional<ZahlMitEinheit> Zerlegen(const QString& eingabe)
{
    const QString text = eingabe.trimmed();
    QRegularExpressionMatch m = Tausendermuster().match(text);
    if (!m.hasMatch())
        m = Schlichtmuster().match(text);
    if (!m.hasMatch())
        return std::nullopt;
    const QString ganz = m.captured(2).remove(QLatin1Char('.'));
    const QString nachkomma = m.captured(3);
    if (ganz.isEmpty() && nachkomma.isEmpty())
        return std::nullopt; // "", "-", "," and "-," hold no digit
    if (ganz.size() > ZahlHoechstZiffern || nachkomma.size() > ZahlHoechstZiffern)
        return std::nullopt;
    const QString c = m.captured(1) + (ganz.isEmpty() ? QStringLiteral("0") : ganz) + QLatin1Char('.')
        + (nachkomma.isEmpty() ? QStringLiteral("0") : nachkomma);
    bool ok = false;
    const double wert = QLocale::c().toDouble(c, &ok);
    if (!ok || !std::isfinite(wert))
        return std::nullopt;
    return ZahlMitEinheit { wert == 0 ? 0.0 : wert, static_cast<int>(ganz.size()) };
}

bool IstZahlzeichen(QChar c)
{
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('.') || c == QLatin1Char(',')
        || c == QLatin1Char('-');
}

} // namespace

std::optional<double> ZahlAusText(const QString& text)
{
    if (const std::optional<ZahlMitEinheit> z = Zerlegen(text))
        return z->wert;
    return std::nullopt;
}

std::optional<long> GanzzahlAusText(const QString& text)
{
    const std::optional<double> z = ZahlAusText(text);
    if (!z || *z != std::trunc(*z) || std::fabs(*z) > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return static_cast<long>(*z);
}

QString KeineZahlMeldung(const QString& feld, const QString& text)
{
    constexpr qsizetype Gezeigt = 40;
    QString gezeigt = OhneSteuerzeichen(text.trimmed());
    if (gezeigt.size() > Gezeigt)
        gezeigt = gezeigt.left(Gezeigt) + QStringLiteral("…");
    return QStringLiteral("Bitte geben Sie bei %1 eine Zahl ein (zum Beispiel 12,5). \"%2\" ist keine Zahl.")
        .arg(feld, gezeigt);
}

std::optional<ZahlMitEinheit> ZahlVorEinheit(const QString& eingabe)
{
    const QString text = eingabe.trimmed();
    qsizetype ende = 0;
    while (ende < text.size() && IstZahlzeichen(text[ende]))
        ++ende;
    if (ende < text.size() && !text[ende].isSpace() && text[ende] != QLatin1Char('%'))
        return std::nullopt;
    QString zahl = text.left(ende);
    // "7-": the sign behind the digits, as some lists print it.
    if (zahl.size() > 1 && zahl.endsWith(QLatin1Char('-')) && !zahl.startsWith(QLatin1Char('-'))) {
        zahl.chop(1);
        zahl.prepend(QLatin1Char('-'));
    }
    return Zerlegen(zahl);
}

} // namespace kelvora
