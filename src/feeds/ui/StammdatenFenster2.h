#pragma once
// The feed editor: one feed of table Futtermittel for entry and correction.
// Every nutrient can be typed per kg fresh matter or per kg dry matter; the
// other column follows while typing. Several editors may be open, one per
// feed.

#include "feeds/FutterDatei.h"
#include "feeds/StammdatenMaske.h"

#include <QSet>
#include <QWidget>
#include <array>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

namespace kelvora {

class Hauptrahmen;

class StammdatenFenster2 : public QWidget {
    Q_OBJECT
public:
    // Builds the window, places it in the main window's work area at its
    // stored position and shows it, empty.
    explicit StammdatenFenster2(Hauptrahmen* haupt);
    ~StammdatenFenster2() override;

    // Loads the feed with this ID (0: a new feed) the way every opener does:
    // the ID goes into lblUebergabe and tmrAnzeigen loads it shortly after.
    void FutterLaden(long futterID);

    // The ID of the feed shown; 0 for a new feed.
    long AngezeigteFutterID() const;

    // The editor for a feed: an open editor that already shows (or is about
    // to load) that feed is brought forward, otherwise a new one opens and
    // loads it. ID 0 always opens a new, empty editor.
    static StammdatenFenster2* FutterBearbeiten(Hauptrahmen* haupt, long futterID);

    // A new editor with a feed taken over from the exchange server: group,
    // name and values from the file, the fresh-matter column computed, and
    // who made it in lblErstelltVon. Nothing is stored until the user saves.
    static StammdatenFenster2* ServerFutterZeigen(Hauptrahmen* haupt, int gruppe, const FutterAusDatei& futter);

protected:
    bool eventFilter(QObject* o, QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dragMoveEvent(QDragMoveEvent* e) override;
    void dropEvent(QDropEvent* e) override;

private:
    // Building (StammdatenFensterAufbau.cpp).
    void Aufbauen();
    QLineEdit* Eingabefeld(Feld feld, const QString& tipp);
    void Laden();

    // The boxes as plain texts and back.
    Eingabemaske Maske() const;
    void MaskeZeigen(const Eingabemaske& maske);
    QLineEdit* Box(Feld f) const { return felder[static_cast<size_t>(f)]; }
    void IDAnzeigeSetzen(const QString& id);
    // "berechnet" beside nXP and RNB while they show the completed value.
    void BerechnetZeigen();

    void Anzeigen();
    // True when the feed was written; false when a check or the write failed.
    bool Speichern();
    void Loeschen();
    void AllesLeeren();
    void NeuBerechnenKlick();
    void DropEreignis();
    void Schliessen();
    void NachVorne();
    // What the boxes showed after the last load, clearing or save; a close
    // asks before it loses anything typed since.
    void StandMerken();
    bool Geaendert() const;
    bool SchliessenErlaubt();

    // Sharing the feed with other users (StammdatenAustausch.cpp).
    void Teilen();
    void UebertragungAnzeigen(bool laeuft);

    bool TasteGedrueckt(QObject* o, QKeyEvent* e);
    bool TasteLosgelassen(QObject* o, QKeyEvent* e);
    bool FutterGezogen(QDropEvent* e);

    Hauptrahmen* haupt = nullptr;
    QComboBox* cmbFutterArt = nullptr;
    QLineEdit* txtBezeichnung = nullptr;
    QLineEdit* txtPreis = nullptr;
    std::array<QLineEdit*, FeldAnzahl> felder {};
    QLabel* lblIDAnzeige = nullptr;
    QLabel* lblUebergabe = nullptr;
    QPushButton* cmdSpeichern = nullptr;
    QPushButton* cmdFutterLoeschen = nullptr;
    QPushButton* cmdTeilen = nullptr;
    QPushButton* AlleFelderLoeschen = nullptr;
    QPushButton* cmdNeuBerechnen = nullptr;
    QPushButton* DropEreignisAufrufen = nullptr;
    QPushButton* cmdAbbrechen = nullptr; // cancels an upload in progress
    QLabel* lblErstelltVon = nullptr;
    QLabel* lblnXPBerechnet = nullptr;
    QLabel* lblRNBBerechnet = nullptr;
    // The texts of a completed nXP and RNB as loaded; empty: entered or none.
    QString nXPBerechnet, rnbBerechnet;
    QTimer* tmrAnzeigen = nullptr;
    QTimer* tmrBeenden = nullptr;
    QSet<int> gedrueckt; // keys pressed in this window and not yet released
    bool teilt = false; // an upload runs: the window stays open until it ends
    bool schliessenNachTeilen = false;
    Eingabemaske stand;
    bool ohneFrage = false; // saved or deleted: the window closes without asking
};

} // namespace kelvora
