#pragma once

#include <QStatusBar>
#include <QString>
#include <vector>

class QLabel;

namespace money {

// The main window's status bar "StatusBar1": four panels of fixed widths, counted from 0.
class MainStatusBar : public QStatusBar {
  Q_OBJECT

 public:
  explicit MainStatusBar(QWidget* parent = nullptr);

  void SetPanelText(int panel, const QString& text);
  QString PanelText(int panel) const;
  QLabel& Panel(int panel) const;

 private:
  std::vector<QLabel*> panels_;
};

}  // namespace money
