// The input-line tools and the window effects of the main window.

#include "window/Unit1.hpp"
#include "window/dialogue_view.hpp"
#include "window/text.hpp"
#include "window/vcl_timer.hpp"

#include <QAction>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QScreen>

namespace semtra::window {

// Undo: the last line of the view and of the transcript go, then the window shakes.
void TForm1::SpeedButton2Click() {
    m_view->deleteLastLine();
    LineList& transcript = m_engine->RichEdit4();
    transcript.remove(transcript.count() - 1);
    timer(7)->setEnabled(true);
}

void TForm1::SpeedButton3Click() {
    m_sound->play(3);
    const QString converted = fromCp(convertLayout(toCp(m_edit->text())));
    if (converted != m_edit->text())
        m_edit->setText(converted);
}

// The guard clears the whole line when its walk meets "^", "_" or ";", and the dialogue
// view stays disabled from then on.
void TForm1::Timer5Timer() {
    if (m_guard.tick(toCp(m_edit->text())) != ReservedGuard::Step::Found)
        return;
    m_view->setEnabled(false);
    m_edit->setText(QString());
}

void TForm1::N2Click() {
    m_view->clearLines();
    m_engine->RichEdit4().clear();
    // Writing the empty text reports a change only when the line held text.
    m_edit->setText(QString());
    timer(7)->setEnabled(true);
}

void TForm1::centreOnDesktop() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect desktop = screen->availableGeometry();
    const QSize size = frameGeometry().size().isValid() ? frameGeometry().size() : sizeHint();
    move(desktop.center() - QPoint(size.width() / 2, size.height() / 2));
}

// The shake: a burst of jumps to spots in an 11 x 11 square at the screen's corner, then
// back to the centre, with the input line and the menus restored.
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
        move(left, top);
    }
    centreOnDesktop();
    m_edit->setReadOnly(false);
    for (QMenu* menu : m_menus)
        menu->menuAction()->setEnabled(true);
    timer(7)->setEnabled(false);
}

// The shrink-and-exit after a farewell: 80 ticks, the closing cue from the 10th.
void TForm1::Timer4Timer() {
    ++m_tag;
    if (m_tag >= 80)
        N4Click();
    if (m_tag >= 80)
        timer(4)->setEnabled(false);
    move(x() - 3, y() - 2);
    setFixedSize(std::max(width() - 10, 0), std::max(height() - 8, 0));
    if (m_tag >= 10)
        m_sound->play(6);
}

} // namespace semtra::window
