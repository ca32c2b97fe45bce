#include "ration/ui/RationGfEBlock.h"

#include "feeds/ui/StammdatenTasten.h"
#include "frame/FunktionenFuerINI.h"
#include "frame/Oberflaeche.h"
#include "frame/Programm.h"
#include "ration/Eingabegrenzen.h"
#include "ration/GfE.h"
#include "ration/RationTiereingaben.h"

#include <QCheckBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace kelvora {

namespace {

// What each label means beyond its caption, shown while the evaluation has
// no hint of its own for it.
QString FesterTipp(const QString& name)
{
    if (name == QLatin1String("lblnXPBedarfAnzeige"))
        return QStringLiteral("Erhaltung 450 g bei 650 kg (je 50 kg ± 20 g) und je kg Milch 20 × Eiweiß % + 17 g. "
                              "Der Bedarf für die Trächtigkeit ist nicht enthalten.");
    if (name.endsWith(QLatin1String("BedarfAnzeige")))
        return QStringLiteral("Empfehlung je Tag nach Milchleistung (trockenstehend bei 0 kg Milch).");
    return QString();
}

} // namespace

RationGfEBlock::RationGfEBlock(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("RationGfEBlock"));
    auto* aussen = new QVBoxLayout(this);

    auto* eingaben = new QHBoxLayout;
    auto* eiweissText = new QLabel(QStringLiteral("Eiweiß %:"), this);
    txtEiweiss = new QLineEdit(this);
    txtEiweiss->setObjectName(QStringLiteral("txtEiweiss"));
    txtEiweiss->setToolTip(QStringLiteral("Eiweißgehalt der Milch, für den nXP-Bedarf. Tippen und Enter zum "
                                          "verändern."));
    txtEiweiss->setAlignment(Qt::AlignRight);
    txtEiweiss->setMaximumWidth(fontMetrics().horizontalAdvance(QStringLiteral("0000000")) + 12);
    ZahlenfilterSetzen(txtEiweiss, true);
    txtEiweiss->installEventFilter(this);
    eiweissText->setBuddy(txtEiweiss);
    EiweissNeuLesen();
    chkNachGfE = new QCheckBox(QStringLiteral("nach GfE"), this);
    chkNachGfE->setObjectName(QStringLiteral("chkNachGfE"));
    chkNachGfE->setToolTip(QStringLiteral("\"kostengünstig optimieren\" hält dann auch nXP ≥ Bedarf und RNB von 0 "
                                          "bis +50 g ein."));
    eingaben->addWidget(eiweissText);
    eingaben->addWidget(txtEiweiss);
    eingaben->addSpacing(24);
    eingaben->addWidget(chkNachGfE);
    eingaben->addStretch(1);
    aussen->addLayout(eingaben);

    // Two columns of figures: protein and the macro minerals left, the
    // trace elements right; each label with its caption beside it.
    auto* raster = new QGridLayout;
    const QStringList& namen = GfEAnzeigenNamen();
    const QStringList& texte = GfEBeschriftungen();
    for (qsizetype i = 0; i < namen.size(); ++i) {
        auto* wert = new QLabel(this);
        wert->setObjectName(namen[i]);
        wert->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        wert->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        wert->setFixedWidth(fontMetrics().horizontalAdvance(QStringLiteral("unvollständig")) + 12);
        wert->setProperty("tippFest", FesterTipp(namen[i]));
        wert->setToolTip(FesterTipp(namen[i]));
        const bool spur = i >= 9;
        const int zeile = static_cast<int>(spur ? i - 9 : i);
        const int spalte = spur ? 3 : 0;
        raster->addWidget(wert, zeile, spalte);
        raster->addWidget(new QLabel(texte[i], this), zeile, spalte + 1);
    }
    raster->setColumnMinimumWidth(2, 24);
    raster->setColumnStretch(5, 1);
    aussen->addLayout(raster);
    aussen->addStretch(1);
}

void RationGfEBlock::EiweissNeuLesen()
{
    gutesEiweiss = TiereingabenFuerFenster().eiweiss;
    txtEiweiss->setText(gutesEiweiss);
}

double RationGfEBlock::Eiweiss() const
{
    // The good value always reads; the default only guards a change of limits.
    return ZahlPruefen(EiweissGrenze(), gutesEiweiss)
        .wert.value_or(*ZahlPruefen(EiweissGrenze(), VorgabeEiweiss()).wert);
}

bool RationGfEBlock::NachGfE() const
{
    return chkNachGfE->isChecked();
}

bool RationGfEBlock::EiweissPruefen()
{
    const GepruefteZahl zahl = ZahlPruefen(EiweissGrenze(), txtEiweiss->text());
    if (zahl.wert) {
        const QString text = txtEiweiss->text().trimmed();
        if (text != gutesEiweiss) {
            gutesEiweiss = text;
            // Kept like milk and fat; a failed write is told by the INI layer.
            INISpeichern(RationFensterName(), QStringLiteral("Eiweiss"), text);
        }
        return true;
    }
    // The last good value is back before the message shows, so the focus
    // leaving the box for the message finds nothing more to refuse.
    txtEiweiss->setText(gutesEiweiss);
    MsgBox(zahl.meldung, Knoepfe::OK, Symbol::Ausrufezeichen);
    if (txtEiweiss->isVisible()) {
        txtEiweiss->setFocus(Qt::OtherFocusReason);
        txtEiweiss->selectAll();
    }
    return false;
}

bool RationGfEBlock::eventFilter(QObject* objekt, QEvent* ereignis)
{
    if (objekt != txtEiweiss)
        return false;
    if (ereignis->type() == QEvent::FocusOut) {
        const Qt::FocusReason grund = static_cast<QFocusEvent*>(ereignis)->reason();
        if (grund != Qt::ActiveWindowFocusReason && grund != Qt::PopupFocusReason && !programm().programmEndet) {
            const QString vorher = gutesEiweiss;
            if (EiweissPruefen() && gutesEiweiss != vorher)
                emit EiweissGeaendert();
        }
        return false;
    }
    if (ereignis->type() == QEvent::KeyRelease) {
        const int taste = static_cast<QKeyEvent*>(ereignis)->key();
        if (taste == Qt::Key_Return || taste == Qt::Key_Enter) {
            if (EiweissPruefen())
                emit EiweissGeaendert();
            return true;
        }
    }
    return false;
}

} // namespace kelvora
