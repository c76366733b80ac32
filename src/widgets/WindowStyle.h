// Small helpers the windows share for their looks.
#pragma once

#include <QColor>
#include <QEvent>
#include <QFont>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QTimer>
#include <QWidget>
#include <algorithm>

namespace veltra {

// The colours of a verdict, in the viewers and on the report's pages alike.
inline const QColor kPassColour(30, 120, 50), kFailColour(180, 30, 30);

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

// A scroll area whose own size is its content's base size where one is set (a viewer opens
// with room for its graph), else its minimum size: the window opens showing it all.
class ClientScrollArea : public QScrollArea {
  public:
    using QScrollArea::QScrollArea;
    QSize sizeHint() const override {
        if (!widget()) return QScrollArea::sizeHint();
        return widget()->baseSize().expandedTo(widget()->minimumSize()) +
               QSize(2 * frameWidth(), 2 * frameWidth());
    }
};

// Keeps a window, frame and title bar included, inside its screen's free area: made smaller
// where it does not fit (its content then scrolls), moved in where it sticks out.
inline void KeepOnScreen(QWidget* window) {
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect free = screen->availableGeometry();
    // The frame's width and the title bar, as the window system draws them: known once the
    // window exists there.
    window->winId();
    const QSize margins = window->frameGeometry().size() - window->geometry().size();
    const QSize room = free.size() - margins;
    int width = window->width();
    if (window->height() > room.height()) {
        // The client scrolls down: its scroll bar takes room beside it, not from it.
        if (auto* area = window->findChild<ClientScrollArea*>()) {
            width += area->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, area);
            window->setMaximumWidth(std::max(window->maximumWidth(), width));
        }
    }
    if (width != window->width() || window->width() > room.width() ||
        window->height() > room.height())
        window->resize(std::min(width, room.width()), std::min(window->height(), room.height()));
    QRect frame = window->frameGeometry();
    frame.moveLeft(std::clamp(frame.left(), free.left(), free.right() - frame.width() + 1));
    frame.moveTop(std::clamp(frame.top(), free.top(), free.bottom() - frame.height() + 1));
    window->move(frame.topLeft());
}

// A window manager frames a window only once it is shown: the title bar's height is not known
// before, and a window kept inside the screen by its client's size alone sticks out at the
// bottom by as much. Checked again when shown, and once more when the frame has come.
class KeptOnScreenWhenShown : public QObject {
  public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && watched->isWidgetType()) {
            auto* window = static_cast<QWidget*>(watched);
            QTimer::singleShot(0, window, [window] { KeepOnScreen(window); });
            QTimer::singleShot(300, window, [window] { KeepOnScreen(window); });
        }
        return false;
    }
};

inline void KeepOnScreenWhenShown(QWidget* window) {
    const QString name = "KeptOnScreenWhenShown";
    if (window->findChild<QObject*>(name, Qt::FindDirectChildrenOnly)) return;
    auto* watch = new KeptOnScreenWhenShown(window);
    watch->setObjectName(name);
    window->installEventFilter(watch);
}

// Opens a window at its own size, or the screen's where that is smaller, centred.
inline void CentreOnScreen(QWidget* window) {
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    // Its own size (adjustSize would stop at two thirds of the screen), then kept on it.
    window->resize(window->sizeHint().expandedTo(window->minimumSizeHint()));
    QRect frame = window->frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window->move(frame.topLeft());
    KeepOnScreen(window);
    KeepOnScreenWhenShown(window);
}

// A window's client area that scrolls where the window is smaller than `content`'s minimum
// size, and grows with it where it is larger.
inline QScrollArea* ScrollingClient(QWidget* parent, QWidget* content) {
    auto* area = new ClientScrollArea(parent);
    area->setObjectName(content->objectName() + "Scroll");
    area->setFrameShape(QFrame::NoFrame);
    area->setWidgetResizable(true);
    area->setWidget(content);
    return area;
}

}  // namespace veltra
