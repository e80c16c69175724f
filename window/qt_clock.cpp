#include "window/qt_clock.hpp"

#include "window/text.hpp"

#include <QDateTime>
#include <QLocale>

namespace semtra::window {

std::string QtClock::shortDate() {
    return toCp(QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat));
}

std::string QtClock::longTime() {
    return toCp(QLocale::system().toString(QTime::currentTime(), QLocale::LongFormat));
}

} // namespace semtra::window
