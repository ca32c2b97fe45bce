#include "ration/GespeicherteWerte.h"

#include "database/DatenbankRoutinen.h"
#include "database/SchnelleAbfrage.h"
#include "grundlagen/NullFilter.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <optional>

namespace kelvora {

namespace {

const QString RationAbhilfe
    = QStringLiteral("Bitte ziehen Sie das Futtermittel erneut in die Ration und geben Sie die Menge neu ein.");
const QString FutterAbhilfe = QStringLiteral("Bitte korrigieren Sie das Futtermittel in \"Futtermittel bearbeiten\".");

// What a stored column may hold. The ranges are those of sensible data, a
// little wider than the feed editor's, so that nothing the editor stores is
// ever refused here.
struct Spalte {
    const char* name;
    const char* was; // "die Trockenmasse (TM_g)"
    double minimum;
    double maximum;
    const char* einheit;
    bool ration; // a column of table Ration
};

const Spalte Spalten[] = {
    { "FutterID", "die Nummer des Futtermittels (FutterID)", 0, 2147483647, "", true },
    { "FutterFrischMenge", "die Menge", 0, 500, "kg Frischmasse", true },
    { "ProzentAnteil", "der Anteil", 0, 100, "%", true },
    // 1 fixed, 0 free, -1 the "true" of older files.
    { "FixeMenge", "die Angabe \"feste Menge\" (FixeMenge)", -1, 1, "", true },
    // 1 to 5 forage, everything else concentrate.
    { "FutterArt", "die Futterart (FutterArt)", 0, 2147483647, "", false },
    { "TM_g", "die Trockenmasse (TM_g)", 0, 1000, "g je kg Frischmasse", false },
    { "XP_gTM", "das Rohprotein (XP_gTM)", 0, 1000, "g je kg Trockenmasse", false },
    { "UDP_gTM", "das UDP (UDP_gTM)", 0, 1000, "g je kg Trockenmasse", false },
    { "NEL_MJTM", "die Energie NEL (NEL_MJTM)", 0, 30, "MJ je kg Trockenmasse", false },
    // NEL is completed from ME (× 0,6) when only ME is known.
    { "ME_MJTM", "die Energie ME (ME_MJTM)", 0, 50, "MJ je kg Trockenmasse", false },
    { "NDF_gTM", "das NDF (NDF_gTM)", 0, 1000, "g je kg Trockenmasse", false },
    { "ADF_gTM", "das ADF (ADF_gTM)", 0, 1000, "g je kg Trockenmasse", false },
    { "NFC_gTM", "die NFC (NFC_gTM)", 0, 1000, "g je kg Trockenmasse", false },
    { "Ca_gTM", "das Calzium (Ca_gTM)", 0, 1000, "g je kg Trockenmasse", false },
    { "P_gTM", "der Phosphor (P_gTM)", 0, 1000, "g je kg Trockenmasse", false },
    { "Preis", "der Preis", 0, 10000, "€ je dt Frischmasse", false },
};

QString Zahl(double wert)
{
    if (!std::isfinite(wert))
        return QStringLiteral("unendlich");
    return QString::number(wert, 'g', 6).replace(QLatin1Char('.'), QLatin1Char(','));
}

// A stored text as the message quotes it: short, and without control
// characters that would break a line of the command's output.
QString Zitat(const QString& text)
{
    QString t = text.left(30);
    for (QChar& c : t) {
        if (c.category() == QChar::Other_Control || c.category() == QChar::Other_Format)
            c = QLatin1Char('?');
    }
    return QLatin1Char('"') + t + (text.size() > 30 ? QStringLiteral("…\"") : QStringLiteral("\""));
}

bool IstZahl(const QVariant& wert)
{
    switch (wert.metaType().id()) {
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        return true;
    default:
        return false;
    }
}

// SQLite's order of values: NULL, then numbers by value, then texts, then
// the rest.
bool SortierVor(const QVariant& a, const QVariant& b)
{
    auto klasse = [](const QVariant& v) {
        if (v.isNull())
            return 0;
        if (IstZahl(v))
            return 1;
        return v.metaType().id() == QMetaType::QString ? 2 : 3;
    };
    const int ka = klasse(a);
    const int kb = klasse(b);
    if (ka != kb)
        return ka < kb;
    if (ka == 1) {
        if (a.metaType().id() == QMetaType::LongLong && b.metaType().id() == QMetaType::LongLong)
            return a.toLongLong() < b.toLongLong();
        return a.toDouble() < b.toDouble();
    }
    if (ka == 2)
        return a.toString().toUtf8() < b.toString().toUtf8();
    return a.toByteArray() < b.toByteArray();
}

QString WertPruefen(const Spalte& s, const QString& futterName, const QVariant& wert)
{
    // Almost every stored value is a number inside its range.
    if (const std::optional<double> d = EinfacheZahl(wert); d && std::isfinite(*d) && *d >= s.minimum && *d <= s.maximum)
        return QString();
    if (wert.isNull())
        return QString();
    QString gespeichert;
    if (!IstZahl(wert))
        gespeichert = Zitat(wert.toString()) + QStringLiteral(" ist keine Zahl");
    else if (const double d = wert.toDouble(); !std::isfinite(d) || d < s.minimum || d > s.maximum)
        gespeichert = Zahl(d);
    else
        return QString();
    const QString einheit = QString::fromUtf8(s.einheit);
    return QStringLiteral("Beim Futtermittel \"%1\" ist %2 ungültig gespeichert (%3). Erlaubt sind %4 bis %5%6. %7")
        .arg(futterName.trimmed(), QString::fromUtf8(s.was), gespeichert, Zahl(s.minimum), Zahl(s.maximum),
            einheit.isEmpty() ? QString() : QLatin1Char(' ') + einheit, s.ration ? RationAbhilfe : FutterAbhilfe);
}

// The columns of Futtermittel the evaluation, the balancings and the
// least-cost ration use, in the order they are checked.
const QStringList& GepruefteFutterSpalten()
{
    static const QStringList namen = [] {
        QStringList n;
        for (const Spalte& s : Spalten) {
            if (!s.ration)
                n << QString::fromLatin1(s.name);
        }
        return n;
    }();
    return namen;
}

constexpr int ErsteFutterSpalte = 8;

// The query of the check with the caller's columns, made once per set of
// columns.
struct Pruefabfrage {
    QStringList futterSpalten;
    QString sql;
    QList<int> mitIndex; // where each of the caller's columns sits in the row
    int feldAnzahl = 0;
    QList<std::pair<int, const Spalte*>> pruefungen; // the checks by field

