#include "feeds/XMLRoutinen.h"

#include "frame/Oberflaeche.h"

namespace kelvora {

QString XMLWert(const QString& text, const QString& tag)
{
    const QString name = tag.trimmed();
    if (name.isEmpty())
        return QString();
    const QString start = QLatin1Char('<') + name + QLatin1Char('>');
    const qsizetype anfang = text.indexOf(start, 0, Qt::CaseInsensitive);
    if (anfang < 0)
        return QString();
    const qsizetype schluss = text.indexOf(QLatin1Char('>'), anfang);
    if (text.mid(anfang + 1, schluss - anfang - 1) != name) {
        MsgBox(QStringLiteral("Problem beim Holen von '") + name
                + QStringLiteral("'.\n\nEs wird ein leeres Ergebnis zurückgegeben. Bitte informieren Sie den "
                                 "Programmierer!"),
            Knoepfe::OK, Symbol::Kritisch, Antwort::OK, QStringLiteral("Fehler in der XML-Struktur!"));
        return QString();
    }
    const qsizetype ende = text.indexOf(QStringLiteral("</") + name + QLatin1Char('>'), anfang, Qt::CaseInsensitive);
    if (ende < 0)
        return QString();
    return text.mid(anfang + start.size(), ende - anfang - start.size());
}

} // namespace kelvora
