#include "platform/platform.h"

// A terminal bell from a batch tool would only disturb; the refusal is reported by the result.
void defaultBeep() {}
