#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "storage/field_value.h"

struct sqlite3;
struct sqlite3_stmt;

namespace money {

// One prepared SQLite statement, finalized when the object goes.
class Statement {
 public:
  Statement(sqlite3* connection, std::string_view sqlite_text, std::string reported_text);

  // Steps once; true while a row is available. Throws DatabaseError on failure.
  bool Step();

  void BindNull(int index);
  void BindInteger(int index, long long value);
  void BindDouble(int index, double value);
  void BindText(int index, std::string_view value);
  void Bind(int index, const FieldValue& value);

  int ColumnCount() const;
  std::string ColumnName(int index) const;
  bool IsNull(int index) const;
  long long Integer(int index) const;
  double Double(int index) const;
  std::string Text(int index) const;
  int ColumnType(int index) const;

  // The statement as the caller wrote it (before dialect adaptation), for error reports.
  const std::string& ReportedText() const { return reported_text_; }

 private:
  struct Finalizer {
    void operator()(sqlite3_stmt* statement) const;
  };
  [[noreturn]] void Fail() const;

  sqlite3* connection_;
  std::unique_ptr<sqlite3_stmt, Finalizer> statement_;
  std::string reported_text_;
};

// Throws DatabaseError carrying the connection's current error.
[[noreturn]] void ThrowDatabaseError(sqlite3* connection, const std::string& statement);

}  // namespace money
