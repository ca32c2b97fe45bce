#include "ration/Optimierung.h"

#include "database/DatenbankRoutinen.h"
#include "feeds/FutterbezogeneRoutinen.h"
#include "frame/Oberflaeche.h"
#include "grundlagen/Formate.h"
#include "ration/GespeicherteWerte.h"
#include "ration/GfE.h"
#include "ration/Kennzahlen.h"
#include "ration/LPLoeser.h"
#include "ration/RationAuswerten.h"

namespace kelvora {

namespace {

constexpr double TMMindestAnteil = 0.95;
constexpr double NDFMindestGrammJeKgTM = 280; // 28 % of DM
constexpr double GrundfutterNDFAnteil = 0.75;
constexpr double ADFMindestGrammJeKgTM = 180;
constexpr double NFCMindestGrammJeKgTM = 350;
constexpr double NFCHoechstGrammJeKgTM = 430;
constexpr double KraftfutterHoechstAnteil = 0.5;

// The window sums each row's grams rounded to whole grams, from table values
// taken as whole grams (as the model reads them too), and checks the figures
// as shown. So a gram figure can show up to half a gram per row below what
// the amounts give: half a gram per row away from its bound keeps every met
// limit shown as met, and costs next to nothing. The unrounded figures (kg
// DM, MJ, Ca, P) keep a thousandth, which also keeps the solver's tolerance
// off the bound.
constexpr double GrammJeZeile = 0.5;
constexpr double KleinerAbstand = 1e-3;

struct Abstand {
    double gramm = 0;  // gram limits and shares of grams
    double fein = 0;   // kg, MJ and the minerals
};

const QString Titel = QStringLiteral("Kostengünstig optimieren");

// The contributions per kg FM of a feed (or, summed, of the fixed rows).
struct Beitrag {
    double tm = 0, nel = 0, xp = 0, ca = 0, p = 0, ndf = 0, adf = 0, nfc = 0, grundfutterNDF = 0,
           kraftfutterTM = 0;

