#pragma once
// The feed record: its value codes, the two feed classifications, unit
// conversions between fresh and dry matter, and the deletion of a feed with
// its usage check. Logic only; the combo-box filling lives in
// feeds/ui/FutterArtenListeFuellen.h.

#include <QHash>
#include <QList>
#include <QString>
#include <QVariant>

#include <memory>

namespace kelvora {

class Verbindung;

// Value codes of FutterWert. 55 to 68 are 5 to 18 per kg fresh matter.
namespace FutterCode {
enum : int {
    ArtName = 1, // Bezeichnung of the FutterArten row of FutterArt
    Bezeichnung = 2,
    ArtUndBezeichnung = 3, // ART IN CAPITALS + " - " + Bezeichnung
    TM_g = 4,
    nXP_gTM = 5,
    XP_gTM = 6,
    NEL_MJTM = 7,
    XF_gTM = 8,
    RNB_gTM = 9,
    ME_MJTM = 10,
    Ca_gTM = 11,
    P_gTM = 12,
    Mg_gTM = 13,
    K_gTM = 14,
    Na_gTM = 15,
    Cu_mgTM = 16,
    Zn_mgTM = 17,
    Mn_mgTM = 18,
    FutterArt = 19, // as Long (qint32)
    ArtKurzName = 20, // KurzBezeichnung of the FutterArten row
    Verfuegbarkeit = 21, // as Integer (qint16)
    NDF_gTM = 22,
    UDP_gTM = 23,
    ADF_gTM = 24,
    NFC_gTM = 25,
    FrischmasseVersatz = 50, // 55..68 = (5..18) + 50, per kg FM
    PreisJeKgFM = 72, // Preis / 100
    PreisJeKgTM = 73, // Preis * 1000 / TM_g, empty when TM_g <= 0
};
} // namespace FutterCode

// One value of a feed by its code, read on an open connection to the feed
// database that the caller keeps open across many calls. Completes a missing
// ME or NEL, then a missing nXP and RNB in the table first (see
// EnergieErgaenzen and EiweissErgaenzen), whatever code is asked.
// Texts (codes 1 to 3, 20) come back as QString, code 19 as qint32, code 21
// as qint16, every other code as double. An unknown code, a missing feed or
// code 73 without dry matter gives an empty (invalid) QVariant, which reads
// as 0 or "".
QVariant FutterWert(Verbindung& verbindung, long futterID, int code);

// Several values of one feed from a single read of its row, in the order of
// codes; each entry equals what FutterWert gives for that code (same types,
// same empty values, same energy completion stored once).
QList<QVariant> FutterWerte(Verbindung& verbindung, long futterID, const QList<int>& codes);

// Reads feed values on one open connection for the length of a run (a ration
// evaluation, a list): the type names of FutterArten are looked up once per
// type on that connection, and the statements are prepared once per set of
// columns. Must not outlive the connection.
class FutterLeser {
public:
    explicit FutterLeser(Verbindung& verbindung);
    ~FutterLeser();
    FutterLeser(const FutterLeser&) = delete;
    FutterLeser& operator=(const FutterLeser&) = delete;

    // As FutterWerte.
    QList<QVariant> Werte(long futterID, const QList<int>& codes);

    // The same for many feeds at once: their rows are read in one query
    // (instead of one per feed), and the values completed on the way are
    // written in one transaction, unless the caller's read transaction holds
    // the connection (then its commit keeps them). A feed that does not
    // exist is missing from the result.
    QHash<long, QList<QVariant>> VieleWerte(const QList<long>& futterIDs, const QList<int>& codes);

