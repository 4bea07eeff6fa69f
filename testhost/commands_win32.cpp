#include "commands_win32.h"

#include <vector>

#include "services_win32.h"

namespace {

// Menu items carry 16-bit identifiers; the host's own fixed ones stay below this.
constexpr int32_t kFirstCommand = 40001;
constexpr int32_t kLastCommand = 0xFFFF;

struct TCommand {
  int32_t id;
  TVorlenHandler handler;
};

std::vector<TCommand> commands;
int32_t nextId = kFirstCommand;

}  // namespace

int32_t newCommandId() {
  return nextId <= kLastCommand ? nextId++ : 0;
}

intptr_t VORLEN_CALL registerCommandService(const TCommandRecord* record, TVorlenHandler handler) {
  std::string note = "register ";
  note += record ? std::to_string(record->kind) + "/" + std::to_string(record->flags) : "none";
  note += handler ? " handler" : " no handler";
  noteEvent(note);
  const int32_t id = newCommandId();
  if (id != 0) commands.push_back(TCommand{id, handler});
  return id;
}

bool runRegisteredCommand(int32_t id) {
  for (const TCommand& command : commands) {
    if (command.id != id) continue;
    if (command.handler == nullptr) return false;
    command.handler();
    return true;
  }
  return false;
}

int32_t registeredCommandCount() {
  return static_cast<int32_t>(commands.size());
}
