#include "storage/sql_dialect.h"

namespace money {

std::string AdaptStatement(std::string_view statement) {
  std::string adapted;
  adapted.reserve(statement.size() + 8);
  size_t i = 0;
  while (i < statement.size()) {
    const char c = statement[i];
    if (c == '\'') {
      // Copy the literal through its closing quote; a doubled quote stays inside it.
      size_t end = i + 1;
      while (end < statement.size()) {
        if (statement[end] == '\'') {
          if (end + 1 < statement.size() && statement[end + 1] == '\'') {
            end += 2;
            continue;
          }
          break;
        }
        ++end;
      }
      const size_t stop = end < statement.size() ? end + 1 : end;
      adapted.append(statement.substr(i, stop - i));
      i = stop;
    } else if (c == '"') {
      const size_t close = statement.find('"', i + 1);
      const std::string_view text =
          statement.substr(i + 1, (close == std::string_view::npos ? statement.size() : close) - i - 1);
      adapted += '\'';
      for (char t : text) {
        if (t == '\'') adapted += '\'';
        adapted += t;
      }
      adapted += '\'';
      i = close == std::string_view::npos ? statement.size() : close + 1;
    } else if (c == '-' && i + 1 < statement.size() && statement[i + 1] == '-') {
      adapted += "- ";
      ++i;
    } else {
      adapted += c;
      ++i;
    }
  }
  return adapted;
}

}  // namespace money
