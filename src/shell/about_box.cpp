#include "shell/about_box.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "shell/shell_messages.h"
#include "ui/pictures.h"

namespace money {
namespace {

constexpr const char* kInformationLines[] = {
    "家庭财务记帐：收入、支出、转帐",
    "科目余额查询与期间发生数查询",
    "科目明细与发生额明细，可导出和打印",
    "多名操作人员，按人授权",
    "数据文件：程序目录下的 money.mdb",
};

}  // namespace

AboutBox::AboutBox(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("TForm99"));
  setWindowTitle(QString::fromUtf8(kAboutCaption));
  setFixedSize(431, 392);

  auto* panel = new QFrame(this);
  panel->setObjectName(QStringLiteral("Panel1"));
  panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
  panel->setLineWidth(2);
  auto* picture = new QLabel(panel);
  picture->setObjectName(QStringLiteral("ProgramIcon"));
  picture->setPixmap(ProgramIcon().pixmap(64, 64));
  auto* title = new QLabel(QString::fromUtf8(kProgramTitle), panel);
  title->setObjectName(QStringLiteral("ProductName"));
  QFont title_font = title->font();
  title_font.setPixelSize(20);
  title_font.setBold(true);
  title->setFont(title_font);
  auto* heading = new QHBoxLayout;
  heading->addWidget(picture);
  heading->addWidget(title, 1);

  auto* lines = new QVBoxLayout(panel);
  lines->setContentsMargins(20, 16, 20, 16);
  lines->addLayout(heading);
  lines->addSpacing(12);
  for (const char* line : kInformationLines) lines->addWidget(new QLabel(QString::fromUtf8(line), panel));
  lines->addStretch();

  auto* close_button = new QPushButton(QStringLiteral("退出"), this);
  close_button->setObjectName(QStringLiteral("BitBtn1"));
  connect(close_button, &QPushButton::clicked, this, &QDialog::accept);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(close_button);
  buttons->addStretch();

  auto* page = new QVBoxLayout(this);
  page->addWidget(panel, 1);
  page->addLayout(buttons);
}

}  // namespace money
