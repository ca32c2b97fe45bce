#pragma once
// The entry mask of the feed editor without its widgets: which boxes exist,
// how typed characters are filtered, how a value typed per kg fresh matter
// turns into the value per kg dry matter and back, and how a stored feed is
// shown. The window copies its boxes into an Eingabemaske, calls these
// functions and copies the texts back.

#include <QString>
#include <array>
#include <optional>

namespace kelvora {

// The value boxes of the editor. FM: per kg fresh matter, TM: per kg dry matter.
enum class Feld : int {
    TM_g,
    XP_gFM,
    XP_gTM,
    UDP_gFM,
    UDP_gTM,
    UDPProzent,
    NDF_gFM,
    NDF_gTM,
    ADF_gFM,
    ADF_gTM,
    NFC_gFM,
    NFC_gTM,
    NEL_MJFM,
    NEL_MJTM,
    NEL_MKalTM,
    Ca_gFM,
    Ca_gTM,
    P_gFM,
    P_gTM,
    // The values of the German standard: optional, 0 means "not entered".
    ME_MJFM,
    ME_MJTM,
    nXP_gFM,
    nXP_gTM,
    RNB_gFM,
    RNB_gTM,
    Mg_gFM,
    Mg_gTM,
    Na_gFM,
    Na_gTM,
    K_gFM,
    K_gTM,
    Cu_mgTM,
    Zn_mgTM,
    Mn_mgTM,
};
inline constexpr int FeldAnzahl = 34;

// The box's objectName, e.g. "txtXP_gFM".
QString FeldName(Feld feld);
std::optional<Feld> FeldNachName(const QString& name);

// Decimal boxes (NEL, Ca, P, ME, RNB, the minerals and trace elements) are
// shown as "#0.00", all others are whole-number boxes shown as "##0".
bool IstDezimalfeld(Feld feld);
QString FeldFormat(Feld feld);
// Every box but txtUDP_gFM and the RNB boxes filters the typed characters;
// an RNB may be negative, which the filter's digits and comma cannot type.
bool HatTastenfilter(Feld feld);

// A box's text read with the strict number reader (grundlagen/ZahlText.h):
// an empty box is 0, a whole-number box drops the decimals (as far as the
// user can type, digits and one comma, this is what TextInLong and
// TextInDouble give). Nothing for a text that is no number ("1e308", "-",
// "1,234.5"), which the checks before saving refuse.
std::optional<double> BoxZahl(const QString& text, bool dezimal);
std::optional<double> FeldZahl(Feld feld, const QString& text);
// The same with 0 for a text that is no number: what the conversions while
// typing use.
double FeldWert(Feld feld, const QString& text);

// ----------------------------------------------------------- key filters

// Control characters that always pass: Backspace, copy, paste, cut and
// select-all (without it, Ctrl+A followed by digits would append them).
inline constexpr char16_t ZeichenRueckschritt = 8;
inline constexpr char16_t ZeichenKopieren = 3;
inline constexpr char16_t ZeichenEinfuegen = 22;
inline constexpr char16_t ZeichenAusschneiden = 24;
inline constexpr char16_t ZeichenEingabe = 13;
inline constexpr char16_t ZeichenAllesMarkieren = 1;  // Ctrl+A

// What a number box makes of a typed character: the character to insert, or
// a null QChar when it is discarded. Digits and the control characters
// above pass; a comma only in a decimal
// box whose text holds no comma yet, a full stop becomes such a comma.
QChar ZahlZeichenFiltern(QChar zeichen, bool dezimal, const QString& bisherigerText);

// The text-entry filter for names and search texts: letters A to Z, digits,
// German umlauts and a fixed set of punctuation pass; Enter and every other
// character (quotes, @, #, *, ;, brackets, accented letters ...) are
// discarded, because such names break the exchanged feed files.
bool TextZeichenErlaubt(QChar zeichen);

// The control that Enter moves the focus to from `name`, or "" at the end of
// the chain ("cmdSpeichern" is the last stop).
QString NaechstesEingabefeld(const QString& name);

// ----------------------------------------------------------- the mask

struct Eingabemaske {
    std::array<QString, FeldAnzahl> texte;
    int gruppenIndex = -1; // list index in cmbFutterArt, -1: nothing selected
    long gruppe = 0; // item data of the selected group
    QString bezeichnung;
    QString idAnzeige; // caption of lblIDAnzeige; "" or "0" is a new feed
    QString preis; // txtPreis, € per dt fresh matter; not converted with the dry matter
    // The texts shown for an nXP or RNB that the program completed (empty:
    // entered). Saved unchanged, such a value is completed again from the
    // saved XP, UDP and ME, so it follows them and keeps its mark.
    QString nXPBerechnet, rnbBerechnet;

