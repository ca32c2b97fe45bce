#include "grundlagen/DatenTypen.h"

#include "grundlagen/Stoerung.h"

#include <QLocale>

namespace kelvora {

namespace {

// The program always shows numbers the German way; these are the separators
// that "###,##0" and "##0.0" produce under that locale.
constexpr QChar Tausender = QLatin1Char('.');
constexpr QChar Dezimal = QLatin1Char(',');

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
    try {
        QString text = eingabe.trimmed();
        text.remove(Tausender);
        bool negativ = false;
        QString ziffern;
        for (const QChar c : text) {
            if (c == QLatin1Char('-'))
                negativ = true;
            else if (c.isDigit() && c.unicode() < 128)
                ziffern.append(c);
            else
                break;
        }
        if (ziffern.isEmpty() || ziffern.size() > 9)
            return 0;
        const long wert = ziffern.toLong();
        if (wert == 0)
            return 0;
        return negativ ? -wert : wert;
    } catch (...) {
        const QString t = QStringLiteral("Fehler 0 () in Prozedur TextInLong im Modul DatenTypen. Der Fehler wurde "
                                         "protokolliert. Bitte informieren Sie den Programmierer.");
        Stoerung s;
        s.protokoll = t;
        s.meldung = t;
        StoerungMelden(s);
        return 0;
    }
}

double TextInDouble(const QString& eingabe)
{
    QString text = eingabe.trimmed();
    if (text.isEmpty() || text == QStringLiteral(","))
        return 0;
    if (text.compare(QStringLiteral("false"), Qt::CaseInsensitive) == 0)
        return 0;
    if (text.compare(QStringLiteral("true"), Qt::CaseInsensitive) == 0)
        return -1;
    if (text.startsWith(Dezimal))
        text.prepend(QLatin1Char('0'));

    // Build a plain number text: sign first, digits, the first other
    // character as decimal point, every later non-digit dropped.
    QString zahl;
    bool trennerGesehen = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (i == 0 && c == QLatin1Char('-'))
            zahl.append(c);
        else if (c.isDigit() && c.unicode() < 128)
            zahl.append(c);
        else if (!trennerGesehen) {
            trennerGesehen = true;
            zahl.append(QLatin1Char('.'));
        }
    }
    if (zahl.isEmpty() || zahl == QStringLiteral("-") || zahl == QStringLiteral("."))
        return 0;
    if (zahl.endsWith(QLatin1Char('.')))
        zahl.chop(1);
    if (zahl.startsWith(QStringLiteral("-.")))
        zahl.insert(1, QLatin1Char('0'));
    bool ok = false;
    const double wert = QLocale::c().toDouble(zahl, &ok);
    return ok ? wert : 0;
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
