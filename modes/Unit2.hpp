#pragma once

#include <QWidget>

class QLineEdit;
class QSpinBox;
class QPushButton;

namespace semtra {
class Clock;
class RandomSource;
} // namespace semtra

namespace semtra::window {

class TForm1;
class VclTimer;

// The editor window of the Cpu\Cpu mode: where replies are written and how often the
// cycle runs. Its fields are read live: an edit is in force the moment it is made.
class TForm2 : public QWidget {
    Q_OBJECT
  public:
    TForm2(TForm1* main, Clock& clock, RandomSource& random);

    QLineEdit* Edit1() const { return m_path; }
    QSpinBox* SpinEdit1() const { return m_interval; }
    VclTimer* Timer1() const { return m_timer; }
    // The interval field's value, always within 1 .. 60000.
    int interval() const;

    void open();
    void Button1Click();
    void Button2Click();
    void Timer1Timer();
    void Edit1Change();
    void SpinEdit1Change();

  private:
    void close();

    TForm1* m_main;
    Clock& m_clock;
    RandomSource& m_random;
    QLineEdit* m_path;
    QSpinBox* m_interval;
    VclTimer* m_timer;
    bool m_shownOnce = false;
};

} // namespace semtra::window
