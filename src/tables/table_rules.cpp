#include "tables/table_rules.h"

namespace tables {
namespace {

std::uint32_t LittleEndian(const std::uint8_t* bytes, int count) {
  std::uint32_t value = 0;
  for (int i = count - 1; i >= 0; --i) value = (value << 8) | bytes[i];
  return value;
}

}  // namespace

HeaderFault CheckTableHeader(const std::uint8_t* header, std::size_t headerBytes,
                             std::uint64_t fileSize) {
  if (header == nullptr || headerBytes < kTableHeaderSize || fileSize < kTableHeaderSize) {
    return HeaderFault::kShort;
  }
  constexpr std::uint8_t kDbase2 = 0x02;
  if (header[0] == kDbase2) return HeaderFault::kDbase2;

  const std::uint64_t records = LittleEndian(header + 4, 4);
  const std::uint64_t headerLength = LittleEndian(header + 8, 2);
  const std::uint64_t recordLength = LittleEndian(header + 10, 2);
  // 32 bytes of header and at least the 0x0D that ends the field list.
  constexpr std::uint64_t kShortestHeader = kTableHeaderSize + 1;
  if (headerLength < kShortestHeader || headerLength > fileSize) {
    return HeaderFault::kHeaderLength;
  }
  if (recordLength < 1) return HeaderFault::kRecordLength;
  if (fileSize < headerLength + records * recordLength) return HeaderFault::kRecordsMissing;
  return HeaderFault::kNone;
}

const char* DescribeHeaderFault(HeaderFault fault) {
  switch (fault) {
    case HeaderFault::kNone:
      return "";
    case HeaderFault::kShort:
      return "shorter than 32 bytes";
    case HeaderFault::kDbase2:
      return "dBASE II layout";
    case HeaderFault::kHeaderLength:
      return "header length out of range";
    case HeaderFault::kRecordLength:
      return "record length 0";
    case HeaderFault::kRecordsMissing:
      return "file shorter than its records";
  }
  return "unknown";
}

}  // namespace tables
