#pragma once
// The host folder (where the host's executable lies) and the paths a script names in it.

#include <string>

// The folder of the host's executable, with its final backslash.
const std::wstring& hostExeFolder();
// A path named by the command line or a script: full paths (drive, backslash or, under Wine,
// slash first) as they are, any other inside the host folder.
std::wstring hostPath(const std::u16string& path);
