#include "access/operator_window.h"

#include <QApplication>
#include <QFocusEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

#include "access/operator_messages.h"
#include "access/operator_store.h"
#include "storage/ledger_database.h"
#include "ui/error_guard.h"
#include "ui/message_service.h"
#include "ui/named_widgets.h"
#include "ui/window_placement.h"

namespace money {
namespace {

constexpr QSize kOpeningSize(554, 478);
constexpr int kCodeColumnWidth = 36;
constexpr int kNameColumnWidth = 100;
constexpr int kCommandCodeColumnWidth = 50;
constexpr int kCommandNameColumnWidth = 130;
constexpr int kCodeDigits = 4;
// The name is stored with every journal entry the operator saves, whose column holds 20 characters.
constexpr int kNameLength = 20;
constexpr const char* kLabelGap = "   ";

QTreeWidget* NamedList(const char* name, const QStringList& captions, QWidget* parent) {
  auto* list = new QTreeWidget(parent);
  list->setObjectName(QString::fromUtf8(name));
  list->setHeaderLabels(captions);
  list->setRootIsDecorated(false);
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  list->setSelectionBehavior(QAbstractItemView::SelectRows);
  list->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list->header()->setStretchLastSection(false);
  return list;
}

int DigitCount(const QString& text) {
  return static_cast<int>(std::count_if(text.begin(), text.end(), [](QChar c) { return c.isDigit(); }));
}

}  // namespace

OperatorWindow::OperatorWindow(LedgerDatabase& database, MessageService& messages, QWidget* parent)
    : QWidget(parent), database_(database), messages_(messages) {
  setObjectName(QStringLiteral("TForm10"));
  setWindowTitle(QString::fromUtf8(kOperatorWindowCaption));
  BuildControls();
  LoadCommandList();
  LoadOperatorList();
}

void OperatorWindow::BuildControls() {
  code_edit_ = NamedEditor("MaskEdit1", this);
  code_edit_->setInputMask(QStringLiteral("0000;_"));
  code_edit_->installEventFilter(this);
  name_edit_ = NamedEditor("Edit1", this, kNameLength);
  QPushButton* add_button = NamedButton("BitBtn1", QStringLiteral("添加/修改"), this);
  QPushButton* delete_button = NamedButton("BitBtn2", QStringLiteral("删除"), this);
  QPushButton* clear_button = NamedButton("BitBtn3", QStringLiteral("清除口令"), this);
  QPushButton* exit_button = NamedButton("BitBtn4", QStringLiteral("退出"), this);
  QPushButton* reload_button = NamedButton("BitBtn5", QStringLiteral("取消修改"), this);
  QPushButton* store_button = NamedButton("BitBtn6", QStringLiteral("保存修改"), this);

  operator_list_ = NamedList("ListView1", {QStringLiteral("编号"), QStringLiteral("姓名")}, this);
  operator_list_->setColumnWidth(0, kCodeColumnWidth);
  operator_list_->setColumnWidth(1, kNameColumnWidth);
  // The chosen operator stays marked while the grant list has the focus.
  QPalette keep_selection = operator_list_->palette();
  for (const QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText}) {
    keep_selection.setColor(QPalette::Inactive, role, keep_selection.color(QPalette::Active, role));
  }
  operator_list_->setPalette(keep_selection);
  operator_label_ = NamedLabel("Label1", QString(), this);
  command_list_ = NamedList("ListView2", {QStringLiteral("编号"), QStringLiteral("功能")}, this);
  command_list_->setColumnWidth(0, kCommandCodeColumnWidth);
  command_list_->setColumnWidth(1, kCommandNameColumnWidth);

