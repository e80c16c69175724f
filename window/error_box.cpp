#include "window/error_box.hpp"

#include "engine/errors.hpp"
#include "window/text.hpp"

#include <QMessageBox>

#include <exception>

namespace semtra::window {

void ErrorBoxes::showError(const QString& message) {
    if (m_open.contains(message))
        return;
    m_open.insert(message);
    auto* box = new QMessageBox(QMessageBox::Critical, QStringLiteral("Semtra"), message,
                                QMessageBox::Ok, m_parent);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    QObject::connect(box, &QMessageBox::finished, box, [this, message] { m_open.remove(message); });
    box->show();
}

void guarded(ErrorSink& sink, const std::function<void()>& handler) {
    try {
        handler();
    } catch (const EngineError& error) {
        sink.showError(fromCp(error.what()) + QLatin1Char('.'));
    } catch (const std::exception& error) {
        sink.showError(QString::fromLocal8Bit(error.what()) + QLatin1Char('.'));
    } catch (...) {
        sink.showError(tr8("Неизвестная ошибка."));
    }
}

} // namespace semtra::window
