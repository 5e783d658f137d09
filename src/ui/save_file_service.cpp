#include "ui/save_file_service.h"

#include <algorithm>

#include <QDir>
#include <QFileDialog>

namespace money {

QString WithDefaultExtension(const QString& chosen, const QString& extension) {
  const qsizetype separator = std::max(chosen.lastIndexOf(QLatin1Char('/')), chosen.lastIndexOf(QLatin1Char('\\')));
  if (extension.isEmpty() || chosen.indexOf(QLatin1Char('.'), separator + 1) >= 0) return chosen;
  return chosen + QLatin1Char('.') + extension;
}

std::optional<QString> DialogSaveFileService::ChooseFile(QWidget* owner, const SaveFileRequest& request) {
  QFileDialog dialog(owner, request.title, QDir(request.folder).filePath(request.file_name), request.filter);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setOption(QFileDialog::DontConfirmOverwrite);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return WithDefaultExtension(dialog.selectedFiles().front(), request.default_extension);
}

}  // namespace money
