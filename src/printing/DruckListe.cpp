#include "printing/DruckListe.h"

namespace kelvora {

namespace {

constexpr double Rand = 20;
constexpr double KopfOben = 21;
const QString Punkte = QStringLiteral("...");

// The longest length n (0..text.size()) for which passt(n) holds, given
// that passt falls from true to false once as n grows.
qsizetype LaengsterAnfang(qsizetype laenge, const std::function<bool(qsizetype)>& passt)
{
    qsizetype gut = 0;
    qsizetype schlecht = laenge + 1;
    while (schlecht - gut > 1) {
        const qsizetype mitte = gut + (schlecht - gut) / 2;
        if (passt(mitte))
            gut = mitte;
        else
            schlecht = mitte;
    }
    return gut;
}

} // namespace

Seitengeometrie SeitengeometrieFuer(double papierBreite, double papierHoehe)
{
    Seitengeometrie g;
    g.breite = papierBreite;
    g.hoehe = papierHoehe;
    g.links = Rand;
    g.oben = KopfOben;
    g.rechts = papierBreite - Rand;
    g.unten = papierHoehe - Rand;
    return g;
}

Seitengeometrie SeitengeometrieA4(bool querformat)
{
    return querformat ? SeitengeometrieFuer(297, 210) : SeitengeometrieFuer(210, 297);
}

QList<SpaltenLage> SpaltenVerteilen(const QList<DruckSpalte>& spalten, double links, double rechts)
{
    double summe = 0;
    for (const DruckSpalte& s : spalten)
        summe += std::max(0.0, s.breite);
    QList<SpaltenLage> lagen;
    lagen.reserve(spalten.size());
    const double faktor = summe > 0 ? (rechts - links) / summe : 0;
    double x = links;
    for (const DruckSpalte& s : spalten) {
        const double b = std::max(0.0, s.breite) * faktor;
        lagen.append({ x, b });
        x += b;
    }
    return lagen;
}

QString TextKuerzen(const QString& text, double breite, const TextBreite& messen)
{
    if (messen(text) <= breite)
        return text;
    if (messen(Punkte) > breite)
        return QString();
    const qsizetype n = LaengsterAnfang(text.size() - 1,
        [&](qsizetype laenge) { return laenge == 0 || messen(text.left(laenge).trimmed() + Punkte) <= breite; });
    QString anfang = text.left(n);
    while (anfang.endsWith(QLatin1Char(' ')))
        anfang.chop(1);
    return anfang + Punkte;
}

QStringList TextUmbrechen(const QString& text, double breite, const TextBreite& messen)
{
    QStringList zeilen;
    QString rest = text;
    while (messen(rest) > breite) {
        qsizetype n
            = LaengsterAnfang(rest.size(), [&](qsizetype laenge) { return messen(rest.left(laenge)) <= breite; });
        // Back to the last blank, or to just after a hyphen or full stop
        // ("Rohprot.kg" breaks as "Rohprot." and "kg").
        for (qsizetype i = n; i > 0; --i) {
            const QChar c = rest[i - 1];
            if (i < rest.size() && rest[i] == QLatin1Char(' ')) {
                n = i;
                break;
            }
            if (c == QLatin1Char('-') || c == QLatin1Char('.')) {
                n = i;
                break;
            }
        }
        // At least one character per line, so a width narrower than any
        // letter still ends.
        n = std::max<qsizetype>(n, 1);
        zeilen.append(rest.left(n).trimmed());
        rest = rest.mid(n).trimmed();
        if (rest.isEmpty())
            return zeilen;
    }
    zeilen.append(rest);
    return zeilen;
}

} // namespace kelvora
