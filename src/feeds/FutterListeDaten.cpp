#include "feeds/FutterListeDaten.h"

#include "database/DatenbankRoutinen.h"
#include "grundlagen/NullFilter.h"
#include "frame/Programm.h"

#include <QCollator>
#include <QLocale>
#include <algorithm>
#include <vector>

namespace kelvora {

namespace {

QCollator& DeutscheSortierung()
{
    static QCollator c = [] {
        QCollator k(QLocale(QLocale::German, QLocale::Germany));
        k.setCaseSensitivity(Qt::CaseInsensitive);
        k.setNumericMode(true);
        return k;
    }();
    return c;
}

} // namespace

bool FutterPasstZurSuche(const QString& bezeichnung, const QString& suchtext)
{
    const QString s = suchtext.trimmed();
    return s.isEmpty() || bezeichnung.toLower().contains(s.toLower());
}

bool FutterIstVollstaendig(int gruppe, double adf, double ndf, double nfc, double udp)
{
    return gruppe == GruppeMineralfutter || (adf > 0 && ndf > 0 && nfc > 0 && udp > 0);
}

int BezeichnungVergleichen(const QString& a, const QString& b)
{
    return DeutscheSortierung().compare(a, b);
}

bool FutterListeLesen(const FutterListenFilter& filter, QList<FutterListenZeile>& zeilen, int* ausgeblendet)
{
    zeilen.clear();
    if (ausgeblendet)
        *ausgeblendet = 0;
    // The list is usually the first window to need the feed database: asking
    // for its path runs the start-up checks (restore from a newer copy, or the
    // message that it is missing) before the list shows up empty.
    Verbindung verbindung;
    if (!DatenbankOeffnen(verbindung, PfadHolen(QStringLiteral("Futter"))))
        return false;

    QString sql = QStringLiteral(
        "SELECT ID, Bezeichnung, verstecken, ADF_gTM, NDF_gTM, NFC_gTM, UDP_gTM, FutterArtIOFC, Preis, nXP_gTM, "
        "RNB_gTM FROM Futtermittel");
    QVariantList werte;
    if (filter.gruppe != 0) {
        sql += QStringLiteral(" WHERE FutterArtIOFC = ?");
        werte << filter.gruppe;
    }
    sql += QStringLiteral(" ORDER BY Bezeichnung");

    QSqlQuery abfrage;
    if (!AbfrageOeffnen(verbindung, abfrage, sql, werte))
        return false;

    // The search text is prepared once, not per row.
    const QString suche = filter.suchtext.trimmed().toLower();
    struct Treffer {
        FutterListenZeile zeile;
        QCollatorSortKey schluessel;
    };
    std::vector<Treffer> treffer;
    while (abfrage.next()) {
        const QString name = NullFilter(abfrage.value(1), "String").toString();
        if (!suche.isEmpty() && !name.toLower().contains(suche))
            continue;
        const int gruppe = NullFilter(abfrage.value(7), "Integer").toInt();
        if (filter.nurVollstaendige
            && !FutterIstVollstaendig(gruppe, NullFilter(abfrage.value(3), "Double").toDouble(),
                NullFilter(abfrage.value(4), "Double").toDouble(), NullFilter(abfrage.value(5), "Double").toDouble(),
                NullFilter(abfrage.value(6), "Double").toDouble())) {
            if (ausgeblendet)
                ++*ausgeblendet;
            continue;
        }
        FutterListenZeile z;
        z.id = static_cast<long>(NullFilter(abfrage.value(0), "Long").toLongLong());
        z.gruppe = gruppe;
        z.bezeichnung = name;
        if (!abfrage.value(8).isNull())
            z.preis = NullFilter(abfrage.value(8), "Currency").toDouble();
        const double nxp = NullFilter(abfrage.value(9), "Double").toDouble();
        if (nxp != 0)
            z.nxp = nxp;
        // An RNB of 0 is a balance only beside an nXP; alone it was not entered.
        if (const double rnb = NullFilter(abfrage.value(10), "Double").toDouble(); rnb != 0 || z.nxp)
            z.rnb = rnb;
        treffer.push_back({ z, DeutscheSortierung().sortKey(name) });
    }
    // SQLite orders by code points (lower case and umlauts last); the list
    // follows the German order, and equal names keep the order of the query.
    std::stable_sort(treffer.begin(), treffer.end(),
        [](const Treffer& a, const Treffer& b) { return a.schluessel.compare(b.schluessel) < 0; });
    zeilen.reserve(static_cast<qsizetype>(treffer.size()));
    for (Treffer& t : treffer)
        zeilen.append(std::move(t.zeile));
    return true;
}

} // namespace kelvora
