#include "feeds/ui/StammdatenTasten.h"

#include "feeds/StammdatenMaske.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace kelvora {

namespace {

enum class Art { Ganzzahl, Dezimal, Text };

class Tastenfilter final : public QObject {
public:
    Tastenfilter(QLineEdit* box, Art art)
        : QObject(box)
        , box(box)
        , art(art)
    {
        setObjectName(QStringLiteral("Tastenfilter"));
    }

protected:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (o != box || e->type() != QEvent::KeyPress)
            return false;
        const QChar zeichen = GetipptesZeichen(static_cast<QKeyEvent*>(e));
        if (zeichen.isNull())
            return false;
        if (art == Art::Text)
            return !TextZeichenErlaubt(zeichen);
        // What the key replaces does not count: a comma typed over a
        // selected "2,24" is the number's only comma.
        QString bleibt = box->text();
        if (box->hasSelectedText())
            bleibt.remove(box->selectionStart(), box->selectedText().size());
        const QChar ergebnis = ZahlZeichenFiltern(zeichen, art == Art::Dezimal, bleibt);
        if (ergebnis.isNull())
            return true;
        if (ergebnis != zeichen) {
            // A full stop typed where a comma belongs.
            box->insert(QString(ergebnis));
            return true;
        }
        return false;
    }

private:
    QLineEdit* box;
    Art art;
};

void Setzen(QLineEdit* box, Art art)
{
    if (!box || box->findChild<QObject*>(QStringLiteral("Tastenfilter"), Qt::FindDirectChildrenOnly))
        return; // one filter per box
    box->installEventFilter(new Tastenfilter(box, art));
}

} // namespace

QChar GetipptesZeichen(const QKeyEvent* taste)
{
    const int k = taste->key();
    if (k == Qt::Key_Return || k == Qt::Key_Enter)
        return QChar(ZeichenEingabe);
    if (k == Qt::Key_Backspace)
        return QChar(ZeichenRueckschritt);
    if (k == Qt::Key_Tab || k == Qt::Key_Backtab || k == Qt::Key_Escape)
        return {}; // focus keys and Esc type nothing
    const Qt::KeyboardModifiers m = taste->modifiers();
    if ((m & Qt::ControlModifier) && !(m & Qt::AltModifier)) {
        if (k >= Qt::Key_A && k <= Qt::Key_Z)
            return QChar(static_cast<char16_t>(k - Qt::Key_A + 1));
        return {};
    }
    const QString text = taste->text();
    if (text.isEmpty() || k == Qt::Key_Delete || text.at(0) == QChar(0x7f))
        return {};
    return text.at(0);
}

void ZahlenfilterSetzen(QLineEdit* box, bool dezimal)
{
    Setzen(box, dezimal ? Art::Dezimal : Art::Ganzzahl);
}

void TexteingabefilterSetzen(QLineEdit* box)
{
    Setzen(box, Art::Text);
}

} // namespace kelvora
