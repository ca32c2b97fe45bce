#pragma once
// The feed list window "wdwFuttermittel": the feeds of one group (or all),
// narrowed by a search text, always only the complete ones. From here the
// user opens feeds in the editor, creates and deletes feeds and drags a feed
// into the editor or the ration window. One instance at a time.

#include "feeds/FutterListeDaten.h"

#include <QPointer>
#include <QTreeWidget>
#include <QWidget>
#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

namespace kelvora {

class Hauptrahmen;

// Asks the open feed list to fill itself again soon (its one-shot timer
// "tmrAktualisieren", 100 ms). Several requests before it fires give one
// refresh. Does nothing when no list is open. The editor calls it after a
// save or a delete. Windows that show figures of the feeds hear of it
// through FutterAenderungen().
void ListeAktualisierenAnstossen();

// Sends geaendert() whenever a feed was saved or deleted.
class FutterAenderungsMelder : public QObject {
    Q_OBJECT
signals:
    void geaendert();
};
FutterAenderungsMelder& FutterAenderungen();

// The list view of the window: sorts by the clicked column and hands a
// dragged feed over as kelvora::FutterMimeTyp.
class FutterListenAnsicht : public QTreeWidget {
    Q_OBJECT
public:
    explicit FutterListenAnsicht(QWidget* parent = nullptr);

    // The feed a drag carries: the last selected row in list order; 0 when
    // nothing is selected.
    long ZiehFutter() const;
    // Sets programm().ZiehFutterID and builds the drag data for it.
    QMimeData* ZiehDatenErzeugen();

protected:
    void startDrag(Qt::DropActions erlaubt) override;
    QStringList mimeTypes() const override;
};

class FutterListe : public QWidget {
    Q_OBJECT
public:
    explicit FutterListe(Hauptrahmen* hauptFenster);
    ~FutterListe() override;

    // The open list, or nullptr.
    static FutterListe* Instanz();

    // Fills the list for the current group, search text and filter.
    void ListeFuellen();
    // Opens the one selected feed in the editor; nothing unless exactly one
    // row is selected.
    void MarkiertesFutterOeffnen();
    // Deletes the one selected feed (with the usual question).
    void MarkiertesFutterLoeschen();
    // The feed ID of a row ("Msg_" + ID in its key); negative for feeds on
    // the exchange server.
    static long ZeilenID(const QTreeWidgetItem* zeile);

    // Adds the server's feeds that are not yet in the database as rows
    // "I: <group>" with negative numbers (cmdInternet).
    void ServerFutterSuchen();
    // Fetches the feed of a server row into a new editor.
    void ServerFutterUebernehmen(const QTreeWidgetItem* zeile);

    bool Beschaeftigt() const { return beschaeftigt; }
    // How often the list has been filled since the window opened.
    int Fuellungen() const { return fuellungen; }

protected:
    void closeEvent(QCloseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void Aufbauen();
    void Verbinden();
    void Laden();
    void Entladen();
    void SpaltenBreitenSetzen();
    void HinweisZeigen(int ausgeblendet);
    void UnvollstaendigeUmschalten();
    void SpaltenAnlegen();
    void Sortieren(int spalte);
    void BedienungSperren(bool gesperrt);
    void EditorOeffnen(long futterID);
    void NeuesFutter();
    void KopierenInZeigen(const QPoint& globalePosition);
    bool FensterTaste(int taste, Qt::KeyboardModifiers tasten);
    bool SuchtextTaste(QKeyEvent* e);
    FutterListenFilter Filter() const;
    QTreeWidgetItem* ZeileErzeugen(
        long id, const QString& art, const QString& bezeichnung, std::optional<double> preis = std::nullopt) const;
    // While a transfer runs: controls off, the cancel button instead of
    // cmdInternet, no closing.
    void UebertragungAnzeigen(bool laeuft);

    QPointer<Hauptrahmen> haupt;
    QLabel* lblFutterart = nullptr;
    QComboBox* cmbFutterArt = nullptr;
    QLineEdit* txtSuchen = nullptr;
    QPushButton* cmdSuchen = nullptr;
    QCheckBox* chkNRC = nullptr;
    FutterListenAnsicht* lvwListe = nullptr;
    QPushButton* cmdMaskeLeer = nullptr;
    QPushButton* cmdLoeschen = nullptr;
    QPushButton* cmdInternet = nullptr;
    QPushButton* cmdAbbrechen = nullptr;
    QLabel* lblAusgeblendet = nullptr;  // hint on feeds the completeness filter hides
    QTimer* tmrAktualisieren = nullptr;

    bool laedt = false;
    bool beschaeftigt = false;
    bool entladen = false;
    int sortSpalte = -1;
    Qt::SortOrder sortFolge = Qt::AscendingOrder;
    int fuellungen = 0;
};

} // namespace kelvora
