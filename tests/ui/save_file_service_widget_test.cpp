#include "ui/save_file_service.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QTimer>

#include <filesystem>
#include <fstream>

#include "support/temp_folder.h"

namespace money {
namespace {

TEST(WithDefaultExtensionTest, AddedOnlyWhenTheNameHasNoFullStop) {
  const struct {
    const char* chosen;
    const char* expected;
  } cases[] = {
      {"/home/a/科目余额查询", "/home/a/科目余额查询.txt"},
      {"/home/a/report.csv", "/home/a/report.csv"},
      {"/home/a/report.", "/home/a/report."},
      {"/home/a.b/report", "/home/a.b/report.txt"},
      {"C:\\a.b\\report", "C:\\a.b\\report.txt"},
  };
  for (const auto& c : cases) EXPECT_EQ(WithDefaultExtension(c.chosen, "txt"), QString::fromUtf8(c.expected));
  EXPECT_EQ(WithDefaultExtension("/home/a/report", ""), "/home/a/report");
}

// The real dialog: offers the request, replaces an existing file without asking, adds the extension.
TEST(DialogSaveFileServiceTest, ChoosesAFileInTheOfferedFolder) {
  const test::TempFolder folder;
  std::ofstream(folder / "科目余额查询.txt") << "old";
  const SaveFileRequest request{"数据存为txt表", QString::fromStdString(folder.Path().string()), "科目余额查询",
                                "文本文件 (*.txt)", "txt"};
  QFileDialog* seen = nullptr;
  QTimer::singleShot(0, [&] {
    seen = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(seen, nullptr);
    EXPECT_EQ(seen->windowTitle(), "数据存为txt表");
    EXPECT_EQ(seen->directory().absolutePath(), QString::fromStdString(folder.Path().string()));
    QMetaObject::invokeMethod(seen, "accept");
  });
  DialogSaveFileService service;
  const std::optional<QString> chosen = service.ChooseFile(nullptr, request);
  EXPECT_NE(seen, nullptr);
  ASSERT_TRUE(chosen.has_value());
  EXPECT_EQ(*chosen, QString::fromStdString((folder / "科目余额查询.txt").string()));
}

TEST(DialogSaveFileServiceTest, CancelChoosesNothing) {
  QTimer::singleShot(0, [] {
    if (QWidget* dialog = QApplication::activeModalWidget()) qobject_cast<QDialog*>(dialog)->reject();
  });
  DialogSaveFileService service;
  EXPECT_FALSE(service.ChooseFile(nullptr, {"t", "/tmp", "x", "*.xls", "xls"}).has_value());
}

}  // namespace
}  // namespace money
