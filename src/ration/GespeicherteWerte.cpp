#include "ration/GespeicherteWerte.h"

#include "database/DatenbankRoutinen.h"

#include <QSqlRecord>
#include <cmath>

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

} // namespace

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

QString GespeicherterWertPruefen(const QString& futterName, const QString& spalte, const QVariant& wert)
{
    const auto s = std::find_if(
        std::begin(Spalten), std::end(Spalten), [&spalte](const Spalte& x) { return spalte == QLatin1String(x.name); });
    if (s == std::end(Spalten) || wert.isNull())
        return QString();
    QString gespeichert;
    if (!IstZahl(wert))
        gespeichert = Zitat(wert.toString()) + QStringLiteral(" ist keine Zahl");
    else if (const double d = wert.toDouble(); !std::isfinite(d) || d < s->minimum || d > s->maximum)
        gespeichert = Zahl(d);
    else
        return QString();
    const QString einheit = QString::fromUtf8(s->einheit);
    return QStringLiteral("Beim Futtermittel \"%1\" ist %2 ungültig gespeichert (%3). Erlaubt sind %4 bis %5%6. %7")
        .arg(futterName.trimmed(), QString::fromUtf8(s->was), gespeichert, Zahl(s->minimum), Zahl(s->maximum),
            einheit.isEmpty() ? QString() : QLatin1Char(' ') + einheit, s->ration ? RationAbhilfe : FutterAbhilfe);
}

GespeicherteRation GespeicherteRationPruefen(Verbindung& verbindung)
{
    GespeicherteRation r;
    // Ration's own columns keep their names, so that a checked row is read
    // as RationZeilenLesen reads it.
    QString sql = QStringLiteral("SELECT r.ID AS ID, r.FutterID AS FutterID, r.FutterFrischMenge AS FutterFrischMenge, "
                                 "r.ProzentAnteil AS ProzentAnteil, r.FixeMenge AS FixeMenge, f.Bezeichnung AS "
                                 "Futtername, a.Bezeichnung AS Artname");
    for (const QString& s : GepruefteFutterSpalten())
        sql += QStringLiteral(", f.") + SqlName(s) + QStringLiteral(" AS ") + SqlName(s);
    sql += QStringLiteral(" FROM Ration r LEFT JOIN Futtermittel f ON f.ID = r.FutterID LEFT JOIN FutterArten a ON "
                          "a.ID = f.FutterArt ORDER BY r.FutterID");
    QSqlQuery q;
    if (!AbfrageOeffnen(verbindung, q, sql))
        return r;
    while (q.next()) {
        const QSqlRecord satz = q.record();
        const QString name = satz.value(QStringLiteral("Futtername")).toString();
        // A row whose feed is gone is named by its number.
        const QString genannt = name.trimmed().isEmpty()
            ? QStringLiteral("Nr. ") + satz.value(QStringLiteral("FutterID")).toString()
            : name;
        QString meldung;
        for (int i = 0; i < satz.count() && meldung.isEmpty(); ++i)
            meldung = GespeicherterWertPruefen(genannt, satz.fieldName(i), satz.value(i));
        if (meldung.isEmpty()) {
            r.zeilen.append(RationZeileAus(satz));
        } else {
            // Listed with what can be read of it; nothing is calculated from it.
            RationZeile z;
            z.id = satz.value(QStringLiteral("ID")).toLongLong();
            z.futterID = satz.value(QStringLiteral("FutterID")).toLongLong();
            z.frischMenge = IstZahl(satz.value(2)) ? satz.value(2).toDouble() : 0;
            z.prozentAnteil = IstZahl(satz.value(3)) ? satz.value(3).toDouble() : 0;
            r.zeilen.append(z);
            if (r.fehlerZeile < 0) {
                r.fehlerZeile = r.zeilen.size() - 1;
                r.meldung = meldung;
            }
        }
        r.futterNamen.append(name);
        r.artNamen.append(satz.value(QStringLiteral("Artname")).toString());
    }
    if (q.lastError().isValid()) {
        verbindung.FehlerMerken(q.lastError(), sql);
        return r;
    }
    r.gelesen = true;
    return r;
}

} // namespace kelvora
