#include "grundlagen/NullFilter.h"

#include "grundlagen/DatenTypen.h"
#include "grundlagen/Formate.h"
#include "grundlagen/Stoerung.h"

#include <QDateTime>
#include <QLocale>
#include <cfloat>
#include <cmath>

namespace kelvora {

namespace {

// A conversion that fails the way the program's number types fail.
struct Umwandlungsfehler {
    long nummer;
    const char* beschreibung;
};

constexpr Umwandlungsfehler Unvertraeglich { 13, "Typen unverträglich" };
constexpr Umwandlungsfehler Ueberlauf { 6, "Überlauf" };

enum class Typ { Integer, Long, Double, Single, Currency, Date, String, StringPlus, Boolean, Unbekannt };

Typ TypLesen(QAnyStringView typ)
{
    // Called for every field read: the length picks the candidates first.
    switch (typ.size()) {
    case 4:
        if (typ == u"Long")
            return Typ::Long;
        if (typ == u"Date")
            return Typ::Date;
        if (typ == u"Text")
            return Typ::String;
        break;
    case 6:
        if (typ == u"Double")
            return Typ::Double;
        if (typ == u"Single")
            return Typ::Single;
        if (typ == u"String")
            return Typ::String;
        break;
    case 7:
        if (typ == u"Integer")
            return Typ::Integer;
        if (typ == u"String+")
            return Typ::StringPlus;
        if (typ == u"Boolean")
            return Typ::Boolean;
        break;
    case 8:
        if (typ == u"Currency")
            return Typ::Currency;
        break;
    default:
        break;
    }
    return Typ::Unbekannt;
}

bool IstText(const QVariant& w)
{
    const int id = w.metaType().id();
    return id == QMetaType::QString || id == QMetaType::QByteArray || id == QMetaType::QChar;
}

QString Text(const QVariant& w)
{
    if (w.metaType().id() == QMetaType::QByteArray)
        return QString::fromUtf8(w.toByteArray());
    return w.toString();
}

double ZahlAusText(const QString& roh)
{
    const QString text = roh.trimmed();
    bool ok = false;
    double d = QLocale::c().toDouble(text, &ok);
    if (!ok)
        d = QLocale(QLocale::German, QLocale::Germany).toDouble(text, &ok);
    if (!ok || !std::isfinite(d))
        throw Unvertraeglich;
    return d;
}

// The database's own kinds of numbers, read many thousand times a list.
std::optional<double> ZahlDirekt(const QVariant& w)
{
    switch (w.metaType().id()) {
    case QMetaType::Double:
        return *static_cast<const double*>(w.constData());
    case QMetaType::LongLong:
        return static_cast<double>(*static_cast<const qlonglong*>(w.constData()));
    case QMetaType::Int:
        return *static_cast<const int*>(w.constData());
    default:
        return std::nullopt;
    }
}

double Zahl(const QVariant& w)
{
    if (const std::optional<double> d = ZahlDirekt(w))
        return *d;
    switch (w.metaType().id()) {
    case QMetaType::Bool:
        return w.toBool() ? -1.0 : 0.0; // True is -1 in the program's numbers
    case QMetaType::QDateTime:
        return SerialAusDatumZeit(w.toDateTime());
    case QMetaType::QDate:
        return SerialAusDatum(w.toDate());
    case QMetaType::QString:
    case QMetaType::QByteArray:
    case QMetaType::QChar:
        return ZahlAusText(Text(w));
    default:
        break;
    }
    bool ok = false;
    const double d = w.toDouble(&ok);
    if (!ok)
        throw Unvertraeglich;
    return d;
}

QDateTime Datum(const QVariant& w)
{
    switch (w.metaType().id()) {
    case QMetaType::QDateTime:
        return w.toDateTime();
    case QMetaType::QDate:
        return QDateTime(w.toDate(), QTime(0, 0));
    case QMetaType::QString:
    case QMetaType::QByteArray: {
        const QString text = Text(w).trimmed();
        for (const auto* format : { "yyyy-MM-ddTHH:mm:ss", "yyyy-MM-dd HH:mm:ss", "yyyy-MM-ddTHH:mm:ss.zzz",
                 "yyyy-MM-dd HH:mm:ss.zzz", "yyyy-MM-dd" }) {
            const QDateTime d = QDateTime::fromString(text, QLatin1String(format));
            if (d.isValid())
                return d;
        }
        const QDateTime d = TextInDatum(text);
        if (d.date() == QDate(1899, 12, 30) && !text.startsWith(QLatin1String("30.12.1899")))
            throw Unvertraeglich;
        return d;
    }
    default:
        return DatumZeitAusSerial(Zahl(w));
    }
}

QString AlsText(const QVariant& w)
{
    switch (w.metaType().id()) {
    case QMetaType::Double:
    case QMetaType::Float:
        return DezimalText(w.toDouble());
    case QMetaType::Bool:
        return w.toBool() ? QStringLiteral("Wahr") : QStringLiteral("Falsch");
    case QMetaType::QDate:
        return w.toDate().toString(QStringLiteral("dd.MM.yyyy"));
    case QMetaType::QDateTime: {
        const QDateTime d = w.toDateTime();
        return d.time() == QTime(0, 0) ? d.toString(QStringLiteral("dd.MM.yyyy"))
                                       : d.toString(QStringLiteral("dd.MM.yyyy hh:mm:ss"));
    }
    default:
        return Text(w);
    }
}

bool Wahrheitswert(const QVariant& w)
{
    if (w.metaType().id() == QMetaType::Bool)
        return w.toBool();
    if (IstText(w)) {
        const QString t = Text(w).trimmed();
        if (t.compare(QLatin1String("Wahr"), Qt::CaseInsensitive) == 0
            || t.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
            return true;
        if (t.compare(QLatin1String("Falsch"), Qt::CaseInsensitive) == 0
            || t.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
            return false;
    }
    return Zahl(w) != 0.0;
}

QVariant Integer(double d)
{
    if (d > 32000) {
        if (!ImLongBereich(d))
            throw Ueberlauf;
        return QVariant::fromValue(static_cast<qint32>(R(d)));
    }
    const long ganz = R(d);
    if (ganz < -32768)
        throw Ueberlauf;
    return QVariant::fromValue(static_cast<qint16>(ganz));
}

QVariant Umwandeln(const QVariant& w, Typ typ)
{
    const bool leer = IstText(w) && Text(w).trimmed().isEmpty();
    switch (typ) {
    case Typ::Integer:
        return leer ? QVariant::fromValue(qint16(0)) : Integer(Zahl(w));
    case Typ::Long: {
        if (leer)
            return QVariant();
        const double d = Zahl(w);
        if (!ImLongBereich(d))
            throw Ueberlauf;
        return QVariant::fromValue(static_cast<qint32>(R(d)));
    }
    case Typ::Double:
        return leer ? 0.0 : Zahl(w);
    case Typ::Single: {
        if (leer)
            return 0.0f;
        const double d = Zahl(w);
        if (std::fabs(d) > FLT_MAX)
            throw Ueberlauf;
        return static_cast<float>(d);
    }
    case Typ::Currency: {
        if (leer)
            return 0.0;
        const double d = Zahl(w);
        if (std::fabs(d) > 922337203685477.5807)
            throw Ueberlauf;
        return RundenGerade(d, 4);
    }
    case Typ::Date:
        return leer ? QDateTime(QDate(1899, 12, 30), QTime(0, 0)) : Datum(w);
    case Typ::String:
        return AlsText(w);
    case Typ::StringPlus: {
        const QString t = AlsText(w);
        return t.isEmpty() ? QStringLiteral(" ") : t;
    }
    case Typ::Boolean:
        return Wahrheitswert(w);
    case Typ::Unbekannt:
        break;
    }
    return QVariant();
}

QVariant NullWert(Typ typ)
{
    switch (typ) {
    case Typ::String:
        return QStringLiteral("");
    case Typ::StringPlus:
        return QStringLiteral(" ");
    case Typ::Boolean:
        return false;
    case Typ::Unbekannt:
        return QVariant();
    default:
        return QVariant::fromValue(qint16(0));
    }
}

void FalscherTyp(QAnyStringView typ, const QString& protokoll = QString())
{
    Stoerung s;
    s.protokoll = protokoll;
    s.meldung = QStringLiteral("Falscher Wert in der Funktion") + QStringLiteral(" NullFilter");
    s.titel = typ.toString();
    s.kritisch = false;
    StoerungMelden(s);
}

} // namespace

namespace {
thread_local const NullFilterStelle* aktuelleStelle = nullptr;
} // namespace

NullFilterStelle::NullFilterStelle(const QString& tabelle, const QString& spalte, qint64 zeile)
    : tabelle(tabelle)
    , spalte(spalte)
    , zeile(zeile)
    , vorher(aktuelleStelle)
{
    aktuelleStelle = this;
}

NullFilterStelle::~NullFilterStelle()
{
    aktuelleStelle = vorher;
}

QString NullFilterStelle::Text()
{
    const NullFilterStelle* s = aktuelleStelle;
    if (!s)
        return QString();
    return QStringLiteral(" (Tabelle ") + s->tabelle + QStringLiteral(", Spalte ") + s->spalte
        + QStringLiteral(", Zeile ") + QString::number(s->zeile) + QLatin1Char(')');
}

std::optional<double> EinfacheZahl(const QVariant& wert)
{
    if (const std::optional<double> d = ZahlDirekt(wert))
        return d;
    if (!wert.isValid() || wert.isNull())
        return 0.0;
    return std::nullopt;
}

QVariant NullFilter(const QVariant& wert, QAnyStringView typ)
{
    const Typ t = TypLesen(typ);
    if (wert.isNull()) {
        if (t == Typ::Unbekannt)
            FalscherTyp(typ);
        return NullWert(t);
    }
    if (t == Typ::Unbekannt) {
        FalscherTyp(typ,
            QStringLiteral("Falscher Wert in der Funktion Nullfilter: ") + typ.toString() + NullFilterStelle::Text());
        return QVariant();
    }
    try {
        return Umwandeln(wert, t);
    } catch (const Umwandlungsfehler& f) {
        const QString beschreibung = QString::fromUtf8(f.beschreibung);
        Stoerung s;
        s.reparaturVormerken = true;
        s.protokoll = QStringLiteral("Fehler ") + QString::number(f.nummer) + QStringLiteral(" (") + beschreibung
            + QStringLiteral(") in Prozedur NullFilter in Modul DatenTypen: ") + AlsText(wert)
            + QStringLiteral(" als ") + typ.toString() + NullFilterStelle::Text();
        s.meldung = QStringLiteral("Fehler") + QLatin1Char(' ') + QString::number(f.nummer) + QStringLiteral(" (")
            + beschreibung + QStringLiteral(") ") + QStringLiteral("in Prozedur") + QStringLiteral(" NullFilter ")
            + QStringLiteral("in Modul") + QStringLiteral(" DatenTypen.") + QStringLiteral("\n\n")
            + QStringLiteral("Das Programm wird jetzt beendet und beim nächsten Neustart eine Reparatur der "
                             "Datenbanken durchgeführt. ")
            + QStringLiteral("Sollte das Problem dann weiterhin bestehen, informieren Sie bitte den "
                             "Programmierer!");
        StoerungMelden(s);
        return QVariant();
    }
}

} // namespace kelvora