    void Addieren(const Beitrag& b, double faktor)
    {
        tm += b.tm * faktor;
        nel += b.nel * faktor;
        xp += b.xp * faktor;
        ca += b.ca * faktor;
        p += b.p * faktor;
        ndf += b.ndf * faktor;
        adf += b.adf * faktor;
        nfc += b.nfc * faktor;
        grundfutterNDF += b.grundfutterNDF * faktor;
        kraftfutterTM += b.kraftfutterTM * faktor;
    }
};

Beitrag JeKgFM(const OptimierungsFutter& f)
{
    const double d = f.tm_g / 1000;
    Beitrag b;
    b.tm = d;
    b.nel = d * f.nel;
    b.xp = d * f.xp;
    b.ca = d * f.ca;
    b.p = d * f.p;
    b.ndf = d * f.ndf;
    b.adf = d * f.adf;
    b.nfc = d * f.nfc;
    b.grundfutterNDF = f.grundfutter ? b.ndf : 0;
    b.kraftfutterTM = f.grundfutter ? 0 : d;
    return b;
}

// A fixed row as the window sums it: its grams rounded to whole grams.
Beitrag FesteZeile(const OptimierungsFutter& f)
{
    Beitrag b;
    b.Addieren(JeKgFM(f), f.menge);
    for (double* gramm : {&b.xp, &b.ndf, &b.adf, &b.nfc, &b.grundfutterNDF})
        *gramm = static_cast<double>(R(*gramm));
    return b;
}

// One limit as a row: the free feeds' coefficients from a linear expression
// of their contributions; the fixed rows' value of the same expression moves
// to the bound.
template <typename Ausdruck>
LPZeile Zeile(const QList<Beitrag>& frei, const Beitrag& fix, Ausdruck ausdruck, double unten, double oben)
{
    LPZeile z;
    for (const Beitrag& b : frei)
        z.koeffizienten.append(ausdruck(b));
    const double fest = ausdruck(fix);
    z.unten = unten - fest;
    z.oben = oben - fest;
    return z;
}

LPZeile GrenzeAlsZeile(Grenze g, const QList<Beitrag>& frei, const Beitrag& fix, const OptimierungsZiele& ziele,
                       const Abstand& abstand)
{
    const double gramm = abstand.gramm;
    const double Feinabstand = abstand.fein;
    const double inf = LPUnendlich;
    switch (g) {
    case Grenze::TMMindestens:
        return Zeile(frei, fix, [](const Beitrag& b) { return b.tm; },
                     TMMindestAnteil * ziele.tmMaxKg + Feinabstand, inf);
    case Grenze::TMHoechstens:
        return Zeile(frei, fix, [](const Beitrag& b) { return b.tm; }, -inf, ziele.tmMaxKg - Feinabstand);
    case Grenze::NEL:
        return Zeile(frei, fix, [](const Beitrag& b) { return b.nel; }, ziele.bedarf.nel + Feinabstand, inf);
    case Grenze::Rohprotein:
        return Zeile(frei, fix, [](const Beitrag& b) { return b.xp; }, ziele.bedarf.rohprotein + gramm, inf);
    case Grenze::Calzium:
        return Zeile(frei, fix, [](const Beitrag& b) { return b.ca; }, ziele.bedarf.ca + Feinabstand, inf);
    case Grenze::Phosphor:
        return Zeile(frei, fix, [](const Beitrag& b) { return b.p; }, ziele.bedarf.p + Feinabstand, inf);
    case Grenze::NDFMindestens:
        return Zeile(frei, fix, [](const Beitrag& b) { return b.ndf - NDFMindestGrammJeKgTM * b.tm; }, gramm, inf);
    case Grenze::NDFHoechstens:
        return Zeile(frei, fix, [](const Beitrag& b) { return b.ndf; }, -inf, ziele.ndfMaxGramm - gramm);
    case Grenze::GrundfutterNDF:
        return Zeile(frei, fix, [](const Beitrag& b) { return b.grundfutterNDF - GrundfutterNDFAnteil * b.ndf; },
                     gramm, inf);
    case Grenze::ADF:
        return Zeile(frei, fix, [](const Beitrag& b) { return b.adf - ADFMindestGrammJeKgTM * b.tm; }, gramm, inf);
    case Grenze::NFCMindestens:
        return Zeile(frei, fix, [](const Beitrag& b) { return b.nfc - NFCMindestGrammJeKgTM * b.tm; }, gramm, inf);
    case Grenze::NFCHoechstens:
        return Zeile(frei, fix, [](const Beitrag& b) { return b.nfc - NFCHoechstGrammJeKgTM * b.tm; }, -inf, -gramm);
    case Grenze::Kraftfutter:
        return Zeile(frei, fix, [](const Beitrag& b) { return b.kraftfutterTM - KraftfutterHoechstAnteil * b.tm; },
                     -inf, -Feinabstand);
    case Grenze::nXP:
    case Grenze::RNBMindestens:
    case Grenze::RNBHoechstens:
        break;
    }
    return {};
}

// The limits of the German standard, only when asked for. nXP is summed
// unrounded and shown whole; a thousandth above the requirement keeps the
// solver's tolerance off it. RNB may lie on 0 or 50: a few millionths
// beyond still show as "0" and "+50".
void GfEGrenzenHinzufuegen(LPProblem& problem, const QList<OptimierungsFutter>& futter,
                           const OptimierungsZiele& ziele, const QSet<Grenze>& ohne)
{
    if (!ziele.nXPBedarf)
        return;
    LPZeile nxp, rnb;
    double nxpFix = 0, rnbFix = 0;
    for (const OptimierungsFutter& f : futter) {
        // A fixed feed without a value adds nothing, as in the evaluation
        // (which then says "unvollständig"); free feeds without one are refused.
        const double nxpJeKgFM = f.tm_g / 1000 * f.nxp.value_or(0);
        const double rnbJeKgFM = f.tm_g / 1000 * f.rnb.value_or(0);
        if (f.frei) {
            nxp.koeffizienten.append(nxpJeKgFM);
            rnb.koeffizienten.append(rnbJeKgFM);
        } else {
            nxpFix += nxpJeKgFM * f.menge;
            rnbFix += rnbJeKgFM * f.menge;
        }
    }
    if (!ohne.contains(Grenze::nXP)) {
        LPZeile z = nxp;
        z.unten = *ziele.nXPBedarf + KleinerAbstand - nxpFix;
        problem.zeilen.append(z);
    }
    if (!ohne.contains(Grenze::RNBMindestens)) {
        LPZeile z = rnb;
        z.unten = RNBMindestens - rnbFix;
        problem.zeilen.append(z);
    }
    if (!ohne.contains(Grenze::RNBHoechstens)) {
        LPZeile z = rnb;
        z.oben = RNBHoechstens - rnbFix;
        problem.zeilen.append(z);
    }
}

QString Name(const OptimierungsFutter& f)
{
    return f.name.trimmed().isEmpty() ? QStringLiteral("Nr. %1").arg(f.futterID) : f.name.trimmed();
}

void Ablehnen(const QString& text)
{
    MsgBox(text, Knoepfe::OK, Symbol::Ausrufezeichen, Antwort::OK, Titel);
}

QString Aufzaehlung(const QStringList& namen)
{
    QString text;
    for (const QString& n : namen)
        text += QStringLiteral("\n    ") + n;
    return text;
}

// The refusals before solving; empty when the ration can be optimised.
QString Ablehnungsgrund(const QList<OptimierungsFutter>& futter, const OptimierungsZiele& ziele)
{
    QStringList ohnePreis, ohneTM;
    bool frei = false;
    for (const OptimierungsFutter& f : futter) {
        if (!f.frei)
            continue;
        frei = true;
        if (f.tm_g <= 0)
            ohneTM.append(Name(f));
        if (f.preisJeKgFM <= 0)
            ohnePreis.append(Name(f));
    }
    QStringList ohneGfE;
    for (const OptimierungsFutter& f : futter) {
        if (f.frei && ziele.nXPBedarf && (!f.nxp || !f.rnb))
            ohneGfE.append(Name(f));
    }
    if (!frei)
        return QStringLiteral("Optimierung ist nicht möglich, da kein Futtermittel frei ist. Geben Sie bei den "
                              "Futtermitteln, deren Menge das Programm bestimmen soll, einen Anteil in % ein!");
    QStringList teile;
    if (!ohnePreis.isEmpty())
        teile.append(QStringLiteral("Für diese freien Futtermittel ist kein Preis eingetragen:") + Aufzaehlung(ohnePreis)
                     + QStringLiteral("\nBitte tragen Sie im Futtermittel den Preis €/dt FM ein oder geben Sie eine "
                                      "feste Menge ein."));
    if (!ohneTM.isEmpty())
        teile.append(QStringLiteral("Bei diesen freien Futtermitteln ist keine Trockenmasse eingetragen:")
                     + Aufzaehlung(ohneTM)
                     + QStringLiteral("\nBitte tragen Sie im Futtermittel die Trockenmasse ein oder geben Sie eine "
                                      "feste Menge ein."));
    if (!ohneGfE.isEmpty())
        teile.append(QStringLiteral("Für diese freien Futtermittel fehlt nXP oder RNB, ohne die nicht nach GfE "
                                    "optimiert werden kann:")
                     + Aufzaehlung(ohneGfE)
                     + QStringLiteral("\nBitte tragen Sie die Werte im Futtermittel ein oder optimieren Sie ohne "
                                      "\"nach GfE\"."));
    if (!teile.isEmpty())
        return QStringLiteral("Optimierung ist nicht möglich.\n\n") + teile.join(QStringLiteral("\n\n"));
    if (ziele.tmMaxKg <= 0)
        return QStringLiteral("Optimierung ist nicht möglich, da die Aufnahmetabelle für dieses Gewicht und diese "
                              "Milchmenge keine maximale Trockenmasse angibt (kg TM max. ist 0). Bitte prüfen Sie "
                              "Gewicht, Milch und Fett.");
    return QString();
}

[[nodiscard]] bool MengenSchreiben(Verbindung& v, const QList<OptimierungsFutter>& futter, const QList<double>& mengen)
{
    qsizetype j = 0;
    for (const OptimierungsFutter& f : futter) {
        if (f.frei
            && !AnweisungAusfuehren(v, QStringLiteral("UPDATE Ration SET FutterFrischMenge = ? WHERE ID = ?"),
                { mengen.value(j++), qlonglong(f.zeilenID) }))
            return false;
    }
    return true;
}

// The optimisation up to the written amounts, inside the transaction of the
// caller. A refusal comes back as its message; a failed read or write as
// Unerreichbar with the error on the connection.
OptimierungsErgebnis Optimieren(Verbindung& v, const TierEingaben& tier, bool nachGfE, QString& meldung)
{
    const GespeicherteRation gespeichert = GespeicherteRationPruefen(v);
    if (!gespeichert.gelesen)
        return OptimierungsErgebnis::Unerreichbar;
    if (gespeichert.fehlerZeile >= 0) {
        meldung = gespeichert.meldung;
        return OptimierungsErgebnis::Abgelehnt;
    }
    const QList<OptimierungsFutter> futter = OptimierungsFutterLesen(v, gespeichert.zeilen);
    if (v.Beschaedigt())
        return OptimierungsErgebnis::Unerreichbar;

    const OptimierungsZiele ziele = OptimierungsZieleFuer(tier, nachGfE);
    meldung = Ablehnungsgrund(futter, ziele);
    if (!meldung.isEmpty())
        return OptimierungsErgebnis::Abgelehnt;

    const OptimierungsLoesung l = OptimaleMengen(futter, ziele);
    if (l.status == OptimierungsStatus::Unmoeglich) {
        meldung = QStringLiteral("Mit den freien Futtermitteln lässt sich keine Ration zusammenstellen, die alle "
                                 "Grenzen einhält. Die Ration bleibt unverändert.\n\n")
            + KonfliktBeschreiben(futter, ziele).join(QLatin1Char('\n'))
            + QStringLiteral("\n\nGeben Sie passende Futtermittel frei oder ändern Sie die festen Mengen.");
        return OptimierungsErgebnis::Abgelehnt;
    }
    if (l.status == OptimierungsStatus::Fehler) {
        meldung = QStringLiteral("Die Optimierung hat kein Ergebnis geliefert (Rechenfehler im Lösungsverfahren). Die "
                                 "Ration bleibt unverändert. Bitte prüfen Sie die Werte der freien Futtermittel.");
        return OptimierungsErgebnis::Abgelehnt;
    }
    return MengenSchreiben(v, futter, l.mengen) ? OptimierungsErgebnis::Optimiert : OptimierungsErgebnis::Unerreichbar;
}

} // namespace

OptimierungsZiele OptimierungsZieleFuer(const TierEingaben& tier, bool nachGfE)
{
    const double fcm = FCMBerechnen(tier.milch, tier.fett);
    OptimierungsZiele z;
    z.tmMaxKg = TMAufnahmeTabelle(tier.gewicht, fcm);
    z.bedarf = BedarfBerechnen(tier.gewicht, fcm);
    z.ndfMaxGramm = auswertung::NDFMaxGramm(tier.gewicht);
    if (nachGfE)
        z.nXPBedarf = nXPBedarf(static_cast<double>(tier.gewicht), tier.milch, tier.eiweiss);
    return z;
}

QString GrenzeName(Grenze grenze)
{
    switch (grenze) {
    case Grenze::TMMindestens: return QStringLiteral("Trockenmasse mindestens 95 % von kg TM max.");
    case Grenze::TMHoechstens: return QStringLiteral("Trockenmasse höchstens kg TM max.");
    case Grenze::NEL: return QStringLiteral("NEL mindestens Bedarf");
    case Grenze::Rohprotein: return QStringLiteral("Rohprotein mindestens Bedarf");
    case Grenze::Calzium: return QStringLiteral("Calzium mindestens Bedarf");
    case Grenze::Phosphor: return QStringLiteral("Phosphor mindestens Bedarf");
    case Grenze::NDFMindestens: return QStringLiteral("NDF mindestens 28 %");
    case Grenze::NDFHoechstens: return QStringLiteral("NDF höchstens g NDF max.");
    case Grenze::GrundfutterNDF: return QStringLiteral("NDF aus GF mindestens 75 %");
    case Grenze::ADF: return QStringLiteral("ADF mindestens 18 %");
    case Grenze::NFCMindestens: return QStringLiteral("NFC mindestens 35 %");
    case Grenze::NFCHoechstens: return QStringLiteral("NFC höchstens 43 %");
    case Grenze::Kraftfutter: return QStringLiteral("Kraftfutter-Anteil höchstens 50 %");
    case Grenze::nXP: return QStringLiteral("nXP mindestens Bedarf");
    case Grenze::RNBMindestens: return QStringLiteral("RNB mindestens 0 g");
    case Grenze::RNBHoechstens: return QStringLiteral("RNB höchstens +50 g");
    }
    return QString();
}

OptimierungsLoesung OptimaleMengen(const QList<OptimierungsFutter>& futter, const OptimierungsZiele& ziele,
                                   const QSet<Grenze>& ohne, bool mitAbstand)
{
    LPProblem problem;
    QList<Beitrag> frei;
    Beitrag fix;
    for (const OptimierungsFutter& f : futter) {
        if (f.frei) {
            frei.append(JeKgFM(f));
            problem.kosten.append(f.preisJeKgFM);
        } else {
            fix.Addieren(FesteZeile(f), 1);
        }
    }
    // A fixed row's grams are known as the window rounds them; only the free
    // rows can round below what the model counts.
    Abstand abstand;
    if (mitAbstand)
        abstand = {GrammJeZeile * static_cast<double>(frei.size()), KleinerAbstand};
    // The German limits follow as rows of their own, only when asked for.
    for (int i = 0; i <= static_cast<int>(Grenze::Kraftfutter); ++i) {
        const auto g = static_cast<Grenze>(i);
        if (!ohne.contains(g))
            problem.zeilen.append(GrenzeAlsZeile(g, frei, fix, ziele, abstand));
    }
    GfEGrenzenHinzufuegen(problem, futter, ziele, ohne);

    const LPErgebnis lp = LPLoesen(problem);
    OptimierungsLoesung l;
    switch (lp.status) {
    case LPStatus::Optimal:
        l.status = OptimierungsStatus::Optimal;
        l.mengen = lp.x;
        l.kostenFrei = lp.ziel;
        break;
    case LPStatus::Unloesbar:
        l.status = OptimierungsStatus::Unmoeglich;
        break;
    case LPStatus::Fehler:
        l.status = OptimierungsStatus::Fehler;
        break;
    }
    return l;
}

QStringList KonfliktBeschreiben(const QList<OptimierungsFutter>& futter, const OptimierungsZiele& ziele)
{
    auto moeglichOhne = [&](const QSet<Grenze>& ohne) {
        return OptimaleMengen(futter, ziele, ohne).status == OptimierungsStatus::Optimal;
    };
    QStringList saetze;
    for (int i = 0; i < GrenzenAnzahl; ++i) {
        const auto g = static_cast<Grenze>(i);
        if (moeglichOhne({g}))
            saetze.append(QStringLiteral("Ohne die Grenze ") + GrenzeName(g) + QStringLiteral(" wäre eine Ration möglich."));
    }
    if (!saetze.isEmpty())
        return saetze;
    // No single limit is to blame: look for pairs. More than a handful would
    // tell the user nothing; the ration then lacks suitable feeds altogether.
    constexpr qsizetype HoechstensPaare = 6;
    for (int i = 0; i < GrenzenAnzahl && saetze.size() < HoechstensPaare; ++i) {
        for (int j = i + 1; j < GrenzenAnzahl && saetze.size() < HoechstensPaare; ++j) {
            const auto a = static_cast<Grenze>(i);
            const auto b = static_cast<Grenze>(j);
            if (moeglichOhne({a, b}))
                saetze.append(QStringLiteral("Erst ohne die Grenzen ") + GrenzeName(a) + QStringLiteral(" und ")
                              + GrenzeName(b) + QStringLiteral(" wäre eine Ration möglich."));
        }
    }
    if (saetze.isEmpty())
        saetze.append(QStringLiteral("Auch ohne eine oder zwei der Grenzen wäre keine Ration möglich."));
    return saetze;
}

QList<OptimierungsFutter> OptimierungsFutterLesen(Verbindung& verbindung, const QList<RationZeile>& zeilen)
{
    QList<OptimierungsFutter> futter;
    static const QList<int> codes{FutterCode::Bezeichnung, FutterCode::TM_g,     FutterCode::FutterArt,
                                  FutterCode::PreisJeKgFM, FutterCode::NEL_MJTM, FutterCode::XP_gTM,
                                  FutterCode::Ca_gTM,      FutterCode::P_gTM,    FutterCode::NDF_gTM,
                                  FutterCode::ADF_gTM,     FutterCode::NFC_gTM,  FutterCode::ME_MJTM,
                                  FutterCode::nXP_gTM,     FutterCode::RNB_gTM};
    FutterLeser leser(verbindung);
    for (const RationZeile& z : zeilen) {
        const QList<QVariant> w = leser.Werte(z.futterID, codes);
        auto zahl = [&w](int i) { return w.value(i).isValid() ? w.value(i).toDouble() : 0.0; };
        OptimierungsFutter f;
        f.zeilenID = z.id;
        f.futterID = z.futterID;
        f.frei = z.fixeMenge == 0;
        f.menge = z.frischMenge;
        f.name = w.value(0).toString();
        f.tm_g = zahl(1);
        const double art = zahl(2);
        f.grundfutter = art >= 1 && art <= 5;
        f.preisJeKgFM = zahl(3);
        f.nel = zahl(4);
        // The gram figures as the evaluation takes them: whole grams.
        auto gramm = [&zahl](int i) { return static_cast<double>(R(zahl(i))); };
        f.xp = gramm(5);
        f.ca = zahl(6);
        f.p = zahl(7);
        f.ndf = gramm(8);
        f.adf = gramm(9);
        f.nfc = gramm(10);
        GfEFutterwerte gfe;
        gfe.xp = f.xp;
        gfe.nel = f.nel;
        gfe.me = zahl(11);
        gfe.werte[GfEnXP] = zahl(12);
        gfe.werte[GfERNB] = zahl(13);
        const auto gedeutet = GfEWerteDeuten(gfe);
        f.nxp = gedeutet[GfEnXP];
        f.rnb = gedeutet[GfERNB];
        futter.append(f);
    }
    return futter;
}

OptimierungsErgebnis RationOptimieren(const TierEingaben& tier, const QString& datenbankPfad, bool nachGfE)
{
    Verbindung v;
    if (!DatenbankOeffnen(v, datenbankPfad))
        return OptimierungsErgebnis::Unerreichbar;
    QString meldung;
    OptimierungsErgebnis e = OptimierungsErgebnis::Unerreichbar;
    {
        // The write lock before the first read: no other window or command
        // changes the ration between this read and the write, and none of
        // the reads can find the database busy. Messages come after the
        // transaction has ended.
        Transaktion t(v);
        if (t.Beginnen())
            e = Optimieren(v, tier, nachGfE, meldung);
        if (e == OptimierungsErgebnis::Optimiert && !t.Bestaetigen())
            e = OptimierungsErgebnis::Unerreichbar;
    }
    if (e == OptimierungsErgebnis::Unerreichbar)
        DatenbankFehlerMelden(v, QStringLiteral("Die Ration konnte nicht optimiert werden."));
    else if (e == OptimierungsErgebnis::Abgelehnt)
        Ablehnen(meldung);
    return e;
}

} // namespace kelvora
