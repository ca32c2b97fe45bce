#include "ration/Bedarf.h"

#include <array>
#include <cmath>

namespace kelvora {

namespace {

struct Erhaltung {
    long gewicht;
    Bedarf bedarf;
};

// Maintenance per day by body-weight class.
constexpr std::array<Erhaltung, 9> ErhaltungsTabelle{{
    {400, {30.0, 320, 16, 11}},
    {450, {33.0, 340, 18, 13}},
    {500, {35.5, 365, 20, 14}},
    {550, {38.0, 385, 22, 16}},
    {600, {41.0, 410, 24, 17}},
    {650, {43.0, 430, 26, 19}},
    {700, {46.0, 450, 28, 20}},
    {750, {48.0, 470, 30, 21}},
    {800, {51.0, 490, 32, 23}},
}};

// Energy content of milk per kg: 0.37 MJ per % fat, 0.21 MJ per % protein,
// 0.95 MJ for the rest.
double MilchEnergieJeKg(double fett, double eiweiss)
{
    return 0.37 * fett + 0.21 * eiweiss + 0.95;
}

} // namespace

Bedarf Erhaltungsbedarf(long gewicht)
{
    for (const Erhaltung& e : ErhaltungsTabelle) {
        if (e.gewicht == gewicht)
            return e.bedarf;
    }
    return {};
}

Bedarf BedarfBerechnen(long gewicht, double fcm)
{
    Bedarf b = Erhaltungsbedarf(gewicht);
    b.nel += NELJeKgFCM * fcm;
    b.rohprotein += RohproteinJeKgFCM * fcm;
    b.ca += CaJeKgFCM * fcm;
    b.p += PJeKgFCM * fcm;
    return b;
}

double FettKg(double milch, double fett)
{
    return fett * milch / 100;
}

double FCMBerechnen(double milch, double fett)
{
    return 0.4 * milch + 15 * FettKg(milch, fett);
}

double ECMBerechnen(double milch, double fett, double eiweiss)
{
    // 3.144 MJ is the energy of one kg of standard milk (4.0 % fat, 3.4 % protein).
    return milch * MilchEnergieJeKg(fett, eiweiss) / 3.144;
}

double MilchNEL(double milch, double fett, double eiweiss)
{
    return milch * MilchEnergieJeKg(fett, eiweiss);
}

double MilchRohprotein(double milch, double eiweiss)
{
    Q_UNUSED(eiweiss);
    return milch * RohproteinJeKgFCM;
}

QString RasseNormieren(const QString& text)
{
    // The order matters: "Fleckvieh x Holstein" counts as Fleckvieh.
    if (text.contains(QLatin1String("leck")))
        return QStringLiteral("Fleckvieh");
    if (text.contains(QLatin1String("Brown")) || text.contains(QLatin1String("Braun")))
        return QStringLiteral("Brown Swiss");
    if (text.contains(QLatin1String("bunte")) || text.contains(QLatin1String("Friesian"))
        || text.contains(QLatin1String("Holstein")))
        return QStringLiteral("Holstein Friesian");
    return QStringLiteral("nicht definiert");
}

namespace {

constexpr std::array<long, 9> AufnahmeGewichte{400, 450, 500, 550, 600, 650, 700, 750, 800};

// Upper ends of the FCM bands; a band over a to b holds a < FCM <= b, the
// first one everything up to 10.
constexpr std::array<double, 9> FCMBandObergrenzen{10, 15, 20, 25, 30, 35, 40, 45, 50};

// Intake in percent of body weight: one row per FCM band, one column per
// weight class. Above 50 kg FCM (and above 40 kg for the two light classes)
// the table has no value.
constexpr double AufnahmeProzent[9][9] = {
    {2.70, 2.55, 2.40, 2.30, 2.20, 2.10, 2.00, 1.95, 1.90},
    {3.20, 3.00, 2.80, 2.70, 2.60, 2.45, 2.30, 2.25, 2.20},
    {3.60, 3.40, 3.20, 3.05, 2.90, 2.75, 2.60, 2.50, 2.40},
    {4.00, 3.75, 3.50, 3.35, 3.20, 3.05, 2.90, 2.80, 2.70},
    {4.40, 4.15, 3.90, 3.70, 3.50, 3.35, 3.20, 3.05, 2.90},
    {5.00, 4.70, 4.20, 3.95, 3.70, 3.55, 3.40, 3.25, 3.10},
    {5.50, 5.05, 4.60, 4.30, 4.00, 3.80, 3.60, 3.45, 3.30},
    {0, 0, 5.00, 4.65, 4.30, 4.05, 3.80, 3.65, 3.50},
    {0, 0, 5.40, 5.05, 4.70, 4.40, 4.10, 3.90, 3.70},
};

struct Rassenwerte {
    const char* rasse;
    double a, b, c, d, e, f;
};

constexpr std::array<Rassenwerte, 4> Rassen{{
    {"nicht definiert", 0, 0, 0, 0, 0.327, 1.164},
    {"Fleckvieh", -0.368, 0.0015, -0.0099, 0.000571, 0.252, 1.365},
    {"Brown Swiss", 0.01, -0.0005, -0.02, -0.000727, 0.425, 1.168},
    {"Holstein Friesian", 0.358, -0.001, 0.0299, 0.000156, 0.305, 0.959},
}};

struct Laktationswerte {
    double g = 0, h = 0, k = 0;
};

Laktationswerte LaktationsKoeffizienten(int laktation)
{
    if (laktation == 1)
        return {-0.16, 0.0152, -0.002516};
    if (laktation >= 2)
        return {0.16, -0.0152, 0.002516};
    return {};
}

} // namespace

double TMAufnahmeTabelle(long gewicht, double fcm)
{
    std::size_t spalte = AufnahmeGewichte.size();
    for (std::size_t i = 0; i < AufnahmeGewichte.size(); ++i) {
        if (AufnahmeGewichte[i] == gewicht)
            spalte = i;
    }
    if (spalte == AufnahmeGewichte.size())
        return 0;
    for (std::size_t band = 0; band < FCMBandObergrenzen.size(); ++band) {
        if (fcm <= FCMBandObergrenzen[band])
            return static_cast<double>(gewicht) * AufnahmeProzent[band][spalte] / 100;
    }
    return 0;
}

double TMAufnahmeSchaetzung(const QString& rasse, int monat, int laktation, double gewicht,
                            double kraftfutterTM, double grundfutterNEL, long tageInMilch, double milch,
                            double fett, double eiweiss)
{
    const QString normiert = RasseNormieren(rasse);
    Rassenwerte r = Rassen[0];
    for (const Rassenwerte& kandidat : Rassen) {
        if (normiert == QLatin1String(kandidat.rasse))
            r = kandidat;
    }
    const Laktationswerte l = LaktationsKoeffizienten(laktation);
    const double ecm = ECMBerechnen(milch, fett, eiweiss);
    if (tageInMilch <= 0)
        return 0;
    const double tage = static_cast<double>(tageInMilch);
    const double m = static_cast<double>(monat);
    // The terms with factor 2 are coefficient × 2 × centred value, not squares.
    return 15.086 + r.a + l.g
        + (r.b + 0.009) * (gewicht - 603)
        + (r.c + 0.1938 + l.h) * (ecm - 20)
        + 2 * (r.d - 0.003514 + l.k) * (ecm - 20)
        + r.e * (kraftfutterTM - 2.88)
        + r.f * (grundfutterNEL - 5.41)
        - 0.0028 * (tage - 112)
        + 1.142 * (std::log(tage) - 4.33)
        + 0.0443 * (m - 6.36)
        - 2 * 0.019776 * (m - 6.36);
}

} // namespace kelvora
