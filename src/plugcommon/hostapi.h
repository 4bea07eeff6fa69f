#pragma once
// The contract between the host application and the plug-in: service ids, the lookup function and
// the records that cross the boundary. Plain C layouts only; both sides include this header.

#include <stdint.h>

#if defined(_WIN32) && !defined(_WIN64)
#define VORLEN_CALL __stdcall
#else
#define VORLEN_CALL
#endif

#ifdef __cplusplus
extern "C" {
#endif

// The host's move record, as the game navigation services hand it out.
typedef struct TMove {
  uint8_t piece;
  uint8_t fromfile;
  uint8_t fromrank;
  uint8_t tofile;
  uint8_t torank;
  uint8_t special;
  uint8_t captured;
  uint8_t changes;
  const char* san;          // NUL-terminated short algebraic text
  const char* comment;      // NUL-terminated comment after the move
  uint32_t mark;            // annotation code in the low byte
  int32_t variationCount;   // variations that branch at this move
  const int32_t* variations;
  uint32_t reserved;
} TMove;

#ifdef __cplusplus
}
#endif
