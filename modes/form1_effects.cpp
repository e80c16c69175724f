// The new-dialogue command and the window effects: the shake and the shrink-and-exit.

#include "window/Unit1.hpp"
#include "window/dialogue_view.hpp"
#include "window/placement.hpp"
#include "window/vcl_timer.hpp"

#include <QAction>
#include <QLineEdit>
#include <QMenu>

#include <algorithm>

namespace semtra::window {

// The view and the transcript go; the engine keeps its state, so the next line is still
// learnt as the answer to the bot's reply from before.
void TForm1::N2Click() {
    m_view->clearLines();
    m_engine->RichEdit4().clear();
    // Writing the empty text reports a change only when the line held text.
    m_edit->setText(QString());
    timer(7)->setEnabled(true);
}

void TForm1::setTop(int top) {
    move(x(), top);
}

void TForm1::setLeft(int left) {
    move(left, y());
}

// The window system's smallest size stands: a shrink below it leaves the window there.
void TForm1::setWindowWidth(int width) {
    setFixedWidth(std::max(width, 1));
}

void TForm1::setWindowHeight(int height) {
    setFixedHeight(std::max(height, 1));
}

// The shake: a burst of jumps to spots in an 11 x 11 square near the screen's corner,
// then back to the centre, with the input line and the menus restored.
void TForm1::Timer7Timer() {
    m_random->seed(static_cast<std::uint32_t>(m_clock->msOfDay()));
    m_sound->play(4);
    m_edit->setReadOnly(true);
    for (QMenu* menu : m_menus)
        menu->menuAction()->setEnabled(false);
    const int count = drawRange(*m_random, 125, 250);
    for (int jump = 0; jump < count; ++jump) {
        const int left = drawRange(*m_random, 95, 105);
        const int top = drawRange(*m_random, 95, 105);
        setTop(top);
        setLeft(left);
        if (m_moved)
            m_moved(QPoint(left, top));
    }
    centreOnDesktop(*this);
    m_edit->setReadOnly(false);
    for (QMenu* menu : m_menus)
        menu->menuAction()->setEnabled(true);
    timer(7)->setEnabled(false);
}

// The shrink-and-exit after a farewell: 80 ticks, the closing cue from the 10th, the Exit
// command at the 80th. An Exit that fails ends the tick there, so the timer stays on and
// tries again on the next tick without shrinking; the error box is shown once while it
// stays open.
void TForm1::Timer4Timer() {
    guard([this] {
        ++m_tag;
        if (m_tag >= 80)
            exitCommand();
        if (m_tag >= 80)
            timer(4)->setEnabled(false);
        setTop(y() - 2);
        setLeft(x() - 3);
        setWindowWidth(width() - 10);
        setWindowHeight(height() - 8);
        if (m_tag >= 10)
            m_sound->play(6);
    });
}

} // namespace semtra::window
