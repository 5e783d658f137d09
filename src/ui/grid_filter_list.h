#pragma once

#include <QListView>

#include <optional>
#include <string>
#include <vector>

class QStringListModel;

namespace money {

inline constexpr const char* kFilterAll = "(全部)";
inline constexpr const char* kFilterBlank = "(空白)";

// The value filter's drop-down under a column header: "(全部)" and then every value the column shows.
// Choosing "(全部)" lifts the column's filter; choosing a value keeps the rows showing that value.
class GridFilterList : public QListView {
  Q_OBJECT

 public:
  GridFilterList(const std::vector<std::string>& values, QWidget* parent = nullptr);

  // Chooses the row of a value (nullopt: "(全部)"), as a click does.
  void Choose(const std::optional<std::string>& value);

 signals:
  // nullopt: every value.
  void Chosen(const std::optional<std::string>& value);

 private:
  void ChooseRow(int row);

  std::vector<std::string> values_;
  QStringListModel* texts_;
};

}  // namespace money
