#pragma once
// Evaluation of the current ration: from the rows of table Ration, the feed
// values and the animal inputs to every text the ration window and the
// result window show. Plain data in, plain data out; the windows only render
// what comes back.

#include "ration/Bedarf.h"

#include <QHash>
#include <QList>
#include <QSqlRecord>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <array>
#include <functional>
#include <memory>
#include <optional>

namespace kelvora {

class Verbindung;

// The system colour for window text, set as the text colour of every label
// the limit check colours.
inline constexpr qint64 FarbeFenstertext = 0x80000008;

// ----------------------------------------------------------------- inputs

// The animal inputs as the ration window reads them: the weight is the item
// number of the selected weight class, milk and fat are the texts of
// txtMilch and txtFett through TextInDouble.
struct TierEingaben {
    long gewicht = 650;  // W, kg
    double milch = 0;    // M, kg per day
    double fett = 0;     // F, %
    double eiweiss = 3.4;  // milk protein, %: only the nXP requirement uses it
    int monat = 1;       // calendar month for the intake estimate (1..12)
    std::optional<double> milchpreis;  // € per kg milk; none: no income over feed cost
    QString letzterAusgleich;  // "NDF", "TM" or empty
    bool tmAusgeglichen = false;
    bool ndfAusgeglichen = false;
};

// One row of table Ration.
struct RationZeile {
    long id = 0;
    long futterID = 0;
    double frischMenge = 0;    // FutterFrischMenge, kg FM per day
    double prozentAnteil = 0;  // ProzentAnteil
    int fixeMenge = 1;         // 1 fixed amount, 0 free feed
};

// One row of table Ration from a record of its columns. A FixeMenge that is
// NULL, missing or any other "true" (-1 of older files) reads as fixed: only
// an explicit 0 frees a feed for the balancing, so a fixed amount is never
// overwritten by accident.
RationZeile RationZeileAus(const QSqlRecord& satz);
// The same from the five fields ID, FutterID, FutterFrischMenge,
// ProzentAnteil and FixeMenge.
RationZeile RationZeileAus(const std::array<QVariant, 5>& felder);

// A feed value by feed number and value code (FutterCode); an empty QVariant
// reads as 0 or "". The program reads through FutterWert; tests hand in
// values of their own.
using FutterWertFunktion = std::function<QVariant(long futterID, int code)>;

// A feed value as a number: an empty value reads as 0.
double WertAlsZahl(const QVariant& wert);

// The feed values of one run on an open connection: each feed is read once,
// with every value the evaluation and the costs ask for, however many rows
// (or rations) name it. Must not outlive the connection.
class FutterWerteLeser {
public:
    explicit FutterWerteLeser(Verbindung& verbindung);
    ~FutterWerteLeser();
    FutterWerteLeser(const FutterWerteLeser&) = delete;
    FutterWerteLeser& operator=(const FutterWerteLeser&) = delete;

