#include "reports/tree_text_export.h"

#include "reports/file_output.h"

namespace money {

namespace {

constexpr const char* kLineEnd = "\r\n";

void AppendLine(std::string& text, const std::vector<std::string>& cells) {
  for (size_t i = 0; i < cells.size(); ++i) {
    if (i > 0) text += '\t';
    text += cells[i];
  }
  text += kLineEnd;
}

}  // namespace

std::string TreeText(const DisplayedTree& tree) {
  std::string text;
  AppendLine(text, tree.captions);
  text += kLineEnd;
  for (const std::vector<std::string>& row : tree.rows) AppendLine(text, row);
  return text;
}

void WriteTreeText(const std::filesystem::path& file, const DisplayedTree& tree) { WriteFileBytes(file, TreeText(tree)); }

}  // namespace money
