// The main window's modes: the idle remark and the self-dialogue cycle.

#include "data/captions.hpp"
#include "modes/Unit2.hpp"
#include "modes/Unit3.hpp"
#include "window/Unit1.hpp"
#include "window/dialogue_view.hpp"
#include "window/text.hpp"
#include "window/vcl_timer.hpp"

#include <QAction>
#include <QLabel>
#include <QSpinBox>

namespace semtra::window {

namespace {
const QColor kTeal(0, 128, 128);
}

void TForm1::Timer2Timer() {
    guard([this] { m_engine->idleTick(); });
}

// Both mode commands write their service line, also when the mode is already on; the
// cycle itself starts or stops at the refresher's next tick.
void TForm1::setServiceMode(bool cpu) {
    m_view->nextFormat().setForeground(kTeal);
    m_panels[2]->setText(tr8(cpu ? data::kModeCpuCpu : data::kModeCpuUser));
    m_view->appendLine(tr8(cpu ? data::kServiceCpuCpu : data::kServiceCpuUser));
    if (!cpu)
        m_view->appendLine(QString());
    action("CpuUser1")->setChecked(!cpu);
    action("Cpu31")->setChecked(cpu);
}

void TForm1::CpuUser1Click() {
    setServiceMode(false);
}

void TForm1::Cpu31Click() {
    setServiceMode(true);
}

// One step of the self-dialogue: the exchange file into the exchange buffer, the editor's
// interval, then Say, whether or not the button is enabled.
void TForm1::Timer6Timer() {
    guard([this] {
        m_engine->loadExchange();
        if (m_editor)
            timer(6)->setInterval(m_editor->interval());
        m_engine->SpeedButton1Click();
    });
}

void TForm1::N38Click() {
    timer(1)->setEnabled(false);
    setEnabled(false);
    if (m_editor)
        m_editor->open();
}

// The editor's buttons hand the main window back.
void TForm1::editorClosed() {
    timer(1)->setEnabled(true);
    setEnabled(true);
}

// The About window stops the refresher and holds the main window until its version
// button hands it back.
void TForm1::N12Click() {
    timer(1)->setEnabled(false);
    if (m_about)
        m_about->setFormHeight(179);
    setEnabled(false);
    if (m_about)
        m_about->open();
}

void TForm1::aboutClosed() {
    timer(1)->setEnabled(true);
    setEnabled(true);
}

} // namespace semtra::window
