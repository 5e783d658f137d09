#pragma once

#include <QString>

class QWidget;

namespace money {

enum class Answer { kYes, kNo };

// Every information box and question of the program goes through this service, so that a test can
// record the texts and script the answers. No window calls QMessageBox itself.
class MessageService {
 public:
  virtual ~MessageService() = default;
  // A modal information box with an OK button.
  virtual void Inform(QWidget* owner, const QString& text) = 0;
  // A modal Yes/No question with the warning icon, "No" as default and the caption "提示".
  virtual Answer Ask(QWidget* owner, const QString& text) = 0;
  // The application's standard error box: an error that no handler dealt with, shown with its own text.
  virtual void ShowError(QWidget* owner, const QString& text) = 0;
};

inline constexpr const char* kQuestionCaption = "提示";

// The real boxes.
class DialogMessageService : public MessageService {
 public:
  void Inform(QWidget* owner, const QString& text) override;
  Answer Ask(QWidget* owner, const QString& text) override;
  void ShowError(QWidget* owner, const QString& text) override;
};

}  // namespace money
