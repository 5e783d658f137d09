#include "reports/detail_ledger_window.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>
#include <optional>
#include <vector>

#include "reports/detail_messages.h"
#include "reports/detail_totals.h"
#include "reports/grid_xls_export.h"
#include "storage/row_view.h"
#include "storage/settings_file.h"
#include "ui/error_guard.h"
#include "ui/group_grid.h"
#include "ui/message_service.h"
#include "ui/named_widgets.h"
#include "ui/print_preview.h"
#include "ui/save_file_service.h"
#include "ui/window_placement.h"

namespace money {
namespace {

constexpr const char* kAmountFormat = "0.00;-0.00";
constexpr int kOpenNormal = 0;
constexpr int kButtonWidth = 97;
constexpr int kWideButtonWidth = 108;
constexpr int kButtonHeight = 33;
constexpr int kPanelHeight = 45;

// The grid's columns in their order; the lines' parent code, kind and detail mark are hidden.
std::vector<GridColumn> DetailColumns(const DetailLedgerTraits& traits, const DetailLookups& lookups) {
  const DetailLookups* found = &lookups;
  return {CalculatedColumn("lb1", "类别", 32, [](const RowView& row) { return KindText(row.Value("lb")); }),
          PlainColumn("lsh", "流水号", traits.serial_width),
          PlainColumn("ymd", "日期", 74),
          CalculatedColumn("zy", "摘要", 140, [found](const RowView& row) { return found->Memo(row.Text("lsh")); }),
          PlainColumn("je", "金额", traits.amount_width, kAmountFormat),
          PlainColumn("kmbh", "科目编号", 80),
          CalculatedColumn("kmmc", "科目名称", 195,
                           [found](const RowView& row) { return found->SubjectName(row.Text("kmbh")); }),
          YearMonthColumn(53),
          YearColumn(32),
          PlainColumn("UID", "用户编号", 54),
          CalculatedColumn("UNAME", "用户名称", 144,
                           [found](const RowView& row) { return found->OperatorName(row.Text("lsh")); }),
          HiddenColumn(PlainColumn("parentid", "上级编号")),
          HiddenColumn(PlainColumn("lb", "类别")),
          HiddenColumn(PlainColumn("mx", ""))};
}

QPushButton* PanelButton(const char* name, const char* caption, int width, QWidget* parent) {
  QPushButton* button = NamedButton(name, QString::fromUtf8(caption), parent);
  button->setFixedSize(width, kButtonHeight);
  button->setAutoDefault(false);
  return button;
}

}  // namespace

DetailLedgerWindow::DetailLedgerWindow(DetailLedgerKind kind, LedgerDatabase& database, MessageService& messages,
                                       SaveFileService& save_files, std::filesystem::path settings_file,
                                       std::filesystem::path program_folder, ShowModal show_modal, QWidget* parent)
    : QDialog(parent),
      kind_(kind),
      database_(database),
      messages_(messages),
      save_files_(save_files),
      settings_file_(std::move(settings_file)),
      program_folder_(std::move(program_folder)),
      show_modal_(std::move(show_modal)) {
  const DetailLedgerTraits& traits = DetailLedgerOf(kind_);
  setObjectName(QString::fromUtf8(traits.form_name));
  setWindowTitle(QString::fromUtf8(traits.caption));
  setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
  BuildControls();
  grid_->SetColumns(DetailColumns(traits, lookups_));
  grid_->SetSummaries({AmountTotal("je")});
  if (traits.batch_size > 0) grid_->SetBatchSize(traits.batch_size);
  grid_->SetFooterVisible(true);
  grid_->SetValueFilterOffered(false);  // every line stays listed and exported
  RestoreStateAndBounds(*this, SettingsFile(settings_file_), traits.settings_section, kOpenNormal);
}

void DetailLedgerWindow::BuildControls() {
  auto* splitter = new QSplitter(Qt::Vertical, this);
  splitter->setObjectName(QStringLiteral("Splitter1"));
  splitter->setChildrenCollapsible(false);
  grid_ = new GroupGrid(splitter);
  grid_->setObjectName(QStringLiteral("dxDBGrid2"));

  auto* panel = new QWidget(splitter);
  panel->setObjectName(QStringLiteral("Panel1"));
  panel->setMinimumHeight(kPanelHeight);
  QPushButton* preview_button = PanelButton("BitBtn6", "打印预览", kButtonWidth, panel);
  QPushButton* expand_button = PanelButton("BitBtn4", "全部展开", kButtonWidth, panel);
  QPushButton* collapse_button = PanelButton("BitBtn3", "全部收缩", kButtonWidth, panel);
  QPushButton* excel_button = PanelButton("BitBtn1", "另存为Excel", kWideButtonWidth, panel);
  QPushButton* exit_button = PanelButton("BitBtn2", "退出", kButtonWidth, panel);
  auto* buttons = new QHBoxLayout(panel);
  buttons->setContentsMargins(4, 4, 8, 6);
  buttons->addStretch();
  for (QPushButton* button : {preview_button, expand_button, collapse_button, excel_button, exit_button}) {
    buttons->addWidget(button, 0, Qt::AlignBottom);
  }
  splitter->addWidget(grid_);
  splitter->addWidget(panel);
  splitter->setStretchFactor(0, 1);
  splitter->setStretchFactor(1, 0);

  auto* page = new QVBoxLayout(this);
  page->setContentsMargins(0, 0, 0, 0);
  page->addWidget(splitter);

  const auto guarded = [this](auto handler) { return [this, handler] { RunGuarded(messages_, this, handler); }; };
  connect(preview_button, &QPushButton::clicked, this, guarded([this] { ShowPreview(); }));
  connect(expand_button, &QPushButton::clicked, grid_, &GroupGrid::ExpandAll);
  connect(collapse_button, &QPushButton::clicked, grid_, &GroupGrid::CollapseAll);
  connect(excel_button, &QPushButton::clicked, this, guarded([this] { SaveAsExcel(); }));
  connect(exit_button, &QPushButton::clicked, this, &QDialog::reject);
}

void DetailLedgerWindow::Show(const DetailRequest& request) {
  request_ = request;
  setWindowTitle(QString::fromStdString(request_.caption));
  // Whichever way the showing ends, the queries are let go.
  struct QueriesCloser {
    DetailLedgerWindow* window;
    ~QueriesCloser() { window->CloseQueries(); }
  } closer{this};
  Open(request_);
  show_modal_(*this);
}

// The look-ups first, then the totals, then the lines, which the look-ups complete.
void DetailLedgerWindow::Open(const DetailRequest& request) {
  lookups_.Open(database_);
  const DetailTotals totals = ReadDetailTotals(database_, request.totals_query);
  grid_->SetFooterText("lsh", QString::fromStdString(CountFooterText(totals.count)), Qt::AlignLeft);
  grid_->SetFooterText("je", QString::fromStdString(SumFooterText(totals.sum)), Qt::AlignRight);
  grid_->Open(database_, request.detail_query);
}

void DetailLedgerWindow::CloseQueries() {
  grid_->Close();
  grid_->ClearFooter();
  lookups_.Close();
}

void DetailLedgerWindow::ShowPreview() {
  PrintPreview preview(grid_->PrintState(), this);
  show_modal_(preview);
}

void DetailLedgerWindow::SaveAsExcel() {
  const SaveFileRequest dialog{QString::fromUtf8(kExcelDialogTitle), QString::fromStdString(program_folder_.string()),
                               QString::fromStdString(ProposedFileName(DetailLedgerOf(kind_), request_)),
                               QString::fromUtf8(kExcelFileFilter), QString::fromUtf8(kExcelExtension)};
  const std::optional<QString> chosen = save_files_.ChooseFile(this, dialog);
  if (!chosen) return;
  WriteXls(std::filesystem::path(chosen->toStdString()), GridSheetTable(*grid_));
}

void DetailLedgerWindow::StorePlacement() const {
  SettingsFile settings(settings_file_);
  SaveStateAndBounds(*this, settings, DetailLedgerOf(kind_).settings_section);
}

}  // namespace money
