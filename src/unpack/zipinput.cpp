// zip archives through libarchive: the *.pgn members in the order the archive holds them. The
// archive is read forward from its first byte, as a pipe gives it, so a zip cut short still
// gives the members before the cut.

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "unpack/archivecalls.h"
#include "unpack/decoder.h"

namespace {

// libarchive's words, without the line end some of them carry.
std::string archiveWords(const TArchiveCalls& calls, archive* zip) {
  const char* words = calls.errorString(zip);
  std::string text = words ? words : "libarchive error";
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' '))
    text.pop_back();
  return text;
}

// The member being read, a block of libarchive's at a time: a whole buffer asked for at once
// would lose the text before a damage along with it.
class TMemberDecoder : public TDecoder {
 public:
  TMemberDecoder(const TArchiveCalls& calls, archive* zip) : calls(calls), zip(zip) {}
  // Fills as much of the text as the blocks give: the caller's buffer is large, and theirs small.
  int64_t decode(char* text, int64_t count) override {
    const size_t wanted = static_cast<size_t>(std::max<int64_t>(count, 0));
    size_t given = 0;
    while (given < wanted && (blockLeft > 0 || (!broken && !ended && nextBlock()))) {
      const size_t piece = std::min(blockLeft, wanted - given);
      std::memcpy(text + given, block, piece);
      block += piece;
      blockLeft -= piece;
      given += piece;
    }
    if (given > 0 || ended) return static_cast<int64_t>(given);
    return -1;
  }
  // libarchive gave up on the archive at this member: nothing after it can be read in this pass.
  bool fatal = false;

 private:
  bool nextBlock() {
    const void* bytes = nullptr;
    size_t size = 0;
    la_int64_t offset = 0;
    do {
      const int code = calls.readDataBlock(zip, &bytes, &size, &offset);
      if (code == ARCHIVE_EOF) {
        ended = true;
        return false;
      }
      if (code != ARCHIVE_OK) {
        broken = true;
        fatal = code == ARCHIVE_FATAL;
        fail("damaged zip member: " + archiveWords(calls, zip));
        return false;
      }
    } while (size == 0);
    block = static_cast<const char*>(bytes);
    blockLeft = size;
    return true;
  }

  const TArchiveCalls& calls;
  archive* zip;
  const char* block = nullptr;
  size_t blockLeft = 0;
  bool broken = false;
  bool ended = false;
};

class TZipInput : public TPackedInput {
 public:
  TZipInput(const TArchiveCalls& calls, TByteSource& source) : calls(calls), source(source) {
    open();
  }
  ~TZipInput() override { calls.readFree(zip); }
  TZipInput(const TZipInput&) = delete;
  TZipInput& operator=(const TZipInput&) = delete;

  TDecoder* next(std::string& member) override {
    if (member_ && member_->fatal && !readAgainPast(lastMember)) return nullptr;
    member_.reset();
    archive_entry* entry = nullptr;
    while (why.empty() && nextHeader(entry)) {
      const char* name = calls.entryPathname(entry);
      if (name && calls.entryFiletype(entry) == AE_IFREG && namesPgnFile(name)) {
        member = lastMember = name;
        member_ = std::make_unique<TMemberDecoder>(calls, zip);
        return member_.get();
      }
    }
    return nullptr;
  }
  std::string problem() const override { return why; }

 private:
  void open() {
    calls.readFree(zip);
    zip = calls.readNew();
    calls.supportZipStreamable(zip);
    if (calls.readOpen(zip, this, nullptr, readPacked, nullptr) != ARCHIVE_OK)
      why = "not a zip archive that can be read: " + archiveWords(calls, zip);
  }

  // The next member's header; false at the end or when the archive breaks.
  bool nextHeader(archive_entry*& entry) {
    const int code = calls.readNextHeader(zip, &entry);
    if (code == ARCHIVE_OK || code == ARCHIVE_WARN) {
      ++headersRead;
      return true;
    }
    if (code != ARCHIVE_EOF)
      why = "damaged zip archive after " + std::to_string(source.bytesRead()) +
            " bytes: " + archiveWords(calls, zip);
    return false;
  }

  // After a member that stopped libarchive, the archive is read again from its start and the
  // members up to that one are passed over unread, as far as their headers give their sizes.
  bool readAgainPast(const std::string& damaged) {
    member_.reset();
    const int64_t skip = headersRead;
    if (!source.rewind()) {
      why = "the members after " + damaged + " cannot be read: a zip from a pipe is read once";
      return false;
    }
    open();
    headersRead = 0;
    archive_entry* entry = nullptr;
    while (why.empty() && headersRead < skip && nextHeader(entry)) {
    }
    if (why.empty() && headersRead == skip) return true;
    why = "the members after " + damaged + " cannot be reached past its damage";
    return false;
  }

  static la_ssize_t readPacked(archive*, void* self, const void** bytes) {
    TZipInput& input = *static_cast<TZipInput*>(self);
    const int64_t got = input.source.read(input.buffer.data(), kReadBytes);
    *bytes = input.buffer.data();
    return got < 0 ? ARCHIVE_FATAL : static_cast<la_ssize_t>(got);
  }

  static constexpr int64_t kReadBytes = 256 * 1024;

  const TArchiveCalls& calls;
  TByteSource& source;
  archive* zip = nullptr;
  std::vector<char> buffer = std::vector<char>(kReadBytes);
  std::unique_ptr<TMemberDecoder> member_;
  std::string lastMember;
  int64_t headersRead = 0;
  std::string why;
};

}  // namespace

std::unique_ptr<TPackedInput> newZipInput(TByteSource& source) {
  const TArchiveCalls* calls = archiveCalls();
  if (!calls) return nullptr;
  return std::make_unique<TZipInput>(*calls, source);
}
