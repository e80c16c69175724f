#pragma once

#include <QBasicTimer>
#include <QObject>

namespace semtra::window {

// A timer with the window library's manners, which the self-dialogue rhythm relies on:
// enabling a running timer does not restart its count, and setting the interval it already
// has changes nothing; a new interval restarts the count. An interval of 1 means "as often
// as the event loop delivers timer events", which users know as about every 16 ms; running
// it at 16 ms keeps that pace and lets the idle program sleep.
class VclTimer : public QObject {
    Q_OBJECT
  public:
    static constexpr int kFastestTick = 16;

    VclTimer(const char* name, int interval, bool enabled, QObject* parent);

    bool enabled() const { return m_enabled; }
    void setEnabled(bool enabled);
    int interval() const { return m_interval; }
    void setInterval(int interval);
    bool running() const { return m_timer.isActive(); }
    // How often the count has started from zero, for the tests of the rhythm.
    int starts() const { return m_starts; }

  signals:
    void timeout();

  protected:
    void timerEvent(QTimerEvent* event) override;

  private:
    void restart();

    QBasicTimer m_timer;
    int m_interval;
    bool m_enabled = false;
    int m_starts = 0;
};

} // namespace semtra::window
