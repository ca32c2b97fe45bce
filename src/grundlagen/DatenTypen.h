#pragma once
// Locale-independent conversion of typed and displayed text into numbers and
// dates. Every number read from a text box or a label goes through these.

#include <QDateTime>
#include <QString>

namespace kelvora {

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
