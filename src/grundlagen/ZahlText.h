#pragma once
// The one reader for numbers that come from outside the program: typed
// text, the exchanged feed files, KELVORA.INI and the command line. It reads
// a number exactly or not at all, so that "1e308" never becomes 1,308 and
// "1.234,5" never 1,2345; what it refuses, the caller refuses with the
// field's name.

#include <QString>
#include <optional>

namespace kelvora {

// Most digits before and after the decimal separator. A double keeps 15 to
// 17 significant digits; a longer number is garbage, not a measurement, and
// would otherwise be rounded without a word.
inline constexpr int ZahlHoechstZiffern = 15;

// Accepted, blanks around it allowed: an optional leading minus, the digits
// 0 to 9 with at most one decimal comma or point ("4,5", "4.5", ",5", "12,"),
// or German thousands points in groups of three after a first group that
// does not start with 0, optionally followed by a decimal comma ("1.234" is
// 1234, "1.234,5" is 1234,5, "0.234" stays 0,234). Refused: an empty text,
// exponents ("1e308", "2E3"), NaN and infinities, letters and other digits
// than 0 to 9, a plus sign, two separators in any other way ("1,234.5",
// "1,2,3"), more than ZahlHoechstZiffern digits before or after the
// separator. -0 reads as 0.
std::optional<double> ZahlAusText(const QString& text);

// The same for whole numbers (IDs, codes, classes): decimals other than
// zeros are refused, as are values beyond the 32-bit Long range.
std::optional<long> GanzzahlAusText(const QString& text);

// "Bitte geben Sie bei <feld> eine Zahl ein (zum Beispiel 12,5). "<text>"
// ist keine Zahl." The text is shown without control characters and
// shortened, since it may come from a file or a server.
QString KeineZahlMeldung(const QString& feld, const QString& text);

// What TextInLong and TextInDouble make of a text: the number as above,
// optionally followed by a unit after a blank or a percent sign ("12 kg",
// "4,5 %"); a minus may also stand behind the digits ("7-"). A number
// followed directly by a letter or another sign ("1e308", "12-3") is no
// number. ganzeZiffern counts the digits before the decimal separator as
// written, leading zeros included.
struct ZahlMitEinheit {
    double wert = 0;
    int ganzeZiffern = 0;
};
std::optional<ZahlMitEinheit> ZahlVorEinheit(const QString& text);

} // namespace kelvora
