#pragma once

#include <QList>
#include <QString>
#include <deque>
#include <optional>

#include "ui/save_file_service.h"

namespace money::test {

// Records every save-file request and answers from a script (a cancel when the script is empty). A
// scripted name goes through the default-extension rule as the real dialog's does.
class SaveFileRecorder : public SaveFileService {
 public:
  std::optional<QString> ChooseFile(QWidget*, const SaveFileRequest& request) override {
    requests.append(request);
    if (answers.empty()) return std::nullopt;
    const std::optional<QString> answer = answers.front();
    answers.pop_front();
    if (!answer) return std::nullopt;
    return WithDefaultExtension(*answer, request.default_extension);
  }

  QList<SaveFileRequest> requests;
  std::deque<std::optional<QString>> answers;
};

}  // namespace money::test
