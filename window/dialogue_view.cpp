#include "window/dialogue_view.hpp"

#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>

namespace semtra::window {

DialogueView::DialogueView(QWidget* parent) : QTextEdit(parent) {
    setReadOnly(true);
    setUndoRedoEnabled(false);
    setLineWrapMode(QTextEdit::WidgetWidth);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_next.setForeground(Qt::black);
}

int DialogueView::lineCount() const {
    return m_empty ? 0 : document()->blockCount();
}

QString DialogueView::line(int index) const {
    if (index < 0 || index >= lineCount())
        return {};
    return document()->findBlockByNumber(index).text();
}

void DialogueView::appendLine(const QString& text) {
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    const QStringList pieces = QString(text)
                                   .replace(QLatin1String("\r\n"), QLatin1String("\n"))
                                   .replace(QLatin1Char('\r'), QLatin1Char('\n'))
                                   .split(QLatin1Char('\n'));
    for (const QString& piece : pieces) {
        if (m_empty) {
            cursor.setBlockFormat(centred);
            cursor.setBlockCharFormat(m_next);
            m_empty = false;
        } else {
            cursor.insertBlock(centred, m_next);
        }
        cursor.insertText(piece, m_next);
    }
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}

void DialogueView::deleteLastLine() {
    const int count = lineCount();
    if (count == 0)
        return;
    if (count == 1) {
        clearLines();
        return;
    }
    QTextCursor cursor(document()->lastBlock());
    cursor.movePosition(QTextCursor::PreviousBlock);
    cursor.movePosition(QTextCursor::EndOfBlock);
    cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
}

void DialogueView::clearLines() {
    clear();
    m_empty = true;
}

void DialogueView::mergeSelectionFormat(const QTextCharFormat& format) {
    QTextCursor cursor = textCursor();
    if (cursor.hasSelection())
        cursor.mergeCharFormat(format);
    else
        m_next.merge(format);
}

QTextCharFormat DialogueView::lineFormat(int index) const {
    const QTextBlock block = document()->findBlockByNumber(index);
    const auto formats = block.textFormats();
    return formats.isEmpty() ? block.charFormat() : formats.front().format;
}

} // namespace semtra::window
