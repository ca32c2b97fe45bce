// The two feed classifications: the fixed five feed groups and the general
// feed types of table FutterArten, and the entries of a feed-type combo box.

#include "feeds/FutterbezogeneRoutinen.h"

#include "database/DatenbankRoutinen.h"
#include "grundlagen/NullFilter.h"
#include "frame/Programm.h"

#include <QFileInfo>
#include <QStringList>

namespace kelvora {

QString FutterGruppenName(int code)
{
    switch (code) {
    case 1:
        return QStringLiteral("Grundfutter");
    case 2:
        return QStringLiteral("Energieträger");
    case 3:
        return QStringLiteral("Eiweißträger");
    case 4:
        return QStringLiteral("Industrielle Nebenprodukte");
    case 5:
        return QStringLiteral("Mineralfutter");
    default:
        return QString();
    }
}

QString AlleFuttermittelText()
{
    return QStringLiteral("Alle Futtermittel");
}

QString FutterArtName(int artID, int welche)
{
    if (welche != 1 && welche != 2)
        return QString();
    const QString pfad = programm().futterDatenbank;
    if (!QFileInfo(pfad).isFile())
        return QString();
    // A short read-only look of its own: callers hold their own connection
    // with a query open on it.
    Verbindung verbindung;
    bool beschaedigt = false;
    if (!DatenbankOeffnenVersuch(verbindung, pfad, true, beschaedigt))
        return QString();
    return FutterArtName(verbindung, artID, welche);
}

QString FutterArtName(Verbindung& verbindung, int artID, int welche)
{
    if (welche != 1 && welche != 2)
        return QString();
    QSqlQuery abfrage;
    if (!AbfrageOeffnen(verbindung, abfrage,
            QStringLiteral("SELECT Bezeichnung, KurzBezeichnung FROM FutterArten WHERE ID = ?"), { artID })
        || !abfrage.next())
        return QString();
    return NullFilter(abfrage.value(welche == 1 ? 0 : 1), "String").toString();
}

QList<FutterArtEintrag> FutterArtenEintraege(bool ohneAlle, bool festeGruppen)
{
    QList<FutterArtEintrag> eintraege;
    if (!ohneAlle)
        eintraege.append({ 0, AlleFuttermittelText() });
    if (festeGruppen) {
        for (int code = 1; code <= FutterGruppenAnzahl; ++code)
            eintraege.append({ code, FutterGruppenName(code) });
        return eintraege;
    }
    Verbindung verbindung;
    if (!DatenbankOeffnen(verbindung, programm().futterDatenbank))
        return eintraege;
    QSqlQuery abfrage;
    if (!AbfrageOeffnen(verbindung, abfrage, QStringLiteral("SELECT ID, Bezeichnung FROM FutterArten ORDER BY ID")))
        return eintraege;
    while (abfrage.next())
        eintraege.append({ static_cast<long>(NullFilter(abfrage.value(0), "Long").toLongLong()),
            NullFilter(abfrage.value(1), "String").toString() });
    return eintraege;
}

int FutterArtenAuswahlIndex(const QStringList& texte, const QString& auswahl)
{
    if (texte.isEmpty() || auswahl.isEmpty())
        return -1;
    // From the last entry upwards; the first entry stays when none matches.
    int i = static_cast<int>(texte.size()) - 1;
    while (i > 0 && texte.at(i) != auswahl)
        --i;
    return i;
}

} // namespace kelvora