    explicit Pruefabfrage(const QStringList& spalten)
        : futterSpalten(spalten)
    {
        // Fields 0 to 4 are Ration's own columns in the order RationZeileAus
        // takes them, 5 and 6 the names, 7 tells whether the feed exists;
        // then the checked columns of Futtermittel, then the caller's others.
        sql = QStringLiteral("SELECT r.ID, r.FutterID, r.FutterFrischMenge, r.ProzentAnteil, r.FixeMenge, "
                             "f.Bezeichnung, a.Bezeichnung, f.ID");
        QStringList gelesen = GepruefteFutterSpalten();
        for (const QString& s : futterSpalten) {
            qsizetype i = gelesen.indexOf(s);
            if (i < 0) {
                i = gelesen.size();
                gelesen << s;
            }
            mitIndex << ErsteFutterSpalte + static_cast<int>(i);
        }
        for (const QString& s : std::as_const(gelesen))
            sql += QStringLiteral(", f.") + SqlName(s);
        sql += QStringLiteral(" FROM Ration r LEFT JOIN Futtermittel f ON f.ID = r.FutterID LEFT JOIN FutterArten a ON "
                              "a.ID = f.FutterArt");
        feldAnzahl = ErsteFutterSpalte + static_cast<int>(gelesen.size());
        int futterFeld = ErsteFutterSpalte;
        for (const Spalte& s : Spalten)
            pruefungen.append({ s.ration ? 1 + static_cast<int>(pruefungen.size()) : futterFeld++, &s });
    }
};

} // namespace

GespeicherteRation GespeicherteRationPruefen(Verbindung& verbindung, const QStringList& futterSpalten)
{
    GespeicherteRation r;
    thread_local std::optional<Pruefabfrage> gemerkt;
    if (!gemerkt || gemerkt->futterSpalten != futterSpalten)
        gemerkt.emplace(futterSpalten);
    const Pruefabfrage& p = *gemerkt;
    const QString& sql = p.sql;
    const QList<int>& mitIndex = p.mitIndex;
    const auto& pruefungen = p.pruefungen;
    const int feldAnzahl = p.feldAnzahl;

    // Read on every change of the ration: straight through SQLite.
    SchnelleAbfrage q(verbindung, sql);
    if (!q.Bereit())
        return r;
    QList<QList<QVariant>> zeilen;
    while (q.Naechste()) {
        QList<QVariant> zeile(feldAnzahl);
        for (int i = 0; i < feldAnzahl; ++i)
            zeile[i] = q.Wert(i);
        zeilen.append(zeile);
    }
    if (q.Fehlgeschlagen())
        return r;
    // In the order of the feed numbers, as RationZeilenLesen reads them; sorted
    // here, since SQLite would sort every field of the rows.
    QList<qsizetype> reihe(zeilen.size());
    std::iota(reihe.begin(), reihe.end(), 0);
    std::stable_sort(reihe.begin(), reihe.end(),
        [&zeilen](qsizetype a, qsizetype b) { return SortierVor(zeilen[a][1], zeilen[b][1]); });
    for (const qsizetype nummer : std::as_const(reihe)) {
        const QList<QVariant>& zeile = zeilen.at(nummer);
        const std::array<QVariant, 5> rationsFelder { zeile[0], zeile[1], zeile[2], zeile[3], zeile[4] };
        const QString name = zeile[5].toString();
        // A row whose feed is gone is named by its number.
        const QString genannt = name.trimmed().isEmpty() ? QStringLiteral("Nr. ") + rationsFelder[1].toString() : name;
        QString meldung;
        for (const auto& [feld, spalte] : pruefungen) {
            meldung = WertPruefen(*spalte, genannt, zeile.at(feld));
            if (!meldung.isEmpty())
                break;
        }
        if (meldung.isEmpty()) {
            r.zeilen.append(RationZeileAus(rationsFelder));
            if (!mitIndex.isEmpty() && !zeile.at(7).isNull()) {
                QVariantList felder;
                felder.reserve(mitIndex.size());
                for (int i : std::as_const(mitIndex))
                    felder << zeile.at(i);
                r.futterZeilen.insert(r.zeilen.constLast().futterID, felder);
            }
        } else {
            // Listed with what can be read of it; nothing is calculated from it.
            RationZeile z;
            z.id = rationsFelder[0].toLongLong();
            z.futterID = rationsFelder[1].toLongLong();
            z.frischMenge = IstZahl(rationsFelder[2]) ? rationsFelder[2].toDouble() : 0;
            z.prozentAnteil = IstZahl(rationsFelder[3]) ? rationsFelder[3].toDouble() : 0;
            r.zeilen.append(z);
            if (r.fehlerZeile < 0) {
                r.fehlerZeile = r.zeilen.size() - 1;
                r.meldung = meldung;
            }
        }
        r.futterNamen.append(name);
        r.artNamen.append(zeile.at(6).toString());
    }
    r.gelesen = true;
    return r;
}

} // namespace kelvora
