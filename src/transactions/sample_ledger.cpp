#include "transactions/sample_ledger.h"

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "storage/ledger_database.h"
#include "storage/ledger_file.h"
#include "subjects/subject_store.h"
#include "transactions/posting_engine.h"

namespace money {

namespace {

constexpr const char* kOperatorCode = "9999";
constexpr const char* kCorrectionMark = "（更正）";
constexpr const char* kTransferArrow = " → ";

// What ends the bulk load: syncing as every ledger connection has it, then a checkpoint under it, which
// syncs the log of every commit made without syncing, copies it into the file, syncs that and empties the log.
constexpr const char* kFullSyncing = "pragma synchronous=FULL";
constexpr const char* kCheckpoint = "pragma wal_checkpoint(TRUNCATE)";
constexpr const char* kCheckpointBlocked = "the sample ledger could not be written through to the disk";

// Shares of the entry kinds, of refunds (negative amounts), of later corrections and deletions, and of
// entries posted to a subject that has children rather than to a leaf.
constexpr double kIncomeShare = 0.20;
constexpr double kTransferShare = 0.10;
constexpr double kNegativeShare = 0.01;
constexpr double kModifyShare = 0.01;
constexpr double kDeleteShare = 0.005;
constexpr double kParentShare = 0.05;

// The entries spread evenly over six years.
constexpr std::chrono::year_month_day kFirstDay{std::chrono::year{2018}, std::chrono::January, std::chrono::day{1}};
constexpr int kSpanDays = 6 * 365 + 1;

// One line of a chart outline: its depth below the class root, its name, and for a subject that takes
// entries the range of its amounts and how often it is used.
struct Outline {
  int depth;
  const char* name;
  double low = 0;
  double high = 0;
  double weight = 0;
};

const std::vector<Outline> kIncomeOutline = {
    {1, "工资"},
    {2, "丈夫工资"},
    {3, "基本工资", 6000, 9000, 3},
    {3, "绩效工资", 500, 3000, 2},
    {3, "加班费", 100, 1200, 1},
    {2, "妻子工资"},
    {3, "基本工资", 5000, 8000, 3},
    {3, "绩效工资", 300, 2500, 2},
    {1, "奖金"},
    {2, "年终奖", 5000, 30000, 0.5},
    {2, "季度奖", 1000, 5000, 1},
    {2, "项目奖金", 500, 5000, 0.5},
    {1, "利息"},
    {2, "活期利息", 0.5, 60, 1},
    {2, "定期利息", 200, 3000, 0.5},
    {2, "国债利息", 300, 2000, 0.3},
    {1, "投资收益"},
    {2, "股票"},
    {3, "分红", 50, 2000, 0.5},
    {3, "卖出收益", 100, 8000, 0.5},
    {2, "基金", 100, 3000, 0.5},
    {2, "理财产品", 200, 4000, 0.5},
    {1, "其他收入"},
    {2, "房租收入", 1500, 3500, 1},
    {2, "礼金", 200, 5000, 0.5},
    {2, "稿费", 300, 2000, 0.3},
    {2, "二手转让", 20, 1500, 0.3},
};

const std::vector<Outline> kExpenseOutline = {
    {1, "食品"},
    {2, "主食"},
    {3, "大米", 30, 200, 2},
    {3, "面粉面条", 10, 80, 1},
    {2, "蔬菜水果"},
    {3, "蔬菜", 5, 60, 6},
    {3, "水果", 10, 100, 4},
    {2, "肉禽蛋奶"},
    {3, "猪肉", 20, 120, 3},
    {3, "牛羊肉", 40, 200, 1},
    {3, "鸡蛋", 10, 40, 2},
    {3, "牛奶", 20, 80, 2},
    {2, "在外就餐"},
    {3, "早餐", 5, 30, 5},
    {3, "午餐", 15, 60, 5},
    {3, "聚餐", 100, 800, 1},
    {1, "交通"},
    {2, "公共交通"},
    {3, "公交地铁", 2, 10, 6},
    {3, "出租车", 12, 80, 2},
    {2, "私家车"},
    {3, "加油", 200, 500, 2},
    {3, "停车费", 5, 50, 2},
    {3, "保养维修", 300, 3000, 0.3},
    {3, "车险", 3000, 6000, 0.1},
    {2, "长途交通"},
    {3, "火车票", 50, 800, 0.3},
    {3, "机票", 400, 3000, 0.2},
    {1, "住房"},
    {2, "房贷", 3000, 5000, 1},
    {2, "物业费", 150, 400, 0.5},
    {2, "水电燃气"},
    {3, "水费", 20, 100, 1},
    {3, "电费", 50, 400, 1},
    {3, "燃气费", 30, 200, 1},
    {2, "维修", 50, 1500, 0.2},
    {1, "医疗"},
    {2, "门诊", 20, 500, 0.5},
    {2, "药品", 10, 300, 1},
    {2, "住院", 1000, 20000, 0.05},
    {2, "商业保险", 500, 5000, 0.1},
    {1, "教育"},
    {2, "孩子教育"},
    {3, "学校"},
    {4, "学杂费", 1000, 5000, 0.1},
    {4, "校服书本", 100, 600, 0.1},
    {3, "课外班"},
    {4, "英语", 500, 3000, 0.3},
    {4, "钢琴", 300, 1500, 0.3},
    {2, "自我提升"},
    {3, "书籍", 20, 200, 0.5},
    {3, "培训课程", 500, 5000, 0.1},
    {1, "娱乐"},
    {2, "电影演出", 40, 600, 0.8},
    {2, "旅游", 1000, 15000, 0.1},
    {2, "运动健身", 30, 2000, 0.4},
    {2, "游戏", 6, 300, 0.3},
    {1, "通讯"},
    {2, "手机费", 50, 200, 1},
    {2, "宽带", 100, 1200, 0.2},
    {1, "日用品"},
    {2, "洗护用品", 10, 200, 1.5},
    {2, "家居用品", 20, 800, 0.8},
    {2, "服装鞋帽", 50, 1500, 0.8},
    {1, "人情往来"},
    {2, "礼金", 200, 2000, 0.3},
    {2, "孝敬父母", 500, 3000, 0.3},
};

// For savings the weight is how often a subject pays or receives; transfers take their own amounts.
const std::vector<Outline> kSavingsOutline = {
    {1, "现金"},
    {2, "钱包", 0, 0, 5},
    {2, "家中备用金", 0, 0, 1},
    {1, "银行存款"},
    {2, "工商银行"},
    {3, "活期", 0, 0, 4},
    {3, "定期", 0, 0, 0.5},
    {2, "建设银行"},
    {3, "活期", 0, 0, 2},
    {3, "定期", 0, 0, 0.5},
    {2, "招商银行"},
    {3, "活期", 0, 0, 2},
    {3, "一卡通理财", 0, 0, 0.3},
    {2, "中国银行"},
    {3, "活期", 0, 0, 1},
    {1, "电子钱包"},
    {2, "支付宝", 0, 0, 4},
    {2, "微信零钱", 0, 0, 4},
};
constexpr double kTransferLow = 100;
constexpr double kTransferHigh = 20000;

// A subject of the sample chart as the generator uses it.
struct SampleSubject {
  Subject row;
  std::string path;  // the long name below the class root
  int parent = -1;   // index of the parent in the same class, -1 below the root
  double low = 0;
  double high = 0;
  double weight = 0;
};

struct SampleClass {
  std::vector<SampleSubject> subjects;
  std::discrete_distribution<size_t> pick;
};

SampleClass MakeClass(LedgerDatabase& database, char subject_class, const std::vector<Outline>& outline) {
  const std::optional<Subject> root = FindSubject(database, std::string(1, subject_class));
  if (!root) throw std::runtime_error(std::string("the class root ") + subject_class + " is missing");
  SampleClass made;
  std::vector<int> open_parents;   // index of the last subject on each depth
  std::vector<int> children_made;  // children made so far under each subject; the root is the last slot
  std::vector<double> weights;
  int root_children = 0;
  for (const Outline& line : outline) {
    open_parents.resize(static_cast<size_t>(line.depth - 1));
    const int parent = open_parents.empty() ? -1 : open_parents.back();
    int& siblings = parent < 0 ? root_children : children_made[static_cast<size_t>(parent)];
    char segment[16];
    std::snprintf(segment, sizeof segment, "%03d", ++siblings);
    const Subject& parent_row = parent < 0 ? *root : made.subjects[static_cast<size_t>(parent)].row;
    Subject row = NewChildRow(parent_row, segment, line.name, "");
    if (InsertSubject(database, row) != StoreOutcome::kStored) {
      throw std::runtime_error("the sample subject " + row.id + " could not be stored");
    }
    std::string path = parent < 0 ? "" : made.subjects[static_cast<size_t>(parent)].path + "\\";
    made.subjects.push_back(SampleSubject{std::move(row), path + line.name, parent, line.low, line.high, line.weight});
    children_made.push_back(0);
    weights.push_back(line.weight);
    open_parents.push_back(static_cast<int>(made.subjects.size()) - 1);
  }
  made.pick = std::discrete_distribution<size_t>(weights.begin(), weights.end());
  return made;
}

std::string DateText(int day_offset) {
  const std::chrono::year_month_day date{std::chrono::sys_days{kFirstDay} + std::chrono::days{day_offset}};
  char text[16];
  std::snprintf(text, sizeof text, "%04d.%02u.%02u", static_cast<int>(date.year()), static_cast<unsigned>(date.month()),
                static_cast<unsigned>(date.day()));
  return text;
}

// An entry the generator has posted, kept small: a million of them stay in memory.
struct PostedEntry {
  long long serial = 0;
  EntryKind kind = EntryKind::Income;
  int day = 0;
  uint16_t source = 0;
  uint16_t destination = 0;
  double amount = 0;
  bool live = true;
};

class SampleWriter {
 public:
  SampleWriter(LedgerDatabase& database, unsigned seed)
      : database_(database),
        random_(seed),
        income_(MakeClass(database, '1', kIncomeOutline)),
        expense_(MakeClass(database, '2', kExpenseOutline)),
        savings_(MakeClass(database, '3', kSavingsOutline)) {
    QueryDataset user = database.OpenQuery("select UNAME from B_USER where UID=?", {std::string(kOperatorCode)});
    if (user.Eof()) throw std::runtime_error("the administrator 9999 is missing");
    operator_name_ = user.Text("UNAME");
  }

