#pragma once
// The child windows the main window can open, by name. Each window of the
// program registers its factory here; a menu item whose window is not
// registered stays disabled.

#include <QString>
#include <functional>

class QWidget;

namespace kelvora {

class HauptFenster;

using FensterFabrik = std::function<QWidget*(HauptFenster*)>;

// The factory for a window name, or an empty function.
FensterFabrik FensterFabrikFuer(const QString& name);

// What the timer tmrUpdateFinden runs: the update search, with its outcome
// shown in the main window.
void UpdateSucheLaufenLassen(HauptFenster* haupt);

} // namespace kelvora
