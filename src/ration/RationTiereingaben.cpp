#include "ration/RationTiereingaben.h"

#include "grundlagen/Formate.h"
#include "frame/FunktionenFuerINI.h"
#include "ration/Eingabegrenzen.h"

namespace kelvora {

namespace {

constexpr long VorgabeGewicht = 650;

QString VorgabeMilch()
{
    return QStringLiteral("40,0");
}

QString VorgabeFett()
{
    return QStringLiteral("4,00");
}

} // namespace

QString VorgabeEiweiss()
{
    return QStringLiteral("3,40");
}

QString RationFensterName()
{
    return QStringLiteral("RationTierErstellenFenster");
}

const QList<Gewichtsklasse>& Gewichtsklassen()
{
    static const QList<Gewichtsklasse> klassen = {
        {QStringLiteral("450-500"), 500}, {QStringLiteral("500-550"), 550}, {QStringLiteral("550-600"), 600},
        {QStringLiteral("600-650"), 650}, {QStringLiteral("650-700"), 700}, {QStringLiteral("700-750"), 750},
        {QStringLiteral("750-800"), 800},
    };
    return klassen;
}

int GewichtsklasseIndex(long gewicht)
{
    const QList<Gewichtsklasse>& klassen = Gewichtsklassen();
    int vorgabe = 0;
    for (int i = static_cast<int>(klassen.size()) - 1; i >= 0; --i) {
        if (klassen[i].nummer == gewicht)
            return i;
        if (klassen[i].nummer == VorgabeGewicht)
            vorgabe = i;
    }
    return vorgabe;
}

Tiereingaben TiereingabenLesen()
{
    const QString abschnitt = RationFensterName();
    Tiereingaben e;
    e.gewicht = R(INILesenZahl(abschnitt, QStringLiteral("Gewicht"), VorgabeGewicht));
    e.milch = INILesen(abschnitt, QStringLiteral("Milch"), VorgabeMilch());
    e.fett = INILesen(abschnitt, QStringLiteral("Fett"), VorgabeFett());
    e.eiweiss = INILesen(abschnitt, QStringLiteral("Eiweiss"), VorgabeEiweiss());
    e.milchpreis = INILesen(abschnitt, QStringLiteral("Milchpreis"), QStringLiteral("0,45"));
    return e;
}

Tiereingaben TiereingabenFuerFenster()
{
    Tiereingaben e = TiereingabenLesen();
    if (!ZahlPruefen(MilchGrenze(), e.milch).wert)
        e.milch = VorgabeMilch();
    if (!ZahlPruefen(FettGrenze(), e.fett).wert)
        e.fett = VorgabeFett();
    if (!ZahlPruefen(EiweissGrenze(), e.eiweiss).wert)
        e.eiweiss = VorgabeEiweiss();
    return e;
}

bool TiereingabenSpeichern(const Tiereingaben& eingaben)
{
    // They belong together: stored all or none.
    QList<ini::Eintrag> schluessel{{QStringLiteral("Gewicht"), QString::number(eingaben.gewicht)},
                                              {QStringLiteral("Milch"), eingaben.milch},
                                              {QStringLiteral("Fett"), eingaben.fett},
                                              {QStringLiteral("Milchpreis"), eingaben.milchpreis}};
    if (!eingaben.eiweiss.isEmpty())
        schluessel.append({QStringLiteral("Eiweiss"), eingaben.eiweiss});
    return INISpeichernMehrere(RationFensterName(), schluessel);
}

} // namespace kelvora
