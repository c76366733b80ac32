// Small helpers the windows share for their looks.
#pragma once

#include <QColor>
#include <QFont>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QWidget>

namespace veltra {

// Fills the widget's background with `color`.
inline void SetBackground(QWidget* widget, const QColor& color) {
    widget->setAutoFillBackground(true);
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, color);
    widget->setPalette(palette);
}

// Sets a label's text and lets the label grow or shrink to it.
inline void SetLabelText(QLabel* label, const QString& text) {
    label->setText(text);
    label->adjustSize();
}

// The model name's lettering in the logos: the system's own font (one that every system has),
// 11 points, bold italic.
inline QFont LogoFont() {
    QFont font = QGuiApplication::font();
    font.setPointSize(11);
    font.setBold(true);
    font.setItalic(true);
    return font;
}

// Places a window in the middle of the desktop it is on.
inline void CentreOnScreen(QWidget* window) {
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    window->adjustSize();
    QRect frame = window->frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window->move(frame.topLeft());
}

}  // namespace veltra
