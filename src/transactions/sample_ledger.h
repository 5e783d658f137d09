#pragma once

#include <filesystem>

#include "storage/ledger_database.h"

namespace money {

struct SampleOptions {
  long long entries = 1000;
  unsigned seed = 20050307;
  StatementObserver observer;  // sees every statement run on the new ledger, when set
};

// Creates a new ledger at `file` with a household chart of three to four levels (a few dozen subjects
// per class) and `entries` entries over several years, of all three kinds, some negative, some changed
// and some deleted, all through the posting engine. Refuses an existing file. Throws on failure.
void MakeSampleLedger(const std::filesystem::path& file, const SampleOptions& options);

}  // namespace money
