#pragma once

#include <QString>
#include <QStringList>

namespace money {

// The desktop calculators tried, in order of preference.
QStringList CalculatorPrograms();

// The full path of the first calculator of CalculatorPrograms() found in the folders of a PATH-like
// list (folders separated by ":"), or an empty text.
QString FindCalculator(const QString& search_path);

// Starts the first calculator found on the search path, detached, in its own visible window.
// False when none is found or it cannot be started.
bool StartCalculator(const QString& search_path);

}  // namespace money
