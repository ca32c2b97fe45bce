#include "printing/ui/FunktionenFuerListen.h"

#include "frame/Oberflaeche.h"

#include <QListWidget>
#include <QTreeWidget>

namespace kelvora {

namespace {

// The current line moves with the marking, so that the keyboard and a
// following Shift+click start from the marked line.
void Markieren(QTreeWidget* liste, QTreeWidgetItem* zeile)
{
    liste->setCurrentItem(zeile, 0, QItemSelectionModel::NoUpdate);
    zeile->setSelected(true);
    liste->scrollToItem(zeile);
}

} // namespace

void ZeileMarkieren(QTreeWidget* liste, long zeile, bool auffrischen)
{
    if (!liste)
        return;
    liste->clearSelection();
    if (zeile >= 1 && zeile <= liste->topLevelItemCount())
        Markieren(liste, liste->topLevelItem(static_cast<int>(zeile - 1)));
    if (auffrischen) {
        liste->viewport()->update();
        ui().EreignisseVerarbeiten();
    }
}

void LetzteZeileMarkieren(QTreeWidget* liste)
{
    if (!liste)
        return;
    liste->clearSelection();
    const int anzahl = liste->topLevelItemCount();
    if (anzahl > 0)
        Markieren(liste, liste->topLevelItem(anzahl - 1));
}

long MarkierteZeilen(const QTreeWidget* liste, long& index)
{
    index = 0;
    if (!liste || liste->topLevelItemCount() == 0)
        return 0;
    long anzahl = 0;
    long letzte = 0;
    for (int i = 0; i < liste->topLevelItemCount(); ++i) {
        if (liste->topLevelItem(i)->isSelected()) {
            ++anzahl;
            letzte = i + 1;
        }
    }
    if (anzahl == 1)
        index = letzte;
    return anzahl;
}

long MarkierteEintraege(const QListWidget* liste, long& index)
{
    index = 0;
    if (!liste || liste->count() == 0)
        return 0;
    long anzahl = 0;
    long letzte = 0;
    for (int i = 0; i < liste->count(); ++i) {
        if (liste->item(i)->isSelected()) {
            ++anzahl;
            letzte = i + 1;
        }
    }
    if (anzahl == 1)
        index = letzte;
    return anzahl;
}

} // namespace kelvora
