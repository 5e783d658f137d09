#include "subjects/subject_window.h"

#include <QCloseEvent>
#include <QDialog>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QVBoxLayout>
#include <optional>

#include "storage/ledger_database.h"
#include "storage/settings_file.h"
#include "subjects/add_subject_dialog.h"
#include "subjects/modify_subject_dialog.h"
#include "subjects/subject_codes.h"
#include "subjects/subject_messages.h"
#include "subjects/subject_store.h"
#include "transactions/transaction_messages.h"
#include "ui/error_guard.h"
#include "ui/message_service.h"
#include "ui/tree_list.h"
#include "ui/window_placement.h"

namespace money {
namespace {

constexpr const char* kChart = "select * from B_KM order by id";
constexpr const char* kSection = "KMFrm";
constexpr PositionDefaults kDefaultPosition{120, 128};
constexpr QSize kOpeningSize(619, 442);
constexpr int kButtonWidth = 89;
constexpr int kButtonHeight = 33;
constexpr int kNoteLength = 240;

TreeColumns ChartColumns() {
  return {{"id", "科目编号", 172, ""},
          {"mc", "科目名称", 129, ""},
          {"parentid", "上级编号", 66, ""},
          {"js", "级数", 37, ""}};
}

}  // namespace

SubjectMaintenanceWindow::SubjectMaintenanceWindow(LedgerDatabase& database, MessageService& messages,
                                                   AddSubjectDialog& add_dialog, ModifySubjectDialog& modify_dialog,
                                                   std::filesystem::path settings_file, ShowModal show_modal,
                                                   QWidget* parent)
    : QWidget(parent),
      database_(database),
      messages_(messages),
      add_dialog_(add_dialog),
      modify_dialog_(modify_dialog),
      settings_file_(std::move(settings_file)),
      show_modal_(std::move(show_modal)) {
  setObjectName(QStringLiteral("TForm6"));
  setWindowTitle(QStringLiteral("科目维护"));
  BuildControls();
  tree_->Open(database_.OpenQuery(kChart), "id", "parentid");
}

// The tree and the note view go before the rest of the window: no more signals from them.
SubjectMaintenanceWindow::~SubjectMaintenanceWindow() {
  disconnect(tree_, nullptr, this, nullptr);
  disconnect(note_, nullptr, this, nullptr);
}

void SubjectMaintenanceWindow::BuildControls() {
  tree_ = new TreeList(ChartColumns(), this);
  tree_->setObjectName(QStringLiteral("dxDBTreeList1"));
  note_ = new QPlainTextEdit(this);
  note_->setObjectName(QStringLiteral("dxDBMemo1"));

  auto* add_button = new QPushButton(QStringLiteral("填加下级"), this);
  add_button->setObjectName(QStringLiteral("BitBtn2"));
  auto* delete_button = new QPushButton(QStringLiteral("删除"), this);
  delete_button->setObjectName(QStringLiteral("BitBtn3"));
  auto* modify_button = new QPushButton(QStringLiteral("修改"), this);
  modify_button->setObjectName(QStringLiteral("BitBtn1"));
  auto* exit_button = new QPushButton(QStringLiteral("退出"), this);
  exit_button->setObjectName(QStringLiteral("BitBtn4"));

  auto* lists = new QHBoxLayout;
  lists->addWidget(tree_, 3);
  lists->addWidget(note_, 1);
  auto* buttons = new QHBoxLayout;
  for (QPushButton* button : {add_button, delete_button, modify_button, exit_button}) {
    button->setFixedSize(kButtonWidth, kButtonHeight);
    buttons->addStretch();
    buttons->addWidget(button);
  }
  buttons->addStretch();
  auto* page = new QVBoxLayout(this);
  page->addLayout(lists, 1);
  page->addLayout(buttons);

  const auto guarded = [this](void (SubjectMaintenanceWindow::*handler)()) {
    return [this, handler] { RunGuarded(messages_, this, [this, handler] { (this->*handler)(); }); };
  };
  connect(add_button, &QPushButton::clicked, this, guarded(&SubjectMaintenanceWindow::AddChild));
  connect(delete_button, &QPushButton::clicked, this, guarded(&SubjectMaintenanceWindow::DeleteFocused));
  connect(modify_button, &QPushButton::clicked, this, guarded(&SubjectMaintenanceWindow::ModifyFocused));
  connect(exit_button, &QPushButton::clicked, this, [this] { FrameOf(*this).close(); });
  connect(tree_, &TreeList::CurrentRowChanged, this, &SubjectMaintenanceWindow::FocusedSubjectChanged);
  connect(note_, &QPlainTextEdit::textChanged, this, &SubjectMaintenanceWindow::KeepNoteWithinColumn);
}

// Placed when first shown, by then inside its frame.
void SubjectMaintenanceWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (placed_) return;
  placed_ = true;
  QWidget& frame = FrameOf(*this);
  frame.resize(kOpeningSize);
  RestorePosition(frame, SettingsFile(settings_file_), kSection, kDefaultPosition);
}

