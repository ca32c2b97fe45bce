#pragma once
// Balancing of the current ration: the free feeds get the dry matter the
// fixed feeds leave up to the maximum intake (by their shares), and for the
// NDF balancing are then scaled by one common factor to the NDF maximum.
// Works on table Ration of the feed database in one transaction: either
// every free row gets its amount or none does. The caller runs the
// evaluation and sets its flags when the result says so.

namespace kelvora {

enum class AusgleichErgebnis {
    Abgeschlossen, // set the flag, remember the balancing, evaluate
    Abgebrochen, // refused by a rule, nothing changed: no flag, no evaluation
    Fehlgeschlagen, // the database could not be read or written; the user was
                    // told, the stored ration is unchanged
};

// tmMaxKg: the maximum dry-matter intake in kg as the evaluation shows it.
[[nodiscard]] AusgleichErgebnis TMAusgleichen(double tmMaxKg);

// ndfMaxGramm: the NDF maximum in g per day as the evaluation shows it.
[[nodiscard]] AusgleichErgebnis NDFAusgleichen(double tmMaxKg, double ndfMaxGramm);

} // namespace kelvora
