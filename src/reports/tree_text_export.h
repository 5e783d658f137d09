#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace money {

// A tree as it is displayed: the captions of its visible columns in display order, and for every node on
// display (collapsed nodes' descendants left out), in display order, its cell texts as the tree shows them.
struct DisplayedTree {
  std::vector<std::string> captions;
  std::vector<std::vector<std::string>> rows;
};

// The text file of a tree: the captions joined by tabs, an empty line, then one line per node with its
// cells joined by tabs, no mark of the level; every line ends with CR LF.
std::string TreeText(const DisplayedTree& tree);

// Writes TreeText to the file, replacing any file of that name. Throws std::runtime_error with the
// system's reason ("Cannot create file "...". Permission denied") when the file cannot be written.
void WriteTreeText(const std::filesystem::path& file, const DisplayedTree& tree);

}  // namespace money
