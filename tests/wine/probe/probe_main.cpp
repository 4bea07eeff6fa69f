#include "probe.h"

TProbeHost probeHost;

namespace {

std::wstring hostFolderPath() {
  wchar_t name[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, name, MAX_PATH);
  std::wstring path = name;
  return path.substr(0, path.find_last_of(L'\\') + 1);
}

struct TProbeCommand {
  const wchar_t* text;
  TVorlenHandler handler;
};

constexpr TProbeCommand kCommands[] = {
    {L"Проба: сообщение", probeMessageBox}, {L"Проба: открыть", probeOpenFile},
    {L"Проба: сохранить", probeSaveFile},   {L"Проба: папка", probeFolder},
    {L"Проба: окно", probeModalWindow},     {L"Проба: партии", probeGames},
    {L"Проба: замок", probeLock},           {L"Проба: показать", probeShowPanel},
};

bool valuesPresent() {
  for (intptr_t value : {2, 14, 17, 18, 19, 20, 21, 22, 23, 32, 33, 37, 38, 45, 47, 49, 70})
    if (hostValue(kServiceValues, value) == nullptr) return false;
  for (intptr_t value : {8, 14, 15, 16, 42, 43, 44, 45, 59, 60, 65, 102, 115})
    if (hostValue(kServiceState, value) == nullptr) return false;
  return *static_cast<int32_t*>(hostValue(kServiceState, kStateTextHeight)) > 0;
}

void addCommands(HMENU menu) {
  const TCommandRecord record{9, 0};
  auto registerCommand = service<TServiceRegisterCommand>(kServiceRegisterCommand);
  for (const TProbeCommand& command : kCommands) {
    const intptr_t id = registerCommand(&record, command.handler);
    AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(id), command.text);
  }
}

}  // namespace

void* hostValue(intptr_t level, intptr_t value) {
  return service<TServiceSecondLevel>(level)(value);
}

void probeLog(const std::string& line) {
  static const std::wstring path = hostFolderPath() + L"probe.log";
  HANDLE file = CreateFileW(path.c_str(), FILE_APPEND_DATA, 0, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  const std::string text = line + "\n";
  DWORD written = 0;
  WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(file);
}

std::string utf8(const std::wstring& text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()),
                                       nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(), size,
                      nullptr, nullptr);
  return out;
}

std::wstring insideHost(const std::wstring& path) {
  const std::wstring folder = hostFolderPath();
  if (path.size() >= folder.size() &&
      CompareStringOrdinal(path.c_str(), static_cast<int>(folder.size()), folder.c_str(),
                           static_cast<int>(folder.size()), TRUE) == CSTR_EQUAL)
    return path.substr(folder.size());
  return path;
}

extern "C" __declspec(dllexport) void VORLEN_CALL StartVorlenProc(TVorlenLookup lookup) {
  probeHost.lookup = lookup;
  if (lookup == nullptr || lookup(kServiceLineText) == 0) return;
  probeHost.main = static_cast<HWND>(hostValue(kServiceWindows, kWindowMain));
  probeHost.dialogCell = static_cast<int32_t*>(hostValue(kServiceState, kStateDialogResult));
  probeLog(std::string("start: values ") + (valuesPresent() ? "present" : "missing"));
  addCommands(static_cast<HMENU>(hostValue(kServiceWindows, kWindowGameMenu)));
  createProbePanel();
}

extern "C" __declspec(dllexport) void VORLEN_CALL StopVorlenProc() {
  probeLog("stop");
}
