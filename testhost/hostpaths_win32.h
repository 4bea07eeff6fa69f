#pragma once
// The host folder (where the host's executable lies) and the paths a script names in it.

#include <string>

// The folder of the host's executable, with its final backslash.
const std::wstring& hostExeFolder();
// A script's path: full paths as they are, any other inside the host folder.
std::wstring hostPath(const std::u16string& path);
