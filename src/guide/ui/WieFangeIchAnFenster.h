#pragma once
// The getting-started guide: five steps, each with buttons that open or
// drive the window concerned. It holds no data and changes nothing itself.

#include <QWidget>

namespace kelvora {

class Hauptrahmen;

class WieFangeIchAnFenster : public QWidget {
    Q_OBJECT
public:
    explicit WieFangeIchAnFenster(Hauptrahmen* haupt);

    // Restores the position and counts the opening.
    void Laden();

protected:
    void closeEvent(QCloseEvent* e) override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dropEvent(QDropEvent* e) override;

private:
    void Oeffnen(const QString& fenster, const QString& fokusAuf = QString());
    void BefehlDerRationDruecken(const QString& befehl);
    void NormalZeigen();

    Hauptrahmen* haupt;
};

} // namespace kelvora
