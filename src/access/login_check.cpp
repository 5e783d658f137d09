#include "access/login_check.h"

#include "access/password_digest.h"
#include "storage/ledger_database.h"
#include "storage/text_helpers.h"

namespace money {

LoginResult CheckLogin(LedgerDatabase& database, std::string_view code, std::string_view password) {
  const std::string digest = PasswordDigest(std::string(code) + std::string(password));
  if (code.empty()) return {LoginOutcome::kEmptyCode, ""};
  QueryDataset operators = database.OpenQuery(kOperatorListQuery);
  while (!operators.Eof() && !EqualsIgnoringCase(operators.Text("UID"), code)) operators.Next();
  if (operators.Eof()) return {LoginOutcome::kUnknownCode, ""};
  if (Trimmed(operators.Text("UPSW")) != digest) return {LoginOutcome::kWrongPassword, ""};
  return {LoginOutcome::kAccepted, operators.Text("UNAME")};
}

}  // namespace money