  void Write(long long entries) {
    posted_.reserve(static_cast<size_t>(entries));
    for (long long i = 0; i < entries; ++i) {
      PostNew(static_cast<int>(i * kSpanDays / entries));
      const double chance = Chance();
      if (chance < kModifyShare) {
        ModifyOne();
      } else if (chance < kModifyShare + kDeleteShare) {
        DeleteOne();
      }
    }
  }

 private:
  double Chance() { return std::uniform_real_distribution<double>(0, 1)(random_); }

  // An amount between the bounds, small ones more often than large ones, in whole fen.
  double Amount(double low, double high) {
    const double value = std::exp(std::uniform_real_distribution<double>(std::log(low), std::log(high))(random_));
    const double rounded = std::max(0.01, std::round(value * 100) / 100);
    return Chance() < kNegativeShare ? -rounded : rounded;
  }

  // A subject that takes entries, now and then its parent instead (postings to a subject with children).
  uint16_t Pick(SampleClass& subject_class) {
    size_t index = subject_class.pick(random_);
    const int parent = subject_class.subjects[index].parent;
    if (parent >= 0 && Chance() < kParentShare) index = static_cast<size_t>(parent);
    return static_cast<uint16_t>(index);
  }

  SampleClass& SourceClassOf(EntryKind kind) { return kind == EntryKind::Income ? income_ : savings_; }
  SampleClass& DestinationClassOf(EntryKind kind) { return kind == EntryKind::Expense ? expense_ : savings_; }

