#pragma once

#include <QSet>
#include <QString>
#include <QWidget>

#include <functional>

namespace semtra::window {

// Where a handler's failure is told to the user. The window shows a box; tests record.
class ErrorSink {
  public:
    virtual ~ErrorSink() = default;
    virtual void showError(const QString& message) = 0;
};

// Error boxes that never block the event loop and never pile up: a message already on
// screen is not shown again until its box is closed, so a timer that fails on every tick
// shows one box.
class ErrorBoxes : public ErrorSink {
  public:
    explicit ErrorBoxes(QWidget* parent) : m_parent(parent) {}
    void showError(const QString& message) override;
    bool isShowing(const QString& message) const { return m_open.contains(message); }

  private:
    QWidget* m_parent;
    QSet<QString> m_open;
};

// Runs one event handler; an engine failure ends it at that step and is shown with "."
// appended, as the platform's error report shows it. Nothing escapes into Qt.
void guarded(ErrorSink& sink, const std::function<void()>& handler);

} // namespace semtra::window
