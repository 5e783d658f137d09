#pragma once

#include <stdexcept>
#include <string>

namespace money {

// A failure reported by the database engine, with the engine's codes and the statement that failed.
class DatabaseError : public std::runtime_error {
 public:
  DatabaseError(const std::string& message, int code, int extended_code, std::string statement);

  int Code() const { return code_; }
  int ExtendedCode() const { return extended_code_; }
  const std::string& Statement() const { return statement_; }

 private:
  int code_;
  int extended_code_;
  std::string statement_;
};

}  // namespace money
