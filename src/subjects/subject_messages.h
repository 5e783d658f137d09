#pragma once

#include <string>

namespace money {

// The texts of the subject maintenance window and its two dialogs. A failed rename shows
// kSaveFailedMessage (transactions/transaction_messages.h).
inline constexpr const char* kSelectRecordFirst = "   请先选择一条记录!  ";
inline constexpr const char* kSevenLevelsAtMost = "   级数最多7级，不能再建下级了！  ";
inline constexpr const char* kFillAllFields = "  请填全数据！  ";
inline constexpr const char* kDuplicateSubjectCode = "   有相同编号的记录，请重新输入！   ";
inline constexpr const char* kCannotDeleteClassRoot = "    不能删除一级科目!    ";
inline constexpr const char* kCannotModifyClassRoot = "    不能修改一级科目!    ";
inline constexpr const char* kDeleteLowestLevelFirst = "    请先删除末级记录!    ";
inline constexpr const char* kSubjectAlreadyUsed = "   不能删除此科目，因为此科目已经使用过!    ";

// A typed segment that does not make a code of the required length (the parent's code + 3 characters).
inline std::string SegmentLengthMessage(int required_length) {
  return "  编号的位数不对，应该为 " + std::to_string(required_length) + " 位。 ";
}

}  // namespace money
