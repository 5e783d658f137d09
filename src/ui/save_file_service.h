#pragma once

#include <QString>

#include <optional>

class QWidget;

namespace money {

// What a save-file dialog offers: its title, starting folder, proposed file name, one file type
// ("文本文件 (*.txt)") and the extension added to a chosen name that has none.
struct SaveFileRequest {
  QString title;
  QString folder;
  QString file_name;
  QString filter;
  QString default_extension;  // without the full stop, e.g. "txt"

  bool operator==(const SaveFileRequest&) const = default;
};

// The chosen name with ".<extension>" added when it has no full stop after its last folder separator.
QString WithDefaultExtension(const QString& chosen, const QString& extension);

// Every save-file dialog of the program goes through this service, so that a test can script the
// chosen file. An existing file of the chosen name is replaced without a question.
class SaveFileService {
 public:
  virtual ~SaveFileService() = default;
  // The full path of the chosen file (default extension applied), or nothing when the operator cancels.
  virtual std::optional<QString> ChooseFile(QWidget* owner, const SaveFileRequest& request) = 0;
};

// The real dialog.
class DialogSaveFileService : public SaveFileService {
 public:
  std::optional<QString> ChooseFile(QWidget* owner, const SaveFileRequest& request) override;
};

}  // namespace money
