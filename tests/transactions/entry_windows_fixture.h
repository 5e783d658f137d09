#pragma once

#include <gtest/gtest.h>

#include <QAbstractSpinBox>
#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "access/login_state.h"
#include "storage/ledger_database.h"
#include "subjects/loaded_subjects.h"
#include "subjects/picker_callers.h"
#include "subjects/subject_codes.h"
#include "subjects/subject_picker.h"
#include "support/ledger_fixture.h"
#include "support/message_recorder.h"
#include "transactions/entry_services.h"
#include "transactions/ledger_check.h"
#include "transactions/posting_engine.h"
#include "ui/tree_list.h"

namespace money::test {

// What the operator types into the four editors of an entry or edit dialog.
struct TypedEntry {
  std::string source;
  std::string destination;
  std::string amount;
  std::string memo;
};

// A ledger whose chart is made through the core, the three subject pickers as start-up makes them (their
// lists are the look-ups of typed codes), a logged-in operator, and the services the entry and edit
// dialogs work with. Picks are scripted: a right-click picks `next_pick_` in the picker it opens, or
// cancels when that is empty.
class EntryWindowsFixture : public LedgerFixture {
 protected:
  static constexpr size_t kLongestTabChain = 20;

  EntryWindowsFixture() {
    AddSubject("1001", "工资");
    AddSubject("1001001", "基本工资");
    AddSubject("1002", "奖金");
    AddSubject("2001", "餐饮");
    AddSubject("2001001", "早餐");
    AddSubject("3001", "中行");
    AddSubject("3001001", "活期");
    AddSubject("3002", "现金");
    for (const SubjectClass subject_class : {SubjectClass::kSavings, SubjectClass::kIncome, SubjectClass::kExpense}) {
      pickers_[subject_class] =
          std::make_unique<SubjectPicker>(subject_class, db_, messages_, loaded_, callers_, SettingsPath());
    }
  }

  // The books must pass the ledger check after every scenario.
  void TearDown() override { EXPECT_EQ(CheckLedger(db_), std::vector<std::string>{}); }

  std::filesystem::path SettingsPath() const { return folder_ / "money.INI"; }

  EntryServices Services() {
    return EntryServices{db_,
                         messages_,
                         loaded_,
                         callers_,
                         [this](SubjectClass subject_class, std::string_view tag) { OpenPicker(subject_class, tag); },
                         login_,
                         SettingsPath(),
                         [this](EntryKind kind) {
                           reloads_.push_back(kind);
                           if (on_reload_) on_reload_(kind);
                         }};
  }

  SubjectPicker& Picker(SubjectClass subject_class) { return *pickers_.at(subject_class); }

  void OpenPicker(SubjectClass subject_class, std::string_view tag) {
    opened_pickers_.emplace_back(subject_class, std::string(tag));
    SubjectPicker& picker = Picker(subject_class);
    picker.SetCallerTag(std::string(tag));
    if (next_pick_.empty()) return;
    ASSERT_TRUE(picker.findChild<TreeList*>(QStringLiteral("dxDBTreeList1"))->FocusKey(next_pick_)) << next_pick_;
    picker.findChild<QPushButton*>(QStringLiteral("BitBtn2"))->click();
  }

  template <typename Widget>
  static Widget* Control(const QWidget& window, const char* name) {
    auto* control = window.findChild<Widget*>(QString::fromUtf8(name));
    EXPECT_NE(control, nullptr) << name;
    return control;
  }
  static QLineEdit* Editor(const QWidget& window, const char* name) { return Control<QLineEdit>(window, name); }
  static std::string TextOf(const QWidget& window, const char* name) {
    return Editor(window, name)->text().toStdString();
  }
  static void Click(const QWidget& window, const char* button) {
    QTest::mouseClick(Control<QPushButton>(window, button), Qt::LeftButton);
    QApplication::processEvents();
  }

