#include "access/login_check.h"

#include "access/password_digest.h"
#include "storage/ledger_database.h"

namespace money {
namespace {

// Without the blanks and control characters at either end, as the stored digest is compared.
std::string_view TrimmedDigest(std::string_view text) {
  while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ') text.remove_prefix(1);
  while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ') text.remove_suffix(1);
  return text;
}

}  // namespace

LoginResult CheckLogin(LedgerDatabase& database, std::string_view code, std::string_view password) {
  const std::string digest = PasswordDigest(std::string(code) + std::string(password));
  if (code.empty()) return {LoginOutcome::kEmptyCode, ""};
  QueryDataset operators = database.OpenQuery(kOperatorListQuery);
  while (!operators.Eof() && !EqualsIgnoringCase(operators.Text("UID"), code)) operators.Next();
  if (operators.Eof()) return {LoginOutcome::kUnknownCode, ""};
  if (TrimmedDigest(operators.Text("UPSW")) != digest) return {LoginOutcome::kWrongPassword, ""};
  return {LoginOutcome::kAccepted, operators.Text("UNAME")};
}

}  // namespace money
