// Whether the left Alt key is held right now. The right Alt key does not count; the program's
// hidden service functions open only with the left one.
#pragma once

#include <QObject>

namespace veltra {

class LeftAltKey : public QObject {
    Q_OBJECT
  public:
    explicit LeftAltKey(QObject* parent = nullptr);
    bool down() const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool down_ = false;
};

}  // namespace veltra