    // Reads these feeds in one query, and completes their missing energy
    // values in one transaction (or the caller's read transaction), instead
    // of one query and one write per feed.
    void Vorlesen(const QList<long>& futterIDs);
    // The same for rows the caller read itself: fields in the order of
    // Spalten(), by feed ID.
    void Vorlesen(const QHash<long, QVariantList>& zeilen);
    // The columns of Futtermittel the reader needs.
    static const QStringList& Spalten();
    // The values as FutterWert gives them; valid as long as the reader lives.
    FutterWertFunktion Funktion();

private:
    struct Intern;
    std::unique_ptr<Intern> d;
};

// ----------------------------------------------------------------- result

// What a line of the ration list stands for. Every line except a feed line
// carries the row ID 0.
enum class ZeilenArt { Futter, Leer, Summen, Kennzahlen, Bedarf, Differenz, DifferenzMilch };

// Columns 1 to 12 of lvwListe, as handed to ZeileHinzufuegen.
inline constexpr int ListenSpalten = 12;

struct ListenZeile {
    ZeilenArt art = ZeilenArt::Futter;
    long id = 0;                  // column 13: the Ration row ID
    QStringList texte;            // columns 1 ("Futterart") to 12 ("P g")
    bool fehler = false;          // the row the run failed on
};

// A figure label of the ration window.
struct Anzeige {
    QString name;           // objectName, e.g. "lblUDPKonzAnzeige"
    QString text;
    qint64 hintergrund = 0;  // window-system colour; 0 = background not set
    qint64 textfarbe = 0;    // FarbeFenstertext when set; 0 = not set
    bool sichtbar = true;
    // False when this run left the label alone: it keeps what it showed
    // before (no database). A label this run wrote without colours shows
    // none.
    bool gesetzt = false;
    QString tipp;            // a tool tip that explains the text (e.g. the feeds without price); usually empty
};

// Rows of the result window, in its order.
enum ErgebnisZeile {
    ErgNEL,
    ErgRohprotein,
    ErgUDP,
    ErgNFC,
    ErgNDF,
    ErgGrundfutterNDF,
    ErgADF,
    ErgCalzium,
    ErgPhosphor,
    ErgZeilen
};
using ErgebnisSpalte = std::array<QString, ErgZeilen>;

// The figures one run hands to the result window.
struct ErgebnisWerte {
    // False when the database could not be opened: the run does not touch
    // the result window at all. True: create it if needed, minimise it,
    // write what follows and recompute the deviations.
    bool aktualisieren = false;
    // "NDF" or "TM": the "Ist" column that receives the figures; empty: none.
    QString spalte;
    // Texts for the "Ist" column. The amount rows (NEL, Rohprotein, Calzium,
    // Phosphor) are written whenever spalte is set; the share rows only when
    // anteileGesetzt (the ration had dry matter).
    ErgebnisSpalte ist;
    bool anteileGesetzt = false;
    // Texts for "Soll": the four requirements and the fixed targets.
    ErgebnisSpalte soll;
};

// One deviation cell of the result window.
struct Abweichung {
    QString text;
    bool sichtbar = false;
};
using ErgebnisAbweichungen = std::array<Abweichung, ErgZeilen>;

// The deviations of one "Ist" column from the texts the result window shows
// ("Ist" of the column, "Soll"); texts without a number read as 0.
ErgebnisAbweichungen AbweichungenBerechnen(const ErgebnisSpalte& ist, const ErgebnisSpalte& soll);

// The sums of one run, as numbers (for tests and the balancing).
struct RationSummen {
    double frischmasse = 0;
    double trockenmasse = 0;
    long rohprotein = 0;
    long udp = 0;
    long nfc = 0;
    long adf = 0;
    long ndf = 0;
    double nel = 0;
    double ca = 0;
    double p = 0;
    double kraftfutterTM = 0;
    long grundfutterNDF = 0;
    double freiesFutterNEL = 0;  // NEL_MJTM of the free feed with the highest FutterID
};

struct Auswertung {
    // False: the database could not be opened; the list is empty, every
    // label keeps its text and the result window is left alone.
    bool datenbankOffen = false;
    // A stored value that is no usable number (GespeicherteRationPruefen) or
    // an overflow stopped the run: the list holds the feed rows only (the
    // failing one marked), every figure label is emptied and the result
    // window is left alone.
    bool abgebrochen = false;
    QList<ListenZeile> zeilen;
    // Every figure label in a fixed order (AnzeigenNamen): the figures, the
    // two supply labels, the three cost labels. Supply labels hide with
    // sichtbar = false.
    QList<Anzeige> anzeigen;
    double fettKg = 0;
    double fcm = 0;
    Bedarf bedarf;
    RationSummen summen;
    ErgebnisWerte ergebnis;
    // Both balancings ran since the last take-over: show cmdZumErgebnis,
    // Taste10 and DErgebnisA; otherwise hide all three.
    bool ergebnisZeigen = false;

    // The label by objectName; nullptr for an unknown name.
    const Anzeige* AnzeigeNach(const QString& name) const;
};

// Names of the figure labels in the order of Auswertung::anzeigen.
const QStringList& AnzeigenNamen();

// ----------------------------------------------------------------- runs

// The evaluation proper: rows in FutterID order, values through wert. An
// overflow shows the error message and returns the feed rows with
// abgebrochen set. A ration without fresh or dry matter empties the
// concentrate and key-figure labels.
Auswertung RationBerechnen(const TierEingaben& tier, const QList<RationZeile>& rationZeilen,
                           const FutterWertFunktion& wert);

// Reads "SELECT * FROM Ration ORDER BY FutterID" on an open connection.
// False when the query fails (zeilen is then empty; the connection keeps
// the error, see DatenbankFehlerMelden).
[[nodiscard]] bool RationZeilenLesen(Verbindung& verbindung, QList<RationZeile>& zeilen);

// The whole run as the ration window needs it: opens the feed database of
// the data folder, reads and checks the stored values of the rows and their
// feeds (GespeicherteRationPruefen), reads the feed values (FutterWert) and
// evaluates, all in one read transaction. A database that cannot be opened gives datenbankOffen = false
// (the opening reports its own failure).
Auswertung RationAuswerten(const TierEingaben& tier);
// The same on the database at datenbankPfad (no start-up checks).
Auswertung RationAuswerten(const TierEingaben& tier, const QString& datenbankPfad);

} // namespace kelvora
