#pragma once
// Arithmetic of the amount editor and the milk box: the arrow steps, the
// share and milk steps, the fresh/dry matter conversion and the share
// proposed for a free feed. Every function gives std::nullopt where the box
// keeps its text.

#include "ration/RationTabelle.h"

#include <QList>
#include <QString>
#include <optional>

namespace kelvora {

// Masks of the stepped and converted values.
QString MengenMaske();  // "#0.00": amounts and shares
QString MilchMaske();   // "#0.0"

// Up or Down in the fresh- or dry-matter box: the step grows with the
// amount (1.0 from 10 kg, 0.5 from 5, 0.1 from 1, 0.05 from 0.5, 0.01
// below); below 0.1 the amount only grows.
std::optional<double> MengenSchritt(double menge, bool hoch);

// Up adds 5 up to a share of 95, Down takes 5 off down to a share of 5.
std::optional<double> AnteilSchritt(double anteil, bool hoch);

// Up adds 1 kg below 99 kg, Down takes 1 kg off above 1 kg.
std::optional<double> MilchSchritt(double milch, bool hoch);

// The dry matter of a fresh amount and back; tm_g is the feed's dry matter
// in g per kg fresh matter as a whole number. Nothing is converted for an
// amount not above 0 or a feed below 1 g dry matter per kg.
std::optional<double> FrischInTrocken(double frisch, long tm_g);
std::optional<double> TrockenInFrisch(double trocken, long tm_g);

// The share offered to a free feed that has none yet: what the other free
// feeds leave of 100 %, never below 0.
double AnteilVorschlag(const QList<RationZeile>& zeilen, long bearbeiteteID);

} // namespace kelvora
