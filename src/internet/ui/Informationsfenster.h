#pragma once
// The support window: who the program belongs to (the identity lines of
// printed pages and shared feed files), which version runs and where its
// files are, how the feed exchange logs in, a message to the author, the
// request for an update search and the start of the remote-maintenance
// program.

#include <QWidget>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace kelvora {

class Hauptrahmen;
struct SupportAngaben;

class Informationsfenster : public QWidget {
    Q_OBJECT
public:
    explicit Informationsfenster(Hauptrahmen* haupt);

    // Restores the position, counts the opening and fills the fields.
    void Laden();

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    void Aufbauen();
    SupportAngaben Eingaben() const;
    bool Speichern();
    void VersionPruefen();
    void NachrichtSchreiben();
    void DatenordnerOeffnen();
    void FernwartungStarten();

    Hauptrahmen* haupt;
    QLineEdit* txtName = nullptr;
    QLineEdit* txtAdresse = nullptr;
    QLabel* lblKontaktHinweis = nullptr;
    QPushButton* cmdFernwartung = nullptr;
    QLabel* lblPasswortablage = nullptr;
    QLabel* lblLetzteVerbindung = nullptr;
    QLineEdit* txtAbsenderName = nullptr;
    QLineEdit* txtAbsenderEmail = nullptr;
    QLineEdit* txtAbsenderAdresse = nullptr;
    QPlainTextEdit* txtNachricht = nullptr;
    bool geaendert = false;
};

} // namespace kelvora