  double AmountFor(EntryKind kind, uint16_t source, uint16_t destination) {
    if (kind == EntryKind::Transfer) return Amount(kTransferLow, kTransferHigh);
    const SampleSubject& named = kind == EntryKind::Income ? income_.subjects[source] : expense_.subjects[destination];
    const SampleSubject& priced =
        named.weight > 0 ? named : FirstLeafBelow(kind == EntryKind::Income ? income_ : expense_, named);
    return Amount(priced.low, priced.high);
  }

  static const SampleSubject& FirstLeafBelow(const SampleClass& subject_class, const SampleSubject& subject) {
    for (const SampleSubject& candidate : subject_class.subjects) {
      if (candidate.weight > 0 && candidate.row.id.starts_with(subject.row.id)) return candidate;
    }
    return subject;
  }

  std::string Memo(EntryKind kind, uint16_t source, uint16_t destination) {
    if (kind == EntryKind::Income) return income_.subjects[source].row.mc;
    if (kind == EntryKind::Expense) return expense_.subjects[destination].row.mc;
    return savings_.subjects[source].path + kTransferArrow + savings_.subjects[destination].path;
  }

  EntryKind PickKind() {
    const double chance = Chance();
    if (chance < kIncomeShare) return EntryKind::Income;
    if (chance < kIncomeShare + kTransferShare) return EntryKind::Transfer;
    return EntryKind::Expense;
  }

