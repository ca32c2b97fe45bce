#include "ration/Kennzahlen.h"

#include "grundlagen/DatenTypen.h"
#include "grundlagen/Formate.h"
#include "frame/Oberflaeche.h"

#include <optional>

namespace kelvora::auswertung {

namespace {

// The intake estimate assumes a cow in her third lactation, 120 days in
// milk, with 3.3 % milk protein: a typical cow in the middle of lactation.
constexpr int SchaetzungLaktation = 3;
constexpr long SchaetzungTageInMilch = 120;
constexpr double SchaetzungEiweiss = 3.3;

// Over-supply is tolerated up to what 5 kg more milk would need.
constexpr double UeberversorgungMilchKg = 5;

// Grams of NDF per kg body weight, in tenths: 12.5 g.
constexpr long NDFZehntelGrammJeKg = 125;

// The result window takes a share as its shown number, written out plainly.
QString AnteilFuerErgebnis(const Anzeige& anzeige)
{
    return DezimalText(TextInDouble(anzeige.text)) + QStringLiteral(" %");
}

void ErgebnisAnteil(Auswertung& a, ErgebnisZeile zeile, const Anzeige& anzeige)
{
    if (!a.ergebnis.spalte.isEmpty())
        a.ergebnis.ist[zeile] = AnteilFuerErgebnis(anzeige);
}

QString Ganz(long wert, const QString& maske)
{
    return Formatieren(static_cast<double>(wert), maske);
}

} // namespace

ListenZeile LeereZeile(ZeilenArt art)
{
    ListenZeile l;
    l.art = art;
    l.id = 0;
    for (int i = 0; i < ListenSpalten; ++i)
        l.texte.append(QStringLiteral(" "));
    return l;
}

Anzeige& AnzeigeVon(Auswertung& a, const QString& name)
{
    for (Anzeige& anzeige : a.anzeigen) {
        if (anzeige.name == name)
            return anzeige;
    }
    Q_ASSERT_X(false, "AnzeigeVon", "unbekannte Anzeige");
    return a.anzeigen.first();
}

Anzeige& Zeigen(Auswertung& a, const QString& name, const QString& text)
{
    Anzeige& anzeige = AnzeigeVon(a, name);
    anzeige.text = text;
    anzeige.gesetzt = true;
    return anzeige;
}

void Leeren(Anzeige& anzeige)
{
    anzeige.text.clear();
    anzeige.hintergrund = 0;
    anzeige.textfarbe = 0;
    anzeige.tipp.clear();
    anzeige.gesetzt = true;
}

void KennzahlenLeeren(Auswertung& a)
{
    for (const char* name :
         {"lblKraftfutterKiloAnzeige", "lblKraftfutterProzentAnzeige", "lblTMKiloAnzeige", "lblTMGehaltAnzeige",
          "lblNELMJAnzeige", "lblNelKonzAnzeige", "lblUDPGrammAnzeige", "lblUDPKonzAnzeige", "lblNFCGrammAnzeige",
          "lblNFCKonzAnzeige", "lblNDFGrammAnzeige", "lblNDFKonzAnzeige", "lblNDFGFGrammAnzeige",
          "lblNDFGFKonzAnzeige", "lblADFGrammAnzeige", "lblADFKonzAnzeige"})
        Leeren(AnzeigeVon(a, QString::fromLatin1(name)));
}

void Ampel(Anzeige& anzeige, bool rot)
{
    anzeige.hintergrund = rot ? Farbe::Hellrot : Farbe::Gruen;
    anzeige.textfarbe = FarbeFenstertext;
}

void KraftfutterAnzeigen(Auswertung& a)
{
    const RationSummen& s = a.summen;
    Zeigen(a, QStringLiteral("lblKraftfutterKiloAnzeige"), Formatieren(s.kraftfutterTM, QStringLiteral("##0.00")));
    const double anteil = s.trockenmasse > 0 ? s.kraftfutterTM * 100 / s.trockenmasse : 0;
    Anzeige& prozent =
        Zeigen(a, QStringLiteral("lblKraftfutterProzentAnzeige"), Formatieren(anteil, QStringLiteral("##0.00")));
    Ampel(prozent, TextInDouble(prozent.text) > 50);
}

double NDFMaxGramm(long gewicht)
{
    return static_cast<double>(gewicht * NDFZehntelGrammJeKg) / 10;
}

void AufnahmeGrenzenAnzeigen(Auswertung& a, const TierEingaben& tier)
{
    Zeigen(
        a, QStringLiteral("lblNDFGrammMaxAnzeige"), Formatieren(NDFMaxGramm(tier.gewicht), QStringLiteral("#####0")));
    const double geschaetzt = TMAufnahmeSchaetzung(
        QStringLiteral("nicht definiert"), tier.monat, SchaetzungLaktation, static_cast<double>(tier.gewicht),
        a.summen.kraftfutterTM, a.summen.freiesFutterNEL, SchaetzungTageInMilch, tier.milch, tier.fett,
        SchaetzungEiweiss);
    Zeigen(a, QStringLiteral("lblTMKiloMaxAnzeige"), Formatieren(geschaetzt, QStringLiteral("#0.00")));
    const double tabelle = TMAufnahmeTabelle(tier.gewicht, a.fcm);
    if (tabelle > 0) {
        Zeigen(a, QStringLiteral("lblTMKiloMaxAnzeige2"), Formatieren(tabelle, QStringLiteral("#####0.00")));
        return;
    }
    // The table ends at 50 kg fat-corrected milk; "0,00" would read as a
    // limit that every ration exceeds.
    Anzeige& ohne = Zeigen(a, QStringLiteral("lblTMKiloMaxAnzeige2"), TMMaxOhneTabelle());
    ohne.tipp = QStringLiteral("Die Tabelle der Trockenmasseaufnahme reicht bis 50 kg fettkorrigierte Milch (FCM). "
                               "Für %1 kg FCM gibt sie keine Höchstmenge an; die Ration kann daher nicht nach "
                               "TM ausgeglichen werden. Bitte prüfen Sie Milch kg und Fett %.")
                    .arg(Formatieren(a.fcm, QStringLiteral("#0.0")));
}

QString TMMaxOhneTabelle()
{
    return QStringLiteral("FCM zu hoch");
}

void KennzahlenAnzeigen(Auswertung& a)
{
    const RationSummen& s = a.summen;
    const double tm = s.trockenmasse;
    const QString prozent = QStringLiteral("##0.00");

    Anzeige& tmKilo = Zeigen(a, QStringLiteral("lblTMKiloAnzeige"), Formatieren(tm, prozent));
    const QString maxText = AnzeigeVon(a, QStringLiteral("lblTMKiloMaxAnzeige2")).text;
    // Without a table value there is no limit to judge the dry matter by.
    if (maxText != TMMaxOhneTabelle())
        Ampel(tmKilo, TextInDouble(maxText) < TextInDouble(tmKilo.text));

    Zeigen(a, QStringLiteral("lblTMGehaltAnzeige"), Formatieren(tm * 100 / s.frischmasse, prozent));
    Zeigen(a, QStringLiteral("lblNELMJAnzeige"), Formatieren(s.nel, QStringLiteral("#,##0.0")));
    Zeigen(a, QStringLiteral("lblNelKonzAnzeige"), Formatieren(s.nel / tm, QStringLiteral("#0.00")));

    Zeigen(a, QStringLiteral("lblUDPGrammAnzeige"), Ganz(s.udp, QStringLiteral("####0")));
    Anzeige& udp = Zeigen(a, QStringLiteral("lblUDPKonzAnzeige"),
                          s.rohprotein == 0 ? QString()
                                            : Formatieren(static_cast<double>(s.udp) * 100 / s.rohprotein, prozent));
    const double udpAnteil = TextInDouble(udp.text);
    Ampel(udp, udpAnteil < 35 || udpAnteil > 38);
    ErgebnisAnteil(a, ErgUDP, udp);

    Zeigen(a, QStringLiteral("lblNFCGrammAnzeige"), Ganz(s.nfc, QStringLiteral("#####0")));
    Anzeige& nfc =
        Zeigen(a, QStringLiteral("lblNFCKonzAnzeige"), Formatieren(static_cast<double>(s.nfc) / tm / 10, prozent));
    const double nfcAnteil = TextInDouble(nfc.text);
    Ampel(nfc, nfcAnteil < 35 || nfcAnteil > 43);
    ErgebnisAnteil(a, ErgNFC, nfc);

    Anzeige& ndfGramm = Zeigen(a, QStringLiteral("lblNDFGrammAnzeige"), QString::number(s.ndf));
    const long ndfMax = TextInLong(AnzeigeVon(a, QStringLiteral("lblNDFGrammMaxAnzeige")).text);
    Ampel(ndfGramm, TextInLong(ndfGramm.text) > ndfMax + 10);
    Anzeige& ndf =
        Zeigen(a, QStringLiteral("lblNDFKonzAnzeige"), Formatieren(static_cast<double>(s.ndf) / tm / 10, prozent));
    Ampel(ndf, TextInDouble(ndf.text) < 28);
    ErgebnisAnteil(a, ErgNDF, ndf);

    Zeigen(a, QStringLiteral("lblNDFGFGrammAnzeige"), QString::number(s.grundfutterNDF));
    Anzeige& gf = Zeigen(a, QStringLiteral("lblNDFGFKonzAnzeige"),
                         s.ndf == 0 ? QString()
                                    : Formatieren(static_cast<double>(s.grundfutterNDF) * 100 / s.ndf,
                                                  QStringLiteral("###0.00")));
    Ampel(gf, TextInDouble(gf.text) < 75);
    ErgebnisAnteil(a, ErgGrundfutterNDF, gf);

    Zeigen(a, QStringLiteral("lblADFGrammAnzeige"), Ganz(s.adf, QStringLiteral("####0")));
    Anzeige& adf =
        Zeigen(a, QStringLiteral("lblADFKonzAnzeige"), Formatieren(static_cast<double>(s.adf) / tm / 10, prozent));
    Ampel(adf, TextInDouble(adf.text) < 18);
    ErgebnisAnteil(a, ErgADF, adf);
    a.ergebnis.anteileGesetzt = !a.ergebnis.spalte.isEmpty();

    ListenZeile l = LeereZeile(ZeilenArt::Kennzahlen);
    l.texte[SpBezeichnung] = QStringLiteral("Kennzahlen");
    l.texte[SpTM] = Formatieren(tm / s.frischmasse, QStringLiteral("Percent"));
    l.texte[SpNEL] = Formatieren(s.nel / tm, prozent) + QStringLiteral("/kg");
    a.zeilen.append(l);
}

void BedarfAnzeigen(Auswertung& a, const TierEingaben& tier)
{
    const Bedarf b = BedarfBerechnen(tier.gewicht, a.fcm);
    a.bedarf = b;

    ErgebnisSpalte& soll = a.ergebnis.soll;
    soll[ErgNEL] = Formatieren(b.nel, QStringLiteral("##0")) + QStringLiteral(" MJ");
    soll[ErgRohprotein] = Formatieren(b.rohprotein, QStringLiteral("####0")) + QStringLiteral(" g");
    soll[ErgUDP] = QStringLiteral("35-38% vom RP");
    soll[ErgNFC] = QStringLiteral("35-43%");
    soll[ErgNDF] = QStringLiteral("min. 28%");
    soll[ErgGrundfutterNDF] = QStringLiteral("75% der NDF");
    soll[ErgADF] = QStringLiteral("min. 18%");
    soll[ErgCalzium] = Formatieren(b.ca, QStringLiteral("##0")) + QStringLiteral(" g");
    soll[ErgPhosphor] = Formatieren(b.p, QStringLiteral("##0")) + QStringLiteral(" g");

    const RationSummen& s = a.summen;
    const double xpDiff = static_cast<double>(s.rohprotein) - b.rohprotein;
    const double nelDiff = s.nel - b.nel;
    const double caDiff = s.ca - b.ca;
    const double pDiff = s.p - b.p;

    const auto zeile = [](ZeilenArt art, const QString& titel, double xp, double nel, double ca, double p) {
        ListenZeile l = LeereZeile(art);
        l.texte[SpBezeichnung] = titel;
        l.texte[SpRohprotein] = Formatieren(xp, QStringLiteral("###,##0"));
        l.texte[SpNEL] = Formatieren(nel, QStringLiteral("#,##0.0"));
        l.texte[SpCa] = Formatieren(ca, QStringLiteral("#,##0.00"));
        l.texte[SpP] = Formatieren(p, QStringLiteral("#,##0.00"));
        return l;
    };
    a.zeilen.append(LeereZeile(ZeilenArt::Leer));
    a.zeilen.append(zeile(ZeilenArt::Bedarf, QStringLiteral("Erhaltungs- und Leistungsbedarf"), b.rohprotein, b.nel,
                          b.ca, b.p));
    a.zeilen.append(zeile(ZeilenArt::Differenz, QStringLiteral("DIFFERENZ"), xpDiff, nelDiff, caDiff, pDiff));
    // A kg of milk is reckoned at 3.1 MJ here, a little below the 3.17 MJ
    // of the requirement, so the milk difference stays on the safe side.
    a.zeilen.append(zeile(ZeilenArt::DifferenzMilch, QStringLiteral("DIFFERENZ in Milch kg"),
                          xpDiff / RohproteinJeKgFCM, nelDiff / 3.1, caDiff / CaJeKgFCM, pDiff / PJeKgFCM));
}

void VersorgungAnzeigen(Auswertung& a, const TierEingaben& tier)
{
    const RationSummen& s = a.summen;
    const auto melden = [&a](const QString& name, double differenz, double toleranz, const QString& unter,
                             const QString& ueber) {
        Anzeige& anzeige = AnzeigeVon(a, name);
        anzeige.gesetzt = true;
        if (differenz < 0) {
            anzeige.text = unter;
            anzeige.sichtbar = true;
            anzeige.hintergrund = Farbe::Hellrot;
            anzeige.textfarbe = FarbeFenstertext;
        } else if (differenz > toleranz) {
            anzeige.text = ueber;
            anzeige.sichtbar = true;
            anzeige.hintergrund = Farbe::Magenta;
            anzeige.textfarbe = 0;
        } else {
            anzeige.text.clear();
            anzeige.sichtbar = false;
            anzeige.hintergrund = 0;
            anzeige.textfarbe = 0;
        }
    };
    melden(QStringLiteral("lblUnterversorgungRohprotein"), static_cast<double>(s.rohprotein) - a.bedarf.rohprotein,
           MilchRohprotein(UeberversorgungMilchKg, SchaetzungEiweiss),
           QStringLiteral("Unterversorgung bei Rohprotein"), QStringLiteral("Überversorgung bei Rohprotein"));
    melden(QStringLiteral("lblUnterversorgungNEL"), s.nel - a.bedarf.nel,
           MilchNEL(UeberversorgungMilchKg, tier.fett, SchaetzungEiweiss), QStringLiteral("Unterversorgung bei NEL"),
           QStringLiteral("Überversorgung bei NEL"));
}

} // namespace kelvora::auswertung

