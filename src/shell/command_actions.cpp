#include "shell/command_actions.h"

#include <QAction>
#include <QColor>

#include "ui/pictures.h"

namespace money {
namespace {

struct CommandRow {
  const char* name;
  const char* caption;
  const char* hint;    // empty: no hint
  const char* glyph;   // the character on the command's icon; empty: no icon
  QRgb colour;
  bool checkable;
};

constexpr CommandRow kCommands[] = {
    {"m0101", "收入", "收入", "收", 0x2e8b57, false},
    {"m0102", "支出", "支出", "支", 0xc0392b, false},
    {"m0103", "转帐", "转帐", "转", 0x2c6fbb, false},
    {"m0201", "科目余额查询", "科目余额查询", "余", 0x16a085, false},
    {"m0301", "期间发生数查询", "期间发生数查询", "期", 0x8e44ad, false},
    {"N101", "修改口令", "修改口令", "密", 0xb7950b, false},
    {"N102", "用户管理", "用户管理", "用", 0x5d6d7e, false},
    {"N107", "科目维护", "科目维护", "科", 0x935116, false},
    {"N108", "调用计算器", "调用计算器", "算", 0x34495e, false},
    {"N109", "退出系统", "退出系统", "退", 0x7b241c, false},
    {"N33", "关于...", "", "", 0, false},
    {"N34", "系统帮助", "", "", 0, false},
    {"N211", "Flat", "Flat", "", 0, true},
    {"N212", "Enhanced", "Enhanced", "", 0, true},
    {"N213", "Standard", "Standard", "", 0, true},
    {"N22", "BigButton", "BigButton", "", 0, true},
    {"N23", "平铺", "", "", 0, false},
    {"N24", "层叠", "", "", 0, false},
    {"N25", "最小化所有子窗口", "最小化所有子窗口", "", 0, false},
    {"N26", "关闭所有子窗口", "", "", 0, false},
};

}  // namespace

CommandActions::CommandActions(QObject* parent) : QObject(parent) {
  for (const CommandRow& row : kCommands) {
    auto* action = new QAction(QString::fromUtf8(row.caption), this);
    action->setObjectName(QString::fromUtf8(row.name));
    action->setToolTip(QString::fromUtf8(row.hint));
    action->setCheckable(row.checkable);
    if (*row.glyph != '\0') action->setIcon(GlyphIcon(QString::fromUtf8(row.glyph), QColor::fromRgb(row.colour)));
    actions_.push_back(action);
  }
}

QAction* CommandActions::Find(const QString& name) const {
  for (QAction* action : actions_) {
    if (action->objectName() == name) return action;
  }
  return nullptr;
}

}  // namespace money