  void PostNew(int day) {
    PostedEntry entry;
    entry.kind = PickKind();
    entry.day = day;
    entry.source = Pick(SourceClassOf(entry.kind));
    entry.destination = Pick(DestinationClassOf(entry.kind));
    entry.amount = AmountFor(entry.kind, entry.source, entry.destination);
    const Subject& source = SourceClassOf(entry.kind).subjects[entry.source].row;
    const Subject& destination = DestinationClassOf(entry.kind).subjects[entry.destination].row;
    const PostingResult result = PostEntry(
        database_,
        NewEntry{entry.kind, DateText(day), EntrySide{source.id, source.js}, EntrySide{destination.id, destination.js},
                 entry.amount, Memo(entry.kind, entry.source, entry.destination), kOperatorCode, operator_name_});
    Require(result);
    entry.serial = result.serial;
    posted_.push_back(entry);
  }

  StoredEntry Stored(const PostedEntry& entry) {
    return StoredEntry{entry.kind, entry.serial, SourceClassOf(entry.kind).subjects[entry.source].row.id,
                       DestinationClassOf(entry.kind).subjects[entry.destination].row.id, entry.amount};
  }

  // A live entry chosen at random, or nothing when the one drawn is gone already.
  PostedEntry* PickPosted() {
    PostedEntry& entry = posted_[std::uniform_int_distribution<size_t>(0, posted_.size() - 1)(random_)];
    return entry.live ? &entry : nullptr;
  }

  // A correction: a new amount, sometimes another destination, the same date.
  void ModifyOne() {
    PostedEntry* entry = PickPosted();
    if (entry == nullptr) return;
    const StoredEntry stored = Stored(*entry);
    if (Chance() < 0.3) entry->destination = Pick(DestinationClassOf(entry->kind));
    entry->amount = AmountFor(entry->kind, entry->source, entry->destination);
    const PostingResult result =
        ModifyEntry(database_, stored,
                    EntryChange{DateText(entry->day), stored.source,
                                DestinationClassOf(entry->kind).subjects[entry->destination].row.id, entry->amount,
                                Memo(entry->kind, entry->source, entry->destination) + kCorrectionMark, kOperatorCode,
                                operator_name_});
    Require(result);
  }

  void DeleteOne() {
    PostedEntry* entry = PickPosted();
    if (entry == nullptr) return;
    Require(DeleteEntry(database_, Stored(*entry)));
    entry->live = false;
  }

  static void Require(const PostingResult& result) {
    if (!result.ok) {
      throw std::runtime_error("sample entry " + std::to_string(result.serial) + " failed: " + result.detail);
    }
  }

  LedgerDatabase& database_;
  std::mt19937 random_;
  SampleClass income_;
  SampleClass expense_;
  SampleClass savings_;
  std::string operator_name_;
  std::vector<PostedEntry> posted_;
};

// Puts everything written so far on the disk. A checkpoint another connection keeps from finishing
// leaves part of it in the log: then the ledger is not called made.
void MakeDurable(LedgerDatabase& database) {
  database.ExecuteOwn(kFullSyncing, {});
  QueryDataset checkpoint = database.OpenQuery(kCheckpoint, {});
  if (checkpoint.Integer("busy") != 0) throw std::runtime_error(kCheckpointBlocked);
}

void RemoveLedgerFiles(const std::filesystem::path& file) {
  std::error_code ignored;
  for (const char* suffix : {"", "-wal", "-shm", "-journal"}) {
    std::filesystem::remove(file.string() + suffix, ignored);
  }
}

}  // namespace

void MakeSampleLedger(const std::filesystem::path& file, const SampleOptions& options) {
  CreateLedger(file);
  try {
    LedgerDatabase database;
    database.Open(file);
    database.SetStatementObserver(options.observer);
    database.RelaxDurabilityForBulkLoad();
    SampleWriter writer(database, options.seed);
    writer.Write(options.entries);
    MakeDurable(database);
  } catch (...) {
    // The file is ours and half made: leave nothing behind.
    RemoveLedgerFiles(file);
    throw;
  }
}

}  // namespace money
