#pragma once

namespace money {

// One visible column of a subject tree query: field, caption, width, and for amounts the display format.
struct QueryColumn {
  const char* field;
  const char* caption;
  int width;
  const char* amount_format;  // nullptr: a text shown as stored
};

// What the balance query window and the period activity window differ in besides their texts
// (BalanceQueryTexts, PeriodQueryTexts): form name, settings section and its "Windows" default, the
// tree's key field (its parent field is "parentid" in both), the columns, and the names of three buttons.
struct SubjectTreeQueryKind {
  const char* form_name;
  const char* settings_section;
  int maximized_default;
  const char* key_field;
  QueryColumn columns[3];
  const char* export_button;
  const char* expand_button;
  const char* collapse_button;
};

inline constexpr const char* kQueryAmountFormat = "0.00;-0.00";

inline constexpr SubjectTreeQueryKind kBalanceQueryKind{
    "TForm13",
    "YEFrm",
    1,
    "id",
    {{"id", "科目编号", 131, nullptr}, {"lmc", "科目名称", 299, nullptr}, {"ye", "余额", 142, kQueryAmountFormat}},
    "BitBtn3",
    "BitBtn4",
    "BitBtn1"};

inline constexpr SubjectTreeQueryKind kPeriodQueryKind{
    "TForm15",
    "FSSFrm",
    0,
    "kmbh",
    {{"kmbh", "科目编号", 161, nullptr}, {"lmc", "科目名称", 326, nullptr}, {"ye", "发生数", 117, kQueryAmountFormat}},
    "BitBtn1",
    "BitBtn3",
    "BitBtn4"};

}  // namespace money
