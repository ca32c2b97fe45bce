#include "herde/Ladeliste.h"

#include "feeds/FutterbezogeneRoutinen.h"
#include "frame/FunktionenFuerINI.h"
#include "frame/Oberflaeche.h"
#include "grundlagen/Formate.h"
#include "grundlagen/ZahlText.h"
#include "ration/RationBericht.h"

#include <QSet>
#include <cmath>

namespace kelvora {

namespace {

// Results of sums of rounded amounts keep the step's two decimals at most;
// without this 0,1 + 0,2 would print as 0,30000000000000004 on the way.
double Glatt(double kg)
{
    return std::round(kg * 100) / 100;
}

double Zahl(const QVariant& v)
{
    return v.isValid() ? v.toDouble() : 0.0;
}

QString FarbName(qint64 farbe)
{
    switch (farbe) {
    case Farbe::Gruen:
        return QStringLiteral("grün");
    case Farbe::Hellrot:
        return QStringLiteral("hellrot");
    case Farbe::Magenta:
        return QStringLiteral("magenta");
    default:
        return QStringLiteral("ohne Farbe");
    }
}

// The loads' rows for K loads; the sum of one load in *summe.
QList<LadeZeile> Zeilen(const QList<LadeZeile>& vorlage, double jeTag, long ladungen, double schritt, double* summe)
{
    QList<LadeZeile> zeilen = vorlage;
    double waage = 0;
    for (LadeZeile& z : zeilen) {
        z.genau = z.zeile.frischMenge * jeTag / static_cast<double>(ladungen);
        z.kg = AufSchrittRunden(z.genau, schritt);
        waage = Glatt(waage + z.kg);
        z.waage = waage;
    }
    *summe = waage;
    return zeilen;
}

} // namespace

QString LadelisteAbschnitt()
{
    return QStringLiteral("Ladeliste");
}

QString SchrittSchluessel()
{
    return QStringLiteral("Schritt");
}

const Eingabegrenze& SchrittGrenze()
{
    static const Eingabegrenze g { QStringLiteral("Schritt"), 0.01, 100, QStringLiteral("kg") };
    return g;
}

const Eingabegrenze& LadungenGrenze()
{
    static const Eingabegrenze g { QStringLiteral("Ladungen"), 1, 99, QStringLiteral("Ladungen") };
    return g;
}

const Eingabegrenze& FassungGrenze()
{
    static const Eingabegrenze g { QStringLiteral("Fassung"), 1, 100000, QStringLiteral("kg Frischmasse") };
    return g;
}

const Eingabegrenze& GeladenGrenze()
{
    static const Eingabegrenze g { QStringLiteral("geladen kg"), 0, 100000, QStringLiteral("kg Frischmasse") };
    return g;
}

std::optional<double> SchrittLesen(QString& meldung)
{
    const QString text = INILesen(LadelisteAbschnitt(), SchrittSchluessel()).trimmed();
    if (text.isEmpty())
        return SchrittVorgabe;
    const QString wo = QStringLiteral("KELVORA.INI, Abschnitt [Ladeliste], Schlüssel Schritt: ");
    const GepruefteZahl z = ZahlPruefen(SchrittGrenze(), text);
    if (!z.wert) {
        meldung = wo + z.meldung;
        return std::nullopt;
    }
    // A scale shows whole kg, tenths or hundredths; a finer step is a typo.
    if (std::abs(*z.wert * 100 - std::round(*z.wert * 100)) > 1e-6) {
        meldung = wo + QStringLiteral("Der Schritt der Waage hat höchstens zwei Nachkommastellen, nicht „")
            + text + QStringLiteral("“.");
        return std::nullopt;
    }
    return z.wert;
}

int SchrittStellen(double schritt)
{
    for (int stellen = 0; stellen < 2; ++stellen) {
        const double f = schritt * std::pow(10.0, stellen);
        if (std::abs(f - std::round(f)) < 1e-6)
            return stellen;
    }
    return 2;
}

QString KgText(double kg, double schritt)
{
    static const QString masken[] = { QStringLiteral("#,##0"), QStringLiteral("#,##0.0"), QStringLiteral("#,##0.00") };
    return Formatieren(kg, masken[SchrittStellen(schritt)]);
}

double AufSchrittRunden(double kg, double schritt)
{
    if (!(kg > 0))
        return 0;
    // Half up; the small allowance keeps 2,5 steps that arrive as
    // 2,4999999999 from the multiplications on the upper side.
    const double schritte = std::max(1.0, std::floor(kg / schritt + 0.5 + 1e-9));
    return Glatt(schritte * schritt);
}

QString LadelisteBerechnen(
    const BenannteRation& ration, const LadeAngaben& angaben, const FutterWertFunktion& wert, Ladeliste& liste)
{
    liste = Ladeliste {};
    liste.ration = ration.name;
    liste.tiere = angaben.tiere.value_or(ration.tiere);
    liste.reserve = angaben.reserve.value_or(ration.reserve);
    liste.schritt = angaben.schritt;
    if (liste.tiere <= 0 && angaben.tiere)
        return QStringLiteral("Für 0 Tiere gibt es keine Ladeliste. Bitte geben Sie bei --tiere die Zahl der Kühe "
                              "der Gruppe an.");
    if (liste.tiere <= 0)
        return QStringLiteral("Die Ration ") + Genannt(ration.name)
            + QStringLiteral(" hat keine Tiere. Eine Ladeliste braucht die Zahl der Kühe der Gruppe: Speichern "
                             "Sie sie mit der Ration oder geben Sie sie an.");

    QList<LadeZeile> vorlage;
    int nr = 0;
    for (const InhaltZeile& z : ration.NachReihung()) {
        LadeZeile l;
        l.nr = ++nr;
        l.inhaltID = z.zeile.id;
        l.zeile = z.zeile;
        vorlage.append(l);
    }
    const double jeTag = static_cast<double>(liste.tiere) * (1 + liste.reserve / 100);
    double summe = 0;
    if (angaben.ladungen || !angaben.fassung) {
        liste.ladungen = angaben.ladungen.value_or(1);
        liste.zeilen = Zeilen(vorlage, jeTag, liste.ladungen, liste.schritt, &summe);
    } else {
        // The fewest loads whose rounded amounts stay within the capacity;
        // rounding up and the one step of a small feed may need one more
        // load than the exact total says.
        double genau = 0;
        for (const LadeZeile& z : vorlage)
            genau += z.zeile.frischMenge * jeTag;
        const double fassung = *angaben.fassung;
        long k = std::max(1L, static_cast<long>(std::ceil(genau / fassung - 1e-9)));
        const long hoechstens = static_cast<long>(LadungenGrenze().maximum);
        for (; k <= hoechstens; ++k) {
            liste.zeilen = Zeilen(vorlage, jeTag, k, liste.schritt, &summe);
            if (summe <= fassung + 1e-9)
                break;
        }
        if (k > hoechstens) {
            liste.zeilen.clear();
            return QStringLiteral("Mit einer Fassung von %1 kg bräuchte die Ration %2 mehr als %3 Ladungen. Bitte "
                                  "prüfen Sie die Fassung des Mischwagens.")
                .arg(DezimalText(fassung), Genannt(ration.name))
                .arg(hoechstens);
        }
        liste.ladungen = k;
    }
    liste.kg = summe;
    // Feed values only now: a refused list reads none (reading one may
    // complete and store its energy).
    for (LadeZeile& z : liste.zeilen) {
        z.name = wert(z.zeile.futterID, FutterCode::Bezeichnung).toString();
        if (z.zeile.fixeMenge == 0 && z.zeile.frischMenge == 0)
            liste.nichtAusgeglichen.append(z.name);
        z.kgTM = z.kg * Zahl(wert(z.zeile.futterID, FutterCode::TM_g)) / 1000;
        liste.kgTM += z.kgTM;
    }
    return QString();
}

double JeKuh(double kgJeLadung, const Ladeliste& liste)
{
    return kgJeLadung * static_cast<double>(liste.ladungen)
        / (static_cast<double>(liste.tiere) * (1 + liste.reserve / 100));
}

QList<RationZeile> GeladeneZeilen(const Ladeliste& liste, const QMap<int, double>& geladen)
{
    // The evaluation reads the rows by feed number, as it reads table Ration.
    QList<RationZeile> zeilen;
    for (const LadeZeile& l : liste.zeilen) {
        RationZeile z = l.zeile;
        z.frischMenge = JeKuh(geladen.value(l.nr), liste);
        z.fixeMenge = 1;
        zeilen.append(z);
    }
    std::stable_sort(zeilen.begin(), zeilen.end(), [](const RationZeile& a, const RationZeile& b) {
        return a.futterID != b.futterID ? a.futterID < b.futterID : a.id < b.id;
    });
    return zeilen;
}

NummernPruefung NummernPruefen(qsizetype anzahl, const QList<int>& nummern)
{
    NummernPruefung p;
    const QSet<int> genannt(nummern.cbegin(), nummern.cend());
    for (int nr = 1; nr <= anzahl; ++nr)
        if (!genannt.contains(nr))
            p.fehlend.append(nr);
    for (int n : nummern)
        if ((n < 1 || n > anzahl) && !p.unbekannt.contains(n))
            p.unbekannt.append(n);
    return p;
}

GeladenBewertung GeladenBewerten(const RationsBewertung& plan, const Ladeliste& liste,
    const QMap<int, double>& geladen, const TierEingaben& tier, const FutterWertFunktion& wert)
{
    GeladenBewertung b;
    b.liste = liste;
    b.plan = plan;
    for (const LadeZeile& l : liste.zeilen) {
        GeladenZeile z;
        z.nr = l.nr;
        z.name = l.name;
        z.geplant = l.kg;
        z.geladen = geladen.value(l.nr);
        z.abweichungKg = Glatt(z.geladen - z.geplant);
        if (z.geplant > 0)
            z.abweichungProzent = (z.geladen - z.geplant) * 100 / z.geplant;
        z.auffaellig = z.abweichungProzent ? std::abs(*z.abweichungProzent) > AbweichungGrenzeProzent + 1e-9
                                           : z.geladen > 0;
        z.jeKuh = JeKuh(z.geladen, liste);
        b.zeilen.append(z);
    }
    b.geladen = RationBerechnen(tier, GeladeneZeilen(liste, geladen), wert);
    b.wechsel = AmpelnVergleichen(plan.auswertung, b.geladen);
    return b;
}

QList<Ampelwechsel> AmpelnVergleichen(const Auswertung& plan, const Auswertung& geladen)
{
    // The report's overview page names every light and its caption.
    const RationBericht p = RationBerichtErstellen({}, {}, plan.anzeigen, std::nullopt);
    const RationBericht g = RationBerichtErstellen({}, {}, geladen.anzeigen, std::nullopt);
    QList<Ampelwechsel> wechsel;
    for (qsizetype i = 0; i < p.kennzahlen.size() && i < g.kennzahlen.size(); ++i) {
        const BerichtKennzahl& a = p.kennzahlen[i];
        const BerichtKennzahl& b = g.kennzahlen[i];
        if (a.farbe != b.farbe)
            wechsel.append({ a.einheit, a.wert, a.farbe, b.wert, b.farbe });
    }
    static const QStringList hinweise { QStringLiteral("Rohprotein"), QStringLiteral("NEL") };
    for (qsizetype i = 0; i < p.versorgung.size() && i < g.versorgung.size(); ++i) {
        const BerichtHinweis& a = p.versorgung[i];
        const BerichtHinweis& b = g.versorgung[i];
        if (a.farbe != b.farbe || a.text != b.text)
            wechsel.append({ hinweise.value(i), a.text, a.farbe, b.text, b.farbe });
    }
    return wechsel;
}

QString AmpelwechselText(const Ampelwechsel& w)
{
    return w.was + QStringLiteral(": ") + FarbName(w.planFarbe) + QStringLiteral(" → ") + FarbName(w.geladenFarbe)
        + QStringLiteral(" (") + w.planText + QStringLiteral(" → ") + w.geladenText + QStringLiteral(")");
}

} // namespace kelvora
