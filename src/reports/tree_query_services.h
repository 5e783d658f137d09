#pragma once

#include <filesystem>

#include "reports/detail_request.h"
#include "ui/show_modal.h"

namespace money {

class LedgerDatabase;
class MessageService;
class SaveFileService;

// What the subject tree query windows work with, handed to them by the main window's factories.
struct TreeQueryServices {
  LedgerDatabase& database;
  MessageService& messages;
  SaveFileService& save_files;
  std::filesystem::path program_folder;  // where the export's save dialog starts
  std::filesystem::path settings_file;
  ShowDetailLedger show_detail;
  ShowModal show_modal;  // how the print preview is shown
};

}  // namespace money
