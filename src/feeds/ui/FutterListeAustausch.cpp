// The feed list's part of the feed exchange: listing the server's new feeds
// as rows of their own and taking one over into a new editor.

#include "feeds/FutterAustausch.h"
#include "feeds/FutterbezogeneRoutinen.h"
#include "feeds/ui/FutterListe.h"
#include "feeds/ui/StammdatenFenster2.h"
#include "frame/Oberflaeche.h"
#include "frame/Protokoll.h"
#include "frame/Statuszeile.h"
#include "frame/ui/Hauptrahmen.h"

#include <QComboBox>
#include <QPushButton>

#include <algorithm>

namespace kelvora {

namespace {

const QString ServerVorsilbe = QStringLiteral("I: ");
// Server rows keep their file name for the comparison with later listings.
constexpr int DateiRolle = Qt::UserRole + 1;

} // namespace

void FutterListe::UebertragungAnzeigen(bool laeuft)
{
    BedienungSperren(laeuft);
    beschaeftigt = laeuft;
    cmdAbbrechen->setVisible(laeuft);
    cmdAbbrechen->setEnabled(laeuft);
    if (laeuft)
        cmdAbbrechen->raise();
    ui().Sanduhr(laeuft);
}

void FutterListe::ServerFutterSuchen()
{
    if (!AustauschEingestellt()) {
        MsgBox(AustauschFehltMeldung(), Knoepfe::OK, Symbol::Ausrufezeichen);
        return;
    }
    const QPointer<FutterListe> selbst(this);
    FtpAbbruchZuruecksetzen();
    HauptFensterMeldungAusgeben(Farbe::Gelb, QStringLiteral("Noch nicht importierte Futtermittel werden gesucht."), 10);
    UebertragungAnzeigen(true);
    const int index = cmbFutterArt->currentIndex();
    const ServerDateien server = ServerDateienLesen(index > 0 ? cmbFutterArt->itemData(index).toInt() : 0);
    if (!selbst) {
        ui().Sanduhr(false);
        return;
    }
    UebertragungAnzeigen(false);

    if (!server.verbunden || !server.ordnerGefunden) {
        if (FtpAbgebrochen()) {
            HauptFensterMeldungAusgeben(Farbe::Gelb, QStringLiteral("Die Übertragung wurde abgebrochen."), 3);
            return;
        }
        if (!server.verbunden)
            ProtokollSchreiben(objectName() + QStringLiteral(".cmdInternet_Click: Es konnte keine Verbindung zu ")
                + AustauschServer() + QStringLiteral(" aufgebaut werden."));
        // Not only an unreachable server ends here: a refused login, an
        // untrusted certificate, a missing folder, a listing too large.
        AustauschFehlerMelden(
            QStringLiteral("Die Futtermittel des Internet-Servers konnten nicht aufgelistet werden."));
        return;
    }

    // Known are the feeds of the database, also those the list's filters
    // hide, and the server rows already shown.
    QList<ServerFutter> bekannt;
    LokaleFutterLesen(bekannt);
    long naechste = -1;
    for (int i = 0; i < lvwListe->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* z = lvwListe->topLevelItem(i);
        if (ZeilenID(z) >= 0)
            continue;
        naechste = std::min(naechste, ZeilenID(z) - 1);
        if (const auto s = ServerFutterAusName(z->data(0, DateiRolle).toString()))
            bekannt.append(*s);
    }
    bool gekuerzt = false;
    const QList<ServerFutter> neu = NeueServerFutter(server.namen, bekannt, &gekuerzt);
    for (const ServerFutter& s : neu) {
        QTreeWidgetItem* z = ZeileErzeugen(naechste--, ServerVorsilbe + FutterGruppenName(s.gruppe), s.bezeichnung);
        z->setData(0, DateiRolle, s.datei);
        for (int spalte = 0; spalte < 3; ++spalte)
            z->setToolTip(spalte, QStringLiteral("Doppelklick zum Übernehmen eines Futtermittels"));
        lvwListe->addTopLevelItem(z);
    }
    if (sortSpalte >= 0)
        lvwListe->sortItems(sortSpalte, sortFolge);

    if (neu.isEmpty())
        HauptFensterMeldungAusgeben(Farbe::Gelb, QStringLiteral("Keine neuen Futtermittel gefunden."), 3);
    else
        HauptFensterMeldungAusgeben(
            Farbe::Gruen, QString::number(neu.size()) + QStringLiteral(" neue Futtermittel gefunden."), 5);
    if (gekuerzt)
        MsgBox(QStringLiteral("Auf dem Server liegen mehr als %1 Futtermittel; es wurden nur die ersten %1 "
                              "berücksichtigt.\n\nWählen Sie eine Futterart aus, um die übrigen zu sehen.")
                   .arg(ServerFutterHoechstzahl),
            Knoepfe::OK, Symbol::Information);
}

void FutterListe::ServerFutterUebernehmen(const QTreeWidgetItem* zeile)
{
    // The file as the server listed it, letter case and all.
    const std::optional<ServerFutter> datei = ServerFutterAusName(zeile->data(0, DateiRolle).toString());
    if (!datei)
        return;
    if (!AustauschEingestellt()) {
        MsgBox(AustauschFehltMeldung(), Knoepfe::OK, Symbol::Ausrufezeichen);
        return;
    }
    const QPointer<FutterListe> selbst(this);
    FtpAbbruchZuruecksetzen();
    HauptFensterMeldungAusgeben(Farbe::Gelb, QStringLiteral("Futtermittel wird aus dem Internet geholt."), 10);
    UebertragungAnzeigen(true);
    FutterAusDatei futter;
    const bool geholt = ServerFutterHolen(datei->datei, futter);
    if (!selbst) {
        ui().Sanduhr(false);
        return;
    }
    UebertragungAnzeigen(false);
    if (!geholt) {
        if (FtpAbgebrochen())
            HauptFensterMeldungAusgeben(Farbe::Gelb, QStringLiteral("Die Übertragung wurde abgebrochen."), 5);
        else
            AustauschFehlerMelden(QStringLiteral("Futtermittel konnte nicht geholt werden!"));
        return;
    }
    if (haupt)
        StammdatenFenster2::ServerFutterZeigen(haupt, datei->gruppe, futter);
    HauptFensterMeldungAusgeben(Farbe::Gruen, QStringLiteral("Futtermittel wurde geholt. Bitte speichern."), 5);
}

} // namespace kelvora
