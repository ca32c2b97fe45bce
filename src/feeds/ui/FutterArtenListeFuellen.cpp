#include "feeds/ui/FutterArtenListeFuellen.h"

#include "feeds/FutterbezogeneRoutinen.h"

#include <QComboBox>
#include <QStringList>

namespace kelvora {

void FutterArtenListeFuellen(QComboBox* box, const QString& auswahl, bool ohneAlle, bool festeGruppen)
{
    if (!box || box->count() > 0)
        return;
    const QList<FutterArtEintrag> eintraege = FutterArtenEintraege(ohneAlle, festeGruppen);
    QStringList texte;
    for (const FutterArtEintrag& e : eintraege) {
        box->addItem(e.text, QVariant::fromValue<qlonglong>(e.id));
        texte << e.text;
    }
    box->setCurrentIndex(FutterArtenAuswahlIndex(texte, auswahl));
}

} // namespace kelvora
