#include "reports/subject_tree_query_window.h"

#include <QCloseEvent>
#include <QPushButton>
#include <QVBoxLayout>
#include <optional>
#include <string>

#include "reports/query_messages.h"
#include "reports/tree_text_export.h"
#include "storage/ledger_database.h"
#include "storage/settings_file.h"
#include "ui/error_guard.h"
#include "ui/named_widgets.h"
#include "ui/print_preview.h"
#include "ui/save_file_service.h"
#include "ui/tree_list.h"
#include "ui/window_placement.h"

namespace money {
namespace {

constexpr const char* kParentField = "parentid";
constexpr const char* kLongNameField = "lmc";
constexpr int kPanelHeight = 41;
constexpr int kButtonTop = 4;
constexpr int kButtonWidth = 97;
constexpr int kExportButtonWidth = 108;
constexpr int kButtonHeight = 33;

TreeColumns ColumnsOf(const SubjectTreeQueryKind& kind) {
  TreeColumns columns;
  for (const QueryColumn& column : kind.columns) {
    if (column.amount_format == nullptr) {
      columns.push_back({column.field, column.caption, column.width, ""});
    } else {
      columns.push_back(
          {column.field, column.caption, column.width, column.amount_format, Qt::AlignRight | Qt::AlignVCenter});
    }
  }
  return columns;
}

}  // namespace

SubjectTreeQueryWindow::SubjectTreeQueryWindow(const SubjectTreeQueryKind& kind, TreeQueryTexts texts,
                                               TreeQueryServices services, QWidget* parent)
    : QWidget(parent), kind_(kind), texts_(std::move(texts)), services_(std::move(services)) {
  setObjectName(QString::fromUtf8(kind_.form_name));
  setWindowTitle(QString::fromStdString(texts_.caption));
  BuildControls();
  tree_->Open(services_.database.OpenQuery(texts_.select_text), kind_.key_field, kParentField);
}

void SubjectTreeQueryWindow::BuildControls() {
  tree_ = new TreeList(ColumnsOf(kind_), this);
  tree_->setObjectName(QStringLiteral("dxDBTreeList1"));
  panel_ = new QWidget(this);
  panel_->setFixedHeight(kPanelHeight);
  auto* page = new QVBoxLayout(this);
  page->setContentsMargins(0, 0, 0, 0);
  page->setSpacing(0);
  page->addWidget(tree_, 1);
  page->addWidget(panel_);

  const auto guarded = [this](void (SubjectTreeQueryWindow::*handler)()) {
    return [this, handler] { RunGuarded(services_.messages, this, [this, handler] { (this->*handler)(); }); };
  };
  const auto add = [this](const char* name, const char* caption, int width, int distance) {
    QPushButton* button = NamedButton(name, QString::fromUtf8(caption), panel_);
    button->setFixedSize(width, kButtonHeight);
    anchored_.emplace_back(button, distance);
    return button;
  };
  QPushButton* exit_button = add("BitBtn2", "退   出", kButtonWidth, 121);
  QPushButton* export_button = add(kind_.export_button, "存为文本文件", kExportButtonWidth, 234);
  QPushButton* detail_button = add("BitBtn5", "查看明细", kButtonWidth, 336);
  QPushButton* collapse_button = add(kind_.collapse_button, "全部收缩", kButtonWidth, 438);
  QPushButton* expand_button = add(kind_.expand_button, "全部展开", kButtonWidth, 540);
  QPushButton* preview_button = add("BitBtn6", "打印预览", kButtonWidth, 642);
  panel_->installEventFilter(this);

  connect(exit_button, &QPushButton::clicked, this, [this] { FrameOf(*this).close(); });
  connect(export_button, &QPushButton::clicked, this, guarded(&SubjectTreeQueryWindow::ExportText));
  connect(detail_button, &QPushButton::clicked, this, guarded(&SubjectTreeQueryWindow::ShowDetail));
  connect(collapse_button, &QPushButton::clicked, tree_, &TreeList::CollapseAll);
  connect(expand_button, &QPushButton::clicked, tree_, &TreeList::expandAll);
  connect(preview_button, &QPushButton::clicked, this, guarded(&SubjectTreeQueryWindow::ShowPreview));
}

bool SubjectTreeQueryWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == panel_ && event->type() == QEvent::Resize) PlaceButtons();
  return QWidget::eventFilter(watched, event);
}

void SubjectTreeQueryWindow::PlaceButtons() {
  for (const auto& [button, distance] : anchored_) button->move(panel_->width() - distance, kButtonTop);
}

// An existing file of the chosen name is replaced; one that cannot be written is reported by the error box.
void SubjectTreeQueryWindow::ExportText() {
  const SaveFileRequest request{QString::fromUtf8(kTextExportTitle),
                                QString::fromStdString(services_.program_folder.string()),
                                QString::fromStdString(texts_.export_name), QString::fromUtf8(kTextExportFilter),
                                QString::fromUtf8(kTextExportExtension)};
  const std::optional<QString> chosen = services_.save_files.ChooseFile(this, request);
  if (!chosen) return;
  WriteTreeText(std::filesystem::path(chosen->toStdString()), tree_->DisplayedText());
}

void SubjectTreeQueryWindow::ShowDetail() {
  services_.show_detail(texts_.detail_request(tree_->CurrentText(kind_.key_field), tree_->CurrentText(kLongNameField)));
}

void SubjectTreeQueryWindow::ShowPreview() {
  PrintPreview preview(tree_->DisplayedTable(), this);
  services_.show_modal(preview);
}

// Placed when first shown, by then inside its frame.
void SubjectTreeQueryWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (placed_) return;
  placed_ = true;
  RestoreStateAndBounds(FrameOf(*this), SettingsFile(services_.settings_file), kind_.settings_section,
                        kind_.maximized_default);
}

// A state the settings file refuses keeps the window open.
void SubjectTreeQueryWindow::closeEvent(QCloseEvent* event) {
  const bool saved = RunGuarded(services_.messages, this, [this] {
    SettingsFile settings(services_.settings_file);
    SaveStateAndBounds(FrameOf(*this), settings, kind_.settings_section);
  });
  if (saved) {
    event->accept();
  } else {
    event->ignore();
  }
}

}  // namespace money
