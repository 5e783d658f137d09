#pragma once

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "storage/ledger_database.h"
#include "subjects/subject_store.h"
#include "transactions/entry_kind.h"
#include "support/temp_folder.h"

namespace money::test {

// A fresh delivered ledger in its own folder, opened, for each test.
class LedgerFixture : public ::testing::Test {
 protected:
  LedgerFixture();

  // Adds a subject under its parent code (the parent must exist) and returns its code.
  std::string AddSubject(const std::string& code, const std::string& name);
  // Posts an entry through the engine as the given operator (the codes' levels from the codes), expects
  // it saved and returns its serial number.
  long long PostAs(EntryKind kind, const std::string& date, const std::string& source, const std::string& destination,
                   double amount, const std::string& memo, const std::string& operator_code,
                   const std::string& operator_name);
  double Balance(const std::string& code);
  // Every subject of the chart, the class roots included, by code.
  std::map<std::string, Subject> Chart();
  long long Count(const std::string& select_count);
  // Starts recording every statement text run from now on.
  void Record();

  TempFolder folder_;
  LedgerDatabase db_;
  std::vector<std::string> recorded_;
};

}  // namespace money::test