  auto* typed = new QHBoxLayout;
  typed->addWidget(code_edit_, 1);
  typed->addWidget(name_edit_, 2);
  auto* operator_buttons = new QHBoxLayout;
  operator_buttons->addWidget(add_button);
  operator_buttons->addWidget(delete_button);
  auto* operators = new QVBoxLayout;
  operators->addLayout(typed);
  operators->addLayout(operator_buttons);
  operators->addWidget(operator_list_, 1);
  operators->addWidget(clear_button);
  auto* grant_buttons = new QHBoxLayout;
  grant_buttons->addWidget(reload_button);
  grant_buttons->addWidget(store_button);
  grant_buttons->addWidget(exit_button);
  auto* grants = new QVBoxLayout;
  grants->addWidget(operator_label_);
  grants->addWidget(command_list_, 1);
  grants->addLayout(grant_buttons);
  auto* page = new QHBoxLayout(this);
  page->addLayout(operators, 2);
  page->addLayout(grants, 3);

  const auto guarded = [this](void (OperatorWindow::*handler)()) {
    return [this, handler] { RunGuarded(messages_, this, [this, handler] { (this->*handler)(); }); };
  };
  connect(add_button, &QPushButton::clicked, this, guarded(&OperatorWindow::AddOrRename));
  connect(delete_button, &QPushButton::clicked, this, guarded(&OperatorWindow::DeleteSelected));
  connect(clear_button, &QPushButton::clicked, this, guarded(&OperatorWindow::ClearSelectedPassword));
  connect(reload_button, &QPushButton::clicked, this, guarded(&OperatorWindow::ReloadMarks));
  connect(store_button, &QPushButton::clicked, this, guarded(&OperatorWindow::StoreMarks));
  connect(exit_button, &QPushButton::clicked, this, [this] { FrameOf(*this).close(); });
  connect(operator_list_, &QTreeWidget::itemSelectionChanged, this, guarded(&OperatorWindow::OperatorSelected));
}

// Sized and centred when first shown, by then inside its frame.
void OperatorWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (placed_) return;
  placed_ = true;
  QWidget& frame = FrameOf(*this);
  frame.resize(kOpeningSize);
  if (const QWidget* area = frame.parentWidget()) {
    frame.move((area->width() - frame.width()) / 2, (area->height() - frame.height()) / 2);
  }
}

