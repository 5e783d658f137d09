#pragma once

#include <string>
#include <string_view>

namespace money {

// A compound file (OLE2 structured storage, version 3, 512-byte sectors) holding one stream under its
// root storage, as the spreadsheet programs read a workbook. A stream shorter than 4096 bytes is padded
// with zeros to that size, so that it lives in ordinary sectors and the file needs no mini stream.
// Throws std::length_error for a stream the format cannot hold (2 GiB or more).
std::string CompoundFile(std::u16string_view stream_name, std::string_view stream);

}  // namespace money
