#include "storage/statement.h"

#include <sqlite3.h>

#include "storage/database_error.h"

namespace money {

void ThrowDatabaseError(sqlite3* connection, const std::string& statement) {
  throw DatabaseError(sqlite3_errmsg(connection), sqlite3_errcode(connection), sqlite3_extended_errcode(connection),
                      statement);
}

void Statement::Finalizer::operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }

Statement::Statement(sqlite3* connection, std::string_view sqlite_text, std::string reported_text)
    : connection_(connection), reported_text_(std::move(reported_text)) {
  sqlite3_stmt* prepared = nullptr;
  const char* tail = nullptr;
  if (sqlite3_prepare_v2(connection, sqlite_text.data(), static_cast<int>(sqlite_text.size()), &prepared, &tail) !=
      SQLITE_OK) {
    sqlite3_finalize(prepared);
    ThrowDatabaseError(connection, reported_text_);
  }
  statement_.reset(prepared);
  if (prepared == nullptr) throw DatabaseError("empty statement", SQLITE_MISUSE, SQLITE_MISUSE, reported_text_);
  // One statement per text: anything after it would be silently ignored otherwise.
  for (; tail != nullptr && *tail != '\0'; ++tail) {
    if (*tail != ' ' && *tail != '\t' && *tail != '\r' && *tail != '\n' && *tail != ';') {
      throw DatabaseError("only one statement may be given at a time", SQLITE_MISUSE, SQLITE_MISUSE,
                          reported_text_);
    }
  }
}

void Statement::Fail() const { ThrowDatabaseError(connection_, reported_text_); }

bool Statement::Step() {
  const int result = sqlite3_step(statement_.get());
  if (result == SQLITE_ROW) return true;
  if (result == SQLITE_DONE) return false;
  Fail();
}

void Statement::BindNull(int index) {
  if (sqlite3_bind_null(statement_.get(), index) != SQLITE_OK) Fail();
}

void Statement::BindInteger(int index, long long value) {
  if (sqlite3_bind_int64(statement_.get(), index, value) != SQLITE_OK) Fail();
}

void Statement::BindDouble(int index, double value) {
  if (sqlite3_bind_double(statement_.get(), index, value) != SQLITE_OK) Fail();
}

void Statement::BindText(int index, std::string_view value) {
  if (sqlite3_bind_text(statement_.get(), index, value.data(), static_cast<int>(value.size()), SQLITE_TRANSIENT) !=
      SQLITE_OK) {
    Fail();
  }
}

void Statement::Bind(int index, const FieldValue& value) {
  if (const auto* text = std::get_if<std::string>(&value)) {
    BindText(index, *text);
  } else if (const auto* integer = std::get_if<long long>(&value)) {
    BindInteger(index, *integer);
  } else if (const auto* number = std::get_if<double>(&value)) {
    BindDouble(index, *number);
  } else {
    BindNull(index);
  }
}

int Statement::ColumnCount() const { return sqlite3_column_count(statement_.get()); }

std::string Statement::ColumnName(int index) const { return sqlite3_column_name(statement_.get(), index); }

bool Statement::IsNull(int index) const { return ColumnType(index) == SQLITE_NULL; }

long long Statement::Integer(int index) const { return sqlite3_column_int64(statement_.get(), index); }

double Statement::Double(int index) const { return sqlite3_column_double(statement_.get(), index); }

std::string Statement::Text(int index) const {
  const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement_.get(), index));
  if (text == nullptr) return {};
  return std::string(text, static_cast<size_t>(sqlite3_column_bytes(statement_.get(), index)));
}

int Statement::ColumnType(int index) const { return sqlite3_column_type(statement_.get(), index); }

}  // namespace money
