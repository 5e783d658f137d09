#include "transactions/journal_window.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>
#include <memory>
#include <string>

#include "storage/lookup_table.h"
#include "storage/settings_file.h"
#include "transactions/edit_dialog.h"
#include "transactions/entry_dialog.h"
#include "transactions/entry_messages.h"
#include "transactions/journal_window_kinds.h"
#include "transactions/posting_engine.h"
#include "ui/error_guard.h"
#include "ui/group_grid.h"
#include "ui/message_service.h"
#include "ui/named_widgets.h"
#include "ui/window_placement.h"

namespace money {
namespace {

constexpr const char* kChart = "select * from B_KM order by id";
constexpr const char* kAmountFormat = "0.00;-0.00";
constexpr int kOpenMaximized = 1;
constexpr int kButtonHeight = 31;

// The grid's columns in their order, then the short names handed to the edit dialog (not shown).
std::vector<GridColumn> EntryColumns(const JournalWindowKind& traits, const std::shared_ptr<const LookupTable>& chart) {
  return {PlainColumn("lsh", "流水号", 65),
          PlainColumn("ymd", "时间", 74),
          PlainColumn("zy", "摘要", 146),
          PlainColumn("je", "金额", 96, kAmountFormat),
          PlainColumn("kmbhs", traits.source_code_label, 78),
          LookupColumn("kmmcs", traits.source_name_label, 136, chart, "kmbhs", "lmc"),
          PlainColumn("kmbhd", traits.destination_code_label, 74),
          LookupColumn("kmmcd", traits.destination_name_label, 128, chart, "kmbhd", "lmc"),
          YearColumn(),
          YearMonthColumn(),
          PlainColumn("UID", "用户编号", 54),
          PlainColumn("UNAME", "用户名称", 134),
          HiddenColumn(LookupColumn("skmmcs", "", 0, chart, "kmbhs", "mc")),
          HiddenColumn(LookupColumn("skmmcd", "", 0, chart, "kmbhd", "mc"))};
}

JournalRow FocusedRow(const GroupGrid& grid) {
  return {static_cast<long long>(grid.CurrentNumber("lsh")),
          grid.CurrentText("ymd"),
          grid.CurrentText("kmbhs"),
          grid.CurrentText("kmbhd"),
          grid.CurrentText("zy"),
          grid.CurrentNumber("je"),
          grid.CurrentText("skmmcs"),
          grid.CurrentText("skmmcd")};
}

QPushButton* ToolButton(const char* name, const char* caption, QWidget* parent) {
  QPushButton* button = NamedButton(name, QString::fromUtf8(caption), parent);
  button->setFixedHeight(kButtonHeight);
  return button;
}

}  // namespace

JournalWindow::JournalWindow(EntryKind kind, LedgerDatabase& database, MessageService& messages,
                             EntryDialog& entry_dialog, EditDialog& edit_dialog, std::filesystem::path settings_file,
                             ShowModal show_dialog, QWidget* parent)
    : QWidget(parent),
      kind_(kind),
      database_(database),
      messages_(messages),
      entry_dialog_(entry_dialog),
      edit_dialog_(edit_dialog),
      settings_file_(std::move(settings_file)),
      show_dialog_(std::move(show_dialog)) {
  const JournalWindowKind& traits = JournalWindowOf(kind_);
  setObjectName(QString::fromUtf8(traits.form_name));
  setWindowTitle(QString::fromUtf8(traits.caption));
  BuildControls();
  const auto chart = std::make_shared<const LookupTable>(database_, kChart, "id");
  grid_->SetColumns(EntryColumns(traits, chart));
  grid_->SetSummaries({AmountTotal("je")});
  grid_->SetGroupFooters(traits.group_footers);
  grid_->SetKeyField("lsh");
  grid_->Open(database_, traits.entry_list);
}

void JournalWindow::BuildControls() {
  auto* bar = new QWidget(this);
  bar->setObjectName(QStringLiteral("ToolBar1"));
  QPushButton* add_button = ToolButton("BitBtn1", "添加", bar);
  QPushButton* modify_button = ToolButton("BitBtn2", "修改", bar);
  QPushButton* delete_button = ToolButton("BitBtn3", "删除", bar);
  QPushButton* refresh_button = ToolButton("BitBtn4", "刷新", bar);
  QPushButton* exit_button = ToolButton("BitBtn5", "退出", bar);
  auto* buttons = new QHBoxLayout(bar);
  buttons->setContentsMargins(2, 2, 2, 2);
  for (QPushButton* button : {add_button, modify_button, delete_button, refresh_button, exit_button}) {
    buttons->addWidget(button);
  }
  buttons->addStretch();

  grid_ = new GroupGrid(this);
  grid_->setObjectName(QStringLiteral("dxDBGrid2"));
  auto* page = new QVBoxLayout(this);
  page->setContentsMargins(0, 0, 0, 0);
  page->setSpacing(2);
  page->addWidget(bar);
  page->addWidget(grid_, 1);

  const auto guarded = [this](void (JournalWindow::*handler)()) {
    return [this, handler] { RunGuarded(messages_, this, [this, handler] { (this->*handler)(); }); };
  };
  connect(add_button, &QPushButton::clicked, this, guarded(&JournalWindow::AddEntry));
  connect(modify_button, &QPushButton::clicked, this, guarded(&JournalWindow::ModifyFocused));
  connect(grid_, &GroupGrid::RowDoubleClicked, this, guarded(&JournalWindow::ModifyFocused));
  connect(delete_button, &QPushButton::clicked, this, guarded(&JournalWindow::DeleteFocused));
  connect(refresh_button, &QPushButton::clicked, this, guarded(&JournalWindow::ReloadEntries));
  connect(exit_button, &QPushButton::clicked, this, [this] { FrameOf(*this).close(); });
}

void JournalWindow::ReloadEntries() { grid_->Refresh(); }

void JournalWindow::AddEntry() { show_dialog_(entry_dialog_); }

void JournalWindow::ModifyFocused() {
  // A focused group row stands for no single entry: the operator has chosen none.
  if (grid_->IsEmpty() || !grid_->CurrentIsDataRow()) {
    messages_.Inform(this, QString::fromUtf8(kSelectEntryToModify));
    return;
  }
  edit_dialog_.Fill(FocusedRow(*grid_));
  show_dialog_(edit_dialog_);
}

void JournalWindow::DeleteFocused() {
  if (grid_->IsEmpty() || !grid_->CurrentIsDataRow()) {
    messages_.Inform(this, QString::fromUtf8(kSelectEntryToDelete));
    return;
  }
  if (messages_.Ask(window(), QString::fromUtf8(kConfirmDelete)) != Answer::kYes) return;
  const JournalRow row = FocusedRow(*grid_);
  const StoredEntry stored{kind_, row.serial, row.source, row.destination, row.amount};
  const PostingResult result = DeleteEntry(database_, stored);
  if (!result.ok) {
    messages_.Inform(this, QString::fromStdString(result.message));
    return;
  }
  ReloadEntries();
}

// Placed when first shown, by then inside its frame.
void JournalWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (placed_) return;
  placed_ = true;
  RestoreStateAndBounds(FrameOf(*this), SettingsFile(settings_file_), JournalWindowOf(kind_).settings_section,
                        kOpenMaximized);
}

// A state the settings file refuses keeps the window open.
void JournalWindow::closeEvent(QCloseEvent* event) {
  const bool saved = RunGuarded(messages_, this, [this] {
    SettingsFile settings(settings_file_);
    SaveStateAndBounds(FrameOf(*this), settings, JournalWindowOf(kind_).settings_section);
  });
  if (!saved) {
    event->ignore();
    return;
  }
  grid_->Close();
  event->accept();
}

}  // namespace money
