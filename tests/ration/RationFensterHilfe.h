#pragma once
// A main window with the ration window on a fresh test database holding
// three feeds of known dry matter; helpers to read and write table Ration.

#include "TestOberflaeche.h"
#include "TestUmgebung.h"
#include "ration/RationTabelle.h"

#include <QList>
#include <QVariantList>

class QLineEdit;
class QWidget;

namespace kelvora {
class HauptFenster;
class RationTierErstellenFenster;
} // namespace kelvora

namespace kelvora::test {

// Feeds beyond the delivered ones: silage (350 g DM, type "Grassilage"),
// barley (880 g), soya meal (890 g).
inline constexpr long Silage = 9101;
inline constexpr long Getreide = 9102;
inline constexpr long Schrot = 9103;

bool Ausfuehren(const QString& sql, const QVariantList& werte = {});
long ZeileAnlegen(long futterID, double frisch, double anteil, int fix);
QList<RationZeile> Zeilen();
RationZeile ZeileZu(long futterID);

// Drags a feed onto the widget with the program's MIME type.
void Fallen(QWidget* ziel, long futterID);

// Whether the main window shows its result button Taste10.
bool ErgebnisTasteSichtbar(HauptFenster* haupt);

class RationFensterUmgebung {
public:
    // Folder, database with the three feeds and an empty ration, main window.
    RationFensterUmgebung();
    ~RationFensterUmgebung();

    // Opens the ration window through the main window.
    RationTierErstellenFenster* Oeffnen();
    // Opens the amount editor for the row of a feed; false when it did not open.
    bool Bearbeiten(long futterID);
    QLineEdit* Feld(const char* name) const;

    TestOberflaeche ui;
    TestDatenordner ordner;
    bool bereit = false;  // the database and the feeds were written
    HauptFenster* haupt = nullptr;
    RationTierErstellenFenster* fenster = nullptr;
};

} // namespace kelvora::test
