#pragma once
// Typed read of a record-set field: nulls and blank texts become fixed
// defaults, so that no caller ever handles a null.

#include <QAnyStringView>
#include <QVariant>

#include <optional>

namespace kelvora {

// typ is one of "Integer", "Long", "Double", "Single", "Currency", "Date",
// "String", "Text", "String+", "Boolean" (case-sensitive). Integer results
// are qint16, Long results qint32 (an Integer above 32000 comes back as
// Long), Single float, Double and Currency double (Currency rounded to four
// decimals), Date QDateTime. A null gives the Integer 0 for every number and
// date type. An empty result (an invalid QVariant) reads as 0 or "".
// A value that cannot be converted shows a message, marks the databases for
// repair in the INI file and gives the empty result.
QVariant NullFilter(const QVariant& wert, QAnyStringView typ);

// NullFilter(wert, "Double").toDouble() for the fields that need no
// conversion: a NULL, a double or a whole number as the database gives them.
// Empty for every other field, which then goes through NullFilter.
std::optional<double> EinfacheZahl(const QVariant& wert);

// Names the place of the values read while it lives (table, column, row ID),
// so that NullFilter's log lines say which field of which row holds what it
// cannot read. The names are shared, not copied.
class NullFilterStelle {
public:
    NullFilterStelle(const QString& tabelle, const QString& spalte, qint64 zeile);
    ~NullFilterStelle();
    NullFilterStelle(const NullFilterStelle&) = delete;
    NullFilterStelle& operator=(const NullFilterStelle&) = delete;

    // " (Tabelle Ration, Spalte FixeMenge, Zeile 12)", empty outside any place.
    static QString Text();

private:
    QString tabelle;
    QString spalte;
    qint64 zeile;
    const NullFilterStelle* vorher;
};

} // namespace kelvora
