// The input-line tools of the main window: undo, the layout conversion and the guard.

#include "window/Unit1.hpp"
#include "window/dialogue_view.hpp"
#include "window/text.hpp"
#include "window/vcl_timer.hpp"

#include <QLineEdit>

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

} // namespace semtra::window
