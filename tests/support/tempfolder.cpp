#include "support/tempfolder.h"

#include <atomic>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <system_error>

namespace {

std::string uniqueName() {
  static std::atomic<unsigned> counter{0};
  std::random_device seed;
  return "gamesift-test-" + std::to_string(seed()) + "-" + std::to_string(counter++);
}

}  // namespace

TTempFolder::TTempFolder() {
  std::error_code error;
  do {
    root = std::filesystem::temp_directory_path(error) / uniqueName();
  } while (!std::filesystem::create_directory(root, error) && !error);
}

TTempFolder::~TTempFolder() {
  std::error_code error;
  std::filesystem::remove_all(root, error);
}

std::filesystem::path TTempFolder::write(const std::filesystem::path& name,
                                         std::string_view bytes) const {
  std::filesystem::path file = root / name;
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return file;
}

std::string TTempFolder::read(const std::filesystem::path& name) const {
  std::ifstream in(root / name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
