#pragma once
// The services the engine needs from the operating system. The engine includes only this header;
// posix/ implements it natively, win32/ inside the plug-in and the Windows builds.

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

// ---- Code pages: 8-bit tag texts as UTF-16 (added with the output naming) ----

#include <string>
#include <string_view>

// An 8-bit text of the system's ANSI code page as UTF-16. Natively, where there is no such code
// page, the bytes are read as UTF-8 when they are valid UTF-8 and as Windows-1251 otherwise.
std::u16string ansiToUtf16(std::string_view text);
