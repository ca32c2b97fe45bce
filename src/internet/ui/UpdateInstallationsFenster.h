#pragma once
// Leads the user to a new version: which version is installed, which one the
// maker offers, and the maker's download page. While it is open the update
// search reports nothing itself: this window shows the result.

#include <QWidget>

namespace kelvora {

class Hauptrahmen;

class UpdateInstallationsFenster : public QWidget {
    Q_OBJECT
public:
    explicit UpdateInstallationsFenster(Hauptrahmen* haupt);
    ~UpdateInstallationsFenster() override;

    // Restores the position and counts the opening.
    void Laden();

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    Hauptrahmen* haupt;
};

// The update search run by the main window's timer, with its outcome shown
// there: the menu "Neue Version installieren" captioned with the new
// version's date, and this window when the user wants to install now.
void UpdateSucheFuerHauptfenster(Hauptrahmen* haupt);

} // namespace kelvora
