#include "grundlagen/ZahlText.h"

#include "grundlagen/Textbereinigung.h"

#include <charconv>
#include <cmath>
#include <string>
#include <limits>

namespace kelvora {

namespace {

bool Ziffer(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// The number of ASCII digits from position i on.
qsizetype Ziffern(QStringView t, qsizetype i)
{
    qsizetype n = 0;
    while (i + n < t.size() && Ziffer(t[i + n]))
        ++n;
    return n;
}

// A number as "-1.234,5" (German thousands points, then a comma) or plainly
// as "-1234,5" / "-1234.5": the sign, the digits before and after the
// separator. Read by hand: this runs for every figure the ration shows.
bool Muster(QStringView t, bool& minus, QString& ganz, QStringView& nachkomma)
{
    qsizetype i = 0;
    minus = !t.isEmpty() && t[0] == QLatin1Char('-');
    if (minus)
        ++i;
    // 1 to 3 digits, the first not 0, then at least one group ".ddd"; then
    // nothing or "," and digits.
    const qsizetype kopf = Ziffern(t, i);
    if (kopf >= 1 && kopf <= 3 && t[i] != QLatin1Char('0')) {
        qsizetype j = i + kopf;
        int gruppen = 0;
        while (j + 4 <= t.size() && t[j] == QLatin1Char('.') && Ziffern(t, j + 1) >= 3
            && (j + 4 == t.size() || !Ziffer(t[j + 4]))) {
            j += 4;
            ++gruppen;
        }
        if (gruppen > 0 && (j == t.size() || (t[j] == QLatin1Char(',') && j + 1 + Ziffern(t, j + 1) == t.size()))) {
            ganz.clear();
            for (qsizetype k = i; k < j; ++k) {
                if (t[k] != QLatin1Char('.'))
                    ganz += t[k];
            }
            nachkomma = j == t.size() ? QStringView() : t.mid(j + 1);
            return true;
        }
    }
    // Digits, then nothing or one "." or "," and digits.
    const qsizetype vorn = Ziffern(t, i);
    qsizetype j = i + vorn;
    nachkomma = QStringView();
    if (j < t.size()) {
        if (t[j] != QLatin1Char('.') && t[j] != QLatin1Char(','))
            return false;
        const qsizetype hinten = Ziffern(t, j + 1);
        if (j + 1 + hinten != t.size())
            return false;
        nachkomma = t.mid(j + 1, hinten);
    }
    ganz = t.mid(i, vorn).toString();
    return true;
}

std::optional<ZahlMitEinheit> Zerlegen(const QString& eingabe)
{
    const QString text = eingabe.trimmed();
    bool minus = false;
    QString ganz;
    QStringView nachkomma;
    if (!Muster(text, minus, ganz, nachkomma))
        return std::nullopt;
    if (ganz.isEmpty() && nachkomma.isEmpty())
        return std::nullopt; // "", "-", "," and "-," hold no digit
    if (ganz.size() > ZahlHoechstZiffern || nachkomma.size() > ZahlHoechstZiffern)
        return std::nullopt;
    std::string c;
    c.reserve(static_cast<std::size_t>(ganz.size() + nachkomma.size()) + 4);
    if (minus)
        c += '-';
    c += ganz.isEmpty() ? std::string("0") : ganz.toStdString();
    c += '.';
    c += nachkomma.isEmpty() ? std::string("0") : nachkomma.toString().toStdString();
    double wert = 0;
    const auto [ende, fehler] = std::from_chars(c.data(), c.data() + c.size(), wert);
    if (fehler != std::errc() || ende != c.data() + c.size() || !std::isfinite(wert))
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
