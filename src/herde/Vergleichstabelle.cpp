#include "herde/Vergleichstabelle.h"

#include "grundlagen/Formate.h"
#include "herde/Herde.h"
#include "ration/Kennzahlen.h"
#include "ration/RationMengen.h"
#include "ration/RationTiereingaben.h"

#include <functional>

namespace kelvora {

namespace {

using Zellenwert = std::function<VergleichsZelle(const RationsBewertung&)>;

VergleichsTabellenZeile Abschnitt(const QString& text)
{
    VergleichsTabellenZeile z;
    z.abschnitt = text;
    return z;
}

VergleichsTabellenZeile Zeile(const QList<RationsBewertung>& b, const QString& gruppe, const QString& beschriftung,
    const Zellenwert& wert, const QString& ziel = QString())
{
    VergleichsTabellenZeile z;
    z.gruppe = gruppe;
    z.beschriftung = beschriftung;
    z.ziel = ziel;
    for (const RationsBewertung& r : b)
        z.zellen.append(wert(r));
    return z;
}

VergleichsZelle Text(const QString& text)
{
    return { text, 0, Bewertung::OhnePruefung };
}

// The text of one column of a requirement line of the ration list.
QString Listenwert(const RationsBewertung& r, ZeilenArt art, int spalte)
{
    for (const ListenZeile& l : r.auswertung.zeilen)
        if (l.art == art)
            return l.texte.value(spalte).trimmed();
    return QString();
}

} // namespace

Vergleichstabelle VergleichstabelleBilden(const QList<RationsBewertung>& b)
{
    Vergleichstabelle t;
    QList<RationBericht> berichte;
    for (const RationsBewertung& r : b) {
        t.namen << r.ration.name;
        berichte << RationBerichtErstellen(DruckListe {}, BerichtTier {}, r.auswertung.anzeigen, std::nullopt);
    }
    auto bericht = [&](const RationsBewertung& r) -> const RationBericht& { return berichte[&r - b.constData()]; };

    t.zeilen << Abschnitt(QStringLiteral("Gruppe"));
    t.zeilen << Zeile(b, QString(), QStringLiteral("Tiere"),
        [](const RationsBewertung& r) { return Text(QString::number(r.ration.tiere)); });
    t.zeilen << Zeile(b, QString(), QStringLiteral("Gewicht kg"), [](const RationsBewertung& r) {
        return Text(Gewichtsklassen().value(GewichtsklasseIndex(r.ration.gewicht)).text);
    });
    t.zeilen << Zeile(b, QString(), QStringLiteral("Milch kg"),
        [](const RationsBewertung& r) { return Text(Formatieren(r.ration.milch, MilchMaske())); });
    t.zeilen << Zeile(b, QString(), QStringLiteral("Fett %"),
        [](const RationsBewertung& r) { return Text(Formatieren(r.ration.fett, QStringLiteral("#0.00"))); });
    t.zeilen << Zeile(b, QString(), QStringLiteral("Eiweiß %"),
        [](const RationsBewertung& r) { return Text(Formatieren(r.ration.eiweiss, QStringLiteral("#0.00"))); });
    t.zeilen << Zeile(b, QString(), QStringLiteral("Milchpreis €/kg"),
        [](const RationsBewertung& r) { return Text(BerichtMilchpreis(r.ration.milchpreis)); });

    // The figures of the ration window, then those of the German standard,
    // each with its colour.
    const std::pair<QString, QList<BerichtKennzahl> RationBericht::*> bloecke[] = {
        { QStringLiteral("Kennzahlen"), &RationBericht::kennzahlen },
        { QStringLiteral("Nach GfE (deutscher Maßstab)"), &RationBericht::gfe },
    };
    for (const auto& [titel, liste] : bloecke) {
        t.zeilen << Abschnitt(titel);
        const qsizetype zahl = berichte.isEmpty() ? 0 : (berichte.first().*liste).size();
        for (qsizetype i = 0; i < zahl; ++i) {
            const BerichtKennzahl& k = (berichte.first().*liste)[i];
            t.zeilen << Zeile(
                b, k.gruppe, k.einheit,
                [&](const RationsBewertung& r) {
                    const BerichtKennzahl& eigene = (bericht(r).*liste).value(i);
                    return VergleichsZelle { eigene.wert, eigene.farbe, eigene.bewertung };
                },
                k.ziel);
        }
    }

    t.zeilen << Abschnitt(QStringLiteral("Versorgung"));
    const QString naehrstoffe[] = { QStringLiteral("Rohprotein"), QStringLiteral("NEL") };
    for (qsizetype i = 0; i < 2; ++i)
        t.zeilen << Zeile(b, QString(), naehrstoffe[i], [&](const RationsBewertung& r) {
            const QList<BerichtHinweis>& v = bericht(r).versorgung;
            if (i >= v.size())
                return VergleichsZelle {};
            // "Rohprotein: im Bereich", "Unterversorgung bei Rohprotein": the
            // row's caption names the nutrient already.
            QString text = v[i].text;
            text.remove(naehrstoffe[i] + QStringLiteral(": "));
            text.remove(QStringLiteral(" bei ") + naehrstoffe[i]);
            return VergleichsZelle { text, v[i].farbe, v[i].bewertung };
        });

    using namespace auswertung;
    const std::pair<ZeilenArt, QString> bedarf[] = {
        { ZeilenArt::Bedarf, QStringLiteral("Erhaltungs- und Leistungsbedarf") },
        { ZeilenArt::Differenz, QStringLiteral("Differenz") },
        { ZeilenArt::DifferenzMilch, QStringLiteral("Differenz in Milch kg") },
    };
    const std::pair<int, QString> spalten[] = { { SpRohprotein, QStringLiteral("Rohprotein g") },
        { SpNEL, QStringLiteral("NEL MJ") }, { SpCa, QStringLiteral("Ca g") }, { SpP, QStringLiteral("P g") } };
    for (const auto& [art, titel] : bedarf) {
        t.zeilen << Abschnitt(titel);
        for (const auto& [spalte, beschriftung] : spalten)
            t.zeilen << Zeile(b, QString(), beschriftung,
                [&](const RationsBewertung& r) { return Text(Listenwert(r, art, spalte)); });
    }

    t.zeilen << Abschnitt(QStringLiteral("Futterkosten"));
    for (qsizetype i = 0; i < KostenAnzeigenNamen().size(); ++i)
        t.zeilen << Zeile(b, QString(), KostenBeschriftungen()[i], [&](const RationsBewertung& r) {
            const Anzeige* a = r.auswertung.AnzeigeNach(KostenAnzeigenNamen()[i]);
            return Text(a && a->gesetzt ? a->text : QString());
        });
    t.zeilen << Zeile(b, QString(), QStringLiteral("Einkommen €/Tag der Gruppe"), [](const RationsBewertung& r) {
        Betrag gruppe { r.EinkommenGruppe(), !r.kosten.Vollstaendig() };
        return Text(BetragText(gruppe));
    });
    return t;
}

} // namespace kelvora
