#pragma once
// The steps of an evaluation run after the feed loop: figure labels with
// their limit checks, the requirement lines and the supply messages. Used by
// RationBerechnen; each step writes into the run's Auswertung.

#include "ration/RationAuswerten.h"

namespace kelvora::auswertung {

// Column positions inside ListenZeile::texte (list columns 1 to 12).
enum Spalte {
    SpFutterart,
    SpBezeichnung,
    SpFrisch,
    SpTM,
    SpRohprotein,
    SpUDP,
    SpNEL,
    SpNFC,
    SpADF,
    SpNDF,
    SpCa,
    SpP
};

// A line of single blanks: the spacer and the base of every summary line.
ListenZeile LeereZeile(ZeilenArt art);

// The label of this run by name (it must be one of AnzeigenNamen()).
Anzeige& AnzeigeVon(Auswertung& a, const QString& name);

// Sets a label's text; marks it as written by this run.
Anzeige& Zeigen(Auswertung& a, const QString& name, const QString& text);

// Empties a label and takes its colours off.
void Leeren(Anzeige& anzeige);

// Empties the concentrate and key-figure labels (a ration without dry matter).
void KennzahlenLeeren(Auswertung& a);

// Green, or light red when zuHoch; text colour set in both cases.
void Ampel(Anzeige& anzeige, bool rot);

// Concentrate DM and its share of the ration (checked against 50 %).
void KraftfutterAnzeigen(Auswertung& a);

// The NDF maximum in g per day: 12,5 g per kg body weight. The window shows
// it, the least-cost ration keeps to it.
double NDFMaxGramm(long gewicht);

// NDF maximum, estimated and table intake. Where the intake table has no
// value (fat-corrected milk above 50 kg) lblTMKiloMaxAnzeige2 shows
// TMMaxOhneTabelle() with an explaining tool tip.
void AufnahmeGrenzenAnzeigen(Auswertung& a, const TierEingaben& tier);
QString TMMaxOhneTabelle();

// The key figures with their checks, the shares for the result window and
// the "Kennzahlen" line. Only for a ration with fresh and dry matter.
void KennzahlenAnzeigen(Auswertung& a);

// Requirement into the result window's "Soll" and the lines
// "Erhaltungs- und Leistungsbedarf", "DIFFERENZ", "DIFFERENZ in Milch kg".
void BedarfAnzeigen(Auswertung& a, const TierEingaben& tier);

// Under- and over-supply of crude protein and NEL.
void VersorgungAnzeigen(Auswertung& a, const TierEingaben& tier);

} // namespace kelvora::auswertung