    // The columns of Futtermittel that VieleWerte reads for these codes, in
    // the order of its rows' fields.
    static QStringList Spalten(const QList<int>& codes);
    // As VieleWerte, for rows the caller has read itself (fields in the order
    // of Spalten(codes), by feed ID), so that a query that reads the feeds
    // anyway serves both.
    QHash<long, QList<QVariant>> WerteAusZeilen(
        const QHash<long, QVariantList>& zeilen, const QList<long>& futterIDs, const QList<int>& codes);

private:
    struct Intern;
    std::unique_ptr<Intern> d;
};

// ----------------------------------------------------------- energy values

// NEL is taken as this share of ME when one of the two is missing.
inline constexpr double NELAnteilAnME = 0.6;

struct Energiewerte {
    double ME_MJTM = 0;
    double NEL_MJTM = 0;
};

// Fills in ME = NEL / 0.6 when only NEL is known, or NEL = ME * 0.6 when only
// ME is known. Nothing changes when both are 0 or both are set. True when a
// value was filled in.
bool EnergieErgaenzen(Energiewerte& werte);

// ----------------------------------------------------------- protein values

// Usable crude protein at the duodenum, g per kg DM, estimated from crude
// protein and undegraded protein (g per kg DM) and ME (MJ per kg DM):
// (11.93 - 6.82 * UDP / XP) * ME + 1.03 * UDP. 0 without XP.
double nXPSchaetzen(double xp, double udp, double me);
// Ruminal nitrogen balance, g N per kg DM: (XP - nXP) / 6.25, since protein
// holds one gram of nitrogen in 6.25 grams.
double RNBAusXP(double xp, double nXP);

struct Eiweisswerte {
    double XP_gTM = 0;
    double UDP_gTM = 0;
    double ME_MJTM = 0;
    double nXP_gTM = 0;
    double RNB_gTM = 0;
};

struct EiweissErgaenzung {
    bool nXP = false;
    bool RNB = false;
};

// Fills in nXP with the estimate when it is 0 and XP, UDP and ME are known;
// then RNB from XP and nXP when it is 0 and the balance is not. A feed
// without XP (a mineral) keeps its zeros. Says which value was filled in.
EiweissErgaenzung EiweissErgaenzen(Eiweisswerte& werte);

// Whether a stored nXP or RNB is the completion above rather than a value
// somebody entered: it is exactly what the formula gives from the feed's own
// XP, UDP and ME (for RNB: XP and nXP). The editor marks such a value
// "berechnet"; a value typed over it, or an XP changed since, loses the mark.
bool nXPBerechnet(const Eiweisswerte& werte);
bool RNBBerechnet(const Eiweisswerte& werte);

// ----------------------------------------------------------- conversions

// Energy in Mcal: MJ * 0.454 / 4.183, and back Mcal / 0.454 * 4.183. The
// factors are kept as the feed tables use them, not as 1/4.184.
inline constexpr double McalFaktor = 0.454;
inline constexpr double MJjeKcalFaktor = 4.183;

// Value per kg fresh matter from value per kg dry matter: wert * tm_g / 1000.
double TMinFM(double wertJeKgTM, double tm_g);
// Value per kg dry matter from value per kg fresh matter: wert * 1000 / tm_g;
// 0 when tm_g is 0 (nothing can be converted without dry matter).
double FMinTM(double wertJeKgFM, double tm_g);
double MJinMcal(double mj);
double McalInMJ(double mcal);

// ----------------------------------------------------------- classifications

// The five fixed feed groups of FutterArtIOFC.
inline constexpr int FutterGruppenAnzahl = 5;
// "Grundfutter", "Energieträger", "Eiweißträger", "Industrielle
// Nebenprodukte", "Mineralfutter" for 1 to 5; "" for any other code.
QString FutterGruppenName(int code);
// The first entry of a group combo box, item data 0: no filter.
QString AlleFuttermittelText(); // "Alle Futtermittel"

// welche = 1: Bezeichnung, welche = 2: KurzBezeichnung of the FutterArten
// row with that ID; "" when the row is missing or welche is another number.
// Opens a read-only connection of its own.
QString FutterArtName(int artID, int welche);
// The same on a connection to the feed database the caller holds open.
QString FutterArtName(Verbindung& verbindung, int artID, int welche);

// One entry of a feed-type combo box: shown text and item data.
struct FutterArtEintrag {
    long id = 0;
    QString text;
    bool operator==(const FutterArtEintrag&) const = default;
};

// The entries a feed-type combo box receives, in order: "Alle Futtermittel"
// (0) unless ohneAlle, then either the five fixed groups (1 to 5) or every
// row of FutterArten ordered by ID.
QList<FutterArtEintrag> FutterArtenEintraege(bool ohneAlle, bool festeGruppen);

// Index to select among the shown texts: -1 when auswahl is "" or the list
// is empty; else the last entry whose text equals auswahl, searching from
// the end; 0 (the first entry) when none matches.
int FutterArtenAuswahlIndex(const QStringList& texte, const QString& auswahl);

// ----------------------------------------------------------- deletion

// True when Ration, RationenInhalt, RationFürTier, Reihung (FutterID) or
// Zukauf (Futtermittel) refer to the feed. False for ID 0 without a query.
bool FutterWirdVerwendet(long futterID);

// Deletes the feed after the usage check and a Yes/No question (No is the
// default). True when it was deleted.
[[nodiscard]] bool FutterLoeschen(long futterID);

// False (with a line in the error log) when a feed database path is set and
// the file is missing; otherwise true.
bool AlleWichtigenDBvorhanden();

} // namespace kelvora
