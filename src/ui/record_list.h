#pragma once

namespace money {

// A list of records that the record navigator moves in: implemented by the list windows (journals,
// queries), whose list the navigator drives while the window is the active child window.
class RecordList {
 public:
  virtual ~RecordList() = default;
  virtual void First() = 0;
  virtual void Prior() = 0;
  virtual void Next() = 0;
  virtual void Last() = 0;
  // Reads the list again from the ledger.
  virtual void Refresh() = 0;
};

}  // namespace money
