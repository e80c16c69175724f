#pragma once

#include <QWidget>

namespace semtra::window {

// The About window: created hidden at start-up and shown on demand.
class TForm3 : public QWidget {
    Q_OBJECT
  public:
    explicit TForm3(QWidget* parent = nullptr);
};

} // namespace semtra::window
