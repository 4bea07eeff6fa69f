#include "plugin/hostservices_logic.h"

#include <cstring>

THostServiceTable hostServices;
THostValues hostValues;

bool fillServiceTable(TVorlenLookup lookup, THostServiceTable& table) {
  table.lineText = lookup(kServiceLineText);
  if (table.lineText == 0) return false;
  for (const TServiceSlot& service : kStartServices) table.*service.slot = lookup(service.id);
  return true;
}

namespace {

intptr_t levelService(const THostServiceTable& table, THostLevel level) {
  switch (level) {
    case THostLevel::windows:
      return table.windows;
    case THostLevel::values:
      return table.values;
    case THostLevel::state:
      return table.state;
  }
  return 0;
}

// The host's values need not be aligned for us, so they are copied out byte for byte.
template <class T>
T readHostValue(const void* value, T fallback) {
  if (!value) return fallback;
  T result;
  std::memcpy(&result, value, sizeof result);
  return result;
}

}  // namespace

void* askHost(const THostServiceTable& table, THostLevel level, int32_t value) {
  auto service = serviceAs<TServiceSecondLevel>(levelService(table, level));
  // A host that left a second-level service out answers nothing rather than crashing us.
  return service ? service(value) : nullptr;
}

void fillHostValues(const THostServiceTable& table, THostValues& values) {
  for (const TValueSlot& value : kStartValues)
    values.*value.slot = askHost(table, value.level, value.value);
}

int32_t hostInt(const void* value, int32_t fallback) {
  return readHostValue(value, fallback);
}
uint32_t hostColour(const void* value, uint32_t fallback) {
  return readHostValue(value, fallback);
}
uint8_t hostByte(const void* value) {
  return readHostValue<uint8_t>(value, 0);
}
double hostDouble(const void* value, double fallback) {
  return readHostValue(value, fallback);
}
