#pragma once

#include <QDialog>

namespace money {

// The about box "关于 . . ." (TForm99): a bevelled panel with the program's information lines and a
// "退出" button that closes it. Shown modally, centred on the screen.
class AboutBox : public QDialog {
  Q_OBJECT

 public:
  explicit AboutBox(QWidget* parent = nullptr);
};

}  // namespace money
