// The feed editor's part of the feed exchange: sharing the shown feed
// (maintainer mode) and showing a feed taken over from the server.

#include "feeds/FutterAustausch.h"
#include "feeds/StammdatenPruefung.h"
#include "feeds/StammdatenSpeichern.h"
#include "feeds/ui/StammdatenFenster2.h"
#include "frame/Oberflaeche.h"
#include "grundlagen/Textbereinigung.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

namespace kelvora {

namespace {

void Druecken(QPushButton* knopf)
{
    if (knopf->isEnabled() && knopf->isVisible())
        knopf->click();
}

} // namespace

StammdatenFenster2* StammdatenFenster2::ServerFutterZeigen(
    Hauptrahmen* haupt, int gruppe, const FutterAusDatei& futter)
{
    // Built directly rather than through FutterLaden, whose timer would
    // empty the boxes again.
    auto* e = new StammdatenFenster2(haupt);
    const Eingabemaske m = MaskeAusServerFutter(gruppe, futter);
    e->cmbFutterArt->setCurrentIndex(m.gruppenIndex);
    e->MaskeZeigen(m);
    e->lblErstelltVon->setText(ErstelltVonText(futter));
    e->lblErstelltVon->setVisible(true);
    e->setWindowTitle(QStringLiteral("Futtermittel bearbeiten - ") + m.bezeichnung);
    // The server's values are checked at once, on the file's texts before
    // the boxes cut them to their length: the user sees which one is
    // unusable before saving. A value of 0 is asked about when saving.
    const Pruefergebnis p = EingabePruefen(m, Nullwerte::Annehmen);
    if (!p.bestanden)
        if (auto* w = e->findChild<QWidget*>(p.fokus))
            w->setFocus();
    return e;
}

void StammdatenFenster2::UebertragungAnzeigen(bool laeuft)
{
    teilt = laeuft;
    for (QWidget* w :
        std::initializer_list<QWidget*> { cmbFutterArt, txtBezeichnung, cmdFutterLoeschen, cmdTeilen, cmdSpeichern })
        w->setEnabled(!laeuft);
    for (QLineEdit* box : felder)
        box->setEnabled(!laeuft);
    if (!laeuft)
        cmdTeilen->setEnabled(AngezeigteFutterID() != 0);
    cmdAbbrechen->setVisible(laeuft);
    cmdAbbrechen->setEnabled(laeuft);
    ui().Sanduhr(laeuft);
}

void StammdatenFenster2::Teilen()
{
    const long id = AngezeigteFutterID();
    if (id == 0)
        return;
    if (!AustauschEingestellt()) {
        MsgBox(AustauschFehltMeldung(), Knoepfe::OK, Symbol::Ausrufezeichen);
        return;
    }
    const QPointer<StammdatenFenster2> selbst(this);
    // Names travel in file names and unescaped files; characters that break
    // them are taken out, with the user's consent, before anything leaves.
    const QString name = txtBezeichnung->text().trimmed();
    const QString sauber = TextBereinigen(name).trimmed();
    if (sauber != name) {
        if (MsgBox(QStringLiteral("Zum Teilen mit anderen Anwendern muss die Bezeichnung des Futtermittels auf ")
                    + sauber + QStringLiteral(" geändert werden."),
                Knoepfe::JaNein, Symbol::Frage, Antwort::Nein, QStringLiteral("Änderung der Bezeichnung"))
            != Antwort::Ja)
            return;
        txtBezeichnung->setText(sauber);
        // The save closes the window shortly after; the close waits for the upload.
        Druecken(cmdSpeichern);
        const std::optional<Stammdaten> gespeichert = StammdatenLesen(id);
        if (!gespeichert || gespeichert->bezeichnung != sauber)
            return; // the save was refused: nothing goes out under the old name
    }

    UebertragungAnzeigen(true);
    FtpAbbruchZuruecksetzen();
    FutterHochladen(id);
    if (!selbst)
        return;
    UebertragungAnzeigen(false);
    if (schliessenNachTeilen || tmrBeenden->isActive()) {
        schliessenNachTeilen = false;
        tmrBeenden->start();
    }
}

} // namespace kelvora
