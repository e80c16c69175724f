#pragma once

#include <QWidget>

namespace semtra::window {

class TForm1;

// The About window: created hidden at start-up and shown on demand.
class TForm3 : public QWidget {
    Q_OBJECT
  public:
    explicit TForm3(TForm1* main);

    // The window's outer height as the window definition counts it (title bar included).
    int formHeight() const;
    void setFormHeight(int height);
    // Shows the window (centred the first time) and enables it.
    void open();

  private:
    TForm1* m_main;
};

} // namespace semtra::window