  // Shows a dialog as the active window, so that the focus moves as the operator moves it.
  static void ShowActive(QWidget& window) {
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  }
  // Types into an editor as the operator does, replacing what it holds; the editor keeps the focus.
  static void Type(const QWidget& window, const char* name, const std::string& text) {
    QLineEdit* editor = Editor(window, name);
    editor->setFocus(Qt::TabFocusReason);
    editor->selectAll();
    if (text.empty()) {
      QTest::keyClick(editor, Qt::Key_Delete);
      return;
    }
    // QTest types ASCII only; other characters arrive as the text of one key press, as an input method sends them.
    const QString typed = QString::fromStdString(text);
    for (const QChar character : typed) {
      if (character.unicode() < 0x80) {
        QTest::keyClick(editor, character.toLatin1());
      } else {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(character));
        QApplication::sendEvent(editor, &press);
      }
    }
  }
  // The operator leaves the focused editor for another control; the checks of leaving have run after.
  static void MoveFocusTo(const QWidget& window, const char* name) {
    Control<QWidget>(window, name)->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
  }

  // The controls Tab moves through from the focused one until it is back there, by name; the date
  // picker's inner editor counts as the picker, which Tab steps through field by field and names once.
  static std::vector<std::string> TabChain() {
    QWidget* const start = QApplication::focusWidget();
    std::vector<std::string> names;
    for (size_t step = 0; step < kLongestTabChain; ++step) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      QApplication::processEvents();
      QWidget* focused = QApplication::focusWidget();
      if (focused == nullptr) break;
      QWidget* control = qobject_cast<QAbstractSpinBox*>(focused->parentWidget()) ? focused->parentWidget() : focused;
      const std::string name = control->objectName().toStdString();
      if (names.empty() || names.back() != name) names.push_back(name);
      if (focused == start) break;
    }
    return names;
  }

  // Types the four inputs of a dialog, leaving each editor for the next one.
  static void KeyIn(const QWidget& window, const TypedEntry& input) {
    Type(window, "dxEdit1", input.source);
    Type(window, "dxEdit3", input.destination);
    Type(window, "dxCalcEdit1", input.amount);
    Type(window, "dxEdit5", input.memo);
    MoveFocusTo(window, "dxEdit1");
  }

  // Every row of a query, one text per row with its fields joined by "|".
  std::vector<std::string> Rows(const std::string& select) {
    std::vector<std::string> rows;
    for (QueryDataset query = db_.OpenQuery(select); !query.Eof(); query.Next()) {
      std::string row;
      for (const std::string& field : query.FieldNames()) row += (row.empty() ? "" : "|") + query.Text(field);
      rows.push_back(row);
    }
    return rows;
  }
  // The whole books: entries, lines, balances and the serial-number counter.
  std::vector<std::string> Books() {
    std::vector<std::string> books = Rows("select * from B_SZ order by lsh");
    for (const char* select : {"select * from B_MX order by lsh, lb, kmbh, mx, je",
                               "select id, ye from B_KM order by id", "select lsh from B_LSH"}) {
      const std::vector<std::string> rows = Rows(select);
      books.insert(books.end(), rows.begin(), rows.end());
    }
    return books;
  }
  long long Counter() { return Count("select lsh from B_LSH where id=1"); }

  // An entry posted through the engine by another operator, as if saved earlier.
  long long Post(EntryKind kind, const std::string& date, const std::string& source, const std::string& destination,
                 double amount, const std::string& memo = "") {
    return PostAs(kind, date, source, destination, amount, memo, "9999", "系统管理员");
  }

  MessageRecorder messages_;
  LoadedSubjects loaded_;
  PickerCallers callers_;
  LoginState login_{"0001", "记账员", {}};
  std::map<SubjectClass, std::unique_ptr<SubjectPicker>> pickers_;
  std::string next_pick_;
  std::vector<std::pair<SubjectClass, std::string>> opened_pickers_;
  std::vector<EntryKind> reloads_;
  std::function<void(EntryKind)> on_reload_;
};

}  // namespace money::test
