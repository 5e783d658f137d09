#include "storage/database_error.h"

#include <utility>

namespace money {

DatabaseError::DatabaseError(const std::string& message, int code, int extended_code, std::string statement)
    : std::runtime_error(message), code_(code), extended_code_(extended_code), statement_(std::move(statement)) {}

}  // namespace money
