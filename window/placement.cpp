#include "window/placement.hpp"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace semtra::window {

void centreOnDesktop(QWidget& window) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect desktop = screen->availableGeometry();
    // Before its first showing a window has no frame yet: its own size stands in.
    const QSize frame = window.frameGeometry().size();
    const QSize size = frame.isValid() && !frame.isEmpty() ? frame : window.size();
    window.move(desktop.center() - QPoint(size.width() / 2, size.height() / 2));
}

} // namespace semtra::window
