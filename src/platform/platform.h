#pragma once
// The services the engine needs from the operating system. The engine includes only this header;
// posix/ implements it natively, win32/ inside the plug-in and the Windows builds.

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

// Locks

// A lock the same thread may take again while it holds it.
class TRecursiveLock {
 public:
  virtual ~TRecursiveLock() = default;
  virtual void enter() = 0;
  virtual void leave() = 0;
};

// A lock of the platform's own (std::recursive_mutex natively, a critical section on Windows).
TRecursiveLock* newRecursiveLock();

// A lock threads of one job hand work through: one waits while held for another to wake it.
class TWaitLock : public TRecursiveLock {
 public:
  // Held exactly once: leaves the lock, sleeps until wakeAll (or spuriously), holds it again.
  // Callers wait in a loop on their own condition.
  virtual void wait() = 0;
  // The same, but sleeps no longer than the given time.
  virtual void waitUpTo(int milliseconds) = 0;
  virtual void wakeAll() = 0;
};
// A condition variable with its lock (std::condition_variable_any natively, a CONDITION_VARIABLE
// with a critical section on Windows).
TWaitLock* newWaitLock();

// Holds a lock for the life of a scope.
class TLockHold {
 public:
  explicit TLockHold(TRecursiveLock& lock) : held(lock) { held.enter(); }
  ~TLockHold() { held.leave(); }
  TLockHold(const TLockHold&) = delete;
  TLockHold& operator=(const TLockHold&) = delete;

 private:
  TRecursiveLock& held;
};

// Sounds

// The system's default beep; silent where there is no such sound.
void defaultBeep();

// Files

// How a file is opened. The exclusive modes keep other programs out while the file is open (no
// sharing on Windows); POSIX has no share modes and opens them like the shared ones.
enum class TOpenMode {
  readExclusive,    // an existing file, read only
  readWriteShared,  // an existing file, read and write; others may go on reading and writing it
  readShared,       // an existing file, read only; others may go on reading and writing it
  createShared,     // created anew or truncated, read and write, shared like readWriteShared
  createExclusive,  // created anew or truncated, write only
  appendExclusive,  // opened or created, positioned at its end, write only
};

// An open file of the operating system, closed when the object goes. Positions and sizes are
// 64-bit; a failed call answers -1 (or false) and never throws.
class TOsFile {
 public:
  TOsFile() = default;
  ~TOsFile() { close(); }
  TOsFile(const TOsFile&) = delete;
  TOsFile& operator=(const TOsFile&) = delete;

  bool open(const std::filesystem::path& path, TOpenMode mode);
  // The process's standard input (forReading) or output, as a copy of its handle: closing the
  // object leaves the stream itself open.
  bool openStandard(bool forReading);
  void close();
  bool isOpen() const { return handle != kClosed; }

  // Bytes read, fewer than count only at the end of the file; -1 on an error.
  int64_t read(void* data, int64_t count);
  // Bytes written; -1 on an error before anything was written.
  int64_t write(const void* data, int64_t count);
  bool seek(int64_t position);
  int64_t position();
  int64_t size();
  // A pipe or a device rather than a file on disk: it has no size and cannot seek, so it is read
  // to its end.
  bool isStream();
  // Cuts the file to size bytes.
  bool truncate(int64_t size);

 private:
  static constexpr intptr_t kClosed = -1;
  intptr_t handle = kClosed;  // a descriptor on POSIX, a HANDLE on Windows
};

// Tests only: after the next `bytes` bytes written to any file, writes fail as on a full disk; a
// negative count lifts the limit. The platform's write takes what it may move from here.
inline std::atomic<int64_t> writeAllowanceForTests{-1};
inline void limitWritesForTests(int64_t bytes) {
  writeAllowanceForTests = bytes;
}
inline int64_t allowedWriteBytes(int64_t count) {
  int64_t left = writeAllowanceForTests.load();
  while (left >= 0) {
    const int64_t take = left < count ? left : count;
    if (writeAllowanceForTests.compare_exchange_weak(left, left - take)) return take;
  }
  return count;
}

// The size of a file by its name; -1 when it cannot be opened.
int64_t fileSize(const std::filesystem::path& path);

// Puts the file from in the place of the file to, replacing it in one step; false when it could
// not, and then to is untouched.
bool replaceFile(const std::filesystem::path& from, const std::filesystem::path& to);

