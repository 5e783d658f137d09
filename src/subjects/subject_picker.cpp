#include "subjects/subject_picker.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include <vector>

#include "storage/ledger_database.h"
#include "storage/settings_file.h"
#include "subjects/loaded_subjects.h"
#include "subjects/picker_callers.h"
#include "ui/error_guard.h"
#include "ui/named_widgets.h"
#include "ui/tree_list.h"
#include "ui/tree_list_model.h"
#include "ui/window_placement.h"

namespace money {
namespace {

constexpr int kWidth = 453;
constexpr int kHeight = 443;
constexpr int kButtonWidth = 89;
constexpr int kButtonHeight = 33;
constexpr PositionDefaults kDefaultPosition{91, 176};

// What the three pickers differ in.
struct PickerTraits {
  SubjectClass subject_class;
  const char* form_name;
  const char* caption;
  const char* list_query;
  const char* code_label;
  const char* name_label;
  int code_width;
  const char* settings_section;
};

constexpr PickerTraits kPickers[] = {
    {SubjectClass::kIncome, "TForm11", "选择收入科目", "select * from B_KM where id like '1%' and id<>'1' order by id",
     "收入科目编号", "收入科目名称", 132, "XZSRFrm"},
    {SubjectClass::kSavings, "TForm12", "选择节余科目", "select * from B_KM where id like '3%' and id<>'3' order by id",
     "节余科目编号", "节余科目名称", 131, "XZJYFrm"},
    {SubjectClass::kExpense, "TForm22", "选择支出科目", "select * from B_KM where id like '2%' and id<>'2' order by id",
     "支出科目编号", "支出科目名称", 131, "XZZCFrm"},
};

const PickerTraits& TraitsOf(SubjectClass subject_class) {
  for (const PickerTraits& traits : kPickers) {
    if (traits.subject_class == subject_class) return traits;
  }
  return kPickers[0];
}

TreeColumns PickerColumns(const PickerTraits& traits) {
  return {{"id", traits.code_label, traits.code_width, ""},
          {"mc", traits.name_label, 129, ""},
          {"parentid", "上级编号", 66, ""},
          {"js", "级数", 37, ""}};
}

ListedSubject ListedOf(const TreeRow& row) {
  return {row.Text("id"), row.Text("mc"), static_cast<int>(row.Number("js"))};
}

QPushButton* PickerButton(const char* name, const char* caption, QWidget* parent) {
  QPushButton* button = NamedButton(name, QString::fromUtf8(caption), parent);
  button->setFixedSize(kButtonWidth, kButtonHeight);
  return button;
}

}  // namespace

SubjectPicker::SubjectPicker(SubjectClass subject_class, LedgerDatabase& database, MessageService& messages,
                             LoadedSubjects& loaded, const PickerCallers& callers,
                             std::filesystem::path settings_file, QWidget* parent)
    : QDialog(parent),
      class_(subject_class),
      database_(database),
      messages_(messages),
      loaded_(loaded),
      callers_(callers),
      settings_file_(std::move(settings_file)) {
  const PickerTraits& traits = TraitsOf(class_);
  setObjectName(QString::fromUtf8(traits.form_name));
  setWindowTitle(QString::fromUtf8(traits.caption));
  setFixedSize(kWidth, kHeight);
  BuildControls();
  RestorePosition(*this, SettingsFile(settings_file_), traits.settings_section, kDefaultPosition);
  if (database_.Connected()) ReadList();
}

void SubjectPicker::BuildControls() {
  auto* frame = new QFrame(this);
  frame->setObjectName(QStringLiteral("Bevel1"));
  frame->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  tree_ = new TreeList(PickerColumns(TraitsOf(class_)), frame);
  tree_->setObjectName(QStringLiteral("dxDBTreeList1"));
  tree_->setExpandsOnDoubleClick(false);
  auto* frame_layout = new QVBoxLayout(frame);
  frame_layout->setContentsMargins(2, 2, 2, 2);
  frame_layout->addWidget(tree_);

  pick_button_ = PickerButton("BitBtn2", "确定", this);
  pick_button_->setDefault(true);
  refresh_button_ = PickerButton("BitBtn1", "刷新", this);
  cancel_button_ = PickerButton("BitBtn3", "取消", this);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(pick_button_);
  buttons->addSpacing(40);
  buttons->addWidget(refresh_button_);
  buttons->addSpacing(40);
  buttons->addWidget(cancel_button_);
  buttons->addStretch();

  auto* page = new QVBoxLayout(this);
  page->setContentsMargins(8, 8, 8, 10);
  page->addWidget(frame, 1);
  page->addSpacing(6);
  page->addLayout(buttons);

  connect(pick_button_, &QPushButton::clicked, this, &SubjectPicker::Pick);
  connect(tree_, &TreeList::RowDoubleClicked, this, &SubjectPicker::Pick);
  connect(refresh_button_, &QPushButton::clicked, this,
          [this] { RunGuarded(messages_, this, [this] { ReadList(); }); });
  connect(cancel_button_, &QPushButton::clicked, this, &SubjectPicker::reject);
}

void SubjectPicker::ReadList() {
  if (list_open_) {
    tree_->Refresh();
  } else {
    tree_->Open(database_.OpenQuery(TraitsOf(class_).list_query), "id", "parentid");
    tree_->expandAll();
    list_open_ = true;
  }
  const TreeListModel& model = tree_->Model();
  std::vector<ListedSubject> listed;
  listed.reserve(model.NodeCount());
  for (size_t row = 0; row < model.NodeCount(); ++row) {
    listed.push_back(ListedOf(model.RowOf(model.IndexOfQueryRow(row))));
  }
  loaded_.Replace(class_, std::move(listed));
}

// An empty list picks empty texts and level 0; the dialog's own checks refuse an empty code.
void SubjectPicker::Pick() {
  const std::optional<TreeRow> row = tree_->CurrentRow();
  callers_.Fill(class_, caller_tag_, row ? ListedOf(*row) : ListedSubject{});
  accept();
}

void SubjectPicker::StorePosition() const {
  SettingsFile settings(settings_file_);
  SavePosition(*this, settings, TraitsOf(class_).settings_section);
}

}  // namespace money
