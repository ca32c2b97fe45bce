#include "feeds/StammdatenMaske.h"

#include "feeds/FutterbezogeneRoutinen.h"
#include "frame/Oberflaeche.h"
#include "grundlagen/Formate.h"
#include "grundlagen/Textbereinigung.h"
#include "grundlagen/ZahlText.h"

#include <QHash>
#include <QRegularExpression>
#include <cmath>

namespace kelvora {

namespace {

constexpr const char* Namen[FeldAnzahl] = {
    "txtTM_g",
    "txtXP_gFM",
    "txtXP_gTM",
    "txtUDP_gFM",
    "txtUDP_gTM",
    "txtUDPProzent",
    "txtNDF_gFM",
    "txtNDF_gTM",
    "txtADF_gFM",
    "txtADF_gTM",
    "txtNFC_gFM",
    "txtNFC_gTM",
    "txtNEL_MJFM",
    "txtNEL_MJTM",
    "txtNEL_MKalTM",
    "txtCa_gFM",
    "txtCa_gTM",
    "txtP_gFM",
    "txtP_gTM",
    "txtME_MJFM",
    "txtME_MJTM",
    "txtnXP_gFM",
    "txtnXP_gTM",
    "txtRNB_gFM",
    "txtRNB_gTM",
    "txtMg_gFM",
    "txtMg_gTM",
    "txtNa_gFM",
    "txtNa_gTM",
    "txtK_gFM",
    "txtK_gTM",
    "txtCu_mgTM",
    "txtZn_mgTM",
    "txtMn_mgTM",
};

const QString FormatGanz = QStringLiteral("##0");
const QString FormatDezimal = QStringLiteral("#0.00");

// FM and TM box of every nutrient that is converted through the dry matter.
struct Paar {
    Feld fm;
    Feld tm;
};
constexpr Paar Paare[] = {
    { Feld::XP_gFM, Feld::XP_gTM },
    { Feld::UDP_gFM, Feld::UDP_gTM },
    { Feld::NDF_gFM, Feld::NDF_gTM },
    { Feld::ADF_gFM, Feld::ADF_gTM },
    { Feld::NFC_gFM, Feld::NFC_gTM },
    { Feld::NEL_MJFM, Feld::NEL_MJTM },
    { Feld::Ca_gFM, Feld::Ca_gTM },
    { Feld::P_gFM, Feld::P_gTM },
    { Feld::ME_MJFM, Feld::ME_MJTM },
    { Feld::nXP_gFM, Feld::nXP_gTM },
    { Feld::RNB_gFM, Feld::RNB_gTM },
    { Feld::Mg_gFM, Feld::Mg_gTM },
    { Feld::Na_gFM, Feld::Na_gTM },
    { Feld::K_gFM, Feld::K_gTM },
};

std::optional<Paar> PaarVon(Feld f)
{
    for (const Paar& p : Paare)
        if (p.fm == f || p.tm == f)
            return p;
    return std::nullopt;
}

QString Zeigen(Feld f, double wert)
{
    return Formatieren(wert, FeldFormat(f));
}

void TrockenmasseFehltMelden()
{
    MsgBox(QStringLiteral("Sie müssen zuerst die Trockenmasse in einem Kilo Frischmasse eingeben, bevor sie andere "
                          "Werte eingeben können, da dieser Wert für die Umrechnung zwischen Frischmasse und "
                          "Trockenmasse benötigt wird!"),
        Knoepfe::OK, Symbol::Ausrufezeichen);
}

void UDPAnteilSetzen(Eingabemaske& m, double udp, double xp)
{
    if (xp > 0)
        m[Feld::UDPProzent] = Zeigen(Feld::UDPProzent, udp * 100 / xp);
}

void McalSetzen(Eingabemaske& m)
{
    m[Feld::NEL_MKalTM] = Zeigen(Feld::NEL_MKalTM, MJinMcal(m.Wert(Feld::NEL_MJTM)));
}

} // namespace

QString FeldName(Feld feld)
{
    return QString::fromLatin1(Namen[static_cast<int>(feld)]);
}

std::optional<Feld> FeldNachName(const QString& name)
{
    for (int i = 0; i < FeldAnzahl; ++i)
        if (name == QLatin1String(Namen[i]))
            return static_cast<Feld>(i);
    return std::nullopt;
}

bool IstDezimalfeld(Feld feld)
{
    switch (feld) {
    case Feld::NEL_MJFM:
    case Feld::NEL_MJTM:
    case Feld::NEL_MKalTM:
    case Feld::Ca_gFM:
    case Feld::Ca_gTM:
    case Feld::P_gFM:
    case Feld::P_gTM:
        return true;
    default:
        // Of the German values only nXP is whole grams, like XP.
        return feld >= Feld::ME_MJFM && feld != Feld::nXP_gFM && feld != Feld::nXP_gTM;
    }
}

QString FeldFormat(Feld feld)
{
    return IstDezimalfeld(feld) ? FormatDezimal : FormatGanz;
}

bool HatTastenfilter(Feld feld)
{
    return feld != Feld::UDP_gFM && feld != Feld::RNB_gFM && feld != Feld::RNB_gTM;
}

std::optional<double> BoxZahl(const QString& text, bool dezimal)
{
    if (text.trimmed().isEmpty())
        return 0.0;
    const std::optional<double> z = ZahlAusText(text);
    if (!z || dezimal)
        return z;
    return std::trunc(*z);
}

std::optional<double> FeldZahl(Feld feld, const QString& text)
{
    return BoxZahl(text, IstDezimalfeld(feld));
}

double FeldWert(Feld feld, const QString& text)
{
    return FeldZahl(feld, text).value_or(0);
}

QChar ZahlZeichenFiltern(QChar zeichen, bool dezimal, const QString& bisherigerText)
{
    const char16_t c = zeichen.unicode();
    if ((c >= u'0' && c <= u'9') || c == ZeichenRueckschritt || c == ZeichenKopieren || c == ZeichenEinfuegen
        || c == ZeichenAusschneiden || c == ZeichenAllesMarkieren)
        return zeichen;
    if ((c == u',' || c == u'.') && dezimal && !bisherigerText.contains(QLatin1Char(',')))
        return QLatin1Char(',');
    return {};
}

bool TextZeichenErlaubt(QChar zeichen)
{
    const char16_t c = zeichen.unicode();
    if ((c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'))
        return true;
    if (c == ZeichenRueckschritt || c == ZeichenKopieren || c == ZeichenEinfuegen || c == ZeichenAusschneiden
        || c == ZeichenAllesMarkieren)
        return true;
    static const QString erlaubt = QStringLiteral(" -.+:!$%&(),/=?_`§´°ÄÖÜäöüß");
    return erlaubt.contains(zeichen);
}

QString NaechstesEingabefeld(const QString& name)
{
    static const QHash<QString, QString> kette = [] {
        QHash<QString, QString> k;
        k.insert(QStringLiteral("cmbFutterArt"), QStringLiteral("txtBezeichnung"));
        k.insert(QStringLiteral("txtBezeichnung"), QStringLiteral("txtTM_g"));
        k.insert(QStringLiteral("txtTM_g"), QStringLiteral("txtXP_gTM"));
        // Down each column: XP, UDP, NDF, ADF, NFC, NEL, Ca, P, then the save button.
        for (const char* spalte : { "FM", "TM" }) {
            const QString s = QLatin1String(spalte);
            const QStringList folge
                = { QStringLiteral("txtXP_g") + s, QStringLiteral("txtUDP_g") + s, QStringLiteral("txtNDF_g") + s,
                      QStringLiteral("txtADF_g") + s, QStringLiteral("txtNFC_g") + s, QStringLiteral("txtNEL_MJ") + s,
                      QStringLiteral("txtCa_g") + s, QStringLiteral("txtP_g") + s, QStringLiteral("txtME_MJ") + s,
                      QStringLiteral("txtnXP_g") + s, QStringLiteral("txtRNB_g") + s, QStringLiteral("txtMg_g") + s,
                      QStringLiteral("txtNa_g") + s, QStringLiteral("txtK_g") + s, QStringLiteral("cmdSpeichern") };
            for (qsizetype i = 0; i + 1 < folge.size(); ++i)
                k.insert(folge[i], folge[i + 1]);
        }
        k.insert(QStringLiteral("txtUDPProzent"), QStringLiteral("txtNDF_gTM"));
        k.insert(QStringLiteral("txtNEL_MKalTM"), QStringLiteral("txtCa_gTM"));
        k.insert(QStringLiteral("txtK_gTM"), QStringLiteral("txtCu_mgTM"));
        k.insert(QStringLiteral("txtCu_mgTM"), QStringLiteral("txtZn_mgTM"));
        k.insert(QStringLiteral("txtZn_mgTM"), QStringLiteral("txtMn_mgTM"));
        k.insert(QStringLiteral("txtMn_mgTM"), QStringLiteral("cmdSpeichern"));
        k.insert(QStringLiteral("txtPreis"), QStringLiteral("cmdSpeichern"));
        return k;
    }();
    return kette.value(name);
}

PreisEingabe PreisLesen(const QString& text)
{
    static const QRegularExpression muster(QStringLiteral(R"(^[0-9]{1,5}([.,][0-9]{1,2})?$)"));
    const QString t = text.trimmed();
    if (t.isEmpty())
        return {};
    if (!muster.match(t).hasMatch())
        return { false, std::nullopt };
    const double wert = ZahlAusText(t).value_or(0);
    if (wert > PreisHoechstens)
        return { false, std::nullopt };
    return { true, wert };
}

QString PreisText(std::optional<double> preis)
{
    return preis ? Formatieren(*preis, QStringLiteral("#0.00")) : QString();
}

void Eingabemaske::WerteLeeren()
{
    for (QString& t : texte)
        t.clear();
    idAnzeige.clear();
}

bool MaskeGeaendert(const Eingabemaske& geladen, const Eingabemaske& jetzt)
{
    const auto name = [](const Eingabemaske& m) { return OhneSteuerzeichen(m.bezeichnung).trimmed(); };
    if (geladen.gruppenIndex != jetzt.gruppenIndex || name(geladen) != name(jetzt))
        return true;
    const PreisEingabe preisVorher = PreisLesen(geladen.preis);
    const PreisEingabe preisJetzt = PreisLesen(jetzt.preis);
    if (preisVorher.gueltig && preisJetzt.gueltig ? preisVorher.preis != preisJetzt.preis
                                                  : geladen.preis.trimmed() != jetzt.preis.trimmed())
        return true;
    for (int i = 0; i < FeldAnzahl; ++i) {
        const Feld f = static_cast<Feld>(i);
        const std::optional<double> vorher = FeldZahl(f, geladen[f]);
        const std::optional<double> nachher = FeldZahl(f, jetzt[f]);
        if (vorher && nachher ? *vorher != *nachher : geladen[f].trimmed() != jetzt[f].trimmed())
            return true;
    }
    return false;
}

bool NachEingabeUmrechnen(Eingabemaske& m, Feld getippt)
{
    if (getippt == Feld::TM_g)
        return false; // the user recomputes with cmdNeuBerechnen after changing it
    const double wert = m.Wert(getippt);
    const double tm = m.Wert(Feld::TM_g);
    const bool ohneTrockenmasse = tm == 0;
    if (ohneTrockenmasse) {
        TrockenmasseFehltMelden();
        m.WerteLeeren();
    }

    if (getippt == Feld::UDPProzent) {
        // The share needs a crude protein to refer to; without one nothing changes.
        if (ohneTrockenmasse) {
            m[Feld::UDP_gTM] = Zeigen(Feld::UDP_gTM, 0);
            m[Feld::UDP_gFM] = Zeigen(Feld::UDP_gFM, 0);
        } else if (m.Wert(Feld::XP_gTM) > 0) {
            const double udpTM = m.Wert(Feld::XP_gTM) * wert / 100;
            m[Feld::UDP_gTM] = Zeigen(Feld::UDP_gTM, udpTM);
            m[Feld::UDP_gFM] = Zeigen(Feld::UDP_gFM, TMinFM(udpTM, tm));
        }
        return ohneTrockenmasse;
    }

    if (getippt == Feld::NEL_MKalTM) {
        const double mjTM = ohneTrockenmasse ? 0 : McalInMJ(wert);
        m[Feld::NEL_MJTM] = Zeigen(Feld::NEL_MJTM, mjTM);
        m[Feld::NEL_MJFM] = Zeigen(Feld::NEL_MJFM, TMinFM(mjTM, tm));
        return ohneTrockenmasse;
    }

    const std::optional<Paar> paar = PaarVon(getippt);
    if (!paar)
        return ohneTrockenmasse;
    const bool ausFM = getippt == paar->fm;
    const Feld partner = ausFM ? paar->tm : paar->fm;
    const double umgerechnet = ohneTrockenmasse ? 0 : (ausFM ? FMinTM(wert, tm) : TMinFM(wert, tm));
    m[partner] = Zeigen(partner, umgerechnet);

    if (getippt == Feld::UDP_gFM)
        UDPAnteilSetzen(m, wert, m.Wert(Feld::XP_gFM));
    else if (getippt == Feld::UDP_gTM)
        UDPAnteilSetzen(m, wert, m.Wert(Feld::XP_gTM));
    else if (getippt == Feld::NEL_MJFM || getippt == Feld::NEL_MJTM)
        McalSetzen(m);
    return ohneTrockenmasse;
}

void NeuBerechnen(Eingabemaske& m)
{
    const double tm = m.Wert(Feld::TM_g);
    for (const Paar& p : Paare)
        m[p.fm] = Zeigen(p.fm, TMinFM(m.Wert(p.tm), tm));
    UDPAnteilSetzen(m, m.Wert(Feld::UDP_gTM), m.Wert(Feld::XP_gTM));
    McalSetzen(m);
}

void MaskeFuellen(Eingabemaske& m, const Stammdaten& f)
{
    m.bezeichnung = f.bezeichnung.trimmed();
    m.preis = PreisText(f.preis);
    m[Feld::TM_g] = Zeigen(Feld::TM_g, f.TM_g);
    if (f.TM_g <= 0)
        return;
    const std::pair<Paar, double> werte[] = {
        { Paare[0], f.XP_gTM },
        { Paare[1], f.UDP_gTM },
        { Paare[2], f.NDF_gTM },
        { Paare[3], f.ADF_gTM },
        { Paare[4], f.NFC_gTM },
        { Paare[5], f.NEL_MJTM },
        { Paare[6], f.Ca_gTM },
        { Paare[7], f.P_gTM },
        { Paare[8], f.ME_MJTM },
        { Paare[9], f.nXP_gTM },
        { Paare[10], f.RNB_gTM },
        { Paare[11], f.Mg_gTM },
        { Paare[12], f.Na_gTM },
        { Paare[13], f.K_gTM },
    };
    for (const auto& [p, wert] : werte) {
        m[p.tm] = Zeigen(p.tm, wert);
        // Whole-number boxes show what the whole numbers give, as the user
        // would compute it from the shown values.
        const double fm = IstDezimalfeld(p.tm) ? TMinFM(wert, f.TM_g)
                                               : TMinFM(static_cast<double>(R(wert)), static_cast<double>(R(f.TM_g)));
        m[p.fm] = Zeigen(p.fm, fm);
    }
    if (f.XP_gTM > 0)
        m[Feld::UDPProzent] = Formatieren(f.UDP_gTM * 100 / f.XP_gTM, QStringLiteral("#0"));
    m[Feld::NEL_MKalTM] = Zeigen(Feld::NEL_MKalTM, MJinMcal(f.NEL_MJTM));
    m[Feld::Cu_mgTM] = Zeigen(Feld::Cu_mgTM, f.Cu_mgTM);
    m[Feld::Zn_mgTM] = Zeigen(Feld::Zn_mgTM, f.Zn_mgTM);
    m[Feld::Mn_mgTM] = Zeigen(Feld::Mn_mgTM, f.Mn_mgTM);
    m.nXPBerechnet = nXPIstBerechnet(f) ? m[Feld::nXP_gTM] : QString();
    m.rnbBerechnet = RNBIstBerechnet(f) ? m[Feld::RNB_gTM] : QString();
}

namespace {

Eiweisswerte EiweissVon(const Stammdaten& f)
{
    return { f.XP_gTM, f.UDP_gTM, f.ME_MJTM, f.nXP_gTM, f.RNB_gTM };
}

} // namespace

bool nXPIstBerechnet(const Stammdaten& f)
{
    return nXPBerechnet(EiweissVon(f));
}

bool RNBIstBerechnet(const Stammdaten& f)
{
    return RNBBerechnet(EiweissVon(f));
}

Stammdaten StammdatenAusMaske(const Eingabemaske& m)
{
    // The checks before saving refuse what does not read; 0 stands in only
    // for callers that store without them.
    auto ganz = [&](Feld f) { return BoxZahl(m[f], false).value_or(0); };
    auto dezimal = [&](Feld f) { return BoxZahl(m[f], true).value_or(0); };
    Stammdaten s;
    s.gruppe = m.gruppe;
    // A pasted tab or line break would break the list's columns and the
    // exchanged file.
    s.bezeichnung = OhneSteuerzeichen(m.bezeichnung).trimmed();
    s.TM_g = ganz(Feld::TM_g);
    s.ADF_gTM = ganz(Feld::ADF_gTM);
    s.NDF_gTM = ganz(Feld::NDF_gTM);
    s.NFC_gTM = ganz(Feld::NFC_gTM);
    s.XP_gTM = dezimal(Feld::XP_gTM);
    s.UDP_gTM = dezimal(Feld::UDP_gTM);
    s.NEL_MJTM = dezimal(Feld::NEL_MJTM);
    s.Ca_gTM = dezimal(Feld::Ca_gTM);
    s.P_gTM = dezimal(Feld::P_gTM);
    s.ME_MJTM = dezimal(Feld::ME_MJTM);
    s.nXP_gTM = ganz(Feld::nXP_gTM);
    s.RNB_gTM = dezimal(Feld::RNB_gTM);
    s.Mg_gTM = dezimal(Feld::Mg_gTM);
    s.Na_gTM = dezimal(Feld::Na_gTM);
    s.K_gTM = dezimal(Feld::K_gTM);
    s.Cu_mgTM = dezimal(Feld::Cu_mgTM);
    s.Zn_mgTM = dezimal(Feld::Zn_mgTM);
    s.Mn_mgTM = dezimal(Feld::Mn_mgTM);
    // A completed value left as it was shown is completed again from what is
    // saved now; one typed over is the user's.
    const bool nXPNeu = !m.nXPBerechnet.isEmpty() && m[Feld::nXP_gTM] == m.nXPBerechnet;
    const bool rnbNeu = !m.rnbBerechnet.isEmpty() && m[Feld::RNB_gTM] == m.rnbBerechnet;
    if (nXPNeu || rnbNeu) {
        Energiewerte energie { s.ME_MJTM, s.NEL_MJTM };
        EnergieErgaenzen(energie);
        Eiweisswerte e { s.XP_gTM, s.UDP_gTM, energie.ME_MJTM, nXPNeu ? 0.0 : s.nXP_gTM, rnbNeu || nXPNeu ? 0.0 : s.RNB_gTM };
        EiweissErgaenzen(e);
        s.nXP_gTM = e.nXP_gTM;
        if (rnbNeu || (nXPNeu && s.RNB_gTM == 0))
            s.RNB_gTM = e.RNB_gTM;
    }
    // The checks before saving refuse a price that does not read.
    s.preis = PreisLesen(m.preis).preis;
    return s;
}

} // namespace kelvora
