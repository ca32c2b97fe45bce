#pragma once
// A main window with the ration window on a fresh test database holding
// three feeds of known dry matter, and what the window tests share.

#include "RationsTestdaten.h"
#include "TestOberflaeche.h"
#include "TestUmgebung.h"
#include "app/ui/HauptFenster.h"
#include "frame/Programm.h"
#include "ration/RationTiereingaben.h"
#include "ration/ui/RationTierErstellenFenster.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <memory>

namespace kelvora::test {

// Feeds beyond the delivered ones: silage (350 g DM, type "Grassilage"),
// barley (880 g), soya meal (890 g).
inline constexpr long Silage = 9101;
inline constexpr long Getreide = 9102;
inline constexpr long Schrot = 9103;

bool Ausfuehren(const QString& sql, const QVariantList& werte = {});
// The stored row of a feed; id 0 when the feed is not in the ration.
RationZeile ZeileZu(long futterID);

// Drags a feed onto the widget with the program's MIME type.
void Fallen(QWidget* ziel, long futterID);

// Replaces the text of a box by typing, as a user would.
void Tippen(QLineEdit* box, const QString& text);

class RationFensterUmgebung {
public:
    // Folder, database with the three feeds and an empty ration, main window.
    RationFensterUmgebung();
    ~RationFensterUmgebung();

    // Opens the ration window through the main window.
    RationTierErstellenFenster* Oeffnen()
    {
        return fenster = qobject_cast<RationTierErstellenFenster*>(haupt->FensterOeffnen(RationFensterName()));
    }
    // Opens the amount editor for the row of a feed; false when it did not open.
    bool Bearbeiten(long futterID);
    // A fixed row of the feed, the window, and its amount editor open.
    bool EditorMit(long futterID, double frisch);
    bool EditorOffen() const;

    QLineEdit* Feld(const char* name) const { return fenster->findChild<QLineEdit*>(name); }
    QLabel* Label(const char* name) const { return fenster->findChild<QLabel*>(name); }
    QPushButton* Knopf(const char* name) const { return fenster->findChild<QPushButton*>(name); }
    QTreeWidget* Liste() const { return fenster->findChild<QTreeWidget*>("lvwListe"); }

    TestOberflaeche ui;
    TestDatenordner ordner;
    bool bereit = false;  // the database and the feeds were written
    HauptFenster* haupt = nullptr;
    RationTierErstellenFenster* fenster = nullptr;
};

// A fresh environment for every test function; no drag may outlive one.
class RationFensterBasis : public QObject {
    Q_OBJECT
protected slots:
    void init()
    {
        u = std::make_unique<RationFensterUmgebung>();
        QVERIFY(u->bereit);
    }
    void cleanup()
    {
        u.reset();
        QCOMPARE(programm().ZiehFutterID, 0L);
    }

protected:
    std::unique_ptr<RationFensterUmgebung> u;
};

} // namespace kelvora::test
