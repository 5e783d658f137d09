#include "storage/row_cache.h"

#include <limits>
#include <stdexcept>

#include "storage/ledger_database.h"
#include "storage/query_dataset.h"

namespace money {

RowCache::RowCache(LedgerDatabase& database, std::string select_text, size_t batch_size)
    : database_(&database), select_text_(std::move(select_text)), batch_size_(batch_size == 0 ? 1 : batch_size) {
  Open();
}

RowCache::RowCache(RowCache&&) noexcept = default;
RowCache& RowCache::operator=(RowCache&&) noexcept = default;
RowCache::~RowCache() = default;

void RowCache::Open() {
  cells_.clear();
  texts_.clear();
  // The old cursor goes first: while it is open the connection keeps reading the books as they were.
  cursor_.reset();
  cursor_ = std::make_unique<QueryDataset>(database_->OpenCursor(select_text_));
  field_names_ = cursor_->FieldNames();
  if (cursor_->Eof()) cursor_.reset();
}

void RowCache::Refresh() { Open(); }

int RowCache::FieldIndex(std::string_view name) const { return IndexOfField(field_names_, name); }

size_t RowCache::FetchMore() { return Read(batch_size_); }

size_t RowCache::LoadAll() { return Read(std::numeric_limits<size_t>::max()); }

size_t RowCache::Read(size_t limit) {
  size_t read = 0;
  std::vector<Cell> row(field_names_.size());
  while (cursor_ && read < limit) {
    for (size_t i = 0; i < row.size(); ++i) {
      Cell& cell = row[i];
      cell = Cell{};
      FieldValue value = cursor_->Value(static_cast<int>(i));
      if (const auto* integer = std::get_if<long long>(&value)) {
        cell.kind = CellKind::kInteger;
        cell.integer = *integer;
      } else if (const auto* real = std::get_if<double>(&value)) {
        cell.kind = CellKind::kReal;
        cell.real = *real;
      } else if (const auto* text = std::get_if<std::string>(&value)) {
        if (text->size() > std::numeric_limits<std::uint32_t>::max()) throw std::length_error("field too long");
        cell.kind = CellKind::kText;
        cell.offset = texts_.size();
        cell.size = static_cast<std::uint32_t>(text->size());
        texts_ += *text;
      }
    }
    // A row is kept whole or not at all, so that a failure leaves the rows read so far usable.
    cells_.insert(cells_.end(), row.begin(), row.end());
    ++read;
    cursor_->Next();
    if (cursor_->Eof()) cursor_.reset();
  }
  return read;
}

const RowCache::Cell& RowCache::At(size_t row, int field) const {
  if (field < 0 || static_cast<size_t>(field) >= field_names_.size() || row >= LoadedCount()) {
    throw std::out_of_range("no such row or field in the row cache");
  }
  return cells_[row * field_names_.size() + static_cast<size_t>(field)];
}

FieldValue RowCache::Value(size_t row, int field) const {
  const Cell& cell = At(row, field);
  switch (cell.kind) {
    case CellKind::kInteger:
      return cell.integer;
    case CellKind::kReal:
      return cell.real;
    case CellKind::kText:
      return texts_.substr(cell.offset, cell.size);
    case CellKind::kNull:
      break;
  }
  return std::monostate{};
}

std::string RowCache::Text(size_t row, int field) const { return FieldText(Value(row, field)); }

double RowCache::Number(size_t row, int field) const { return FieldNumber(Value(row, field)); }

bool RowCache::IsNumber(size_t row, int field) const {
  const CellKind kind = At(row, field).kind;
  return kind == CellKind::kInteger || kind == CellKind::kReal;
}

}  // namespace money
