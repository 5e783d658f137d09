#include "support/temp_folder.h"

#include <stdexcept>
#include <string>

#include <stdlib.h>

namespace money::test {

TempFolder::TempFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "money-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot create a temporary folder");
  path_ = pattern;
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

}  // namespace money::test
