// The feed list's commands: opening, creating and deleting feeds, the keys
// of the window, the search box's character filter, the pop-up menu and
// dragging a feed out of the list.

#include "feeds/ui/FutterListe.h"

#include "feeds/FutterbezogeneRoutinen.h"
#include "feeds/StammdatenMaske.h"
#include "feeds/ui/StammdatenFenster2.h"
#include "frame/Programm.h"
#include "frame/ui/FensterPositionQt.h"
#include "frame/ui/Hauptrahmen.h"
#include "printing/ui/FunktionenFuerListen.h"

#include <QComboBox>
#include <QContextMenuEvent>
#include <QDrag>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QPushButton>
#include <QTimer>

namespace kelvora {

// ------------------------------------------------------------ list view

FutterListenAnsicht::FutterListenAnsicht(QWidget* parent)
    : QTreeWidget(parent)
{
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setDragEnabled(true);
    setDragDropMode(QAbstractItemView::DragOnly);
    setDefaultDropAction(Qt::CopyAction);
    header()->setSectionsClickable(true);
    // The columns keep their share of the width; none takes up the rest.
    header()->setStretchLastSection(false);
    header()->setSortIndicatorShown(false);
}

long FutterListenAnsicht::ZiehFutter() const
{
    long id = 0;
    for (int i = 0; i < topLevelItemCount(); ++i) {
        const QTreeWidgetItem* z = topLevelItem(i);
        if (z->isSelected())
            id = FutterListe::ZeilenID(z);
    }
    return id;
}

QMimeData* FutterListenAnsicht::ZiehDatenErzeugen()
{
    programm().ZiehFutterID = ZiehFutter();
    auto* daten = new QMimeData;
    daten->setData(QString::fromLatin1(FutterMimeTyp), QByteArray::number(qlonglong(programm().ZiehFutterID)));
    daten->setText(QString::number(programm().ZiehFutterID));
    return daten;
}

QStringList FutterListenAnsicht::mimeTypes() const
{
    return { QString::fromLatin1(FutterMimeTyp), QStringLiteral("text/plain") };
}

void FutterListenAnsicht::startDrag(Qt::DropActions erlaubt)
{
    // Feeds on the exchange server are taken over first, not dragged.
    if (selectedItems().isEmpty() || ZiehFutter() < 0)
        return;
    auto* drag = new QDrag(this);
    drag->setMimeData(ZiehDatenErzeugen());
    drag->exec(erlaubt | Qt::CopyAction, Qt::CopyAction);
}

// ------------------------------------------------------------ rows

long FutterListe::ZeilenID(const QTreeWidgetItem* zeile)
{
    if (!zeile)
        return 0;
    // The key is "Msg_" followed by the ID.
    return zeile->data(0, Qt::UserRole).toString().mid(4).toLong();
}

void FutterListe::BedienungSperren(bool gesperrt)
{
    for (QWidget* w : std::initializer_list<QWidget*> {
             cmbFutterArt, cmdInternet, cmdLoeschen, cmdMaskeLeer, cmdSuchen, lvwListe, txtSuchen })
        w->setEnabled(!gesperrt);
}

void FutterListe::EditorOeffnen(long futterID)
{
    if (!haupt)
        return;
    // One editor per feed: an editor that already shows the feed comes
    // forward, otherwise a new one loads it (0: a new, empty feed).
    StammdatenFenster2::FutterBearbeiten(haupt, futterID);
}

void FutterListe::MarkiertesFutterOeffnen()
{
    long index = 0;
    if (MarkierteZeilen(lvwListe, index) != 1)
        return;
    const QTreeWidgetItem* zeile = lvwListe->topLevelItem(static_cast<int>(index - 1));
    const long id = ZeilenID(zeile);
    if (id < 0) {
        ServerFutterUebernehmen(zeile);
        return;
    }
    BedienungSperren(true);
    EditorOeffnen(id);
    BedienungSperren(false);
}

void FutterListe::MarkiertesFutterLoeschen()
{
    long index = 0;
    if (MarkierteZeilen(lvwListe, index) != 1)
        return;
    const long id = ZeilenID(lvwListe->topLevelItem(static_cast<int>(index - 1)));
    if (id < 0)
        return; // a feed on the server is not ours to delete
    cmdLoeschen->setEnabled(false);
    const bool geloescht = FutterLoeschen(id);
    cmdLoeschen->setEnabled(true);
    if (geloescht)
        tmrAktualisieren->start();
}

void FutterListe::NeuesFutter()
{
    cmdMaskeLeer->setEnabled(false);
    EditorOeffnen(0);
    cmdMaskeLeer->setEnabled(true);
}

void FutterListe::KopierenInZeigen(const QPoint& globalePosition)
{
    const long id = lvwListe->ZiehFutter();
    if (!haupt || id <= 0)
        return;
    programm().ZiehFutterID = id;
    haupt->KopierenInZeigen(this, globalePosition);
}

// ------------------------------------------------------------ keys

bool FutterListe::FensterTaste(int taste, Qt::KeyboardModifiers tasten)
{
    if (tasten & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier))
        return false;
    switch (taste) {
    case Qt::Key_Escape:
        if (QMdiSubWindow* u = UnterfensterVon(this))
            u->close();
        else
            close();
        return true;
    case Qt::Key_Delete:
    case Qt::Key_F9:
        MarkiertesFutterLoeschen();
        return true;
    case Qt::Key_F4:
        if (cmdMaskeLeer->isEnabled())
            cmdMaskeLeer->click();
        return true;
    default:
        return false;
    }
}

// The search box takes the same characters as a feed name; Enter searches.
bool FutterListe::SuchtextTaste(QKeyEvent* e)
{
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        if (cmdSuchen->isEnabled() && cmdSuchen->isVisible())
            cmdSuchen->click();
        return true;
    }
    const QString text = e->text();
    if (text.size() != 1)
        return false;
    const QChar c = text.at(0);
    // Keys that edit rather than type (Delete) are no characters.
    if (c.unicode() == 127)
        return false;
    return !TextZeichenErlaubt(c);
}

bool FutterListe::eventFilter(QObject* o, QEvent* e)
{
    if (e->type() == QEvent::KeyPress && o == txtSuchen)
        return SuchtextTaste(static_cast<QKeyEvent*>(e));

    if (e->type() == QEvent::KeyRelease) {
        auto* k = static_cast<QKeyEvent*>(e);
        if (k->isAutoRepeat())
            return false;
        if (o == lvwListe) {
            if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
                MarkiertesFutterOeffnen();
                return true;
            }
            if (k->key() == Qt::Key_A && (k->modifiers() & Qt::ControlModifier)) {
                lvwListe->selectAll();
                return true;
            }
        }
        // In the search box Delete edits the text; it never deletes a feed.
        if (o == txtSuchen && k->key() == Qt::Key_Delete)
            return false;
        return FensterTaste(k->key(), k->modifiers());
    }

    if (e->type() == QEvent::ContextMenu && (o == lvwListe || o == lvwListe->viewport())) {
        KopierenInZeigen(static_cast<QContextMenuEvent*>(e)->globalPos());
        return true;
    }
    return QWidget::eventFilter(o, e);
}

} // namespace kelvora
