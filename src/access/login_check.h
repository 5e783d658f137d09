#pragma once

#include <string>
#include <string_view>

namespace money {

class LedgerDatabase;

// The login's list of operators (the query `user`), three lines.
inline constexpr const char* kOperatorListQuery =
    "select UID,UNAME,UPSW,bmbh,\"zuve\" as bmmc\r\nfrom B_USER \r\norder by UID";

enum class LoginOutcome { kEmptyCode, kUnknownCode, kWrongPassword, kAccepted };

struct LoginResult {
  LoginOutcome outcome = LoginOutcome::kEmptyCode;
  std::string operator_name;  // UNAME of the operator's row when accepted
};

// Checks a typed operator code and password (UTF-8) as the login does: an empty code is not looked up;
// the code is found in B_USER ignoring letter case; the digest of code + password must equal the stored
// UPSW with its leading and trailing blanks removed. Throws DatabaseError when the list cannot be read.
LoginResult CheckLogin(LedgerDatabase& database, std::string_view code, std::string_view password);

}  // namespace money
