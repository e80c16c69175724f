#pragma once

class QWidget;

namespace semtra::window {

// Places a window, frame included, in the middle of the primary screen's desktop.
void centreOnDesktop(QWidget& window);

} // namespace semtra::window
