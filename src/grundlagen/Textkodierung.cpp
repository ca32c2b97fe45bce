#include "grundlagen/Textkodierung.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>

namespace kelvora {

namespace {
const QByteArray& Bom()
{
    static const QByteArray bom("\xEF\xBB\xBF");
    return bom;
}
} // namespace

DekodierterText TextDekodieren(const QByteArray& bytes)
{
    const QByteArray& bom = Bom();
    if (bytes.startsWith(bom)) {
        QStringDecoder utf8(QStringDecoder::Utf8);
        return { utf8(bytes.mid(bom.size())), Kodierung::Utf8MitBOM };
    }
    const bool nurAscii = std::all_of(bytes.begin(), bytes.end(), [](char b) { return (b & 0x80) == 0; });
    if (!nurAscii) {
        QStringDecoder utf8(QStringDecoder::Utf8);
        const QString text = utf8(bytes);
        if (!utf8.hasError())
            return { text, Kodierung::Utf8 };
    }
    QStringDecoder ansi("windows-1252");
    return { ansi(bytes), Kodierung::Ansi };
}

QByteArray TextKodieren(const QString& text, Kodierung kodierung)
{
    if (kodierung == Kodierung::Ansi) {
        QStringEncoder ansi("windows-1252");
        return ansi(text);
    }
    return (kodierung == Kodierung::Utf8MitBOM ? Bom() : QByteArray()) + text.toUtf8();
}

QStringList NichtAnsiZeichen(const QString& text)
{
    // A round trip tells: what the encoder cannot hold comes back as
    // another character (Qt writes a substitute byte for it).
    QStringList fehlen;
    for (const char32_t punkt : text.toUcs4()) {
        const QString zeichen = QString::fromUcs4(&punkt, 1);
        QStringEncoder hin("windows-1252");
        QStringDecoder zurueck("windows-1252");
        const QByteArray ansi = hin(zeichen);
        if ((hin.hasError() || QString(zurueck(ansi)) != zeichen) && !fehlen.contains(zeichen))
            fehlen.append(zeichen);
    }
    return fehlen;
}

} // namespace kelvora
