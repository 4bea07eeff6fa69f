#pragma once
// A fresh folder under the system's temporary folder for one test, removed with everything in it
// when the test ends.

#include <filesystem>
#include <string>
#include <string_view>

class TTempFolder {
 public:
  TTempFolder();
  ~TTempFolder();
  TTempFolder(const TTempFolder&) = delete;
  TTempFolder& operator=(const TTempFolder&) = delete;

  const std::filesystem::path& path() const { return root; }
  std::filesystem::path operator/(const std::filesystem::path& name) const { return root / name; }

  // Writes bytes as the whole content of the file name inside the folder; returns its path.
  std::filesystem::path write(const std::filesystem::path& name, std::string_view bytes) const;
  // The whole content of a file inside the folder; empty when it cannot be read.
  std::string read(const std::filesystem::path& name) const;

 private:
  std::filesystem::path root;
};
