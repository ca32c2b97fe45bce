#include "grundlagen/Textbereinigung.h"

namespace kelvora {

namespace {

bool IstSteuerzeichen(char16_t c)
{
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

void BlankAnhaengen(QString& text)
{
    if (!text.endsWith(QLatin1Char(' ')))
        text += QLatin1Char(' ');
}

} // namespace

QString OhneSteuerzeichen(const QString& text)
{
    QString ergebnis;
    ergebnis.reserve(text.size());
    for (const QChar c : text) {
        if (c == QLatin1Char('\t') || c == QLatin1Char('\n') || c == QLatin1Char('\r'))
            BlankAnhaengen(ergebnis);
        else if (!IstSteuerzeichen(c.unicode()))
            ergebnis += c;
    }
    return ergebnis;
}

QString TextBereinigen(const QString& text)
{
    QString ergebnis;
    const QString ohne = OhneSteuerzeichen(text);
    ergebnis.reserve(ohne.size());
    for (const QChar c : ohne) {
        switch (c.unicode()) {
        case u'&':
        case u'\'':
        case u'"':
            break;
        case u' ':
        case 160:
            BlankAnhaengen(ergebnis);
            break;
        default:
            ergebnis += c;
        }
    }
    return ergebnis;
}

} // namespace kelvora
