#pragma once
// Filling a feed-type combo box on the screen; the entries and the selection
// rule come from FutterbezogeneRoutinen.

#include <QString>

class QComboBox;

namespace kelvora {

// Does nothing when the box already holds entries. Otherwise adds the
// entries of FutterArtenEintraege (item data = group or type ID) and selects
// auswahl by FutterArtenAuswahlIndex ("" selects nothing).
void FutterArtenListeFuellen(QComboBox* box, const QString& auswahl, bool ohneAlle, bool festeGruppen);

} // namespace kelvora
