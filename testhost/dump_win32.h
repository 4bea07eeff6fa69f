#pragma once
// Plain-text dumps of the host's state for the scenario tests: one file per section, named
// "<dump name>-<section>.txt", so a test compares exactly the sections it cares about.

#include <string>
#include <vector>

// Remembers the host folder's files, so a dump can tell which were written since.
void snapshotHostFolder(const std::wstring& excluded);
// Writes the sections (all when empty) into folder; false and error for an unknown section or a
// file that could not be written.
bool writeDump(const std::wstring& folder, const std::u16string& name,
               const std::vector<std::string>& sections, std::string& error);
