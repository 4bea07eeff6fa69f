#include <windows.h>

#include "platform/platform.h"

void defaultBeep() {
  MessageBeep(MB_OK);
}
