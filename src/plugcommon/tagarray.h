#pragma once
// A game's tag pairs packed in one buffer: a base of millions of games would otherwise spend two
// strings and their heap blocks on every tag.

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <iterator>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// One tag pair owned on its own, as read; texts are kept byte for byte.
struct TPGNTag {
  std::string Name;
  std::string Value;  // without quotes, escapes resolved
};
using TPGNTagList = std::vector<TPGNTag>;

// A tag pair inside a packed array; valid until the array is next changed.
struct TTagView {
  std::string_view Name;
  std::string_view Value;
};

// A length as TGamesTagArray packs it, read from `at`, which is moved past it.
inline size_t takePackedLength(const char*& at) {
  const auto first = static_cast<unsigned char>(*at++);
  // nearly every name and value is shorter than 128 bytes: one byte, no loop
  if ((first & 0x80) == 0) return first;
  size_t length = first & 0x7F;
  for (int shift = 7;; shift += 7) {
    const auto byte = static_cast<unsigned char>(*at++);
    length |= static_cast<size_t>(byte & 0x7F) << shift;
    if ((byte & 0x80) == 0) return length;
  }
}

// The packed tag at `at`, which is moved past it.
inline TTagView takePackedTag(const char*& at) {
  const size_t nameLength = takePackedLength(at);
  const size_t valueLength = takePackedLength(at);
  TTagView tag{std::string_view(at, nameLength), std::string_view(at + nameLength, valueLength)};
  at += nameLength + valueLength;
  return tag;
}

class TGamesTagArray {
 public:
  class const_iterator {
   public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = TTagView;
    using difference_type = std::ptrdiff_t;
    using pointer = void;
    using reference = TTagView;

    const_iterator() = default;
    const_iterator(const char* at, const char* end) : At(at), End(end) { take(); }
    // Inline: every game's tags are walked as it is read and again as it is written. Each tag
    // is unpacked once, as the walk comes to it.
    const TTagView operator*() const { return Current; }
    const_iterator& operator++() {
      At = Next;
      take();
      return *this;
    }
    const_iterator operator++(int) {
      const_iterator before = *this;
      ++*this;
      return before;
    }
    friend bool operator==(const const_iterator& a, const const_iterator& b) {
      return a.At == b.At;
    }

   private:
    void take() {
      if (At == End) return;
      Next = At;
      Current = takePackedTag(Next);
    }

    const char* At = nullptr;
    const char* End = nullptr;
    const char* Next = nullptr;
    TTagView Current;
  };

  TGamesTagArray() = default;
  TGamesTagArray(std::initializer_list<TPGNTag> tags) { assign(TPGNTagList(tags)); }
  explicit TGamesTagArray(const TPGNTagList& tags) { assign(tags); }
  TGamesTagArray(const TGamesTagArray& other) {
    replaceBlock(other.bytes(), other.byteCount(), other.size());
  }
  TGamesTagArray(TGamesTagArray&& other) noexcept : Block(std::exchange(other.Block, nullptr)) {}
  TGamesTagArray& operator=(const TGamesTagArray& other) {
    if (this != &other) replaceBlock(other.bytes(), other.byteCount(), other.size());
    return *this;
  }
  TGamesTagArray& operator=(TGamesTagArray&& other) noexcept {
    std::swap(Block, other.Block);
    return *this;
  }
  ~TGamesTagArray() { delete[] Block; }

  size_t size() const { return layout().count; }
  bool empty() const { return Block == nullptr; }
  // const: a view is no handle to change the tag through (see set)
  const TTagView operator[](size_t index) const;
  const TTagView back() const { return (*this)[size() - 1]; }
  const_iterator begin() const {
    const TLayout all = layout();
    return const_iterator(all.tags, all.tags + all.bytes);
  }
  const_iterator end() const {
    const TLayout all = layout();
    return const_iterator(all.tags + all.bytes, all.tags + all.bytes);
  }
  // Index of the first tag named exactly `name`, or -1.
  int find(std::string_view name) const;
  TPGNTagList unpacked() const;

  void assign(const TPGNTagList& tags);  // the buffer is sized exactly
  void assign(const std::vector<TTagView>& tags);
  void clear();
  void append(std::string_view name, std::string_view value);
  void push_back(const TPGNTag& tag) { append(tag.Name, tag.Value); }
  void insert(size_t index, std::string_view name, std::string_view value);
  // The texts may be views into this array itself.
  void set(size_t index, std::string_view name, std::string_view value);
  void setName(size_t index, std::string_view name) { set(index, name, (*this)[index].Value); }
  void setValue(size_t index, std::string_view value) { set(index, (*this)[index].Name, value); }
  void erase(size_t index);
  size_t byteCount() const { return layout().bytes; }

  friend bool operator==(const TGamesTagArray& a, const TGamesTagArray& b) {
    return a.size() == b.size() &&
           std::string_view(a.bytes(), a.byteCount()) == std::string_view(b.bytes(), b.byteCount());
  }

 private:
  struct TLayout {
    size_t count = 0;
    size_t bytes = 0;
    const char* tags = nullptr;
  };
  // Inline: asked at the start and the end of every walk over the tags.
  TLayout layout() const {
    TLayout all;
    if (!Block) return all;
    const char* at = Block;
    all.count = takePackedLength(at);
    all.bytes = takePackedLength(at);
    all.tags = at;
    return all;
  }
  const char* bytes() const { return layout().tags; }
  size_t offsetOf(size_t index) const;
  void splice(size_t from, size_t to, const std::string& entry, int countChange);
  // A block of exactly the given bytes and count takes the place of the old one.
  void replaceBlock(const char* packed, size_t length, size_t count);

  // One heap block, sized exactly, and none while empty: the tag count and the bytes of the tags
  // (each in 7-bit groups like the lengths below), then per tag the name's and the value's lengths
  // (7 bits a byte, high bit set while more follow) and the name's and the value's bytes. A single
  // pointer keeps the record of each of millions of games small.
  char* Block = nullptr;
};