namespace kelvora {

// ----------------------------------------------------------- result window

namespace {

// An amount is shown only when the ration falls short of it.
Abweichung Menge(const QString& ist, const QString& soll, const QString& maske, const QString& einheit)
{
    // An empty figure is no ration to compare, not a ration of 0.
    if (ist.trimmed().isEmpty())
        return {QString(), false};
    const double differenz = TextInDouble(ist) - TextInDouble(soll);
    return {Formatieren(differenz, maske) + einheit, differenz < 0};
}

// A share is compared with its upper limit first, then with the lower one;
// the deviation is the distance to the limit it crossed.
Abweichung Anteil(const QString& ist, std::optional<double> unten, std::optional<double> oben)
{
    if (ist.trimmed().isEmpty())
        return {QString(), false};
    const double wert = TextInDouble(ist);
    // Two decimals, like the shares the deviation comes from.
    const QString maske = QStringLiteral("#0.00");
    if (oben && wert > *oben)
        return {Formatieren(wert - *oben, maske), true};
    if (unten && wert < *unten)
        return {Formatieren(wert - *unten, maske), true};
    return {QString(), false};
}

} // namespace

ErgebnisAbweichungen AbweichungenBerechnen(const ErgebnisSpalte& ist, const ErgebnisSpalte& soll)
{
    const QString mj = QStringLiteral(" MJ");
    const QString g = QStringLiteral(" g");
    ErgebnisAbweichungen a;
    a[ErgNEL] = Menge(ist[ErgNEL], soll[ErgNEL], QStringLiteral("###0"), mj);
    a[ErgRohprotein] = Menge(ist[ErgRohprotein], soll[ErgRohprotein], QStringLiteral("####0"), g);
    a[ErgUDP] = Anteil(ist[ErgUDP], 35, 38);
    a[ErgNFC] = Anteil(ist[ErgNFC], 35, 43);
    a[ErgNDF] = Anteil(ist[ErgNDF], 28, std::nullopt);
    a[ErgGrundfutterNDF] = Anteil(ist[ErgGrundfutterNDF], 75, std::nullopt);
    a[ErgADF] = Anteil(ist[ErgADF], 18, std::nullopt);
    a[ErgCalzium] = Menge(ist[ErgCalzium], soll[ErgCalzium], QStringLiteral("####0"), g);
    a[ErgPhosphor] = Menge(ist[ErgPhosphor], soll[ErgPhosphor], QStringLiteral("####0"), g);
    return a;
}

} // namespace kelvora
