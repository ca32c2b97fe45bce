#pragma once
// Window-system colour values (0x00BBGGRR) as Qt colours.

#include <QColor>
#include <QPalette>

class QLabel;

namespace kelvora {

QColor FarbeAusWert(qint64 wert, const QPalette& palette = QPalette());

// Sets back and text colour of a label the way the program colours its
// figure and status labels (text colour by the contrast rule).
void LabelFaerben(QLabel* label, qint64 hintergrund, bool durchsichtig = false);

} // namespace kelvora
