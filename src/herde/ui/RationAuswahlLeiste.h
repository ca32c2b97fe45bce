#pragma once
// The stored rations in the ration window: the drop-down "Ration:" with the
// stored names, the head count "Tiere:" and the commands Speichern, Speichern
// unter, Umbenennen and Löschen. The window's title names the current ration,
// with "*" while table Ration or the inputs differ from what is stored under
// that name; choosing another ration or closing the window asks first then.

#include "herde/GespeicherteRationen.h"

#include <QWidget>
#include <optional>

class QComboBox;
class QPushButton;
class QSpinBox;

namespace kelvora {

class RationTierErstellenFenster;

class RationAuswahlLeiste : public QWidget {
    Q_OBJECT
public:
    // Places itself at the top of the window's left column.
    explicit RationAuswahlLeiste(RationTierErstellenFenster* fenster);

    // Whether the current ration differs from the stored one of its name.
    bool Abweichend() const { return abweichend; }
    // With unsaved changes: asks Ja (store) / Nein / Abbrechen. True when the
    // caller may go on (close, load another ration, end the program).
    bool AenderungenKlaeren();

    void Speichern();
    void SpeichernUnter();
    void Umbenennen();
    void Loeschen();
    // Makes the stored ration current, after asking about unsaved changes.
    void RationWaehlen(const QString& name);

protected:
    bool eventFilter(QObject* objekt, QEvent* ereignis) override;

private:
    // Reads the names and the stored ration of the current name; then Pruefen.
    void NeuLesen();
    // Compares table Ration and the inputs with the stored ration.
    void Pruefen();
    bool SpeichernAls(const QString& name, bool ersetzen);
    bool UnterNamenSpeichern(); // false when cancelled or refused
    // Before loading over a ration that has no name: Ja / Nein / Abbrechen.
    bool OhneNamenKlaeren();
    std::optional<QString> NameAbfragen(const QString& frage, const QString& vorgabe) const;

    RationTierErstellenFenster* fenster;
    QComboBox* cboRation = nullptr;
    QSpinBox* Tiere = nullptr;
    QPushButton* cmdRationen = nullptr;
    QString basisTitel;
    std::optional<BenannteRation> gespeichert; // the stored ration of the current name
    bool abweichend = false;
    bool beschaeftigt = false; // an action runs: no re-check in between
};

} // namespace kelvora
