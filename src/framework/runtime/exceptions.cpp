#include "framework/runtime/exceptions.h"

namespace fw {

NilObjectException::NilObjectException() : RuntimeException("Ein benötigtes Objekt fehlt.") {}

NilObjectException::NilObjectException(const std::string& detail)
    : RuntimeException("Ein benötigtes Objekt fehlt: " + detail) {}

}  // namespace fw
