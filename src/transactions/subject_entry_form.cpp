#include "transactions/subject_entry_form.h"

#include <QDate>
#include <QDateEdit>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <optional>

#include "storage/settings_file.h"
#include "subjects/loaded_subjects.h"
#include "transactions/entry_messages.h"
#include "ui/message_service.h"
#include "ui/named_widgets.h"
#include "ui/window_placement.h"

namespace money {
namespace {

// The labels of the two subject rows per kind.
struct SideLabels {
  EntryKind kind;
  const char* source;
  const char* destination;
};

constexpr SideLabels kSideLabels[] = {
    {EntryKind::Income, "源(收入)科目：", "目的(节余)科目："},
    {EntryKind::Expense, "源(节余)科目：", "目的(支出)科目："},
    {EntryKind::Transfer, "源(节余)科目：", "目的(节余)科目："},
};

const SideLabels& LabelsOf(EntryKind kind) { return kSideLabels[KindNumber(kind) - 1]; }

constexpr int kHintButtonWidth = 21;

QLabel* RowLabel(const char* name, const char* caption, QWidget* parent) {
  QLabel* label = NamedLabel(name, QString::fromUtf8(caption), parent);
  label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  return label;
}

QLineEdit* NameEditorOf(const char* name, QWidget* parent) {
  QLineEdit* editor = NamedEditor(name, parent);
  editor->setReadOnly(true);
  editor->setFocusPolicy(Qt::NoFocus);
  QPalette palette = editor->palette();
  palette.setColor(QPalette::Base, QColor(192, 220, 192));  // light green
  editor->setPalette(palette);
  return editor;
}

QPushButton* HintButton(const char* name, QWidget* parent) {
  QPushButton* button = NamedButton(name, QStringLiteral("?"), parent);
  button->setFixedWidth(kHintButtonWidth);
  return button;
}

bool IsEnter(const QEvent* event) {
  if (event->type() != QEvent::KeyPress) return false;
  const int key = static_cast<const QKeyEvent*>(event)->key();
  return key == Qt::Key_Return || key == Qt::Key_Enter;
}

bool IsRightPress(const QEvent* event) {
  return event->type() == QEvent::MouseButtonPress &&
         static_cast<const QMouseEvent*>(event)->button() == Qt::RightButton;
}

// The operator leaves an editor: not when a message box or another dialog takes the focus for a while.
bool IsLeaving(const QEvent* event) {
  if (event->type() != QEvent::FocusOut) return false;
  const Qt::FocusReason reason = static_cast<const QFocusEvent*>(event)->reason();
  return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
}

}  // namespace

SubjectEntryForm::SubjectEntryForm(EntryKind kind, std::string_view source_tag, std::string_view destination_tag,
                                   const EntryServices& services, QWidget* parent)
    : QFrame(parent), services_(services) {
  setObjectName(QStringLiteral("Panel1"));
  setFrameStyle(QFrame::Panel | QFrame::Raised);
  source_.subject_class = static_cast<SubjectClass>(SourceClass(kind));
  source_.tag = source_tag;
  destination_.subject_class = static_cast<SubjectClass>(DestinationClass(kind));
  destination_.tag = destination_tag;
  BuildControls(kind);
  SetDate(QDate::currentDate());
}

void SubjectEntryForm::BuildControls(EntryKind kind) {
  date_ = new QDateEdit(this);
  date_->setObjectName(QStringLiteral("DateTimePicker1"));
  date_->setCalendarPopup(true);
  date_->setDisplayFormat(QLocale().dateFormat(QLocale::ShortFormat));
  source_.code = NamedEditor("dxEdit1", this);
  source_.name = NameEditorOf("dxEdit2", this);
  source_.hint = HintButton("Button1", this);
  destination_.code = NamedEditor("dxEdit3", this);
  destination_.name = NameEditorOf("dxEdit4", this);
  destination_.hint = HintButton("Button2", this);
  amount_ = NamedEditor("dxCalcEdit1", this);
  amount_->setAlignment(Qt::AlignRight);
  amount_->setText(QStringLiteral("0"));
  memo_ = NamedEditor("dxEdit5", this);

  auto* rows = new QGridLayout(this);
  rows->setContentsMargins(16, 14, 16, 14);
  rows->setVerticalSpacing(10);
  rows->addWidget(RowLabel("Label1", "时间：", this), 0, 0);
  rows->addWidget(date_, 0, 1);
  rows->addWidget(RowLabel("Label2", LabelsOf(kind).source, this), 1, 0);
  rows->addWidget(source_.code, 1, 1);
  rows->addWidget(source_.name, 1, 2);
  rows->addWidget(source_.hint, 1, 3);
  rows->addWidget(RowLabel("Label3", LabelsOf(kind).destination, this), 2, 0);
  rows->addWidget(destination_.code, 2, 1);
  rows->addWidget(destination_.name, 2, 2);
  rows->addWidget(destination_.hint, 2, 3);
  rows->addWidget(RowLabel("Label4", "金额：", this), 3, 0);
  rows->addWidget(amount_, 3, 1);
  rows->addWidget(RowLabel("Label5", "摘要：", this), 4, 0);
  rows->addWidget(memo_, 4, 1, 1, 3);
  rows->setColumnStretch(2, 1);

  // The source code is the first stop of the keyboard order, the date comes after the memo.
  setTabOrder(source_.code, destination_.code);
  setTabOrder(destination_.code, amount_);
  setTabOrder(amount_, memo_);
  setTabOrder(memo_, date_);

  for (Side* side : {&source_, &destination_}) {
    side->code->setContextMenuPolicy(Qt::NoContextMenu);
    side->code->installEventFilter(this);
    connect(side->code, &QLineEdit::textEdited, this, [side] { side->typed = true; });
    connect(side->hint, &QPushButton::clicked, this, &SubjectEntryForm::ShowPickerHint);
  }
  connect(amount_, &QLineEdit::textEdited, this, [this] { amount_typed_ = true; });
  for (QWidget* stop : {static_cast<QWidget*>(date_), static_cast<QWidget*>(amount_), static_cast<QWidget*>(memo_)}) {
    stop->installEventFilter(this);
  }
}

QLineEdit& SubjectEntryForm::CodeEditor(PickSide side) { return *SideOf(side).code; }

QLineEdit& SubjectEntryForm::NameEditor(PickSide side) { return *SideOf(side).name; }

void SubjectEntryForm::SetLevel(PickSide side, int level) {
  SideOf(side).level = level;
  SideOf(side).typed = false;
}

int SubjectEntryForm::Level(PickSide side) const { return SideOf(side).level; }

void SubjectEntryForm::SetLastStop(QWidget& control) { last_stop_ = &control; }

QDate SubjectEntryForm::Date() const { return date_->date(); }

void SubjectEntryForm::SetDate(const QDate& date) { date_->setDate(date); }

std::string SubjectEntryForm::DateText() const {
  const QDate date = date_->date();
  return money::DateText({date.year(), date.month(), date.day()});
}

std::string SubjectEntryForm::Code(PickSide side) const { return SideOf(side).code->text().toStdString(); }

std::string SubjectEntryForm::AmountText() const { return amount_->text().toStdString(); }

std::string SubjectEntryForm::Memo() const { return memo_->text().toStdString(); }

void SubjectEntryForm::ShowSubject(PickSide side, const std::string& code, const std::string& name) {
  Side& shown = SideOf(side);
  shown.code->setText(QString::fromStdString(code));
  shown.name->setText(QString::fromStdString(name));
  shown.typed = false;
}

void SubjectEntryForm::SetAmountText(const std::string& text) {
  amount_->setText(QString::fromStdString(text));
  amount_typed_ = false;
}

void SubjectEntryForm::SetMemo(const std::string& memo) { memo_->setText(QString::fromStdString(memo)); }

void SubjectEntryForm::ClearSubjectsAndMemo() {
  for (Side* side : {&source_, &destination_}) {
    side->code->clear();
    side->name->clear();
    side->typed = false;
  }
  memo_->clear();
  amount_typed_ = false;
}

void SubjectEntryForm::ClearAmount() { SetAmountText({}); }

void SubjectEntryForm::FocusSourceCode() { source_.code->setFocus(Qt::OtherFocusReason); }

bool SubjectEntryForm::CheckTypedInput() { return CheckTypedExcept(nullptr); }

SaveCheck SubjectEntryForm::CheckSave() const {
  return CheckEntrySave(Code(PickSide::kSource), Code(PickSide::kDestination), AmountText());
}

SubjectEntryForm::Side& SubjectEntryForm::SideOf(PickSide side) {
  return side == PickSide::kSource ? source_ : destination_;
}

const SubjectEntryForm::Side& SubjectEntryForm::SideOf(PickSide side) const {
  return side == PickSide::kSource ? source_ : destination_;
}

SubjectEntryForm::Side* SubjectEntryForm::SideOfEditor(const QObject* editor) {
  if (editor == source_.code) return &source_;
  if (editor == destination_.code) return &destination_;
  return nullptr;
}

// The editor whose picker is opening keeps its typing: a pick replaces it, a cancel leaves it to be
// checked when the operator leaves the editor.
bool SubjectEntryForm::CheckTypedExcept(const QObject* editor) {
  for (Side* side : {&source_, &destination_}) {
    if (side->code != editor && side->typed && !CheckCode(*side)) return false;
  }
  return CheckAmount();
}

bool SubjectEntryForm::CheckCode(Side& side) {
  side.typed = false;
  const QString typed = side.code->text();
  const std::string code = Trimmed(typed.toStdString());
  if (code.empty()) return true;
  const std::optional<ListedSubject> subject = services_.subjects.Find(side.subject_class, code);
  if (!subject) {
    services_.messages.Inform(this, QString::fromStdString(SubjectNotFoundMessage(typed.toStdString())));
    side.code->clear();
    side.name->clear();
    return false;
  }
  side.code->setText(QString::fromStdString(code));
  side.name->setText(QString::fromStdString(subject->name));
  side.level = subject->level;
  return true;
}

bool SubjectEntryForm::CheckAmount() {
  if (!amount_typed_) return true;
  amount_typed_ = false;
  const std::string typed = AmountText();
  const std::optional<std::string> normalized = NormalizedAmountText(typed);
  if (!normalized) {
    services_.messages.Inform(this, QString::fromStdString(InvalidNumberMessage(typed)));
    return false;
  }
  amount_->setText(QString::fromStdString(*normalized));
  return true;
}

void SubjectEntryForm::OpenPicker(Side& side) {
  if (!CheckTypedExcept(side.code)) return;
  services_.open_picker(side.subject_class, side.tag);
}

void SubjectEntryForm::ShowPickerHint() {
  if (!CheckTypedInput()) return;
  services_.messages.Inform(this, QString::fromUtf8(kPickerHint));
}

QWidget* SubjectEntryForm::NextStop(const QObject* control) const {
  if (control == date_) return source_.code;
  if (control == source_.code) return destination_.code;
  if (control == destination_.code) return amount_;
  if (control == amount_) return memo_;
  if (control == memo_) return last_stop_;
  return nullptr;
}

bool SubjectEntryForm::eventFilter(QObject* watched, QEvent* event) {
  if (IsEnter(event)) {
    if (QWidget* next = NextStop(watched)) next->setFocus(Qt::TabFocusReason);
    return true;
  }
  Side* side = SideOfEditor(watched);
  if (side != nullptr && IsRightPress(event)) {
    OpenPicker(*side);
    return true;
  }
  // Checked once the focus has settled, so that a message box never interrupts a click half-way; a
  // command of the dialog checks what is still unchecked before it acts.
  if (IsLeaving(event) && (side != nullptr || watched == amount_)) {
    QTimer::singleShot(0, this, [this, side] {
      if (!isVisible()) return;
      if (side != nullptr) {
        if (side->typed) CheckCode(*side);
      } else {
        CheckAmount();
      }
    });
  }
  return QFrame::eventFilter(watched, event);
}

void SetUpEntryDialog(QDialog& dialog, const char* form_name, const char* caption, const char* settings_section,
                      const EntryServices& services) {
  static constexpr QSize kSize(433, 277);
  static constexpr PositionDefaults kDefaultPosition{138, 238};
  dialog.setObjectName(QString::fromUtf8(form_name));
  dialog.setWindowTitle(QString::fromUtf8(caption));
  QFont font(QStringLiteral("新宋体"));
  font.setPixelSize(13);
  dialog.setFont(font);
  dialog.resize(kSize);
  RestorePosition(dialog, SettingsFile(services.settings_file), settings_section, kDefaultPosition);
}

void LayOutEntryDialog(QDialog& dialog, SubjectEntryForm& form, std::initializer_list<QPushButton*> buttons) {
  auto* row = new QHBoxLayout;
  for (QPushButton* button : buttons) {
    row->addStretch();
    row->addWidget(button);
  }
  row->addStretch();
  auto* page = new QVBoxLayout(&dialog);
  page->addWidget(&form);
  page->addLayout(row);
}

}  // namespace money
