#pragma once

#include <QColor>
#include <QPalette>
#include <QWidget>

namespace semtra::window {

// The face colour of the windows' definition.
inline const QColor kSilver(192, 192, 192);

// One role of a widget's palette, in every colour group.
inline void setColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}

} // namespace semtra::window
