#include "support/ledger_fixture.h"

#include "storage/ledger_file.h"
#include "subjects/subject_codes.h"
#include "subjects/subject_store.h"
#include "transactions/posting_engine.h"

namespace money::test {

LedgerFixture::LedgerFixture() {
  CreateLedger(LedgerPath(folder_.Path()));
  db_.Open(LedgerPath(folder_.Path()));
}

std::string LedgerFixture::AddSubject(const std::string& code, const std::string& name) {
  const std::optional<Subject> parent = FindSubject(db_, ParentCode(code));
  if (!parent) throw std::runtime_error("no parent for " + code);
  const Subject child = NewChildRow(*parent, code.substr(code.size() - 3), name, "");
  if (InsertSubject(db_, child) != StoreOutcome::kStored) throw std::runtime_error("cannot add " + code);
  return code;
}

long long LedgerFixture::PostAs(EntryKind kind, const std::string& date, const std::string& source,
                                const std::string& destination, double amount, const std::string& memo,
                                const std::string& operator_code, const std::string& operator_name) {
  const PostingResult result =
      PostEntry(db_, NewEntry{kind, date, {source, LevelOfCode(source)}, {destination, LevelOfCode(destination)},
                              amount, memo, operator_code, operator_name});
  EXPECT_TRUE(result.ok) << result.detail;
  return result.serial;
}

double LedgerFixture::Balance(const std::string& code) {
  const std::optional<Subject> subject = FindSubject(db_, code);
  if (!subject) throw std::runtime_error("no subject " + code);
  return subject->ye;
}

std::map<std::string, Subject> LedgerFixture::Chart() {
  std::map<std::string, Subject> chart;
  for (QueryDataset rows = db_.OpenQuery("select id from B_KM"); !rows.Eof(); rows.Next()) {
    const std::string code = rows.Text("id");
    chart.emplace(code, *FindSubject(db_, code));
  }
  return chart;
}

long long LedgerFixture::Count(const std::string& select_count) {
  QueryDataset rows = db_.OpenQuery(select_count);
  return rows.Integer(rows.FieldNames().front());
}

void LedgerFixture::Record() {
  recorded_.clear();
  db_.SetStatementObserver([this](std::string_view text) { recorded_.emplace_back(text); });
}

}  // namespace money::test
