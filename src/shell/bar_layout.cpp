#include "shell/bar_layout.h"

#include <QAction>
#include <QByteArray>
#include <QMainWindow>
#include <QSaveFile>
#include <QStringList>
#include <QToolBar>

#include <string>

#include "storage/settings_file.h"

namespace money {
namespace {

constexpr const char* kLayoutSection = "Layout";
constexpr const char* kStateKey = "State";
constexpr const char* kItemsKey = "Items";
const QString kSeparatorName = QStringLiteral("|");

QString ItemNames(const QWidget& holder) {
  QStringList names;
  for (const QAction* action : holder.actions()) {
    names << (action->isSeparator() ? kSeparatorName : action->objectName());
  }
  return names.join(QLatin1Char(','));
}

void ReplaceItems(QWidget& holder, const QStringList& names, const BarItemLookup& lookup) {
  for (QAction* action : holder.actions()) {
    holder.removeAction(action);
    if (action->isSeparator() && action->parent() == &holder) delete action;
  }
  for (const QString& name : names) {
    if (name == kSeparatorName) {
      auto* separator = new QAction(&holder);
      separator->setSeparator(true);
      holder.addAction(separator);
    } else if (QAction* item = lookup(name)) {
      holder.addAction(item);
    }
  }
}

std::string Utf8(const QString& text) { return text.toStdString(); }

}  // namespace

void SaveBarLayout(const QMainWindow& window, const std::vector<BarItems>& bars, const std::filesystem::path& file) {
  QString text = QStringLiteral("[%1]\n%2=%3\n")
                     .arg(QLatin1String(kLayoutSection), QLatin1String(kStateKey),
                          QString::fromLatin1(window.saveState().toBase64()));
  for (const BarItems& bar : bars) {
    text += QStringLiteral("[%1]\n%2=%3\n")
                .arg(bar.bar->objectName(), QLatin1String(kItemsKey), ItemNames(*bar.holder));
  }
  // A read-only file stays as it is, as the settings file does.
  namespace fs = std::filesystem;
  std::error_code ignored;
  const fs::perms writable = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
  const bool read_only =
      fs::exists(file, ignored) && (fs::status(file, ignored).permissions() & writable) == fs::perms::none;
  QSaveFile out(QString::fromStdString(file.string()));
  if (read_only || !out.open(QIODevice::WriteOnly) || out.write(text.toUtf8()) < 0 || !out.commit()) {
    std::string message = kUnableToWriteTo;
    message.replace(message.find("%s"), 2, file.string());
    throw SettingsWriteError(message);
  }
}

void LoadBarLayout(QMainWindow& window, const std::vector<BarItems>& bars, const BarItemLookup& lookup,
                   const std::filesystem::path& file) {
  const SettingsFile layout(file);
  constexpr const char* kMissing = "\x01";
  for (const BarItems& bar : bars) {
    const std::string items = layout.ReadString(Utf8(bar.bar->objectName()), kItemsKey, kMissing);
    if (items == kMissing) continue;
    const QString names = QString::fromStdString(items);
    ReplaceItems(*bar.holder, names.isEmpty() ? QStringList() : names.split(QLatin1Char(',')), lookup);
  }
  const std::string state = layout.ReadString(kLayoutSection, kStateKey, "");
  window.restoreState(QByteArray::fromBase64(QByteArray::fromStdString(state)));
}

}  // namespace money
