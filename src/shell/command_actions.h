#pragma once

#include <QObject>
#include <QString>
#include <vector>

class QAction;

namespace money {

// The main window's command buttons: one QAction per command, shared by the menus and the tool bar,
// whose objectName is the command's component name ("m0101", "N102", ...) that B_GN.btName refers to.
class CommandActions : public QObject {
  Q_OBJECT

 public:
  explicit CommandActions(QObject* parent = nullptr);

  // The command of that component name, or nullptr.
  QAction* Find(const QString& name) const;
  const std::vector<QAction*>& All() const { return actions_; }

 private:
  std::vector<QAction*> actions_;
};

}  // namespace money
