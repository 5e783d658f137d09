#include "subjects/subject_store.h"

#include <sqlite3.h>

#include "storage/ledger_database.h"
#include "storage/sql_text.h"
#include "subjects/subject_codes.h"

namespace money {

namespace {

Subject SubjectOfRow(const QueryDataset& row) {
  return Subject{row.Text("id"), row.Text("parentid"), row.Text("mc"), static_cast<int>(row.Integer("js")),
                 row.Double("ye"), row.Text("lmc"), row.Text("bz")};
}

bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xc0) == 0x80; }

size_t CharacterCount(std::string_view text) {
  size_t count = 0;
  for (char c : text) count += IsContinuationByte(c) ? 0 : 1;
  return count;
}

// The UTF-8 text without its last `count` characters.
std::string WithoutLastCharacters(std::string_view text, size_t count) {
  size_t end = text.size();
  for (; count > 0 && end > 0; --count) {
    do {
      --end;
    } while (end > 0 && IsContinuationByte(text[end]));
  }
  return std::string(text.substr(0, end));
}

bool IsConstraintFailure(const DatabaseError& error) { return (error.Code() & 0xff) == SQLITE_CONSTRAINT; }

}  // namespace

std::optional<Subject> FindSubject(LedgerDatabase& database, std::string_view code) {
  QueryDataset row = database.OpenQuery("select * from B_KM where id=?", {std::string(code)});
  if (row.Eof()) return std::nullopt;
  return SubjectOfRow(row);
}

NewChildProblem CheckNewChild(const Subject& parent, std::string_view typed_segment, std::string_view name) {
  if (parent.js >= kMaxSubjectLevel) return NewChildProblem::kParentTooDeep;
  if (Trimmed(name).empty()) return NewChildProblem::kEmptyName;
  if (!ChildCode(parent.id, typed_segment)) return NewChildProblem::kSegmentLength;
  return NewChildProblem::kNone;
}

int RequiredChildCodeLength(const Subject& parent) { return static_cast<int>(parent.id.size()) + kSegmentLength; }

Subject NewChildRow(const Subject& parent, std::string_view typed_segment, std::string_view name,
                    std::string_view note) {
  const std::string trimmed_name = Trimmed(name);
  return Subject{parent.id + Trimmed(typed_segment),
                 parent.id,
                 trimmed_name,
                 parent.js + 1,
                 0,
                 ChildLongName(parent.lmc, trimmed_name),
                 Trimmed(note)};
}

StoreOutcome InsertSubject(LedgerDatabase& database, const Subject& subject) {
  try {
    database.ExecuteOwn("insert into B_KM(id,mc,parentid,lmc,js,ye,bz) values(?,?,?,?,?,?,?)",
                        {subject.id, subject.mc, subject.parentid, subject.lmc, static_cast<long long>(subject.js),
                         subject.ye, subject.bz});
    return StoreOutcome::kStored;
  } catch (const DatabaseError& error) {
    if (error.ExtendedCode() == SQLITE_CONSTRAINT_PRIMARYKEY) return StoreOutcome::kDuplicateCode;
    return StoreOutcome::kFailed;
  }
}

void RenameSubject(LedgerDatabase& database, const Subject& subject, std::string_view new_name,
                   std::string_view new_note) {
  const std::string new_long_name = WithoutLastCharacters(subject.lmc, CharacterCount(subject.mc)) + std::string(new_name);
  Transaction transaction(database);
  // The part of each descendant's long name below the subject stays as it was.
  database.ExecuteOwn("update B_KM set lmc=?||substr(lmc,length(?)+1) where id like ? and length(id)>?",
                      {new_long_name, subject.lmc, subject.id + "%", static_cast<long long>(subject.id.size())});
  database.Execute("update B_KM set lmc=" + QuoteSql(new_long_name) + ",mc=" + QuoteSql(new_name) +
                   ",bz=" + QuoteSql(new_note) + " where id =" + QuoteSql(subject.id));
  transaction.Commit();
}

DeleteOutcome DeleteSubject(LedgerDatabase& database, std::string_view code) {
  if (LevelOfCode(code) <= 1) return DeleteOutcome::kClassRoot;
  try {
    const std::string id(code);
    QueryDataset children = database.OpenQuery("select id from B_KM where parentid=? limit 1", {id});
    if (!children.Eof()) return DeleteOutcome::kHasChildren;
    database.ExecuteOwn("delete from B_KM where id=?", {id});
    return DeleteOutcome::kDeleted;
  } catch (const DatabaseError& error) {
    return IsConstraintFailure(error) ? DeleteOutcome::kInUse : DeleteOutcome::kFailed;
  }
}

}  // namespace money
