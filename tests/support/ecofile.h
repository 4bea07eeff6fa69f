#pragma once
// ECO base files for tests, byte for byte as the loader reads them.

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// One 11-byte record: the key big-endian, then the three code characters.
std::string ecoRecord(int64_t key, std::string_view code);
// The records in the given order, which need not be sorted.
std::string ecoFile(const std::vector<std::pair<int64_t, std::string>>& entries);
