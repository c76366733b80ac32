// The start-up benchmark's end of a start: the program quits once its window has been painted.
#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace veltra::bench {

class QuitWhenPainted : public QObject {
  public:
    explicit QuitWhenPainted(QWidget& window) : QObject(&window) {
        window.installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && !quitting_) {
            quitting_ = true;
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return false;
    }

  private:
    bool quitting_ = false;
};

}  // namespace veltra::bench
