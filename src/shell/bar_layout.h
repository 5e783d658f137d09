#pragma once

#include <QString>

#include <filesystem>
#include <functional>
#include <vector>

class QAction;
class QMainWindow;
class QToolBar;
class QWidget;

namespace money {

// A bar of the main window and the widget whose actions are the bar's items (the bar itself, or the
// menu bar that the main menu bar carries).
struct BarItems {
  QToolBar* bar = nullptr;
  QWidget* holder = nullptr;
};

// Finds an item (command, navigation command or menu) by its objectName; nullptr when there is none.
using BarItemLookup = std::function<QAction*(const QString& name)>;

// Writes the bar layout file whole: the window's tool bar state (each bar's visibility, dock, position,
// row and floating place) and, per bar, its items by objectName with "|" for a group separator.
// Throws SettingsWriteError when the file cannot be written.
void SaveBarLayout(const QMainWindow& window, const std::vector<BarItems>& bars, const std::filesystem::path& file);

// Loads a file written by SaveBarLayout: each bar gets back its saved items (names that no item has are
// skipped), then the window its bar state. A bar without saved items, or a damaged state, keeps what it
// has.
void LoadBarLayout(QMainWindow& window, const std::vector<BarItems>& bars, const BarItemLookup& lookup,
                   const std::filesystem::path& file);

}  // namespace money
