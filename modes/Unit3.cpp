#include "modes/Unit3.hpp"

namespace semtra::window {

TForm3::TForm3(TForm1* main) : QWidget(nullptr, Qt::Tool), m_main(main) {
    setObjectName(QStringLiteral("Form3"));
    setFixedSize(300, 179);
}

int TForm3::formHeight() const {
    return height();
}

void TForm3::setFormHeight(int height) {
    setFixedHeight(height);
}

void TForm3::open() {
    show();
    setEnabled(true);
}

} // namespace semtra::window
