#include "btfile/bytefile.h"

#include <algorithm>
#include <limits>

namespace {

// How often a full buffer is written before its bytes are given up.
constexpr int kWriteAttempts = 5;

int32_t storableLength(size_t length) {
  return static_cast<int32_t>(
      std::min<size_t>(length, static_cast<size_t>(std::numeric_limits<int32_t>::max())));
}

}  // namespace

// Creating and closing

bytefile::bytefile(const std::filesystem::path& name, bool forReading) {
  if (!forReading) {
    failed = !file.open(name, TOpenMode::createShared);
    return;
  }
  filesize = fileSize(name);
  bool sized = filesize >= 0;
  filesize = std::max<int64_t>(filesize, 0);
  // A base installed read-only is still readable; only writing back would then fail.
  bool opened =
      file.open(name, TOpenMode::readWriteShared) || file.open(name, TOpenMode::readShared);
  int64_t got = opened ? file.read(buffer, kBufferSize) : -1;
  filled = static_cast<int32_t>(std::max<int64_t>(got, 0));
  failed = !sized || !opened || got < 0;
}

bytefile::~bytefile() {
  if (dirty) writeBack(1);
  file.close();
}

// Bytes

void bytefile::writebyte(uint8_t b) {
  if (bufpos >= kBufferSize) refill();
  // Rewriting a byte with its own value keeps the buffer clean, so nothing is written back.
  dirty = dirty || bufpos >= filled || buffer[bufpos] != b;
  buffer[bufpos] = b;
  ++bufpos;
  ++filepos;
  filled = std::max(filled, bufpos);
}

uint8_t bytefile::readbyte() {
  if (bufpos >= filled) refill();
  if (bufpos >= filled || failed) return 0;
  ++filepos;
  return buffer[bufpos++];
}

void bytefile::seek(int64_t position) {
  if (position < 0) {
    failed = true;
    return;
  }
  int64_t inBuffer = position - bufferStart();
  if (inBuffer >= 0 && inBuffer <= filled) {
    bufpos = static_cast<int32_t>(inBuffer);
    filepos = position;
    return;
  }
  if (dirty) writeBack(1);
  file.seek(position);
  int64_t got = file.read(buffer, kBufferSize);
  filled = static_cast<int32_t>(std::max<int64_t>(got, 0));
  bufpos = 0;
  filepos = position;
  dirty = false;
}

bool bytefile::eof() {
  return bufpos >= filled && filepos >= filesize;
}

int64_t bytefile::size() const {
  return std::max(filesize, bufferStart() + filled);
}

// Moves on to the next stretch of the file, writing the buffer back first when it changed.
void bytefile::refill() {
  if (dirty) writeBack(kWriteAttempts);
  int64_t at = file.position();
  if (at >= 0) filepos = at;
  filesize = std::max(filesize, filepos);
  int64_t got = file.read(buffer, kBufferSize);
  filled = static_cast<int32_t>(std::max<int64_t>(got, 0));
  bufpos = 0;
  dirty = false;
}

bool bytefile::writeBack(int attempts) {
  int64_t start = bufferStart();
  for (int attempt = 0; attempt < attempts; ++attempt) {
    if (file.seek(start) && file.write(buffer, filled) == filled) {
      filesize = std::max(filesize, start + filled);
      return true;
    }
  }
  return false;
}

// Numbers

void bytefile::writeint(int32_t value) {
  uint32_t bits = static_cast<uint32_t>(value);
  for (int shift = 24; shift >= 0; shift -= 8) writebyte(static_cast<uint8_t>(bits >> shift));
}

int32_t bytefile::readint() {
  uint32_t bits = 0;
  for (int i = 0; i < 4; ++i) bits = (bits << 8) | readbyte();
  return static_cast<int32_t>(bits);
}

void bytefile::writebool(bool value) {
  writebyte(value ? 1 : 0);
}

bool bytefile::readbool() {
  return readbyte() != 0;
}

void bytefile::writeword(uint16_t value) {
  writebyte(static_cast<uint8_t>(value & 0xFF));
  writebyte(static_cast<uint8_t>(value >> 8));
}

uint16_t bytefile::readword() {
  uint16_t low = readbyte();
  uint16_t high = readbyte();
  return static_cast<uint16_t>(low | (high << 8));
}

// Strings

bool bytefile::claim(int64_t count) {
  if (count <= 0) return false;
  if (size() < filepos + count) {
    failed = true;
    return false;
  }
  return true;
}

void bytefile::writestr(std::string_view text) {
  int32_t length = storableLength(text.size());
  writeint(length);
  for (int32_t i = 0; i < length; ++i) writebyte(static_cast<uint8_t>(text[i]));
}

std::string bytefile::readstr() {
  int32_t length = readint();
  std::string text;
  if (!claim(length)) return text;
  text.resize(static_cast<size_t>(length));
  for (char& c : text) c = static_cast<char>(readbyte());
  return text;
}

void bytefile::writewstr(std::u16string_view text) {
  int32_t length = storableLength(text.size());
  writeint(length);
  for (int32_t i = 0; i < length; ++i) writeword(static_cast<uint16_t>(text[i]));
}

std::u16string bytefile::readwstr() {
  int32_t length = readint();
  std::u16string text;
  if (!claim(int64_t{2} * length)) return text;
  text.resize(static_cast<size_t>(length));
  for (char16_t& c : text) c = static_cast<char16_t>(readword());
  return text;
}
