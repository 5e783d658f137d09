#pragma once

#include <Qt>
#include <string>
#include <vector>

namespace money {

// One visible column of a tree list: the query field it shows, its header caption, its width in pixels,
// the display format of its numbers (see FormatNumber; empty: the value as stored) and its alignment.
struct TreeColumn {
  std::string field;
  std::string caption;
  int width = 100;
  std::string format;
  Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
};

using TreeColumns = std::vector<TreeColumn>;

}  // namespace money
