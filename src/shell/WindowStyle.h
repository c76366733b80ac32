// Small helpers the windows share for their looks.
#pragma once

#include <QColor>
#include <QWidget>

namespace veltra {

// Fills the widget's background with `color`.
inline void SetBackground(QWidget* widget, const QColor& color) {
    widget->setAutoFillBackground(true);
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, color);
    widget->setPalette(palette);
}

}  // namespace veltra
