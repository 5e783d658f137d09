#pragma once

#include <QWidget>
#include <utility>
#include <vector>

#include "reports/subject_tree_query_kinds.h"
#include "reports/tree_query_services.h"
#include "reports/tree_query_texts.h"

class QPushButton;

namespace money {

class TreeList;

// A subject tree query, a child window of the main frame: the balance query TForm13 "科目余额查询" (the
// whole chart with each balance) or a period activity window TForm15 (each subject with lines in a date
// range, with its net change), one class configured by its kind and its texts. It reads its query once,
// when created; the record navigator's refresh reads it again. Read-only. On its bottom panel, from the
// right: "退   出", the text export of the displayed tree, the detail ledger of the focused subject,
// collapse all, expand all, print preview. It opens as kept in its section of the settings file and
// writes all five keys whenever it is closed; ending the program with it open writes nothing.
class SubjectTreeQueryWindow : public QWidget {
  Q_OBJECT

 public:
  // Runs the query at once; a DatabaseError passes through (no window).
  SubjectTreeQueryWindow(const SubjectTreeQueryKind& kind, TreeQueryTexts texts, TreeQueryServices services,
                         QWidget* parent = nullptr);

  TreeList& Tree() const { return *tree_; }

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildControls();
  // Buttons keep their distance from the panel's right edge.
  void PlaceButtons();
  void ExportText();
  void ShowDetail();
  void ShowPreview();

  const SubjectTreeQueryKind& kind_;
  TreeQueryTexts texts_;
  TreeQueryServices services_;
  bool placed_ = false;

  TreeList* tree_ = nullptr;
  QWidget* panel_ = nullptr;
  std::vector<std::pair<QPushButton*, int>> anchored_;  // each button and its left edge's distance from the right
};

}  // namespace money
