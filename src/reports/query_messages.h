#pragma once

namespace money {

// The texts of the subject tree query windows' text export and of the date-range dialog.
inline constexpr const char* kTextExportTitle = "数据存为txt表";
inline constexpr const char* kTextExportFilter = "文本文件 (*.txt)";
inline constexpr const char* kTextExportExtension = "txt";
inline constexpr const char* kDateRangeCaption = "确定查询的时间范围";

}  // namespace money
