// The commands of the ration window that change the ration as a whole: the
// two balancings, converting marked amounts into shares, removing the marked
// feed (list keys and the relay of other windows) and clearing the ration.
// The work itself is done on table Ration by the logic; the window hands it
// the marked lines and the maxima it shows, and evaluates afterwards.

#include "grundlagen/DatenTypen.h"
#include "ration/Ausgleich.h"
#include "ration/GanzeRation.h"
#include "ration/ui/ErgebnisFenster.h"
#include "ration/ui/RationTierErstellenFenster.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

namespace kelvora {

namespace {

double ZahlIm(const QWidget* fenster, const char* label)
{
    const auto* l = fenster->findChild<QLabel*>(QString::fromLatin1(label));
    return l ? TextInDouble(l->text()) : 0;
}

} // namespace

void RationTierErstellenFenster::GanzeBefehleVerbinden()
{
    connect(cmdTMAusgleichen, &QPushButton::clicked, this, [this] { Ausgleichen(false); });
    connect(cmdNDFAusgleichen, &QPushButton::clicked, this, [this] { Ausgleichen(true); });
    connect(cmdInVariableUmwandeln, &QPushButton::clicked, this, [this] {
        if (InVariableUmwandeln(ListenMarkierungen()))
            RationAuswerten();
    });
    connect(LoeschEreignisAufrufen, &QPushButton::clicked, this, [this] {
        if (FutterEntfernenPerRelais(ListenMarkierungen()))
            RationAuswerten();
    });
    connect(cmdRationLoeschen, &QPushButton::clicked, this, [this] {
        if (!RationLeeren())
            return;
        // A new ration starts unbalanced; the result window keeps nothing
        // of the old one.
        TMAusgeglichen = false;
        NDFAusgeglichen = false;
        LetzterAusgleich.clear();
        if (ErgebnisFenster* ergebnis = ErgebnisFensterMinimiert(haupt)) {
            for (const QString& spalte : {QStringLiteral("TM"), QStringLiteral("NDF")})
                ergebnis->IstSchreiben(spalte, ErgebnisSpalte{}, true);
        }
        RationAuswerten();
    });
}

void RationTierErstellenFenster::Ausgleichen(bool nachNDF)
{
    // The maxima are the figures the last evaluation showed; they are
    // displayed with the precision the balancing works with.
    const double tmMaxKg = ZahlIm(this, "lblTMKiloMaxAnzeige2");
    const AusgleichErgebnis ergebnis = nachNDF ? NDFAusgleichen(tmMaxKg, ZahlIm(this, "lblNDFGrammMaxAnzeige"))
                                               : TMAusgleichen(tmMaxKg);
    // Refused or failed: the stored ration is unchanged and the user was told.
    if (ergebnis != AusgleichErgebnis::Abgeschlossen)
        return;
    if (nachNDF) {
        LetzterAusgleich = QStringLiteral("NDF");
        NDFAusgeglichen = true;
    } else {
        LetzterAusgleich = QStringLiteral("TM");
        TMAusgeglichen = true;
    }
    RationAuswerten();
}

QList<ListenMarkierung> RationTierErstellenFenster::ListenMarkierungen() const
{
    QList<ListenMarkierung> zeilen;
    const int idSpalte = lvwListe->columnCount() - 1;
    for (int i = 0; i < lvwListe->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* zeile = lvwListe->topLevelItem(i);
        zeilen.append({TextInLong(zeile->text(idSpalte)), zeile->isSelected()});
    }
    return zeilen;
}

bool RationTierErstellenFenster::ListenTaste(const QKeyEvent* e)
{
    if (e->key() != Qt::Key_Delete && e->key() != Qt::Key_F9)
        return false;
    if (FutterEntfernenPerTaste(ListenMarkierungen()))
        RationAuswerten();
    return true;
}

} // namespace kelvora
