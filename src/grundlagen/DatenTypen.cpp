#include "grundlagen/DatenTypen.h"

#include "grundlagen/ZahlText.h"

#include <cmath>

namespace kelvora {

namespace {

int ZweistelligesJahr(int jahr)
{
    // Two-digit years as Windows expands them: 00..29 -> 20xx, 30..99 -> 19xx.
    if (jahr < 100)
        return jahr < 30 ? 2000 + jahr : 1900 + jahr;
    return jahr;
}

QDateTime DatumNull()
{
    return QDateTime(QDate(1899, 12, 30), QTime(0, 0));
}

} // namespace

long TextInLong(const QString& eingabe)
{
    // Whole numbers up to nine digits; what ZahlVorEinheit refuses reads as 0.
    const std::optional<ZahlMitEinheit> z = ZahlVorEinheit(eingabe);
    if (!z || z->ganzeZiffern > 9)
        return 0;
    return static_cast<long>(std::trunc(z->wert));
}

double TextInDouble(const QString& eingabe)
{
    const QString text = eingabe.trimmed();
    if (text.compare(QStringLiteral("false"), Qt::CaseInsensitive) == 0)
        return 0;
    if (text.compare(QStringLiteral("true"), Qt::CaseInsensitive) == 0)
        return -1;
    const std::optional<ZahlMitEinheit> z = ZahlVorEinheit(text);
    return z ? z->wert : 0;
}

QDateTime TextInDatum(const QString& eingabe)
{
    QString text = eingabe.trimmed();
    if (text.isEmpty())
        return DatumNull();
    if (text.size() == 10 && text[4] == QLatin1Char('-') && text[7] == QLatin1Char('-')) {
        const QDate d(text.left(4).toInt(), text.mid(5, 2).toInt(), text.mid(8, 2).toInt());
        return d.isValid() ? QDateTime(d, QTime(0, 0)) : DatumNull();
    }
    text.replace(QChar(173), QLatin1Char('.'));
    const QStringList teile = text.split(QLatin1Char('.'));
    if (teile.size() < 3)
        return DatumNull();
    // The year part may carry a time ("04.12.2026 10:15").
    const QString jahrTeil = teile[2].trimmed();
    const qsizetype blank = jahrTeil.indexOf(QLatin1Char(' '));
    const QString jahrText = blank < 0 ? jahrTeil : jahrTeil.left(blank);
    bool okT = false, okM = false, okJ = false;
    const int tag = teile[0].trimmed().toInt(&okT);
    const int monat = teile[1].trimmed().toInt(&okM);
    const int jahr = jahrText.toInt(&okJ);
    if (!okT || !okM || !okJ)
        return DatumNull();
    const QDate d(ZweistelligesJahr(jahr), monat, tag);
    if (!d.isValid())
        return DatumNull();
    QTime zeit(0, 0);
    if (blank >= 0) {
        const QString z = jahrTeil.mid(blank + 1).trimmed();
        QTime t = QTime::fromString(z, QStringLiteral("H:mm:ss"));
        if (!t.isValid())
            t = QTime::fromString(z, QStringLiteral("H:mm"));
        if (t.isValid())
            zeit = t;
    }
    return QDateTime(d, zeit);
}

QString DatumFuerSQL(const QDate& datum)
{
    return QStringLiteral("#") + QString::number(datum.month()) + QLatin1Char('/') + QString::number(datum.day())
        + QLatin1Char('/') + QString::number(datum.year()) + QLatin1Char('#');
}

QString DatumFuerSQL(const QDateTime& datum)
{
    return DatumFuerSQL(datum.date());
}

QString Uebersetzen(const QString& text)
{
    return text;
}

} // namespace kelvora
