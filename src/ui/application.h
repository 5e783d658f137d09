#pragma once

#include <QApplication>

namespace money {

class MessageService;

// The application object: no exception crosses the event loop. One that escapes an event handler is
// shown in the standard error box and the program goes on.
class Application : public QApplication {
 public:
  Application(int& argc, char** argv, MessageService& messages);

  bool notify(QObject* receiver, QEvent* event) override;

 private:
  MessageService& messages_;
};

}  // namespace money
