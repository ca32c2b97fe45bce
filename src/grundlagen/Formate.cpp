#include "grundlagen/Formate.h"

#include <QHash>

#include <algorithm>
#include <array>
#include <cstdint>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

namespace kelvora {

namespace {

constexpr QChar Tausender = QLatin1Char('.');
constexpr QChar Dezimal = QLatin1Char(',');
constexpr int SignifikanteStellen = 15;
constexpr qint64 MillisekundenProTag = 86'400'000;

QDate TagNull()
{
    return QDate(1899, 12, 30);
}

// A non-negative decimal number as a string of digits with the decimal point
// after the first `punkt` digits.
struct Dezimalzahl {
    std::string ziffern;
    int punkt = 1;
};

// The value as it reads with 15 significant digits. Working on these digits
// instead of the binary value is what makes 2.345 round up: a user typed
// 2,345 and expects the display to round that number, not 2.34499999...
Dezimalzahl Zerlegen(double wert)
{
    // Whole numbers below 10^15 (grams, counts) have exactly these digits;
    // writing them as an integer is several times cheaper.
    const double betrag = std::fabs(wert);
    if (betrag < 1e15 && betrag == std::floor(betrag)) {
        char ganz[24];
        const auto ende = std::to_chars(ganz, ganz + sizeof ganz, static_cast<long long>(betrag)).ptr;
        Dezimalzahl d;
        d.ziffern.assign(ganz, static_cast<std::size_t>(ende - ganz));
        d.punkt = static_cast<int>(d.ziffern.size());
        d.ziffern.resize(SignifikanteStellen, '0');
        return d;
    }
    char puffer[32];
    const auto ergebnis = std::to_chars(puffer, puffer + sizeof puffer, std::fabs(wert), std::chars_format::scientific,
                                        SignifikanteStellen - 1);
    // "d.dddddddddddddde+XX"
    const char* e = std::find(puffer, ergebnis.ptr, 'e');
    Dezimalzahl d;
    d.ziffern.assign(1, puffer[0]);
    d.ziffern.append(puffer + 2, static_cast<std::size_t>(e - (puffer + 2)));
    int exponent = 0;
    std::from_chars(e + (e[1] == '+' ? 2 : 1), ergebnis.ptr, exponent);
    d.punkt = exponent + 1;
    return d;
}

bool NurNullen(const std::string& ziffern)
{
    return ziffern.find_first_not_of('0') == std::string::npos;
}

// Cuts the number to `stellen` decimals. Halves go away from zero, or to the
// even neighbour when `gerade` is set.
void Runden(Dezimalzahl& d, int stellen, bool gerade)
{
    // A leading zero takes the carry of 9.99 -> 10.0; numbers below 1 get
    // enough zeros for the point to follow the first digit.
    const int vorn = d.punkt < 1 ? 2 - d.punkt : 1;
    d.ziffern.insert(0, static_cast<std::size_t>(vorn), '0');
    d.punkt += vorn;

    const std::size_t ende = static_cast<std::size_t>(d.punkt + stellen);
    if (d.ziffern.size() <= ende) {
        d.ziffern.append(ende - d.ziffern.size(), '0');
        return;
    }
    const char naechste = d.ziffern[ende];
    const bool rest = d.ziffern.find_first_not_of('0', ende + 1) != std::string::npos;
    const bool ungerade = (d.ziffern[ende - 1] - '0') % 2 == 1;
    const bool aufrunden = naechste > '5' || (naechste == '5' && (!gerade || rest || ungerade));
    d.ziffern.resize(ende);
    if (!aufrunden)
        return;
    for (std::size_t i = ende; i-- > 0;) {
        if (d.ziffern[i] == '9') {
            d.ziffern[i] = '0';
        } else {
            ++d.ziffern[i];
            break;
        }
    }
}

struct Maske {
    QString vorne;
    QString hinten;
    int ganzPflicht = 0; // integer digits always shown ("0" and all right of it)
    int dezimalPflicht = 0; // decimals always shown (up to the last "0")
    int dezimalMax = 0; // decimals shown at most
    bool tausender = false;
    double faktor = 1;
};

Maske MaskeLesen(const QString& maske)
{
    Maske m;
    const auto istPlatzhalter = [](QChar c) {
        return c == QLatin1Char('#') || c == QLatin1Char('0') || c == QLatin1Char(',') || c == QLatin1Char('.');
    };
    qsizetype anfang = 0;
    while (anfang < maske.size() && !istPlatzhalter(maske[anfang]))
        ++anfang;
    qsizetype schluss = maske.size();
    while (schluss > anfang && !istPlatzhalter(maske[schluss - 1]))
        --schluss;
    m.vorne = maske.left(anfang);
    m.hinten = maske.mid(schluss);
    if (m.vorne.contains(QLatin1Char('%')) || m.hinten.contains(QLatin1Char('%')))
        m.faktor = 100;

    // Text between the placeholders ("0-00") has no place in the masks of
    // this program and is left out.
    bool nachPunkt = false;
    bool nullGesehen = false;
    int dezimalStelle = 0;
    for (qsizetype i = anfang; i < schluss; ++i) {
        const QChar c = maske[i];
        if (c == QLatin1Char('.')) {
            nachPunkt = true;
        } else if (c == QLatin1Char(',')) {
            if (!nachPunkt)
                m.tausender = true;
        } else if (c == QLatin1Char('#') || c == QLatin1Char('0')) {
            if (nachPunkt) {
                ++dezimalStelle;
                m.dezimalMax = dezimalStelle;
                if (c == QLatin1Char('0'))
                    m.dezimalPflicht = dezimalStelle;
            } else {
                nullGesehen = nullGesehen || c == QLatin1Char('0');
                if (nullGesehen)
                    ++m.ganzPflicht;
            }
        }
    }
    return m;
}

// A mask is read once: the program formats with a handful of them, many
// thousand times a list.
const Maske& GelesenMaske(const QString& maske)
{
    // Most masks are literals, whose text stays at one address: a few
    // places keyed by it answer before the hash (the text is compared too).
    struct Platz {
        const QChar* adresse = nullptr;
        QString text;
        Maske maske;
    };
    thread_local std::array<Platz, 16> plaetze;
    Platz& platz = plaetze[(reinterpret_cast<std::uintptr_t>(maske.constData()) >> 4) % plaetze.size()];
    if (platz.adresse == maske.constData() && platz.text == maske)
        return platz.maske;
    thread_local QHash<QString, Maske> gelesen;
    auto it = gelesen.constFind(maske);
    if (it == gelesen.constEnd()) {
        if (gelesen.size() >= 256)
            gelesen.clear();
        it = gelesen.insert(maske, MaskeLesen(maske));
    }
    platz = { maske.constData(), maske, *it };
    return platz.maske;
}

// The digits of Runden(Zerlegen(betrag), stellen, false), found without
// writing the 15 digits first. Only for numbers that stay below 10^9 at the
// place rounded to, and not close to a half there: then the difference
// between the binary value and its 15 digits (at most 5 * 10^-6 at that
// place) cannot change the rounding. False when the long way must decide.
bool SchnellGerundet(double betrag, int stellen, Dezimalzahl& d)
{
    static constexpr double zehner[] = { 1, 10, 100, 1000, 10000, 100000, 1000000 };
    if (stellen < 0 || stellen > 6)
        return false;
    const double t = betrag * zehner[stellen];
    if (!(t < 1e9))
        return false;
    const double unten = std::floor(t);
    const double rest = t - unten;
    if (std::fabs(rest - 0.5) < 1e-5)
        return false;
    const long long n = static_cast<long long>(unten) + (rest > 0.5 ? 1 : 0);
    char puffer[24];
    const auto ende = std::to_chars(puffer, puffer + sizeof puffer, n).ptr;
    const std::size_t laenge = static_cast<std::size_t>(ende - puffer);
    // At least one digit before the point, as Runden leaves it.
    const std::size_t mindestens = static_cast<std::size_t>(stellen) + 1;
    d.ziffern.assign(laenge < mindestens ? mindestens - laenge : 0, '0');
    d.ziffern.append(puffer, laenge);
    d.punkt = static_cast<int>(d.ziffern.size()) - stellen;
    return true;
}

QString MitMaske(double wert, const Maske& m)
{
    const double skaliert = wert * m.faktor;
    // One buffer per thread: its capacity stays, so no call allocates.
    thread_local Dezimalzahl d;
    if (!SchnellGerundet(std::fabs(skaliert), m.dezimalMax, d)) {
        const Dezimalzahl z = Zerlegen(skaliert);
        d.ziffern.assign(z.ziffern);
        d.punkt = z.punkt;
        Runden(d, m.dezimalMax, false);
    }

    const std::size_t punkt = static_cast<std::size_t>(d.punkt);
    const std::string& ziffern = d.ziffern;
    const bool negativ = skaliert < 0 && ziffern.find_first_not_of('0') != std::string::npos;

    // Leading zeros go, except as many as the mask's "0" places ask for.
    std::size_t erste = std::min(ziffern.find_first_not_of('0'), punkt);
    const std::size_t ganzPflicht = static_cast<std::size_t>(m.ganzPflicht);
    const std::size_t ganzLaenge = std::max(punkt - erste, ganzPflicht);
    std::size_t bruchEnde = ziffern.size();
    while (bruchEnde > punkt + static_cast<std::size_t>(m.dezimalPflicht) && ziffern[bruchEnde - 1] == '0')
        --bruchEnde;

    // Assembled in Latin-1 first, then turned into one QString.
    thread_local std::string aus;
    aus.clear();
    if (negativ)
        aus += '-';
    const std::size_t fehlend = ganzLaenge - (punkt - erste);
    for (std::size_t i = 0; i < ganzLaenge; ++i) {
        if (m.tausender && i > 0 && (ganzLaenge - i) % 3 == 0)
            aus += '.';
        // Mask zeros beyond the digits of the number come first.
        aus += i < fehlend ? '0' : ziffern[erste + i - fehlend];
    }
    if (bruchEnde > punkt) {
        aus += ',';
        aus.append(ziffern, punkt, bruchEnde - punkt);
    }
    const QLatin1StringView zahl(aus.data(), static_cast<qsizetype>(aus.size()));
    if (m.vorne.isEmpty() && m.hinten.isEmpty())
        return QString(zahl);
    QString text = m.vorne;
    text += zahl;
    text += m.hinten;
    return text;
}

} // namespace

QString Formatieren(double wert, const QString& maske)
{
    if (!std::isfinite(wert))
        return QString();
    if (maske.isEmpty())
        return DezimalText(wert);
    // The named formats start with a letter, a mask with a placeholder or
    // its text: most calls need not compare names at all.
    if (!maske.at(0).isLetter())
        return MitMaske(wert, GelesenMaske(maske));
    if (maske.compare(QStringLiteral("Percent"), Qt::CaseInsensitive) == 0)
        return MitMaske(wert * 100, GelesenMaske(QStringLiteral("0.00"))) + QStringLiteral(" %");
    if (maske.compare(QStringLiteral("Fixed"), Qt::CaseInsensitive) == 0)
        return MitMaske(wert, GelesenMaske(QStringLiteral("0.00")));
    if (maske.compare(QStringLiteral("Standard"), Qt::CaseInsensitive) == 0)
        return MitMaske(wert, GelesenMaske(QStringLiteral("#,##0.00")));
    return MitMaske(wert, GelesenMaske(maske));
}

long R(double wert)
{
    if (std::isnan(wert))
        return 0;
    const double unten = std::floor(wert);
    const double abstand = wert - unten; // exact for every double
    double ganz = unten;
    if (abstand > 0.5 || (abstand == 0.5 && std::fmod(unten, 2.0) != 0))
        ganz = unten + 1;
    constexpr double grenze = 9.2e18; // inside long, so the cast below is defined
    if (ganz >= grenze)
        return std::numeric_limits<long>::max();
    if (ganz <= -grenze)
        return std::numeric_limits<long>::min();
    return static_cast<long>(ganz);
}

bool ImLongBereich(double wert)
{
    if (!std::isfinite(wert))
        return false;
    const long ganz = R(wert);
    return ganz >= -2147483648L && ganz <= 2147483647L;
}

double RundenGerade(double wert, int stellen)
{
    if (!std::isfinite(wert))
        return wert;
    Dezimalzahl d;
    // Clearly off a half, rounding to the even neighbour rounds as any other.
    if (!SchnellGerundet(std::fabs(wert), std::max(stellen, 0), d)) {
        d = Zerlegen(wert);
        Runden(d, std::max(stellen, 0), true);
    }
    std::string text = d.ziffern;
    text.insert(static_cast<std::size_t>(d.punkt), 1, '.');
    double ergebnis = 0;
    std::from_chars(text.data(), text.data() + text.size(), ergebnis);
    return wert < 0 ? -ergebnis : ergebnis;
}

QString DezimalText(double wert)
{
    if (!std::isfinite(wert))
        return QString();
    Dezimalzahl d = Zerlegen(wert);
    while (d.ziffern.size() > 1 && d.ziffern.back() == '0')
        d.ziffern.pop_back();
    if (NurNullen(d.ziffern))
        return QStringLiteral("0");
    std::string ganz;
    std::string bruch;
    if (d.punkt <= 0) {
        ganz = "0";
        bruch = std::string(static_cast<std::size_t>(-d.punkt), '0') + d.ziffern;
    } else if (static_cast<std::size_t>(d.punkt) >= d.ziffern.size()) {
        ganz = d.ziffern + std::string(static_cast<std::size_t>(d.punkt) - d.ziffern.size(), '0');
    } else {
        ganz = d.ziffern.substr(0, static_cast<std::size_t>(d.punkt));
        bruch = d.ziffern.substr(static_cast<std::size_t>(d.punkt));
    }
    QString text = QString::fromLatin1(ganz.data(), static_cast<qsizetype>(ganz.size()));
    if (!bruch.empty())
        text += Dezimal + QString::fromLatin1(bruch.data(), static_cast<qsizetype>(bruch.size()));
    if (wert < 0)
        text.prepend(QLatin1Char('-'));
    return text;
}

QDate DatumAusSerial(long tag)
{
    return TagNull().addDays(tag);
}

long SerialAusDatum(const QDate& datum)
{
    return datum.isValid() ? static_cast<long>(TagNull().daysTo(datum)) : 0;
}

QDateTime DatumZeitAusSerial(double serial)
{
    if (!std::isfinite(serial))
        return QDateTime(TagNull(), QTime(0, 0));
    const double tage = std::trunc(serial);
    qint64 ms = std::llround(std::fabs(serial - tage) * MillisekundenProTag);
    QDate datum = TagNull().addDays(static_cast<qint64>(tage));
    if (ms >= MillisekundenProTag) {
        // 23:59:59.9996 rounds up to the next midnight.
        ms -= MillisekundenProTag;
        datum = datum.addDays(1);
    }
    return QDateTime(datum, QTime::fromMSecsSinceStartOfDay(static_cast<int>(ms)));
}

double SerialAusDatumZeit(const QDateTime& zeit)
{
    if (!zeit.isValid())
        return 0;
    const double tage = SerialAusDatum(zeit.date());
    const double bruch = static_cast<double>(zeit.time().msecsSinceStartOfDay()) / MillisekundenProTag;
    return tage < 0 ? tage - bruch : tage + bruch;
}

} // namespace kelvora
