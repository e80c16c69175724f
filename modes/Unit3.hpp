#pragma once

#include <QWidget>

class QFrame;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QToolButton;

namespace semtra::window {

class TForm1;

// The About window: created hidden at start-up and shown on demand. The version button
// covers the upper panel and closes the window; the history button unfolds the lower
// panel with the version history.
class TForm3 : public QWidget {
    Q_OBJECT
  public:
    explicit TForm3(TForm1* main);

    // The window's outer height as the window definition counts it (title bar included).
    int formHeight() const;
    void setFormHeight(int height);
    // Shows the window (centred the first time) and enables it.
    void open();

    QPlainTextEdit* Memo1() const { return m_memo; }

    void Button1Click();
    void SpeedButton1Click();

  private:
    void buildUpperPanel();
    void buildLowerPanel();

    TForm1* m_main;
    QFrame* m_tab1 = nullptr;
    QFrame* m_tab2 = nullptr;
    QToolButton* m_version = nullptr;
    QLabel* m_picture = nullptr;
    QPushButton* m_history = nullptr;
    QPlainTextEdit* m_memo = nullptr;
    int m_height = 0;
    bool m_shownOnce = false;
};

} // namespace semtra::window
