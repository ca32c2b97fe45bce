#pragma once
// The ration window's page "Nach GfE (deutscher Maßstab)": the milk protein
// that the nXP requirement needs, the choice to hold the least-cost ration
// to nXP and RNB as well, and the labels of the German block. The labels
// are filled like every other figure label of the window (by name, from the
// evaluation); this page only lays them out and keeps the protein input.

#include <QString>
#include <QWidget>

class QCheckBox;
class QLineEdit;

namespace kelvora {

class RationGfEBlock : public QWidget {
    Q_OBJECT
public:
    explicit RationGfEBlock(QWidget* parent = nullptr);

    // The milk protein % as last accepted (from KELVORA.INI at first).
    double Eiweiss() const;
    // Takes the milk protein from KELVORA.INI again, after a stored ration
    // was loaded with its own.
    void EiweissNeuLesen();
    // Whether the least-cost ration also holds nXP and RNB ("nach GfE").
    bool NachGfE() const;

signals:
    // An accepted new protein value: the window evaluates again.
    void EiweissGeaendert();

protected:
    bool eventFilter(QObject* objekt, QEvent* ereignis) override;

private:
    // Checks txtEiweiss: a number inside its limits is kept (and stored in
    // KELVORA.INI); anything else is refused with the message naming the
    // field, and the box gets its last good value back.
    bool EiweissPruefen();

    QLineEdit* txtEiweiss = nullptr;
    QCheckBox* chkNachGfE = nullptr;
    QString gutesEiweiss;
};

} // namespace kelvora