// A position the settings file refuses keeps the window open.
void SubjectMaintenanceWindow::closeEvent(QCloseEvent* event) {
  RunGuarded(messages_, this, [this] { StoreTypedNote(); });
  const bool saved = RunGuarded(messages_, this, [this] {
    SettingsFile settings(settings_file_);
    SavePosition(FrameOf(*this), settings, kSection);
  });
  if (saved) {
    event->accept();
  } else {
    event->ignore();
  }
}

void SubjectMaintenanceWindow::AddChild() {
  StoreTypedNote();
  const std::optional<Subject> parent = FocusedSubject();
  if (!parent) {
    messages_.Inform(this, QString::fromUtf8(kSelectRecordFirst));
    return;
  }
  if (parent->js >= kMaxSubjectLevel) {
    messages_.Inform(this, QString::fromUtf8(kSevenLevelsAtMost));
    return;
  }
  add_dialog_.Prepare(*parent);
  show_modal_(add_dialog_);
  // Saved or not, the focus returns to the parent; a new child shows under it.
  tree_->Refresh();
  tree_->FocusKey(parent->id);
  if (add_dialog_.result() == QDialog::Accepted) tree_->expand(tree_->currentIndex());
}

void SubjectMaintenanceWindow::DeleteFocused() {
  StoreTypedNote();
  const std::optional<TreeRow> row = tree_->CurrentRow();
  if (!row) return;
  switch (DeleteSubject(database_, row->Text("id"))) {
    case DeleteOutcome::kDeleted:
      tree_->Refresh();
      return;
    case DeleteOutcome::kClassRoot:
      messages_.Inform(this, QString::fromUtf8(kCannotDeleteClassRoot));
      return;
    case DeleteOutcome::kHasChildren:
      messages_.Inform(this, QString::fromUtf8(kDeleteLowestLevelFirst));
      return;
    case DeleteOutcome::kInUse:
      messages_.Inform(this, QString::fromUtf8(kSubjectAlreadyUsed));
      return;
    case DeleteOutcome::kFailed:
      messages_.Inform(this, QString::fromUtf8(kSaveFailedMessage));
      return;
  }
}

void SubjectMaintenanceWindow::ModifyFocused() {
  StoreTypedNote();
  const std::optional<Subject> subject = FocusedSubject();
  if (subject && LevelOfCode(subject->id) == 1) {
    messages_.Inform(this, QString::fromUtf8(kCannotModifyClassRoot));
    return;
  }
  if (!subject) {
    messages_.Inform(this, QString::fromUtf8(kSelectRecordFirst));
    return;
  }
  modify_dialog_.Prepare(*subject);
  show_modal_(modify_dialog_);
  if (modify_dialog_.result() == QDialog::Accepted) tree_->Refresh();
}

// The subject as stored: the tree's copy of its row does not follow a note stored since it was read.
std::optional<Subject> SubjectMaintenanceWindow::FocusedSubject() {
  const std::optional<TreeRow> row = tree_->CurrentRow();
  if (!row) return std::nullopt;
  return FindSubject(database_, row->Text("id"));
}

void SubjectMaintenanceWindow::FocusedSubjectChanged() {
  RunGuarded(messages_, this, [this] {
    StoreTypedNote();
    ShowFocusedNote();
  });
}

void SubjectMaintenanceWindow::StoreTypedNote() {
  if (!note_->document()->isModified() || note_code_.empty()) return;
  const std::string code = note_code_;
  const std::string note = note_->toPlainText().toStdString();
  database_.ExecuteOwn("update B_KM set bz=? where id=?", {note, code});
  // Only a stored note counts as kept: after a failure the typed text is still offered again.
  note_->document()->setModified(false);
}

// Nothing typed reaches a subject until the view shows that subject's note.
void SubjectMaintenanceWindow::ShowFocusedNote() {
  note_code_.clear();
  note_->setReadOnly(true);
  const std::optional<Subject> subject = FocusedSubject();
  note_->setPlainText(subject ? QString::fromStdString(subject->bz) : QString());
  note_->document()->setModified(false);
  if (!subject) return;
  note_->setReadOnly(false);
  note_code_ = subject->id;
}

// The note column holds 240 characters; typing stops there.
void SubjectMaintenanceWindow::KeepNoteWithinColumn() {
  if (note_->document()->characterCount() - 1 <= kNoteLength) return;
  QTextCursor cursor(note_->document());
  cursor.setPosition(kNoteLength);
  cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
  cursor.removeSelectedText();
}

}  // namespace money
