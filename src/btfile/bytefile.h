#pragma once
// A small buffered file of bytes with the number and string encodings of the settings file and
// the ECO base. Errors never raise: they set `failed`, and reads past the end give zeros.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "platform/platform.h"

class bytefile {
 public:
  static constexpr int32_t kBufferSize = 2048;

  // Opens an existing file for reading (and writing back), or creates it anew for writing.
  // The object exists even when opening failed; `failed` then tells.
  bytefile(const std::filesystem::path& name, bool forReading);
  // Writes back what the buffer holds and closes the file.
  virtual ~bytefile();
  bytefile(const bytefile&) = delete;
  bytefile& operator=(const bytefile&) = delete;

  // Bytes
  virtual void writebyte(uint8_t b);
  // The byte at the position, or 0 at the end of the file and after a failure.
  virtual uint8_t readbyte();
  virtual void seek(int64_t position);
  virtual bool eof();
  int64_t size() const;
  int64_t position() const { return filepos; }

  // Numbers: int32 big-endian, words little-endian, booleans one byte
  void writeint(int32_t value);
  int32_t readint();
  void writebool(bool value);
  bool readbool();
  void writeword(uint16_t value);
  uint16_t readword();

  // Strings: an int32 length, then the characters (16-bit ones low byte first)
  void writestr(std::string_view text);
  std::string readstr();
  void writewstr(std::u16string_view text);
  std::u16string readwstr();

  bool failed = false;

 private:
  void refill();
  bool writeBack(int attempts);
  int64_t bufferStart() const { return filepos - bufpos; }
  // Claims count bytes after the position for a string; false (and failed) when the file is
  // shorter, so a damaged length can never cause a large allocation.
  bool claim(int64_t count);

  TOsFile file;
  uint8_t buffer[kBufferSize] = {};
  bool dirty = false;
  int32_t filled = 0;
  int32_t bufpos = 0;
  int64_t filepos = 0;
  int64_t filesize = 0;
};
