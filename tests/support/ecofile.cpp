#include "support/ecofile.h"

std::string ecoRecord(int64_t key, std::string_view code) {
  std::string record;
  uint64_t bits = static_cast<uint64_t>(key);
  for (int shift = 56; shift >= 0; shift -= 8) record += static_cast<char>(bits >> shift);
  record += std::string(code.substr(0, 3));
  record.resize(11, ' ');
  return record;
}

std::string ecoFile(const std::vector<std::pair<int64_t, std::string>>& entries) {
  std::string bytes;
  for (const auto& [key, code] : entries) bytes += ecoRecord(key, code);
  return bytes;
}
