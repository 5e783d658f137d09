#pragma once

namespace money {

// Texts of the detail ledgers.
inline constexpr const char* kDetailCountPrefix = "个数=";
inline constexpr const char* kExcelDialogTitle = "数据存为Excel表";
inline constexpr const char* kExcelFileFilter = "Excel文件 (*.xls)";
inline constexpr const char* kExcelExtension = "xls";
inline constexpr const char* kSubjectDetailFilePrefix = "科目明细_";

}  // namespace money
