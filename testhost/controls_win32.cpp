#include "controls_win32.h"

#include <windows.h>

#include <vector>

#include "hostpaths_win32.h"
#include "panels_win32.h"
#include "plugcommon/hostapi.h"
#include "procwindow_win32.h"
#include "script_logic.h"

namespace {

std::string utf8(const wchar_t* text) {
  const std::wstring wide(text);
  return utf16ToUtf8(std::u16string(wide.begin(), wide.end()));
}

// The host folder becomes "<host>\", so that a dump does not depend on where the run took place.
std::string windowText(HWND window) {
  const int length = GetWindowTextLengthW(window);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  GetWindowTextW(window, text.data(), length + 1);
  text.resize(wcslen(text.c_str()));
  const std::wstring folder = hostExeFolder();
  if (!folder.empty() && text.size() >= folder.size() &&
      CompareStringOrdinal(text.c_str(), static_cast<int>(folder.size()), folder.c_str(),
                           static_cast<int>(folder.size()), TRUE) == CSTR_EQUAL)
    text = L"<host>\\" + text.substr(folder.size());
  return utf8(text.c_str());
}

std::string className(HWND window) {
  wchar_t name[256] = {};
  GetClassNameW(window, name, 256);
  return utf8(name);
}

// A host check box keeps its record in the window's user data.
std::string checkState(HWND window) {
  if (className(window) != "VorlenOption") return "-";
  const auto* box = reinterpret_cast<const TOptionBox*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (box == nullptr) return "-";
  return box->state == kOptionOn ? "checked" : "unchecked";
}

// "visible", "hidden", or, for a child of a modal window that does not lie wholly inside the
// window's client area (a frame or caption taken from the room its layout counted on), "cut off".
std::string visibility(HWND window, HWND ownerWindow, const RECT& place, bool mustFit) {
  if (!IsWindowVisible(window)) return "hidden";
  RECT client{};
  GetClientRect(ownerWindow, &client);
  const bool inside = place.left >= 0 && place.top >= 0 && place.right <= client.right &&
                      place.bottom <= client.bottom;
  return !mustFit || inside ? "visible" : "cut off";
}

std::string controlLine(const std::string& owner, HWND ownerWindow, HWND window,
                        bool mustFit = false) {
  RECT place{};
  GetWindowRect(window, &place);
  MapWindowPoints(nullptr, ownerWindow, reinterpret_cast<POINT*>(&place), 2);
  return owner + " | " + className(window) + " | \"" + windowText(window) + "\" | " +
         std::to_string(place.left) + "," + std::to_string(place.top) + "," +
         std::to_string(place.right - place.left) + "," + std::to_string(place.bottom - place.top) +
         " | " + visibility(window, ownerWindow, place, mustFit) + " | " + checkState(window) +
         "\n";
}

// Direct children in creation order: a new child goes below its older siblings.
std::string childLines(const std::string& owner, HWND parent, bool mustFit = false) {
  std::string out;
  for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT))
    out += controlLine(owner, parent, child, mustFit);
  return out;
}

struct TTopWindows {
  HWND panel = nullptr;
  std::vector<HWND> windows;
};

BOOL CALLBACK collectTopWindow(HWND window, LPARAM data) {
  reinterpret_cast<TTopWindows*>(data)->windows.push_back(window);
  return TRUE;
}

}  // namespace

std::string controlsSection() {
  HWND panel = firstPluginPanel();
  if (panel == nullptr) return {};
  std::string out = childLines("panel", panel);
  TTopWindows top;
  EnumThreadWindows(GetCurrentThreadId(), collectTopWindow, reinterpret_cast<LPARAM>(&top));
  // EnumThreadWindows runs from the newest window; creation order is the other way round
  for (auto it = top.windows.rbegin(); it != top.windows.rend(); ++it) {
    HWND window = *it;
    const TProcWindow* procs = procWindowOf(window);
    if (procs != nullptr && procs->kind == TProcWindowKind::modal)
      out += childLines(windowText(window), window, true);
    else if (GetWindow(window, GW_OWNER) == panel)
      out += controlLine("panel", panel, window);
  }
  return out;
}
