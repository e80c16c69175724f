#pragma once

#include <QString>

#include <string>

namespace semtra::window {

// The window's text is Qt's; the engine's is Windows-1251. Every crossing goes through
// the engine's one codec.
QString fromCp(const std::string& cp1251);
std::string toCp(const QString& text);

// A UTF-8 literal of the program's own texts.
inline QString tr8(const char* utf8) {
    return QString::fromUtf8(utf8);
}

} // namespace semtra::window
