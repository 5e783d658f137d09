#include "access/password_change.h"

#include <optional>
#include <string>

#include "access/operator_store.h"
#include "access/password_digest.h"
#include "storage/ledger_database.h"
#include "storage/text_helpers.h"

namespace money {

PasswordChangeOutcome ChangePassword(LedgerDatabase& database, std::string_view operator_code,
                                     std::string_view old_password, std::string_view new_password,
                                     std::string_view confirmation) {
  const std::string code(operator_code);
  const std::string old_digest = PasswordDigest(code + std::string(old_password));
  if (new_password.empty() || confirmation.empty()) return PasswordChangeOutcome::kEmptyNewPassword;
  if (new_password != confirmation) return PasswordChangeOutcome::kNewPasswordsDiffer;
  const std::optional<OperatorRow> found = FindOperator(database, code);
  if (!found) return PasswordChangeOutcome::kNoOperator;
  if (Trimmed(found->digest) != old_digest) return PasswordChangeOutcome::kWrongOldPassword;
  // Written only over the digest just checked: a row deleted or changed meanwhile is not overwritten.
  const long long written = database.ExecuteOwn("update B_USER set UPSW=? where UID=? and UPSW=?",
                                                {PasswordDigest(code + std::string(new_password)), found->code,
                                                 found->digest});
  return written == 1 ? PasswordChangeOutcome::kChanged : PasswordChangeOutcome::kNoOperator;
}

}  // namespace money
