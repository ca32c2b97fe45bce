#pragma once
// What a cow needs and how much she can eat: maintenance and production
// requirement, dry-matter intake from the table and by the estimate
// formula, and the small milk helpers.

#include <QString>

namespace kelvora {

// NEL in MJ, crude protein, Ca and P in g per day.
struct Bedarf {
    double nel = 0;
    double rohprotein = 0;
    double ca = 0;
    double p = 0;
};

// Maintenance requirement of the weight class 400 to 800 (steps of 50);
// every other weight gives 0 for all four.
Bedarf Erhaltungsbedarf(long gewicht);

// Production requirement per kg fat-corrected milk.
inline constexpr double NELJeKgFCM = 3.17;
inline constexpr double RohproteinJeKgFCM = 90;
inline constexpr double CaJeKgFCM = 3.21;
inline constexpr double PJeKgFCM = 1.98;

// Maintenance plus production for the weight class and FCM.
Bedarf BedarfBerechnen(long gewicht, double fcm);

// Fat in kg: fett % × milch / 100.
double FettKg(double milch, double fett);
// Fat-corrected milk: 0.4 × milch + 15 × fat kg.
double FCMBerechnen(double milch, double fett);

// Intake in kg DM: gewicht × percentage of the intake table for the exact
// weight class and the FCM band (a < FCM <= b); 0 for any other weight.
double TMAufnahmeTabelle(long gewicht, double fcm);

// Estimated intake in kg DM per day; 0 when tageInMilch <= 0.
double TMAufnahmeSchaetzung(const QString& rasse, int monat, int laktation, double gewicht,
                            double kraftfutterTM, double grundfutterNEL, long tageInMilch, double milch,
                            double fett, double eiweiss);

// Energy-corrected milk: milch × (0.37 fett + 0.21 eiweiss + 0.95) / 3.144.
double ECMBerechnen(double milch, double fett, double eiweiss);
// NEL in the milk, MJ: milch × (0.37 fett + 0.21 eiweiss + 0.95).
double MilchNEL(double milch, double fett, double eiweiss);
// Crude protein for the milk, g: milch × 90 (eiweiss does not enter).
double MilchRohprotein(double milch, double eiweiss);

// "Fleckvieh", "Brown Swiss", "Holstein Friesian" or "nicht definiert",
// by case-sensitive parts of the text.
QString RasseNormieren(const QString& text);

} // namespace kelvora
