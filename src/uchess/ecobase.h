#pragma once
// The ECO base: position keys with the code of the opening that reaches each position, read once
// from "plugins/ecos.dat" beside the host program and searched by binary search.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

struct ecoinfo {
  std::string code;  // a letter and two digits, such as B12
  int64_t key = 0;   // the position key, compared as a signed number
};

using ecoinfar = std::vector<ecoinfo>;

// Size of one record of the base file: an 8-byte big-endian key and the 3-character code.
constexpr int kEcoRecordSize = 11;

// The loaded base, sorted ascending by signed key; empty until loaded.
const ecoinfar& ecoBase();

// Loads the base from the host folder; it stays empty when the file cannot be opened.
void loadeco();
// Replaces the base with the one in file; false (and an empty base) when it cannot be opened.
bool loadecoFrom(const std::filesystem::path& file);
// Loads the base from the host folder unless it is loaded; false when it is still empty.
bool ensureEcoBase();
void clearEcoBase();

// Index of the entry with the key, or -1.
int findeco(int64_t key);
