#include "herde/Herde.h"

#include "database/DatenbankRoutinen.h"
#include "feeds/FutterListeDaten.h"
#include "feeds/FutterbezogeneRoutinen.h"
#include "frame/Oberflaeche.h"
#include "grundlagen/Formate.h"
#include "herde/RationenBewerten.h"
#include "ration/Futterkosten.h"

#include <QHash>
#include <algorithm>

namespace kelvora {

namespace {

double Zahl(const QVariant& v)
{
    return v.isValid() ? v.toDouble() : 0.0;
}

QString FutterName(const FutterWertFunktion& wert, long futterID)
{
    const QString name = wert(futterID, FutterCode::Bezeichnung).toString().trimmed();
    return name.isEmpty() ? QStringLiteral("Nr. %1").arg(futterID) : name;
}

// Adds b to the sum a; a sum with an incomplete or missing part is
// incomplete.
void Dazu(Betrag& summe, const Betrag& b)
{
    if (!b.wert) {
        summe.wert.reset();
        summe.unvollstaendig = true;
        return;
    }
    if (!summe.unvollstaendig)
        summe.wert = summe.wert.value_or(0) + *b.wert;
}

template <class T> void NachName(QList<T>& liste, long T::*schluessel)
{
    std::stable_sort(liste.begin(), liste.end(), [schluessel](const T& a, const T& b) {
        const int c = BezeichnungVergleichen(a.name, b.name);
        return c != 0 ? c < 0 : a.*schluessel < b.*schluessel;
    });
}

} // namespace

QString Zahl2(double wert)
{
    return Formatieren(wert, QStringLiteral("#,##0.00"));
}

QString BetragText(const Betrag& betrag)
{
    if (betrag.unvollstaendig)
        return QStringLiteral("unvollständig");
    return betrag.wert ? Zahl2(*betrag.wert) : QString();
}

Herde HerdeAus(const QList<BenannteRation>& rationen, const FutterWertFunktion& wert)
{
    Herde h;
    QHash<long, qsizetype> futterPlatz;
    QList<long> ohnePreis;
    // An empty sum is complete: 0 €.
    h.kosten.wert = 0;
    h.einkommen.wert = 0;
    h.futterEuro.wert = 0;
    for (const BenannteRation& r : rationen) {
        if (r.tiere <= 0)
            continue;
        const double tiere = static_cast<double>(r.tiere);
        const QList<RationZeile> zeilen = r.Zeilen();
        const Futterkosten kosten = FutterkostenBerechnen(zeilen, wert);

        HerdenGruppe g;
        g.name = r.name;
        g.tiere = r.tiere;
        for (const RationZeile& z : zeilen) {
            g.kgFM += tiere * z.frischMenge;
            if (z.fixeMenge == 0 && z.frischMenge == 0)
                h.nichtAusgeglichen.append({ r.name, FutterName(wert, z.futterID) });

            auto platz = futterPlatz.constFind(z.futterID);
            if (platz == futterPlatz.constEnd()) {
                platz = futterPlatz.insert(z.futterID, h.futter.size());
                HerdenFutter f;
                f.futterID = z.futterID;
                f.name = FutterName(wert, z.futterID);
                const double preis = Zahl(wert(z.futterID, FutterCode::PreisJeKgFM));
                // Preis 0 is what a feed stored without price holds.
                if (preis > 0)
                    f.euro = 0;
                h.futter.append(f);
            }
            HerdenFutter& f = h.futter[*platz];
            const double kg = tiere * z.frischMenge;
            f.kgFM += kg;
            f.kgTM += kg * Zahl(wert(z.futterID, FutterCode::TM_g)) / 1000;
            if (f.euro)
                *f.euro += kg * Zahl(wert(z.futterID, FutterCode::PreisJeKgFM));
        }
        if (kosten.Vollstaendig()) {
            g.kosten.wert = kosten.jeTag * tiere;
            if (r.milchpreis)
                g.einkommen.wert = (r.milch * *r.milchpreis - kosten.jeTag) * tiere;
        } else {
            g.kosten.unvollstaendig = g.einkommen.unvollstaendig = true;
        }
        h.tiere += r.tiere;
        h.kgFM += g.kgFM;
        Dazu(h.kosten, g.kosten);
        Dazu(h.einkommen, g.einkommen);
        h.gruppen.append(g);
    }
    for (const HerdenFutter& f : std::as_const(h.futter)) {
        h.futterKgFM += f.kgFM;
        h.futterKgTM += f.kgTM;
        // A feed without price that nobody eats costs nothing.
        if (f.euro || f.kgFM > 0)
            Dazu(h.futterEuro, Betrag { f.euro, false });
    }
    NachName(h.futter, &HerdenFutter::futterID);
    std::stable_sort(h.gruppen.begin(), h.gruppen.end(),
        [](const HerdenGruppe& a, const HerdenGruppe& b) { return BezeichnungVergleichen(a.name, b.name) < 0; });
    return h;
}

bool HerdeBerechnen(const QString& pfad, Herde& herde, bool* abgelehnt)
{
    if (abgelehnt)
        *abgelehnt = false;
    Verbindung v;
    if (!RationenDatenbankOeffnen(v, pfad))
        return false;
    QString ablehnung;
    const bool gelesen = Lesend(v, [&] {
        QList<BenannteRation> rationen;
        if (!RationenLesen(v, rationen, true))
            return false;
        for (const BenannteRation& r : std::as_const(rationen)) {
            ablehnung = GespeicherteRationFehler(r);
            if (!ablehnung.isEmpty())
                return true;
        }
        FutterWerteLeser leser(v);
        leser.Vorlesen(FutterNummern(rationen));
        herde = HerdeAus(rationen, leser.Funktion());
        return true;
    });
    if (!gelesen) {
        DatenbankFehlerMelden(v, QStringLiteral("Die gespeicherten Rationen können nicht gelesen werden."));
        return false;
    }
    if (!ablehnung.isEmpty()) {
        if (abgelehnt)
            *abgelehnt = true;
        MsgBox(ablehnung, Knoepfe::OK, Symbol::Ausrufezeichen);
        return false;
    }
    if (v.Beschaedigt()) {
        DatenbankFehlerMelden(v, QStringLiteral("Die Futtermittel der Herde können nicht gelesen werden."));
        return false;
    }
    return true;
}

QString NichtAusgeglichenText(const Herde& herde)
{
    QStringList teile;
    for (const NichtAusgeglichen& n : herde.nichtAusgeglichen)
        teile << Genannt(n.futter) + QStringLiteral(" in ") + Genannt(n.ration);
    if (teile.isEmpty())
        return QString();
    return QStringLiteral("nicht ausgeglichen (0 kg, zählt mit 0 kg): ") + teile.join(QStringLiteral(", "));
}

DruckListe HerdenGruppenListe(const Herde& h)
{
    const auto rechts = DruckAusrichtung::Rechts;
    DruckListe l;
    l.spalten
        = { { QStringLiteral("Gruppe"), DruckAusrichtung::Links, 0.32 }, { QStringLiteral("Tiere"), rechts, 0.10 },
              { QStringLiteral("kg FM/Tag"), rechts, 0.16 }, { QStringLiteral("Futterkosten €/Tag"), rechts, 0.20 },
              { QStringLiteral("Einkommen über Futterkosten €/Tag"), rechts, 0.22 } };
    for (const HerdenGruppe& g : h.gruppen)
        l.zeilen.append(
            { g.name, QString::number(g.tiere), Zahl2(g.kgFM), BetragText(g.kosten), BetragText(g.einkommen) });
    l.zeilen.append({ QStringLiteral("Herde"), QString::number(h.tiere), Zahl2(h.kgFM), BetragText(h.kosten),
        BetragText(h.einkommen) });
    return l;
}

DruckListe HerdenFutterListe(const Herde& h)
{
    const auto rechts = DruckAusrichtung::Rechts;
    DruckListe l;
    // The money columns hold "unvollständig", the longest of their texts.
    l.spalten = { { QStringLiteral("Futtermittel"), DruckAusrichtung::Links, 0.28 },
        { QStringLiteral("kg FM/Tag"), rechts, 0.11 }, { QStringLiteral("kg TM/Tag"), rechts, 0.11 },
        { QStringLiteral("€/Tag"), rechts, 0.14 }, { QStringLiteral("kg FM/30 Tage"), rechts, 0.11 },
        { QStringLiteral("kg TM/30 Tage"), rechts, 0.11 }, { QStringLiteral("€/30 Tage"), rechts, 0.14 } };
    auto betrag30 = [](const Betrag& b) {
        return BetragText(Betrag { b.wert ? std::optional<double>(*b.wert * 30) : std::nullopt, b.unvollstaendig });
    };
    for (const HerdenFutter& f : h.futter) {
        const Betrag euro { f.euro, false };
        l.zeilen.append({ f.name, Zahl2(f.kgFM), Zahl2(f.kgTM), BetragText(euro), Zahl2(f.kgFM * 30),
            Zahl2(f.kgTM * 30), betrag30(euro) });
    }
    l.zeilen.append({ QStringLiteral("Summe"), Zahl2(h.futterKgFM), Zahl2(h.futterKgTM), BetragText(h.futterEuro),
        Zahl2(h.futterKgFM * 30), Zahl2(h.futterKgTM * 30), betrag30(h.futterEuro) });
    return l;
}

} // namespace kelvora
