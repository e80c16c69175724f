#include "window/vcl_timer.hpp"

#include <QTimerEvent>

#include <algorithm>

namespace semtra::window {

VclTimer::VclTimer(const char* name, int interval, bool enabled, QObject* parent)
    : QObject(parent), m_interval(interval) {
    setObjectName(QString::fromLatin1(name));
    setEnabled(enabled);
}

void VclTimer::setEnabled(bool enabled) {
    if (enabled == m_enabled)
        return;
    m_enabled = enabled;
    if (enabled)
        restart();
    else
        m_timer.stop();
}

void VclTimer::setInterval(int interval) {
    if (interval == m_interval)
        return;
    m_interval = interval;
    if (m_enabled)
        restart();
}

void VclTimer::restart() {
    ++m_starts;
    const int ms = std::max(m_interval, kFastestTick);
    // Long intervals want wall-clock accuracy; the fast ticks may be coarse to save wake-ups.
    m_timer.start(ms, ms >= 1000 ? Qt::PreciseTimer : Qt::CoarseTimer, this);
}

void VclTimer::timerEvent(QTimerEvent* event) {
    if (event->timerId() != m_timer.timerId()) {
        QObject::timerEvent(event);
        return;
    }
    emit timeout();
}

} // namespace semtra::window
