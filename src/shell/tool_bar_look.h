#pragma once

#include <QString>

namespace money {

// The looks of the bars; the numbers are the values of "Menu"/"Style" in the settings file.
enum class BarLook { kFlat = 1, kEnhanced = 2, kStandard = 3 };

// The style sheet that gives the bars and their buttons a look.
QString BarLookStyleSheet(BarLook look);

}  // namespace money
