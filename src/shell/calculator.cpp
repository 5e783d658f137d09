#include "shell/calculator.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>

namespace money {

QStringList CalculatorPrograms() {
  return {QStringLiteral("gnome-calculator"), QStringLiteral("kcalc"),         QStringLiteral("galculator"),
          QStringLiteral("mate-calc"),        QStringLiteral("qalculate-gtk"), QStringLiteral("xcalc")};
}

QString FindCalculator(const QString& search_path) {
  const QStringList folders = search_path.split(QDir::listSeparator(), Qt::SkipEmptyParts);
  if (folders.isEmpty()) return {};
  for (const QString& program : CalculatorPrograms()) {
    const QString found = QStandardPaths::findExecutable(program, folders);
    if (!found.isEmpty()) return found;
  }
  return {};
}

bool StartCalculator(const QString& search_path) {
  const QString program = FindCalculator(search_path);
  return !program.isEmpty() && QProcess::startDetached(program, {});
}

}  // namespace money
