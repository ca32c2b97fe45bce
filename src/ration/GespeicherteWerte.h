#pragma once
// Values read back from table Ration and from the feed table are checked
// before a calculation uses them. A file edited by another program, an old
// import or a damaged row can hold an amount of 7,7E+303 kg or a dry matter
// of -5 g; such a value is refused with a message that names the feed,
// never turned into a ration.

#include "ration/RationAuswerten.h"

#include <QString>

namespace kelvora {

// Empty when the stored amount (0 to 500 kg fresh matter) and share (0 to
// 100 %) of the row are usable; otherwise the German message.
QString GespeicherteZeilePruefen(const RationZeile& zeile, const QString& futterName);

// Empty when the feed's dry matter is 0 (not entered: the calculations
// treat it as such) or 1 to 1000 g per kg, and every nutrient value per kg
// dry matter is a finite number not below 0; otherwise the German message.
// werte holds (column name, value) pairs.
QString GespeicherteFutterwertePruefen(
    const QString& futterName, double tm_g, const QList<QPair<QString, double>>& werte = {});

} // namespace kelvora
