#pragma once
// The sensible ranges of what a user types or a command line gives: milk,
// fat, amounts, shares and the milk price. A number outside them is a typo
// or garbage, never a ration, and is refused with a message that names the
// field instead of being used (or silently read as 0).

#include <QString>
#include <optional>

namespace kelvora {

struct Eingabegrenze {
    QString feld;     // the field as the user knows it: "Milch kg"
    double minimum;   // inclusive
    double maximum;   // inclusive
    QString einheit;  // shown after the limits: "kg"
};

const Eingabegrenze& MilchGrenze();         // "Milch kg", 0 .. 100 kg
const Eingabegrenze& FettGrenze();          // "Fett %", 1 .. 10 %
const Eingabegrenze& EiweissGrenze();       // "Eiweiß %", 2,5 .. 5 %
const Eingabegrenze& MengeGrenze();         // "Menge", 0 .. 500 kg FM
const Eingabegrenze& AnteilGrenze(); // "Anteil", 0 .. 100 %
const Eingabegrenze& MilchpreisGrenze();    // "Milchpreis €/kg", 0 .. 10 € per kg

// Empty when wert is finite and inside the limits; otherwise the German
// message that names the field and the allowed range.
QString GrenzePruefen(const Eingabegrenze& grenze, double wert);

// Reads text strictly and checks it: the value, or the message (for text
// that is no number: "Bitte geben Sie bei <feld> eine Zahl ein ...").
struct GepruefteZahl {
    std::optional<double> wert;
    QString meldung;  // empty when wert is set
};
GepruefteZahl ZahlPruefen(const Eingabegrenze& grenze, const QString& text);

} // namespace kelvora
