#pragma once
// Display masks with German separators (decimal comma, full stop between
// thousands), whole-number rounding half to even, date serials.

#include <QDate>
#include <QDateTime>
#include <QString>

namespace kelvora {

// Formats a number with a mask such as "#0.00", "##0", "###,##0", "#,##0.0",
// "##,##0.00", "#####0.00", "#,###", "0", "0.0" or the named formats
// "Percent" (value × 100 with two decimals and " %"), "Fixed" ("0.00") and
// "Standard" ("#,##0.00"). In a mask "," stands for the thousands separator
// and "." for the decimal separator; the output uses "." and "," as German
// text does. "#" is an optional digit, "0" a digit always shown; a "%" among
// the literal text before or after the digits multiplies by 100. An empty
// mask gives the plain decimal text.
// Rounding to the mask's decimals is half away from zero on the decimal
// value as it is written with 15 significant digits, so 2.345 shows as
// "2,35" although the double lies just below it. A result whose digits are
// all zero carries no minus sign. NaN and infinities give "".
QString Formatieren(double wert, const QString& maske);

// Whole-number rounding with halves to the even neighbour (R, Long conversion).
// NaN gives 0; values beyond the range of long are clamped.
long R(double wert);
// True when wert rounds to a whole number inside the 32-bit Long range;
// beyond it the whole-number conversion counts as an overflow.
bool ImLongBereich(double wert);
// Rounds to the given number of decimals (negative counts as 0), halves to
// the even neighbour, on the 15-significant-digit decimal value.
double RundenGerade(double wert, int stellen);

// The shortest text with at most 15 significant digits and a decimal comma
// ("plain decimal text"): 4.5 -> "4,5", 1e-5 -> "0,00001", 20 -> "20".
QString DezimalText(double wert);

// Date serials: day 0 = 30.12.1899; the fraction is the time of day. For a
// negative serial the fraction still counts forward from midnight of its
// day (-1.25 is 29.12.1899 06:00), as stored date values are encoded.
QDate DatumAusSerial(long tag);
long SerialAusDatum(const QDate& datum);
QDateTime DatumZeitAusSerial(double serial);
double SerialAusDatumZeit(const QDateTime& zeit);

} // namespace kelvora
