#pragma once
// The German way of judging a dairy ration, beside the crude-protein
// evaluation: usable crude protein (nXP) and the ruminal nitrogen balance
// (RNB) against the cow's requirement, magnesium, sodium and potassium
// against the recommendation by milk yield, and copper, zinc and manganese
// as concentrations in the ration's dry matter. Plain functions over the
// ration's rows; the evaluation, the report and the command line show what
// comes back.

#include "ration/RationAuswerten.h"

#include <QStringList>
#include <array>
#include <optional>

namespace kelvora {

// The figures of the block, in the order their supply labels are shown.
enum GfEGroesse { GfEnXP, GfERNB, GfEMg, GfENa, GfEK, GfECu, GfEZn, GfEMn, GfEGroessen };

// The feed value code of each figure (per kg DM).
int GfEFutterCode(GfEGroesse groesse);

// ----------------------------------------------------------- feed values

// A feed's values as stored, per kg DM; a column nobody filled in holds 0.
struct GfEFutterwerte {
    double xp = 0, me = 0, nel = 0;
    std::array<double, GfEGroessen> werte {};
};

// Which of the values the feed really has. A feed without crude protein and
// energy is a mineral: it holds no organic matter, so each of its zeros is
// a true "none". In any other feed a 0 means nothing was entered, except the
// RNB of a feed with XP and nXP, which was completed from them and may well
// be 0.
std::array<std::optional<double>, GfEGroessen> GfEWerteDeuten(const GfEFutterwerte& futter);

// One ration row with an amount, as the block needs it.
struct GfEFutter {
    QString name;
    double tmKg = 0; // kg DM per day
    std::array<std::optional<double>, GfEGroessen> werte; // per kg DM; none: the feed lacks the value
};

// The rows with dry matter to feed, values through wert (FutterWert codes).
// A row without dry matter adds nothing to any figure, so it cannot make
// one incomplete either.
QList<GfEFutter> GfEFutterLesen(const QList<RationZeile>& zeilen, const FutterWertFunktion& wert);

// ----------------------------------------------------------- requirement

// Usable crude protein, g per day: 450 g for maintenance at 650 kg, 20 g
// more or less per 50 kg, plus milk kg × (20 × protein % + 17). Pregnancy is
// not included.
double nXPBedarf(double gewicht, double milchKg, double eiweissProzent);

// Recommended Mg, Na or K in g per day by milk yield, linear between the
// points at 0 (dry cow), 10, 20, 30, 40 and 50 kg and continuing the last
// slope above. Only for GfEMg, GfENa, GfEK.
double MineralEmpfehlung(GfEGroesse mineral, double milchKg);

// Concentration of Cu, Zn or Mn the ration should at least reach, mg per kg
// DM. Only for GfECu, GfEZn, GfEMn.
double SpurenelementRichtwert(GfEGroesse element);

// The RNB the ration should keep to, g per day.
inline constexpr double RNBMindestens = 0;
inline constexpr double RNBHoechstens = 50;

// ----------------------------------------------------------- the block

struct GfESumme {
    // nXP, RNB, Mg, Na, K: g per day; Cu, Zn, Mn: mg per kg DM.
    double wert = 0;
    QStringList ohneWert; // feeds with an amount that lack the value
    bool Vollstaendig() const { return ohneWert.isEmpty(); }
};

struct GfEErgebnis {
    std::array<GfESumme, GfEGroessen> versorgung;
    double tmKg = 0; // dry matter the concentrations refer to
    double nXPBedarf = 0;
    double mgEmpfehlung = 0, naEmpfehlung = 0, kEmpfehlung = 0;
};

GfEErgebnis GfEBerechnen(const QList<GfEFutter>& futter, double gewicht, double milchKg, double eiweissProzent);

// The labels of the block in display order: lblnXPAnzeige,
// lblnXPBedarfAnzeige, lblRNBAnzeige, lblMgAnzeige, lblMgBedarfAnzeige,
// lblNaAnzeige, lblNaBedarfAnzeige, lblKAnzeige, lblKBedarfAnzeige,
// lblCuAnzeige, lblZnAnzeige, lblMnAnzeige.
const QStringList& GfEAnzeigenNamen();
// Their captions, in the same order, as the window and the report show them.
const QStringList& GfEBeschriftungen();

// The labels' texts, colours and tool tips: nXP and RNB whole grams (RNB with
// its sign), Mg, Na, K and the concentrations with one decimal. A supply
// label is green or light red by its check on the shown value; a
// requirement label has no colour. A figure with a feed that lacks the value
// reads "unvollständig", uncoloured, with the feeds in its tool tip; without
// dry matter the concentrations stay empty.
QList<Anzeige> GfEAnzeigenBilden(const GfEErgebnis& e);

} // namespace kelvora
