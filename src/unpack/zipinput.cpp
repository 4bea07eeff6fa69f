// zip archives through libarchive: the *.pgn members in the order the archive holds them. The
// archive is read forward from its first byte, as a pipe gives it, so a zip cut short still
// gives the members before the cut.

#include <archive.h>
#include <archive_entry.h>

#include <string>
#include <vector>

#include "unpack/decoder.h"

namespace {

bool namesPgnFile(std::string name) {
  for (char& c : name)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  return name.ends_with(".pgn");
}

std::string archiveWords(archive* zip) {
  const char* words = archive_error_string(zip);
  return words ? words : "libarchive error";
}

// The member being read; its end or damage is libarchive's to tell.
class TMemberDecoder : public TDecoder {
 public:
  explicit TMemberDecoder(archive* zip) : zip(zip) {}
  int64_t decode(char* text, int64_t count) override {
    if (broken) return fail(problem());
    const la_ssize_t got = archive_read_data(zip, text, static_cast<size_t>(count));
    if (got >= 0) return got;
    broken = true;
    fatal = got == ARCHIVE_FATAL;
    return fail("damaged zip member: " + archiveWords(zip));
  }
  // The archive cannot be read on after this member.
  bool fatal = false;

 private:
  archive* zip;
  bool broken = false;
};

class TZipInput : public TPackedInput {
 public:
  explicit TZipInput(TByteSource& source) : source(source), zip(archive_read_new()) {
    archive_read_support_format_zip_streamable(zip);
    opened = archive_read_open(zip, this, nullptr, readPacked, nullptr) == ARCHIVE_OK;
    if (!opened) why = "not a zip archive that can be read: " + archiveWords(zip);
  }
  ~TZipInput() override { archive_read_free(zip); }
  TZipInput(const TZipInput&) = delete;
  TZipInput& operator=(const TZipInput&) = delete;

  TDecoder* next(std::string& member) override {
    if (!opened || !why.empty() || (member_ && member_->fatal)) return nullptr;
    archive_entry* entry = nullptr;
    for (;;) {
      const int code = archive_read_next_header(zip, &entry);
      if (code == ARCHIVE_EOF) return nullptr;
      if (code != ARCHIVE_OK && code != ARCHIVE_WARN) {
        why = "damaged zip archive after " + std::to_string(source.bytesRead()) +
              " bytes: " + archiveWords(zip);
        return nullptr;
      }
      const char* name = archive_entry_pathname(entry);
      if (name && archive_entry_filetype(entry) == AE_IFREG && namesPgnFile(name)) {
        member = name;
        member_ = std::make_unique<TMemberDecoder>(zip);
        return member_.get();
      }
    }
  }
  std::string problem() const override { return why; }

 private:
  static la_ssize_t readPacked(archive*, void* self, const void** bytes) {
    TZipInput& input = *static_cast<TZipInput*>(self);
    const int64_t got = input.source.read(input.buffer.data(), kReadBytes);
    *bytes = input.buffer.data();
    return got < 0 ? ARCHIVE_FATAL : static_cast<la_ssize_t>(got);
  }

  static constexpr int64_t kReadBytes = 256 * 1024;

  TByteSource& source;
  archive* zip;
  std::vector<char> buffer = std::vector<char>(kReadBytes);
  std::unique_ptr<TMemberDecoder> member_;
  bool opened = false;
  std::string why;
};

}  // namespace

std::unique_ptr<TPackedInput> newZipInput(TByteSource& source) {
  return std::make_unique<TZipInput>(source);
}
