#pragma once
// The comparison of stored rations as the window "Rationen vergleichen"
// shows it and prints it: one column per ration, one row per figure, each
// cell with the text and traffic-light colour the ration window would show
// for that ration. Sections: the group's inputs, the key figures with their
// limits, supply, requirement and difference, feed cost and income.

#include "herde/RationenBewerten.h"
#include "ration/RationBericht.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace kelvora {

struct VergleichsZelle {
    QString text;
    qint64 farbe = 0; // window-system colour; 0 not coloured
    Bewertung bewertung = Bewertung::OhnePruefung;
};

struct VergleichsTabellenZeile {
    // A heading row ("Kennzahlen") has this and no cells.
    QString abschnitt;
    QString gruppe; // shown on the first row of a group ("Energie:")
    QString beschriftung; // "NEL MJ"
    QString ziel; // the limit the check applies; empty without a check
    QList<VergleichsZelle> zellen;
};

struct Vergleichstabelle {
    QStringList namen; // the rations, in column order
    QList<VergleichsTabellenZeile> zeilen;
};

Vergleichstabelle VergleichstabelleBilden(const QList<RationsBewertung>& bewertungen);

} // namespace kelvora
