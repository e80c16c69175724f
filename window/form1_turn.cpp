// The main window's part of a turn, the control-state refresher, start-up and exit.

#include "data/captions.hpp"
#include "modes/Unit2.hpp"
#include "window/Unit1.hpp"
#include "window/dialogue_view.hpp"
#include "window/text.hpp"
#include "window/vcl_timer.hpp"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QToolButton>

#include <array>

namespace semtra::window {

std::string TForm1::inputText() {
    return toCp(m_edit->text());
}

void TForm1::clearInput() {
    m_edit->setText(QString());
}

bool TForm1::cpuUserChecked() {
    return action("CpuUser1")->isChecked();
}

bool TForm1::cpu3Checked() {
    return action("Cpu31")->isChecked();
}

int TForm1::viewLineCount() {
    return m_view->lineCount();
}

std::string TForm1::viewLine(int index) {
    return toCp(m_view->line(index));
}

void TForm1::appendViewLine(const std::string& text, LineStyle style) {
    QTextCharFormat& next = m_view->nextFormat();
    switch (style) {
    case LineStyle::User:
    case LineStyle::Bot: {
        const bool user = style == LineStyle::User;
        next.setForeground(user ? ColorDialog2.Color : ColorDialog3.Color);
        const QFont& font = user ? FontDialog1.Font : FontDialog2.Font;
        next.setFontFamilies(font.families());
        next.setFontPointSize(font.pointSizeF());
        next.setFontWeight(font.weight());
        next.setFontItalic(font.italic());
        next.setFontUnderline(font.underline());
        next.setFontStrikeOut(font.strikeOut());
        break;
    }
    case LineStyle::Remark:
        next.setForeground(ColorDialog1.Color);
        break;
    }
    m_view->appendLine(fromCp(text));
}

void TForm1::setCursors(Cursor cursor) {
    const Qt::CursorShape shape =
        cursor == Cursor::HourGlass ? Qt::WaitCursor : Qt::ForbiddenCursor;
    // The nine controls a turn marks, in the order the turn marks them.
    const std::array<QWidget*, 9> marked{m_edit,   this,     m_view, m_say, m_undo,
                                         m_layout, m_status, m_tab1, m_tab2};
    for (QWidget* widget : marked)
        widget->setCursor(shape);
    m_view->viewport()->setCursor(shape);
}

void TForm1::playCue(Cue cue) {
    m_sound->play(cue == Cue::UserLine ? 2 : 5);
}

std::string TForm1::exchangeWritePath() {
    return m_editor ? toCp(m_editor->Edit1()->text()) : std::string(data::kDefaultExchangePath);
}

void TForm1::enableTimer4() {
    timer(4)->setEnabled(true);
}

void TForm1::SpeedButton1Click() {
    guard([this] { m_engine->SpeedButton1Click(); });
}

void TForm1::Edit1Change() {
    m_sound->play(1);
}

// The refresher: every tick sets the command states from the input line and the view.
void TForm1::Timer1Timer() {
    const bool text = !m_edit->text().isEmpty();
    m_say->setEnabled(text);
    m_layout->setEnabled(text);
    action("N3")->setEnabled(text);
    const bool lines = m_view->lineCount() >= 1;
    m_undo->setEnabled(lines);
    action("N15")->setEnabled(lines);
    timer(6)->setEnabled(action("Cpu31")->isChecked());
    if (!m_edit->hasFocus())
        m_edit->setFocus(Qt::OtherFocusReason);
}

void TForm1::FormCreate() {
    guard([this] { m_engine->FormCreate(); });
}

// The load statistics, once: a failure leaves the timer on, and the error box that is
// already open keeps later ticks from showing it again.
void TForm1::Timer3Timer() {
    guard([this] {
        m_panels[0]->setText(tr8(data::kLoading));
        m_edit->setReadOnly(true);
        m_say->setEnabled(false);
        const PhraseStatistics stats = m_engine->countPhrases();
        m_panels[1]->setText(tr8(data::kKnownPrefix) + QString::number(stats.mainPhrases) +
                             tr8(data::kKnownBranches) + QString::number(stats.branches) +
                             QLatin1Char(']'));
        m_edit->setReadOnly(false);
        m_say->setEnabled(true);
        m_panels[0]->setText(tr8(data::kLoaded));
        timer(3)->setEnabled(false);
    });
}

// The Exit command: the session log, then the window closes, which ends the program.
void TForm1::exitCommand() {
    m_engine->writeSessionLog();
    close();
}

void TForm1::N4Click() {
    guard([this] { exitCommand(); });
}

} // namespace semtra::window
