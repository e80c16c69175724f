// The Настройки menu: colours and fonts held by the dialog objects, restore defaults and
// the full-screen layout.

#include "data/captions.hpp"
#include "modes/Unit2.hpp"
#include "modes/Unit3.hpp"
#include "window/Unit1.hpp"
#include "window/dialogue_view.hpp"
#include "window/palette.hpp"
#include "window/text.hpp"

#include <QAction>
#include <QFrame>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenuBar>
#include <QScreen>
#include <QSpinBox>
#include <QStatusBar>
#include <QToolButton>

namespace semtra::window {

namespace {

// The size and style of a font, as a format to merge into text.
QTextCharFormat sizeAndStyle(const QFont& font) {
    QTextCharFormat format;
    format.setFontPointSize(font.pointSizeF());
    format.setFontWeight(font.bold() ? QFont::Bold : QFont::Normal);
    format.setFontItalic(font.italic());
    return format;
}

} // namespace

// Every colour and font command clears the mark first, whether the dialog is confirmed
// or cancelled: the mark only tells that something may have changed since the start.
void TForm1::unsetRestoreMark() {
    action("N13")->setChecked(false);
}

void TForm1::applyToSelection(const QTextCharFormat& format) {
    m_view->mergeSelectionFormat(format);
}

// A caption keeps its grey while the button is disabled.
void TForm1::setCaptionColour(QToolButton* button, const QColor& colour) {
    QPalette palette = button->palette();
    palette.setColor(QPalette::Active, QPalette::ButtonText, colour);
    palette.setColor(QPalette::Inactive, QPalette::ButtonText, colour);
    button->setPalette(palette);
}

void TForm1::N6Click() {
    unsetRestoreMark();
    if (execute(*m_dialogs, this, ColorDialog1))
        setColour(this, QPalette::Window, ColorDialog1.Color);
}

void TForm1::N21Click() {
    unsetRestoreMark();
    if (!execute(*m_dialogs, this, ColorDialog1))
        return;
    setColour(m_view, QPalette::Base, ColorDialog1.Color);
    setColour(m_view->viewport(), QPalette::Base, ColorDialog1.Color);
}

void TForm1::N16Click() {
    unsetRestoreMark();
    if (execute(*m_dialogs, this, ColorDialog1))
        setColour(m_edit, QPalette::Base, ColorDialog1.Color);
}

// Three dialogs in a row, one per button; a cancelled one leaves its button as it was and
// the next still opens.
void TForm1::N9Click() {
    unsetRestoreMark();
    for (QToolButton* button : {m_say, m_undo, m_layout})
        if (execute(*m_dialogs, this, ColorDialog1))
            setCaptionColour(button, ColorDialog1.Color);
}

// A line colour: held for the lines to come and given at once to the selection.
void TForm1::lineColourCommand(ColorDialog& dialog) {
    unsetRestoreMark();
    if (!execute(*m_dialogs, this, dialog))
        return;
    QTextCharFormat format;
    format.setForeground(dialog.Color);
    applyToSelection(format);
}

void TForm1::User1Click() {
    lineColourCommand(ColorDialog2);
}

void TForm1::Cpu1Click() {
    lineColourCommand(ColorDialog3);
}

void TForm1::Mystring2Click() {
    unsetRestoreMark();
    if (execute(*m_dialogs, this, ColorDialog1))
        setColour(m_edit, QPalette::Text, ColorDialog1.Color);
}

// A line font: a confirmed name goes to the selection; the dialog's size and style go
// there even when the dialog is cancelled.
void TForm1::lineFontCommand(FontDialog& dialog) {
    unsetRestoreMark();
    QTextCharFormat format;
    if (execute(*m_dialogs, this, dialog))
        format.setFontFamilies(dialog.Font.families());
    format.merge(sizeAndStyle(dialog.Font));
    applyToSelection(format);
}

void TForm1::User2Click() {
    lineFontCommand(FontDialog1);
}

void TForm1::Cpu2Click() {
    lineFontCommand(FontDialog2);
}

// The input line takes a confirmed name, and the dialog's style in any case; its size
// never changes.
void TForm1::Mystring1Click() {
    unsetRestoreMark();
    QFont font = m_edit->font();
    if (execute(*m_dialogs, this, FontDialog3))
        font.setFamilies(FontDialog3.Font.families());
    font.setBold(FontDialog3.Font.bold());
    font.setItalic(FontDialog3.Font.italic());
    m_edit->setFont(font);
}

void TForm1::N13Click() {
    action("N13")->setChecked(true);
    setColour(this, QPalette::Window, kSilver);
    setColour(m_view, QPalette::Base, kSilver);
    setColour(m_view->viewport(), QPalette::Base, kSilver);
    setColour(m_edit, QPalette::Base, kSilver);
    setColour(m_edit, QPalette::Text, Qt::black);
    QFont input = m_edit->font();
    input.setBold(true); // bold and nothing else
    input.setItalic(false);
    m_edit->setFont(input);
    for (QToolButton* button : {m_say, m_undo, m_layout})
        setCaptionColour(button, Qt::black);
    for (ColorDialog* dialog : {&ColorDialog1, &ColorDialog2, &ColorDialog3})
        dialog->Color = Qt::black;
    FontDialog1.Font = FontDialog2.Font = msSansSerif();
    const QFont restored = msSansSerif();
    FontDialog3.Font.setFamilies(restored.families());
    FontDialog3.Font.setPointSize(8);
    if (m_editor) {
        m_editor->Edit1()->setText(tr8(data::kDefaultExchangePath));
        m_editor->SpinEdit1()->setValue(1000);
    }
    if (m_about)
        m_about->setFormHeight(179);
    // The editor's fields cleared the mark as they changed; the restore still ends with it.
    action("N13")->setChecked(true);
}

void TForm1::N40Click() {
    QAction* item = action("N40");
    const bool full = !item->isChecked();
    item->setChecked(full);
    item->setText(tr8(full ? "Normal" : "Full Screen"));
    if (full) {
        m_normalPlace = pos();
        setMinimumSize(0, 0);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        // Where no window manager maximises, the window still fills the desktop.
        if (const QScreen* screen = QGuiApplication::primaryScreen())
            setGeometry(screen->availableGeometry());
        setWindowState(windowState() | Qt::WindowMaximized);
    } else {
        setWindowState(windowState() & ~Qt::WindowMaximized);
        fixNormalSize();
        move(m_normalPlace);
    }
    placeControls(full);
}

// The sizes are fixed numbers whatever the screen; the normal layout is not quite the one
// of the start (the view is one pixel wider and two higher).
void TForm1::placeControls(bool full) {
    m_tab1->resize(full ? QSize(799, 507) : QSize(588, 313));
    m_view->resize(full ? QSize(793, 499) : QSize(581, 305));
    m_tab2->setGeometry(0, full ? 507 : 312, full ? 799 : 585, m_tab2->height());
    m_say->move(full ? 710 : 496, m_say->y());
    m_layout->move(full ? 667 : 453, m_layout->y());
    m_undo->move(full ? 640 : 426, m_undo->y());
    m_edit->resize(full ? 635 : 422, m_edit->height());
}

// The normal window: a client area of 587 x 361 under the menu bar.
void TForm1::fixNormalSize() {
    const int menu = menuBar()->isNativeMenuBar() ? 0 : menuBar()->sizeHint().height();
    setFixedSize(587, 361 + menu);
}

// The status bar keeps to the bottom edge of the client area, whatever its size.
void TForm1::followBottomEdge() {
    const int height = m_status->height();
    m_status->setGeometry(0, m_client->height() - height, m_client->width(), height);
}

} // namespace semtra::window
