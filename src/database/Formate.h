#pragma once
// Display masks with German separators (decimal comma, full stop between
// thousands), whole-number rounding half to even, date serials.

#include <QDate>
#include <QDateTime>
#include <QString>

namespace kelvora {

// Formats a number with a mask such as "#0.00", "##0", "###,##0", "#,##0.0",
// "##,##0.00", "#####0.00", "#,###", "0", "0.0" or the named format
// "Percent" (value × 100 with two decimals and " %"). In a mask "," stands for
// the thousands separator and "." for the decimal separator; the output uses
// "." and "," as German text does. Rounding to the mask's decimals is half
// away from zero, as display masks round.
QString Formatieren(double wert, const QString& maske);

// Whole-number rounding with halves to the even neighbour (R, Long conversion).
long R(double wert);
double RundenGerade(double wert, int stellen);

// The shortest text with at most 15 significant digits and a decimal comma
// ("plain decimal text"): 4.5 -> "4,5", 1e-5 -> "0,00001", 20 -> "20".
QString DezimalText(double wert);

// Date serials: day 0 = 30.12.1899; the fraction is the time of day.
QDate DatumAusSerial(long tag);
long SerialAusDatum(const QDate& datum);
QDateTime DatumZeitAusSerial(double serial);
double SerialAusDatumZeit(const QDateTime& zeit);

} // namespace kelvora
