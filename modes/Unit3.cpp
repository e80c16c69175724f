#include "modes/Unit3.hpp"

namespace semtra::window {

TForm3::TForm3(QWidget* parent) : QWidget(parent, Qt::Tool) {
    setObjectName(QStringLiteral("Form3"));
    setFixedSize(300, 179);
}

} // namespace semtra::window
