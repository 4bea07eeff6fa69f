#pragma once
// An array that grows a chunk at a time: elements never move once placed, so growing a base of
// millions of games copies nothing and never holds an old and a new buffer at once, as a
// doubling vector does at the moment it grows.

#include <algorithm>
#include <cstddef>
#include <initializer_list>
#include <iterator>
#include <memory>
#include <new>
#include <type_traits>
#include <utility>
#include <vector>

template <typename T, size_t ChunkLength = 1024>
class TChunkedArray {
  static_assert(ChunkLength > 0 && (ChunkLength & (ChunkLength - 1)) == 0,
                "a chunk length of a power of two keeps indexing a shift and a mask");

 public:
  template <bool Const>
  class Iterator {
    using Array = std::conditional_t<Const, const TChunkedArray, TChunkedArray>;

   public:
    using iterator_category = std::random_access_iterator_tag;
    using value_type = T;
    using difference_type = std::ptrdiff_t;
    using pointer = std::conditional_t<Const, const T*, T*>;
    using reference = std::conditional_t<Const, const T&, T&>;

    Iterator() = default;
    Iterator(Array* array, size_t index) : array_(array), index_(index) {}
    operator Iterator<true>() const requires(!Const) { return {array_, index_}; }

    reference operator*() const { return (*array_)[index_]; }
    pointer operator->() const { return &(*array_)[index_]; }
    reference operator[](difference_type offset) const { return *(*this + offset); }
    Iterator& operator++() { return *this += 1; }
    Iterator& operator--() { return *this -= 1; }
    Iterator operator++(int) { return std::exchange(*this, *this + 1); }
    Iterator operator--(int) { return std::exchange(*this, *this - 1); }
    Iterator& operator+=(difference_type offset) {
      index_ = static_cast<size_t>(static_cast<difference_type>(index_) + offset);
      return *this;
    }
    Iterator& operator-=(difference_type offset) { return *this += -offset; }
    friend Iterator operator+(Iterator at, difference_type offset) { return at += offset; }
    friend Iterator operator+(difference_type offset, Iterator at) { return at += offset; }
    friend Iterator operator-(Iterator at, difference_type offset) { return at -= offset; }
    friend difference_type operator-(const Iterator& a, const Iterator& b) {
      return static_cast<difference_type>(a.index_) - static_cast<difference_type>(b.index_);
    }
    friend bool operator==(const Iterator& a, const Iterator& b) { return a.index_ == b.index_; }
    friend auto operator<=>(const Iterator& a, const Iterator& b) { return a.index_ <=> b.index_; }

   private:
    Array* array_ = nullptr;
    size_t index_ = 0;
  };
  using iterator = Iterator<false>;
  using const_iterator = Iterator<true>;
  using value_type = T;

  TChunkedArray() = default;
  explicit TChunkedArray(size_t count) { resize(count); }
  TChunkedArray(std::initializer_list<T> items) {
    for (const T& item : items) push_back(item);
  }
  TChunkedArray(TChunkedArray&& other) noexcept { swap(other); }
  TChunkedArray& operator=(TChunkedArray&& other) noexcept {
    TChunkedArray gone(std::move(other));
    swap(gone);
    return *this;
  }
  TChunkedArray(const TChunkedArray&) = delete;
  TChunkedArray& operator=(const TChunkedArray&) = delete;
  ~TChunkedArray() { clear(); }

  // Reading
  size_t size() const { return count_; }
  bool empty() const { return count_ == 0; }
  T& operator[](size_t index) { return chunks_[index / ChunkLength][index % ChunkLength]; }
  const T& operator[](size_t index) const {
    return chunks_[index / ChunkLength][index % ChunkLength];
  }
  T& front() { return (*this)[0]; }
  const T& front() const { return (*this)[0]; }
  T& back() { return (*this)[count_ - 1]; }
  const T& back() const { return (*this)[count_ - 1]; }
  iterator begin() { return {this, 0}; }
  iterator end() { return {this, count_}; }
  const_iterator begin() const { return {this, 0}; }
  const_iterator end() const { return {this, count_}; }

  // Changing
  template <typename... Args>
  T& emplace_back(Args&&... args) {
    if (count_ == chunks_.size() * ChunkLength) chunks_.push_back(newChunk());
    T* place = &chunks_[count_ / ChunkLength][count_ % ChunkLength];
    ::new (static_cast<void*>(place)) T(std::forward<Args>(args)...);
    ++count_;
    return *place;
  }
  void push_back(T&& item) { emplace_back(std::move(item)); }
  void push_back(const T& item) { emplace_back(item); }
  void pop_back() {
    --count_;
    (*this)[count_].~T();
    releaseSpareChunks();
  }
  void resize(size_t count) {
    while (count_ > count) pop_back();
    while (count_ < count) emplace_back();
  }
  void clear() {
    for (size_t i = count_; i > 0; --i) (*this)[i - 1].~T();
    count_ = 0;
    releaseSpareChunks();
    chunks_.shrink_to_fit();
  }
  void swap(TChunkedArray& other) noexcept {
    chunks_.swap(other.chunks_);
    std::swap(count_, other.count_);
  }

  // Moves every element of other to the end, in order, and leaves other empty. Whole chunks
  // change hands where they line up; otherwise each of other's chunks is let go as soon as it is
  // emptied, so the two never both hold all the elements.
  void append(TChunkedArray&& other) {
    if (count_ % ChunkLength == 0) {
      chunks_.resize(count_ / ChunkLength);
      for (auto& chunk : other.chunks_) chunks_.push_back(std::move(chunk));
      count_ += std::exchange(other.count_, 0);
      other.chunks_.clear();
      releaseSpareChunks();
      return;
    }
    for (size_t first = 0; first < other.count_; first += ChunkLength) {
      const size_t last = std::min(other.count_, first + ChunkLength);
      for (size_t i = first; i < last; ++i) {
        emplace_back(std::move(other[i]));
        other[i].~T();
      }
      other.chunks_[first / ChunkLength].reset();
    }
    other.count_ = 0;
    other.chunks_.clear();
  }

  // Removes the elements that pred accepts, keeping the order of the rest; answers how many.
  template <typename Pred>
  size_t erase_if(Pred pred) {
    size_t kept = 0;
    for (size_t i = 0; i < count_; ++i) {
      if (pred((*this)[i])) continue;
      if (kept != i) (*this)[kept] = std::move((*this)[i]);
      ++kept;
    }
    const size_t removed = count_ - kept;
    resize(kept);
    return removed;
  }

 private:
  // Raw storage: a chunk's elements are made one at a time, as they are added.
  struct TChunkDelete {
    void operator()(T* chunk) const { ::operator delete(chunk, std::align_val_t(alignof(T))); }
  };
  using TChunk = std::unique_ptr<T[], TChunkDelete>;

  static TChunk newChunk() {
    return TChunk(
        static_cast<T*>(::operator new(sizeof(T) * ChunkLength, std::align_val_t(alignof(T)))));
  }
  // Chunks past the last element go at once: a base that shrank gives its memory back.
  void releaseSpareChunks() {
    const size_t needed = (count_ + ChunkLength - 1) / ChunkLength;
    while (chunks_.size() > needed) chunks_.pop_back();
  }

  std::vector<TChunk> chunks_;
  size_t count_ = 0;
};

template <typename T, size_t ChunkLength, typename Pred>
size_t erase_if(TChunkedArray<T, ChunkLength>& array, Pred pred) {
  return array.erase_if(pred);
}
