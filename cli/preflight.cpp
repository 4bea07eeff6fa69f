#include "cli/preflight.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#endif

#include "platform/platform.h"
#include "unpack/encoder.h"

namespace {

std::string missingOrKind(const std::filesystem::path& path, std::filesystem::file_status& status) {
  std::error_code error;
  status = std::filesystem::status(path, error);
  if (status.type() == std::filesystem::file_type::not_found) return "no such file or folder";
  if (error) return error.message();
  return {};
}

// Clears the system's last error, so that lastError() tells only of what follows.
void clearLastError() {
#ifdef _WIN32
  SetLastError(0);
#else
  errno = 0;
#endif
}

// ": " and the system's words for the last error, or nothing when it gave none.
std::string lastError() {
#ifdef _WIN32
  const DWORD cause = GetLastError();
  return cause != 0 ? ": " + std::system_category().message(static_cast<int>(cause)) : "";
#else
  const int cause = errno;
  return cause != 0 ? ": " + std::generic_category().message(cause) : "";
#endif
}

std::string openProblem(const std::filesystem::path& path) {
  clearLastError();
  TOsFile file;
  if (file.open(path, TOpenMode::readShared)) return {};
  return "cannot be opened for reading" + lastError();
}

std::string folderProblem(const std::filesystem::path& path) {
  std::error_code error;
  std::filesystem::directory_iterator listing(path, error);
  return error ? "cannot read the folder: " + error.message() : std::string();
}

// Creates and removes a file of a name nobody else uses; creation never opens an existing file.
std::string tryCreating(const std::filesystem::path& folder) {
  const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  const std::filesystem::path probe = folder / (".gamesift-probe-" + std::to_string(stamp));
  clearLastError();
#ifdef _WIN32
  const HANDLE file = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "cannot write in the folder" + lastError();
  CloseHandle(file);
#else
  std::FILE* file = std::fopen(probe.c_str(), "wx");
  if (!file) return "cannot write in the folder" + lastError();
  std::fclose(file);
  std::error_code ignored;
  std::filesystem::remove(probe, ignored);
#endif
  return {};
}

}  // namespace

std::string checkInput(const std::filesystem::path& path, TInputKind& kind) {
  std::filesystem::file_status status;
  if (std::string problem = missingOrKind(path, status); !problem.empty()) return problem;
  if (std::filesystem::is_directory(status)) {
    kind = TInputKind::folder;
    return folderProblem(path);
  }
  kind = TInputKind::file;
  // A pipe (such as a shell's "<(zcat games.pgn.gz)") is read to its end by the job; opening it
  // here would take what its writer sends first and lose it.
  if (std::filesystem::is_fifo(status) || std::filesystem::is_character_file(status)) return {};
  if (!std::filesystem::is_regular_file(status)) return "is neither a file nor a folder";
  return openProblem(path);
}

std::string checkReadableFile(const std::filesystem::path& path) {
  std::filesystem::file_status status;
  if (std::string problem = missingOrKind(path, status); !problem.empty()) return problem;
  if (std::filesystem::is_directory(status)) return "is a folder, not a file";
  return openProblem(path);
}

std::string checkWritableFolder(const std::filesystem::path& folder) {
  std::filesystem::file_status status;
  if (std::string problem = missingOrKind(folder, status); !problem.empty())
    return status.type() == std::filesystem::file_type::not_found ? "no such folder" : problem;
  if (!std::filesystem::is_directory(status)) return "is not a folder";
  return tryCreating(folder);
}

std::filesystem::path folderOf(const std::filesystem::path& path) {
  const std::filesystem::path parent = path.parent_path();
  return parent.empty() ? std::filesystem::path(".") : parent;
}

namespace {

// How many of the name's last bytes are its ending: ".pgn" or a packed one, in any letter case.
size_t endingLength(const std::filesystem::path& given) {
  std::error_code error;
  if (!given.has_filename() || std::filesystem::is_directory(given, error)) return 0;
  const std::string name = given.filename().string();
  const size_t ending = std::strlen(packingEnding(packingOfName(given)));
  if (ending == 4 && !namesPgnFile(name)) return 0;
  return ending < name.size() ? ending : 0;
}

}  // namespace

std::string outputEndingFrom(const std::filesystem::path& given) {
  const size_t ending = endingLength(given);
  const std::string name = given.filename().string();
  return ending == 0 ? ".pgn" : name.substr(name.size() - ending);
}

std::filesystem::path outputBaseFrom(const std::filesystem::path& given) {
  std::error_code error;
  if (!given.has_filename() || std::filesystem::is_directory(given, error)) return given / "games";
  const size_t ending = endingLength(given);
  const std::string name = given.filename().string();
  if (ending == 0) return given;
  return given.parent_path() / name.substr(0, name.size() - ending);
}
