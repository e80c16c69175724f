#pragma once

#include <QTextCharFormat>
#include <QTextEdit>

namespace semtra::window {

// The dialogue view: a read-only rich text of centred lines. A line added takes the
// "current attributes", which the turn and the remarks set before they add it.
class DialogueView : public QTextEdit {
    Q_OBJECT
  public:
    explicit DialogueView(QWidget* parent);

    int lineCount() const;
    QString line(int index) const;
    // Appends text as new last lines (a line break inside starts a further line).
    void appendLine(const QString& text);
    void deleteLastLine();
    void clearLines();

    QTextCharFormat& nextFormat() { return m_next; }
    // Merges a format into the selected text, or with nothing selected into the format
    // the next added text takes.
    void mergeSelectionFormat(const QTextCharFormat& format);
    // The format of the line at index, for tests and the appearance commands.
    QTextCharFormat lineFormat(int index) const;

  private:
    QTextCharFormat m_next;
    bool m_empty = true; // an empty document still has one block, which is no line
};

} // namespace semtra::window
