#pragma once
// A plug-in that exercises the host stand-in's services and writes what it saw, line by line, to
// probe.log in the host folder: the scenarios check the host itself with it, whatever state the
// real plug-in is in.

#include <windows.h>

#include <string>

#include "plugcommon/hostapi.h"

// The services and host values the probe uses.
struct TProbeHost {
  TVorlenLookup lookup = nullptr;
  HWND main = nullptr;
  int32_t* dialogCell = nullptr;
};

extern TProbeHost probeHost;

// A service's function, as the type it has.
template <class TService>
TService service(intptr_t id) {
  return reinterpret_cast<TService>(probeHost.lookup(id));
}

void* hostValue(intptr_t level, intptr_t value);
void probeLog(const std::string& line);
std::string utf8(const std::wstring& text);
// The path with the host folder cut off its front, when it lies there.
std::wstring insideHost(const std::wstring& path);

// The commands, each a menu item of the host's game menu.
void VORLEN_CALL probeMessageBox();
void VORLEN_CALL probeOpenFile();
void VORLEN_CALL probeSaveFile();
void VORLEN_CALL probeFolder();
void VORLEN_CALL probeModalWindow();
void VORLEN_CALL probeGames();
void VORLEN_CALL probeLock();
void VORLEN_CALL probeShowPanel();

// The probe's panel: a check box, a host button and a painted button face.
void createProbePanel();
