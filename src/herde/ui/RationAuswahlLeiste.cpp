#include "herde/ui/RationAuswahlLeiste.h"

#include "database/DatenbankRoutinen.h"
#include "frame/Oberflaeche.h"
#include "frame/Programm.h"
#include "herde/RationenVerwalten.h"
#include "ration/ui/RationTierErstellenFenster.h"

#include <QAction>
#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>

namespace kelvora {

namespace {

QString Pfad()
{
    return PfadHolen(QStringLiteral("Futter"));
}

} // namespace

RationAuswahlLeiste::RationAuswahlLeiste(RationTierErstellenFenster* f)
    : QWidget(f)
    , fenster(f)
{
    setObjectName(QStringLiteral("RationAuswahlLeiste"));
    basisTitel = fenster->windowTitle();
    auto* form = new QFormLayout(this);
    form->setContentsMargins(0, 0, 0, 0);

    cboRation = new QComboBox(this);
    cboRation->setObjectName(QStringLiteral("cboRation"));
    cboRation->setToolTip(QStringLiteral("Gespeicherte Rationen: eine auswählen macht sie zur aktuellen Ration"));
    cboRation->setPlaceholderText(QStringLiteral("(ohne Namen)"));
    // A long name must not widen the window.
    cboRation->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    cboRation->setMinimumContentsLength(8);
    connect(cboRation, &QComboBox::activated, this, [this](int i) { RationWaehlen(cboRation->itemText(i)); });
    form->addRow(QStringLiteral("Ration:"), cboRation);

    Tiere = new QSpinBox(this);
    Tiere->setObjectName(QStringLiteral("Tiere"));
    Tiere->setToolTip(QStringLiteral("Anzahl der Kühe, die diese Ration bekommen"));
    Tiere->setRange(static_cast<int>(TiereGrenze().minimum), static_cast<int>(TiereGrenze().maximum));
    connect(Tiere, &QSpinBox::valueChanged, this, [this] { Pruefen(); });
    // Four digits: the bar must not widen the column of the animal inputs.
    Tiere->setMaximumWidth(fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 28);

    cmdRationen = new QPushButton(QStringLiteral("Verwalten"), this);
    cmdRationen->setObjectName(QStringLiteral("cmdRationen"));
    cmdRationen->setToolTip(QStringLiteral("Ration speichern, unter einem Namen speichern, umbenennen oder löschen"));
    cmdRationen->setAutoDefault(false);
    auto* menue = new QMenu(cmdRationen);
    auto aktion = [&](const QString& name, const QString& text, void (RationAuswahlLeiste::*tun)()) {
        QAction* a = menue->addAction(text, this, tun);
        a->setObjectName(name);
        return a;
    };
    QAction* speichern
        = aktion(QStringLiteral("RationSpeichern"), QStringLiteral("&Speichern"), &RationAuswahlLeiste::Speichern);
    aktion(QStringLiteral("RationSpeichernUnter"), QStringLiteral("Speichern &unter …"),
        &RationAuswahlLeiste::SpeichernUnter);
    aktion(QStringLiteral("RationUmbenennen"), QStringLiteral("Um&benennen …"), &RationAuswahlLeiste::Umbenennen);
    aktion(QStringLiteral("RationLoeschenGespeichert"), QStringLiteral("&Löschen"), &RationAuswahlLeiste::Loeschen);
    // Ctrl+S stores wherever the focus is in the ration window.
    speichern->setShortcut(QKeySequence::Save);
    speichern->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    fenster->addAction(speichern);
    cmdRationen->setMenu(menue);

    auto* zeile = new QHBoxLayout;
    zeile->addWidget(Tiere);
    zeile->addWidget(cmdRationen);
    form->addRow(QStringLiteral("Tiere:"), zeile);

    fenster->LeisteEinsetzen(this);
    fenster->installEventFilter(this);
    connect(fenster, &RationTierErstellenFenster::Ausgewertet, this, [this] { Pruefen(); });
    NeuLesen();
    if (gespeichert)
        Tiere->setValue(static_cast<int>(gespeichert->tiere));
    Pruefen();
}

void RationAuswahlLeiste::NeuLesen()
{
    QList<BenannteRation> rationen;
    gespeichert.reset();
    const QString name = AktuellerRationName();
    Verbindung v;
    bool ok = RationenDatenbankOeffnen(v, Pfad()) && RationenLesen(v, rationen);
    for (const BenannteRation& r : std::as_const(rationen)) {
        if (!name.isEmpty() && GleicherName(r.name, name)) {
            BenannteRation ration;
            bool gefunden = false;
            ok = RationLesen(v, r.name, ration, gefunden) && ok;
            if (gefunden)
                gespeichert = ration;
        }
    }
    if (!ok)
        DatenbankFehlerMelden(v, QStringLiteral("Die gespeicherten Rationen lassen sich nicht lesen."));
    v.Schliessen();

    const QSignalBlocker still(cboRation);
    cboRation->clear();
    for (const BenannteRation& r : std::as_const(rationen))
        cboRation->addItem(r.name);
    cboRation->setCurrentIndex(gespeichert ? cboRation->findText(gespeichert->name) : -1);
}

void RationAuswahlLeiste::Pruefen()
{
    if (beschaeftigt)
        return;
    if (!gespeichert) {
        abweichend = false;
        fenster->setWindowTitle(basisTitel);
        return;
    }
    QList<RationZeile> zeilen;
    Verbindung v;
    if (DatenbankOeffnen(v, Pfad()) && RationZeilenLesen(v, zeilen)) {
        const TierEingaben t = fenster->AktuelleTiereingaben();
        abweichend = WeichtAb(*gespeichert, zeilen,
            { gespeichert->name, Tiere->value(), true, t.gewicht, t.milch, t.fett, t.milchpreis, t.eiweiss });
    }
    fenster->setWindowTitle(
        basisTitel + QStringLiteral(" – ") + gespeichert->name + (abweichend ? QStringLiteral("*") : QString()));
}

bool RationAuswahlLeiste::AenderungenKlaeren()
{
    Pruefen();
    if (!abweichend)
        return true;
    switch (MsgBox(QStringLiteral("Die Ration ") + Genannt(gespeichert->name)
            + QStringLiteral(" wurde geändert. Sollen die Änderungen gespeichert werden?"),
        Knoepfe::JaNeinAbbrechen, Symbol::Frage, Antwort::Ja)) {
    case Antwort::Ja:
        return SpeichernAls(gespeichert->name, true);
    case Antwort::Nein:
        return true;
    default:
        return false;
    }
}

bool RationAuswahlLeiste::OhneNamenKlaeren()
{
    // A ration without a name is kept only in table Ration: loading another
    // one would lose it.
    QList<RationZeile> zeilen;
    Verbindung v;
    if (!DatenbankOeffnen(v, Pfad()) || !RationZeilenLesen(v, zeilen)) {
        DatenbankFehlerMelden(v, QStringLiteral("Die aktuelle Ration lässt sich nicht lesen."));
        return false;
    }
    v.Schliessen();
    if (zeilen.isEmpty())
        return true;
    switch (MsgBox(QStringLiteral("Die aktuelle Ration ist unter keinem Namen gespeichert und geht beim Laden einer "
                                  "anderen verloren. Soll sie vorher gespeichert werden?"),
        Knoepfe::JaNeinAbbrechen, Symbol::Frage, Antwort::Ja)) {
    case Antwort::Ja:
        return UnterNamenSpeichern();
    case Antwort::Nein:
        return true;
    default:
        return false;
    }
}

bool RationAuswahlLeiste::SpeichernAls(const QString& name, bool ersetzen)
{
    const TierEingaben t = fenster->AktuelleTiereingaben();
    bool abgelehnt = false;
    const bool ok = RationSpeichern(
        Pfad(), { name, Tiere->value(), ersetzen, t.gewicht, t.milch, t.fett, t.milchpreis, t.eiweiss }, &abgelehnt);
    NeuLesen();
    Pruefen();
    return ok;
}

void RationAuswahlLeiste::Speichern()
{
    if (gespeichert)
        (void)SpeichernAls(gespeichert->name, true);
    else
        SpeichernUnter();
}

std::optional<QString> RationAuswahlLeiste::NameAbfragen(const QString& frage, const QString& vorgabe) const
{
    return ui().TextAbfragen(frage, vorgabe, QStringLiteral("Ration"));
}

void RationAuswahlLeiste::SpeichernUnter()
{
    (void)UnterNamenSpeichern();
}

bool RationAuswahlLeiste::UnterNamenSpeichern()
{
    if (const auto name
        = NameAbfragen(QStringLiteral("Unter welchem Namen soll die aktuelle Ration gespeichert werden?"),
            gespeichert ? gespeichert->name : QString()))
        return SpeichernAls(*name, false);
    return false;
}

void RationAuswahlLeiste::Umbenennen()
{
    if (!gespeichert) {
        MsgBox(QStringLiteral(
                   "Die aktuelle Ration ist noch nicht gespeichert. Speichern Sie sie mit „Speichern unter …“."),
            Knoepfe::OK, Symbol::Information);
        return;
    }
    const auto neu = NameAbfragen(
        QStringLiteral("Neuer Name der Ration ") + Genannt(gespeichert->name) + QLatin1Char(':'), gespeichert->name);
    if (!neu)
        return;
    bool abgelehnt = false;
    (void)RationUmbenennen(Pfad(), gespeichert->name, *neu, &abgelehnt);
    NeuLesen();
    Pruefen();
}

void RationAuswahlLeiste::Loeschen()
{
    if (!gespeichert) {
        MsgBox(QStringLiteral("Die aktuelle Ration ist nicht gespeichert; es gibt nichts zu löschen."), Knoepfe::OK,
            Symbol::Information);
        return;
    }
    if (MsgBox(QStringLiteral("Die gespeicherte Ration ") + Genannt(gespeichert->name)
                + QStringLiteral(" löschen? Die aktuelle Ration im Fenster bleibt, wie sie ist."),
            Knoepfe::JaNein, Symbol::Frage, Antwort::Nein)
        != Antwort::Ja)
        return;
    bool abgelehnt = false;
    (void)RationLoeschen(Pfad(), gespeichert->name, &abgelehnt);
    NeuLesen();
    Pruefen();
}

void RationAuswahlLeiste::RationWaehlen(const QString& name)
{
    if (gespeichert && GleicherName(name, gespeichert->name))
        return;
    if (!(gespeichert ? AenderungenKlaeren() : OhneNamenKlaeren())) {
        // The drop-down shows the ration that stays current.
        const QSignalBlocker still(cboRation);
        cboRation->setCurrentIndex(gespeichert ? cboRation->findText(gespeichert->name) : -1);
        return;
    }
    bool abgelehnt = false;
    BenannteRation geladen;
    beschaeftigt = true;
    const bool ok = RationLaden(Pfad(), name, &abgelehnt, &geladen);
    NeuLesen();
    if (ok) {
        Tiere->setValue(static_cast<int>(geladen.tiere));
        fenster->TiereingabenNeuLesen();
    }
    beschaeftigt = false;
    Pruefen();
}

bool RationAuswahlLeiste::eventFilter(QObject* objekt, QEvent* ereignis)
{
    // When the program ends the main window has asked already.
    if (objekt == fenster && ereignis->type() == QEvent::Close && !programm().programmEndet && !AenderungenKlaeren()) {
        ereignis->ignore();
        return true;
    }
    return QWidget::eventFilter(objekt, ereignis);
}

} // namespace kelvora
