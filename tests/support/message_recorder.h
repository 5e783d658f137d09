#pragma once

#include <QString>
#include <QStringList>
#include <deque>

#include "ui/message_service.h"

namespace money::test {

// Records every text shown (information, questions, errors) and answers questions from a script ("No"
// when the script is empty).
class MessageRecorder : public MessageService {
 public:
  void Inform(QWidget*, const QString& text) override { informed.append(text); }
  Answer Ask(QWidget*, const QString& text) override {
    asked.append(text);
    if (answers.empty()) return Answer::kNo;
    const Answer answer = answers.front();
    answers.pop_front();
    return answer;
  }
  void ShowError(QWidget*, const QString& text) override { errors.append(text); }

  QStringList informed;
  QStringList asked;
  QStringList errors;  // texts of the standard error box
  std::deque<Answer> answers;
};

}  // namespace money::test