    QString& operator[](Feld f) { return texte[static_cast<size_t>(f)]; }
    const QString& operator[](Feld f) const { return texte[static_cast<size_t>(f)]; }
    double Wert(Feld f) const { return FeldWert(f, (*this)[f]); }
    // Empties every value box and the ID; group and name stay.
    void WerteLeeren();
};

// True when jetzt holds anything the user would lose against geladen (what
// the boxes showed after loading, clearing or saving): another group, name
// or price, or another number in any box. A box counts by its number, so
// "6" after "6,00" or a value typed back to the loaded one is no change; a
// text that reads as no number counts by its text.
bool MaskeGeaendert(const Eingabemaske& geladen, const Eingabemaske& jetzt);

// After a key that changes a number (Backspace, Delete, a digit) went up in
// box `getippt`: writes the partner box and the derived boxes. Without a dry
// matter the user is told to enter it first, every value box and the ID are
// emptied and the partners show 0. Returns true in that case (the caller puts
// the focus into txtTM_g).
bool NachEingabeUmrechnen(Eingabemaske& maske, Feld getippt);

// Recomputes the FM column, the UDP share and the Mcal box from the TM column
// after the dry matter changed.
void NeuBerechnen(Eingabemaske& maske);

// ----------------------------------------------------------- price

// The price box: € per dt fresh matter with at most two decimals, from 0 to
// 10 000; an empty box means that no price is known (stored as empty).
inline constexpr double PreisHoechstens = 10000;
struct PreisEingabe {
    bool gueltig = true;
    std::optional<double> preis;
};
PreisEingabe PreisLesen(const QString& text);
// "24,50"; "" without a price.
QString PreisText(std::optional<double> preis);

// ----------------------------------------------------------- stored feed

// The columns of a feed the editor shows and writes.
struct Stammdaten {
    long gruppe = 0; // FutterArtIOFC
    QString bezeichnung;
    double TM_g = 0;
    double XP_gTM = 0;
    double UDP_gTM = 0;
    double NDF_gTM = 0;
    double ADF_gTM = 0;
    double NFC_gTM = 0;
    double NEL_MJTM = 0;
    double Ca_gTM = 0;
    double P_gTM = 0;
    double ME_MJTM = 0, nXP_gTM = 0, RNB_gTM = 0, Mg_gTM = 0, Na_gTM = 0, K_gTM = 0;
    double Cu_mgTM = 0, Zn_mgTM = 0, Mn_mgTM = 0;
    std::optional<double> preis; // Preis, € per dt FM; none: no price known
};

// Whether the stored nXP and RNB are the program's completion ("berechnet").
bool nXPIstBerechnet(const Stammdaten& futter);
bool RNBIstBerechnet(const Stammdaten& futter);

// The boxes for a stored feed (group and ID are set by the caller). Without a
// dry matter only name and TM_g are shown. Notes a completed nXP and RNB.
void MaskeFuellen(Eingabemaske& maske, const Stammdaten& futter);

// The values to store: TM_g, NDF, ADF and NFC as whole numbers, the others as
// decimals, all from the TM column; the trimmed name.
Stammdaten StammdatenAusMaske(const Eingabemaske& maske);

} // namespace kelvora