// What a file is, whatever name reaches it: a link, another spelling of the path, a second hard
// link all give the same identity (device and inode natively, volume serial and file index on
// Windows). known is false when the file cannot be looked at.
struct TFileIdentity {
  bool known = false;
  uint64_t volume = 0;
  uint64_t index = 0;
  bool operator==(const TFileIdentity& other) const {
    return known && other.known && volume == other.volume && index == other.index;
  }
};
TFileIdentity fileIdentity(const std::filesystem::path& path);

// Memory

// Bytes the process may still take without pressing others out of memory or running out of
// address space (a 32-bit host's plug-in meets the latter first); 0 when the system cannot tell.
uint64_t availableMemory();

// Asks the allocator to keep up to bytes of freed memory at the top of each of its heaps instead
// of giving it back. A batch run frees every part's journals and builds the next part's at once:
// memory handed back and asked for again is zeroed by the system page by page each time.
// Nothing where the allocator keeps freed memory by itself.
void keepFreedMemory(int64_t bytes);

// Shared libraries

// A shared library found by its file name as the system's loader finds one, loaded for the rest
// of the process; null where there is none or it cannot be loaded.
void* loadSharedLibrary(const char* name);
// A function the library exports, to be cast to its own type; null where there is none.
using TLibraryFunction = void (*)();
TLibraryFunction sharedLibraryFunction(void* library, const char* name);

// Folders

// The full file name of the process's main executable (not of a library it loaded); empty when
// the system cannot tell.
std::filesystem::path executablePath();

// The names (without folder) of the regular files in folder whose names end in ".pgn" in any
// letter case, sorted by name so that runs over the same folder are repeatable. Empty when the
// folder cannot be read.
std::vector<std::filesystem::path> findPgnFiles(const std::filesystem::path& folder);
// The same for names ending in any of endings (lower case, such as ".pgn.gz"), in any letter case.
std::vector<std::filesystem::path> findFilesEnding(const std::filesystem::path& folder,
                                                   const std::vector<std::string>& endings);

// ---- Code pages: 8-bit tag texts as UTF-16 (added with the output naming) ----

#include <string>
#include <string_view>

// An 8-bit text of the system's ANSI code page as UTF-16. Natively, where there is no such code
// page, the bytes are read as UTF-8 when they are valid UTF-8 and as Windows-1251 otherwise.
std::u16string ansiToUtf16(std::string_view text);
// The way back: UTF-16 as 8-bit text of the system's ANSI code page (characters it lacks become
// its default character). Natively the 8-bit form is UTF-8.
std::string utf16ToAnsi(std::u16string_view text);

// A tag text as a part of a file name. Text that is valid UTF-8 and holds non-ASCII is read as
// UTF-8, whatever the code page: PGN files come from both worlds, and a UTF-8 name read as 8-bit
// would come out garbled. Other text is read in the name code page. The part is UTF-8 natively
// and UTF-16 on Windows.
std::filesystem::path::string_type tagTextToName(std::string_view text);

// The bytes a tag written in the name code page holds for a text given as UTF-8, the way back
// from tagTextToName: a name typed in one encoding can then be looked for in files of the other.
// Empty when the text is not valid UTF-8 or holds a character the code page lacks.
std::string utf8ToNameCodePage(std::string_view utf8);
// A tag text as UTF-8, read by tagTextToName's rule.
std::string tagTextToUtf8(std::string_view text);

// Chooses the name code page: a Windows code-page number ("1251", "866", "20866") or, natively,
// a name the system's converter knows ("KOI8-R"). Until then it is the ANSI code page on Windows
// and Windows-1251 natively. False, and nothing changes, when the code page is not known.
bool setNameCodePage(std::string_view name);

// ---- Locale: ordering file names as the user's language orders them (added with duplicate
// removal) ----

// -1, 0 or 1 as a comes before, together with or after b in the user's locale. Natively the names
// are decoded as UTF-8 (Windows-1251 where they are not valid UTF-8) and collated by the locale
// the environment names; on Windows by the user's default locale without flags.
int compareLocale(const std::filesystem::path& a, const std::filesystem::path& b);

// ---- Threads: the worker that runs a job (added with the jobs) ----

// A running thread as the platform knows it; null when none could be started.
using TThreadHandle = void*;

// Starts body on a new thread with the default stack.
TThreadHandle startThread(void (*body)());
// Starts body(argument) on a new thread with the default stack.
TThreadHandle startThread(void (*body)(void*), void* argument);
// Waits until the thread has ended and releases it; a null handle is left alone.
void joinThread(TThreadHandle thread);
// How many threads the machine runs at once; at least 1.
int processorCount();
