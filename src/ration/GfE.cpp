#include "ration/GfE.h"

#include "feeds/FutterbezogeneRoutinen.h"
#include "frame/Oberflaeche.h"
#include "grundlagen/DatenTypen.h"
#include "grundlagen/Formate.h"
#include "ration/Kennzahlen.h"

namespace kelvora {

namespace {

// Maintenance: 450 g nXP at 650 kg, 20 g per 50 kg more or less.
constexpr double nXPErhaltung650 = 450;
constexpr double nXPJeKgGewicht = 20.0 / 50.0;

// Recommendations by milk yield at 0, 10, ... 50 kg, g per day.
constexpr double MilchSchritt = 10;
using Stuetzstellen = std::array<double, 6>;
constexpr Stuetzstellen MgTabelle { 16, 18, 25, 32, 34, 37 };
constexpr Stuetzstellen NaTabelle { 10, 14, 21, 28, 35, 41 };
constexpr Stuetzstellen KTabelle { 100, 125, 164, 203, 230, 255 };

const QString Unvollstaendig = QStringLiteral("unvollständig");

// How the figure's missing value is named in the tool tip.
QString WertName(GfEGroesse g)
{
    static const std::array<const char*, GfEGroessen> namen { "nXP", "RNB", "Mg", "Na", "K", "Cu", "Zn", "Mn" };
    return QString::fromLatin1(namen[g]);
}

Anzeige NeueAnzeige(const QString& name, const QString& text)
{
    Anzeige a;
    a.name = name;
    a.text = text;
    a.gesetzt = true;
    return a;
}

// A supply label: "unvollständig" naming the feeds, or the figure with its
// light, judged by the caller on the value as shown.
Anzeige Versorgung(const QString& name, GfEGroesse g, const GfESumme& s, const QString& text, bool rot)
{
    if (!s.Vollstaendig()) {
        Anzeige a = NeueAnzeige(name, Unvollstaendig);
        a.tipp = QStringLiteral("Ohne %1-Wert: ").arg(WertName(g)) + s.ohneWert.join(QStringLiteral(", "))
            + QStringLiteral(". Tragen Sie den Wert im Futtermittel ein.");
        return a;
    }
    Anzeige a = NeueAnzeige(name, text);
    auswertung::Ampel(a, rot);
    return a;
}

QString Ganz(double wert)
{
    return Formatieren(wert, QStringLiteral("####0"));
}

QString EineStelle(double wert)
{
    return Formatieren(wert, QStringLiteral("#,##0.0"));
}

// The checks compare what the user reads, as the other lights do.
double Gezeigt(const QString& text)
{
    return TextInDouble(text);
}

} // namespace

int GfEFutterCode(GfEGroesse groesse)
{
    static const std::array<int, GfEGroessen> codes { FutterCode::nXP_gTM, FutterCode::RNB_gTM, FutterCode::Mg_gTM,
        FutterCode::Na_gTM, FutterCode::K_gTM, FutterCode::Cu_mgTM, FutterCode::Zn_mgTM, FutterCode::Mn_mgTM };
    return codes[groesse];
}

std::array<std::optional<double>, GfEGroessen> GfEWerteDeuten(const GfEFutterwerte& f)
{
    std::array<std::optional<double>, GfEGroessen> w;
    const bool mineral = f.xp == 0 && f.me == 0 && f.nel == 0;
    for (int g = 0; g < GfEGroessen; ++g) {
        if (mineral || f.werte[g] != 0)
            w[g] = f.werte[g];
    }
    if (!mineral && f.xp > 0 && f.werte[GfEnXP] > 0)
        w[GfERNB] = f.werte[GfERNB];
    return w;
}

QList<GfEFutter> GfEFutterLesen(const QList<RationZeile>& zeilen, const FutterWertFunktion& wert)
{
    QList<GfEFutter> futter;
    for (const RationZeile& z : zeilen) {
        const double tmKg = z.frischMenge * WertAlsZahl(wert(z.futterID, FutterCode::TM_g)) / 1000;
        if (!(tmKg > 0))
            continue;
        GfEFutterwerte w;
        w.xp = WertAlsZahl(wert(z.futterID, FutterCode::XP_gTM));
        w.me = WertAlsZahl(wert(z.futterID, FutterCode::ME_MJTM));
        w.nel = WertAlsZahl(wert(z.futterID, FutterCode::NEL_MJTM));
        for (int g = 0; g < GfEGroessen; ++g)
            w.werte[g] = WertAlsZahl(wert(z.futterID, GfEFutterCode(GfEGroesse(g))));
        GfEFutter f;
        f.name = wert(z.futterID, FutterCode::Bezeichnung).toString().trimmed();
        if (f.name.isEmpty())
            f.name = QStringLiteral("Nr. %1").arg(z.futterID);
        f.tmKg = tmKg;
        f.werte = GfEWerteDeuten(w);
        futter.append(f);
    }
    return futter;
}

double nXPBedarf(double gewicht, double milchKg, double eiweissProzent)
{
    return nXPErhaltung650 + (gewicht - 650) * nXPJeKgGewicht + milchKg * (20 * eiweissProzent + 17);
}

double MineralEmpfehlung(GfEGroesse mineral, double milchKg)
{
    const Stuetzstellen& t = mineral == GfEMg ? MgTabelle : mineral == GfENa ? NaTabelle : KTabelle;
    if (milchKg <= 0)
        return t.front();
    // Above the last point the step from 40 to 50 kg goes on.
    const int i = std::min(static_cast<int>(milchKg / MilchSchritt), static_cast<int>(t.size()) - 2);
    return t[i] + (t[i + 1] - t[i]) * (milchKg - i * MilchSchritt) / MilchSchritt;
}

double SpurenelementRichtwert(GfEGroesse element)
{
    return element == GfECu ? 10 : 50;
}

GfEErgebnis GfEBerechnen(const QList<GfEFutter>& futter, double gewicht, double milchKg, double eiweissProzent)
{
    GfEErgebnis e;
    for (const GfEFutter& f : futter) {
        e.tmKg += f.tmKg;
        for (int g = 0; g < GfEGroessen; ++g) {
            if (f.werte[g])
                e.versorgung[g].wert += f.tmKg * *f.werte[g];
            else
                e.versorgung[g].ohneWert.append(f.name);
        }
    }
    for (GfEGroesse g : { GfECu, GfEZn, GfEMn })
        e.versorgung[g].wert = e.tmKg > 0 ? e.versorgung[g].wert / e.tmKg : 0;
    e.nXPBedarf = nXPBedarf(gewicht, milchKg, eiweissProzent);
    e.mgEmpfehlung = MineralEmpfehlung(GfEMg, milchKg);
    e.naEmpfehlung = MineralEmpfehlung(GfENa, milchKg);
    e.kEmpfehlung = MineralEmpfehlung(GfEK, milchKg);
    return e;
}

const QStringList& GfEAnzeigenNamen()
{
    static const QStringList namen { QStringLiteral("lblnXPAnzeige"), QStringLiteral("lblnXPBedarfAnzeige"),
        QStringLiteral("lblRNBAnzeige"), QStringLiteral("lblMgAnzeige"), QStringLiteral("lblMgBedarfAnzeige"),
        QStringLiteral("lblNaAnzeige"), QStringLiteral("lblNaBedarfAnzeige"), QStringLiteral("lblKAnzeige"),
        QStringLiteral("lblKBedarfAnzeige"), QStringLiteral("lblCuAnzeige"), QStringLiteral("lblZnAnzeige"),
        QStringLiteral("lblMnAnzeige") };
    return namen;
}

const QStringList& GfEBeschriftungen()
{
    static const QStringList texte { QStringLiteral("nXP g/Tag"), QStringLiteral("nXP-Bedarf g/Tag"),
        QStringLiteral("RNB g/Tag (0 bis +50)"), QStringLiteral("Mg g/Tag"), QStringLiteral("Mg-Empfehlung g/Tag"),
        QStringLiteral("Na g/Tag"), QStringLiteral("Na-Empfehlung g/Tag"), QStringLiteral("K g/Tag"),
        QStringLiteral("K-Empfehlung g/Tag"), QStringLiteral("Cu mg/kg TM (mind. 10)"),
        QStringLiteral("Zn mg/kg TM (mind. 50)"), QStringLiteral("Mn mg/kg TM (mind. 50)") };
    return texte;
}

QList<Anzeige> GfEAnzeigenBilden(const GfEErgebnis& e)
{
    const QStringList& n = GfEAnzeigenNamen();
    const auto& v = e.versorgung;
    QList<Anzeige> a;

    const QString ohneTraechtigkeit = QStringLiteral(
        "Bedarf für Erhaltung und Milch nach GfE 2001; der Bedarf für die Trächtigkeit ist nicht enthalten.");
    const QString nXP = Ganz(v[GfEnXP].wert);
    const QString nXPSoll = Ganz(e.nXPBedarf);
    a << Versorgung(n[0], GfEnXP, v[GfEnXP], nXP, Gezeigt(nXP) < Gezeigt(nXPSoll));
    if (v[GfEnXP].Vollstaendig())
        a.last().tipp = ohneTraechtigkeit;
    a << NeueAnzeige(n[1], nXPSoll);
    a.last().tipp = ohneTraechtigkeit;

    // The sign belongs to the balance: "+12" is a surplus, "-12" a shortage.
    const QString rnbZahl = Formatieren(v[GfERNB].wert, QStringLiteral("0"));
    const double rnb = Gezeigt(rnbZahl);
    a << Versorgung(n[2], GfERNB, v[GfERNB], rnb > 0 ? QLatin1Char('+') + rnbZahl : rnbZahl,
        rnb < RNBMindestens || rnb > RNBHoechstens);
    if (v[GfERNB].Vollstaendig())
        a.last().tipp = rnb < RNBMindestens
            ? QStringLiteral("Zu wenig Stickstoff im Pansen: ein Eiweißfutter mit positiver RNB gleicht aus.")
            : rnb > RNBHoechstens ? QStringLiteral("Stickstoffüberschuss im Pansen: der Milchharnstoff steigt.")
                                  : QStringLiteral("Ruminale Stickstoffbilanz im Zielbereich 0 bis +50 g.");

    int i = 3;
    for (const auto& [g, empfehlung] : { std::pair { GfEMg, e.mgEmpfehlung }, std::pair { GfENa, e.naEmpfehlung },
             std::pair { GfEK, e.kEmpfehlung } }) {
        const QString ist = EineStelle(v[g].wert);
        const QString soll = EineStelle(empfehlung);
        a << Versorgung(n[i], g, v[g], ist, Gezeigt(ist) < Gezeigt(soll));
        a << NeueAnzeige(n[i + 1], soll);
        i += 2;
    }

    for (GfEGroesse g : { GfECu, GfEZn, GfEMn }) {
        const double richtwert = SpurenelementRichtwert(g);
        // Without dry matter there is no concentration to show.
        const QString ist = e.tmKg > 0 ? EineStelle(v[g].wert) : QString();
        a << (ist.isEmpty() ? NeueAnzeige(n[i], ist) : Versorgung(n[i], g, v[g], ist, Gezeigt(ist) < richtwert));
        if (a.last().tipp.isEmpty())
            a.last().tipp = QStringLiteral("mg je kg Trockenmasse der Ration, Richtwert mindestens %1")
                                .arg(Formatieren(richtwert, QStringLiteral("0")));
        ++i;
    }
    return a;
}

} // namespace kelvora
