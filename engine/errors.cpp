#include "engine/errors.hpp"

namespace semtra {

void throwCannotOpen(const std::string& name) {
    throw EngineError("Cannot open file " + name);
}

void throwCannotCreate(const std::string& name) {
    throw EngineError("Cannot create file " + name);
}

} // namespace semtra
