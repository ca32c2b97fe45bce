#include "grundlagen/Textbereinigung.h"

namespace kelvora {

QString TextBereinigen(const QString& text)
{
    QString ergebnis;
    ergebnis.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'&':
        case u'\'':
        case u'"':
        case 0:
        case 31:
            break;
        case u'\t':
        case u'\n':
        case u'\r':
        case 160:
            if (!ergebnis.endsWith(QLatin1Char(' ')))
                ergebnis += QLatin1Char(' ');
            break;
        case u' ':
            if (!ergebnis.endsWith(QLatin1Char(' ')))
                ergebnis += c;
            break;
        default:
            ergebnis += c;
        }
    }
    return ergebnis;
}

} // namespace kelvora
