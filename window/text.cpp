#include "window/text.hpp"

#include "engine/codec.hpp"

namespace semtra::window {

QString fromCp(const std::string& cp1251) {
    return QString::fromStdString(codec::toUtf8(cp1251));
}

std::string toCp(const QString& text) {
    return codec::fromUtf8(text.toStdString());
}

} // namespace semtra::window