// The code box: leaving it after a change is checked once the focus has moved on (a window losing the
// activation is no leaving); Esc brings back the code it held before the change.
bool OperatorWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == code_edit_ && event->type() == QEvent::FocusIn && !code_edit_->isModified()) {
    code_before_change_ = code_edit_->text();
  }
  if (watched == code_edit_ && event->type() == QEvent::FocusOut) {
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
      QTimer::singleShot(0, this, &OperatorWindow::CheckLeftCode);
    }
  }
  if (watched == code_edit_ && event->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape && code_edit_->isModified()) {
    code_edit_->setText(code_before_change_);
    code_edit_->setModified(false);
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

void OperatorWindow::CheckLeftCode() {
  if (refusing_code_ || !isVisible() || code_edit_->hasFocus() || !code_edit_->isModified()) return;
  const int digits = DigitCount(code_edit_->text());
  if (digits > 0 && digits < kCodeDigits) RefuseCode();
}

void OperatorWindow::RefuseCode() {
  refusing_code_ = true;
  QApplication::beep();
  messages_.Inform(this, QString::fromUtf8(kInvalidCodeInput));
  refusing_code_ = false;
  code_edit_->setFocus();
}

void OperatorWindow::LoadCommandList() {
  command_list_->clear();
  for (const CommandGrant& command : ReadGrantableCommands(database_)) {
    auto* item = new QTreeWidgetItem(command_list_,
                                     {QString::fromStdString(command.code), QString::fromStdString(command.name)});
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    item->setCheckState(0, Qt::Unchecked);
  }
}

void OperatorWindow::LoadOperatorList() {
  operator_list_->clear();
  for (const OperatorRow& row : ReadOperators(database_)) {
    new QTreeWidgetItem(operator_list_, {QString::fromStdString(row.code), QString::fromStdString(row.name)});
  }
}

void OperatorWindow::SelectOperator(const QString& code) {
  for (int row = 0; row < operator_list_->topLevelItemCount(); ++row) {
    QTreeWidgetItem* item = operator_list_->topLevelItem(row);
    if (item->text(0).compare(code, Qt::CaseInsensitive) == 0) {
      operator_list_->setCurrentItem(item);
      return;
    }
  }
}

void OperatorWindow::OperatorSelected() {
  const QTreeWidgetItem* item = SelectedOperator();
  if (item == nullptr) return;
  current_operator_ = item->text(0).toStdString();
  operator_label_->setText(item->text(0) + QString::fromUtf8(kLabelGap) + item->text(1));
  ReloadMarks();
}

void OperatorWindow::ReloadMarks() {
  std::vector<CommandGrant> marks = Marks();
  ShowGrants(database_, current_operator_, marks);
  ShowMarks(marks);
}

// Nothing is stored while no operator is chosen (see the class comment).
void OperatorWindow::StoreMarks() { SaveGrants(database_, current_operator_, Marks()); }

void OperatorWindow::AddOrRename() {
  const QString code = code_edit_->text();
  switch (CheckOperatorInput(code.toStdString(), name_edit_->text().toStdString())) {
    case OperatorInputProblem::kMissing:
      messages_.Inform(this, QString::fromUtf8(kOperatorInputMissing));
      return;
    case OperatorInputProblem::kInvalidCode:
      RefuseCode();
      return;
    case OperatorInputProblem::kNone:
      break;
  }
  AddOrRenameOperator(database_, code.toStdString(), name_edit_->text().toStdString());
  code_edit_->clear();
  name_edit_->clear();
  LoadOperatorList();
  SelectOperator(code);
}

void OperatorWindow::DeleteSelected() {
  QTreeWidgetItem* item = SelectedOperator();
  if (item == nullptr) {
    messages_.Inform(this, QString::fromUtf8(kSelectOperatorToDelete));
    return;
  }
  switch (DeleteOperator(database_, item->text(0).toStdString())) {
    case OperatorDeleted::kAdministrator:
      messages_.Inform(this, QString::fromUtf8(kAdministratorNotDeleted));
      return;
    case OperatorDeleted::kNotFound:
      return;
    case OperatorDeleted::kDeleted:
      break;
  }
  current_operator_.clear();
  operator_list_->clearSelection();
  delete item;
  operator_list_->setCurrentItem(nullptr);
  operator_label_->clear();
  std::vector<CommandGrant> marks = Marks();
  for (CommandGrant& mark : marks) mark.granted = false;
  ShowMarks(marks);
}

void OperatorWindow::ClearSelectedPassword() {
  const QTreeWidgetItem* item = SelectedOperator();
  if (item == nullptr) {
    messages_.Inform(this, QString::fromUtf8(kSelectOperatorToClear));
    return;
  }
  if (ClearPassword(database_, item->text(0).toStdString())) {
    messages_.Inform(this, QString::fromUtf8(kPasswordCleared));
  }
}

QTreeWidgetItem* OperatorWindow::SelectedOperator() const {
  const QList<QTreeWidgetItem*> selected = operator_list_->selectedItems();
  return selected.isEmpty() ? nullptr : selected.front();
}

std::vector<CommandGrant> OperatorWindow::Marks() const {
  std::vector<CommandGrant> marks;
  for (int row = 0; row < command_list_->topLevelItemCount(); ++row) {
    const QTreeWidgetItem* item = command_list_->topLevelItem(row);
    marks.push_back({item->text(0).toStdString(), item->text(1).toStdString(), item->checkState(0) == Qt::Checked});
  }
  return marks;
}

void OperatorWindow::ShowMarks(const std::vector<CommandGrant>& marks) {
  for (size_t row = 0; row < marks.size(); ++row) {
    QTreeWidgetItem* item = command_list_->topLevelItem(static_cast<int>(row));
    item->setCheckState(0, marks[row].granted ? Qt::Checked : Qt::Unchecked);
  }
}

}  // namespace money
