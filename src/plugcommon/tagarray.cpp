#include "plugcommon/tagarray.h"

#include <cstring>

#include "plugcommon/shortcopy.h"

namespace {

// The bytes putLength writes for the length.
size_t lengthBytes(size_t length) {
  size_t count = 1;
  for (; length >= 0x80; length >>= 7) ++count;
  return count;
}

char* putLengthAt(char* at, size_t length) {
  for (; length >= 0x80; length >>= 7) *at++ = static_cast<char>((length & 0x7F) | 0x80);
  *at++ = static_cast<char>(length);
  return at;
}

void putLength(std::string& out, size_t length) {
  char room[2 * sizeof length];
  out.append(room, static_cast<size_t>(putLengthAt(room, length) - room));
}

void appendTag(std::string& out, std::string_view name, std::string_view value) {
  putLength(out, name.size());
  putLength(out, value.size());
  out.append(name);
  out.append(value);
}

std::string encodedTag(std::string_view name, std::string_view value) {
  std::string entry;
  entry.reserve(name.size() + value.size() + 4);
  appendTag(entry, name, value);
  return entry;
}

}  // namespace

void TGamesTagArray::replaceBlock(const char* packed, size_t length, size_t count) {
  char* block = nullptr;
  if (count > 0) {
    std::string header;
    putLength(header, count);
    putLength(header, length);
    block = new char[header.size() + length];
    std::memcpy(block, header.data(), header.size());
    if (length > 0) std::memcpy(block + header.size(), packed, length);
  }
  delete[] std::exchange(Block, block);
}

size_t TGamesTagArray::offsetOf(size_t index) const {
  const char* first = bytes();
  const char* at = first;
  for (size_t i = 0; i < index; ++i) takePackedTag(at);
  return static_cast<size_t>(at - first);
}

const TTagView TGamesTagArray::operator[](size_t index) const {
  const char* at = bytes() + offsetOf(index);
  return takePackedTag(at);
}

int TGamesTagArray::find(std::string_view name) const {
  int index = 0;
  for (const TTagView tag : *this) {
    if (tag.Name == name) return index;
    ++index;
  }
  return -1;
}

TPGNTagList TGamesTagArray::unpacked() const {
  TPGNTagList tags;
  tags.reserve(size());
  for (const TTagView tag : *this) tags.push_back({std::string(tag.Name), std::string(tag.Value)});
  return tags;
}

namespace {

// A game's tags are packed once per game read: straight into the block, sized first. No tags
// have no block.
template <typename TList>
char* packedBlock(const TList& tags) {
  if (tags.empty()) return nullptr;
  size_t bytes = 0;
  for (const auto& tag : tags)
    bytes += lengthBytes(tag.Name.size()) + lengthBytes(tag.Value.size()) + tag.Name.size() +
             tag.Value.size();
  char* block = new char[lengthBytes(tags.size()) + lengthBytes(bytes) + bytes];
  char* at = putLengthAt(putLengthAt(block, tags.size()), bytes);
  for (const auto& tag : tags) {
    at = putLengthAt(putLengthAt(at, tag.Name.size()), tag.Value.size());
    copyShort(at, tag.Name.data(), tag.Name.size());
    at += tag.Name.size();
    copyShort(at, tag.Value.data(), tag.Value.size());
    at += tag.Value.size();
  }
  return block;
}

}  // namespace

void TGamesTagArray::assign(const TPGNTagList& tags) {
  delete[] std::exchange(Block, packedBlock(tags));
}

void TGamesTagArray::assign(const std::vector<TTagView>& tags) {
  delete[] std::exchange(Block, packedBlock(tags));
}

void TGamesTagArray::clear() {
  replaceBlock(nullptr, 0, 0);
}

void TGamesTagArray::append(std::string_view name, std::string_view value) {
  const size_t end = byteCount();
  splice(end, end, encodedTag(name, value), 1);
}

void TGamesTagArray::insert(size_t index, std::string_view name, std::string_view value) {
  const std::string entry = encodedTag(name, value);
  const size_t at = offsetOf(index);
  splice(at, at, entry, 1);
}

void TGamesTagArray::set(size_t index, std::string_view name, std::string_view value) {
  const std::string entry = encodedTag(name, value);  // before the views it came from move
  const size_t from = offsetOf(index);
  const char* at = bytes() + from;
  takePackedTag(at);
  splice(from, static_cast<size_t>(at - bytes()), entry, 0);
}

void TGamesTagArray::erase(size_t index) {
  const size_t from = offsetOf(index);
  const char* at = bytes() + from;
  takePackedTag(at);
  splice(from, static_cast<size_t>(at - bytes()), std::string(), -1);
}

void TGamesTagArray::splice(size_t from, size_t to, const std::string& entry, int countChange) {
  const TLayout all = layout();
  std::string packed;
  packed.reserve(all.bytes - (to - from) + entry.size());
  packed.append(all.tags, from);
  packed.append(entry);
  packed.append(all.tags + to, all.bytes - to);
  replaceBlock(packed.data(), packed.size(),
               static_cast<size_t>(static_cast<std::ptrdiff_t>(all.count) + countChange));
}
