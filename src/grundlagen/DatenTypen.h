#pragma once
// Locale-independent conversion of typed and displayed text into numbers and
// dates. Every number read from a text box or a label goes through these.

#include <QDateTime>
#include <QString>

namespace kelvora {

// Both read through ZahlVorEinheit (grundlagen/ZahlText.h): a number as the
// strict reader takes it, optionally followed by a unit ("12 kg"), or 0 for
// anything else, so a text is read exactly or as 0, never as a different
// number. TextInLong cuts the decimals off and gives 0 for more than nine
// digits before them; TextInDouble reads "true" as -1 and "false" as 0.
long TextInLong(const QString& text);
double TextInDouble(const QString& text);
// Date 0 (30.12.1899 00:00) for an empty or unreadable text.
QDateTime TextInDatum(const QString& text);
// "#" + month + "/" + day + "/" + year + "#"
QString DatumFuerSQL(const QDateTime& datum);
QString DatumFuerSQL(const QDate& datum);
// Translation hook for message texts; returns the text unchanged.
QString Uebersetzen(const QString& text);

} // namespace kelvora
