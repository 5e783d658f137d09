#pragma once

#include <string_view>

namespace money {

class LedgerDatabase;

enum class PasswordChangeOutcome { kEmptyNewPassword, kNewPasswordsDiffer, kNoOperator, kWrongOldPassword, kChanged };

// Replaces the logged-in operator's password, checking in this order: neither new password box empty, both
// equal, the operator still in B_USER (found ignoring letter case), the old password right. The old
// password is right when the digest of code + old password equals the stored digest with its outer blanks
// removed, as at the login. The stored digest becomes that of code + new password; kChanged only when the
// row was written. Throws DatabaseError.
PasswordChangeOutcome ChangePassword(LedgerDatabase& database, std::string_view operator_code,
                                     std::string_view old_password, std::string_view new_password,
                                     std::string_view confirmation);

}  // namespace money
