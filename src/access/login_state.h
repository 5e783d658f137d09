#pragma once

#include <chrono>
#include <string>

namespace money {

// Who is working and on which day: set by a successful login, held by the main window to the end of
// the run. Empty before the login.
struct LoginState {
  std::string operator_code;  // as typed in the login dialog
  std::string operator_name;  // UNAME of the operator's row
  std::chrono::year_month_day working_date{};

  bool operator==(const LoginState&) const = default;
};

}  // namespace money
