#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <vector>

class QAction;

namespace money {

class MessageService;
class RecordList;

// The record-navigation bar's commands "First", "Prior", "Next", "Last", "Refresh" (each a QAction whose
// objectName is its caption), bound to one record list at a time and disabled while none is bound.
class RecordNavigator : public QObject {
  Q_OBJECT

 public:
  RecordNavigator(MessageService& messages, QObject* parent = nullptr);

  // Binds the list of a window; the binding ends by Unbind or when `window` is destroyed.
  void Bind(RecordList& list, QObject& window);
  void Unbind();
  RecordList* Bound() const { return window_ ? list_ : nullptr; }

  const std::vector<QAction*>& Actions() const { return actions_; }
  // The command of that name, or nullptr.
  QAction* Action(const QString& name) const;

 private:
  void AddAction(const QString& name, void (RecordList::*move)());
  void UpdateEnabled();

  MessageService& messages_;
  RecordList* list_ = nullptr;
  QPointer<QObject> window_;
  std::vector<QAction*> actions_;
};

}  // namespace money
