#pragma once
// The host's services as the start entry collects them: each asked once, in a fixed order, and
// kept for the whole run. The tables below are that order.

#include <cstdint>

#include "plugcommon/hostapi.h"

// Top-level services

// One slot per service; each holds what the lookup answered (a function address on Win32).
struct THostServiceTable {
  intptr_t lineText = 0;  // 48: also the host's sign that it supports plug-ins at all
  intptr_t windows = 0;
  intptr_t values = 0;
  intptr_t state = 0;
  intptr_t registerCommand = 0;
  intptr_t defaultProc = 0;
  intptr_t createPanel = 0;
  intptr_t unused = 0;
  intptr_t prepareButton = 0;
  intptr_t prepareCaptionButton = 0;
  intptr_t buttonFace = 0;
  intptr_t paintBackground = 0;
  intptr_t lineMoveCount = 0;
  intptr_t selectGame = 0;
  intptr_t moveRecord = 0;
  intptr_t enterVariation = 0;
  intptr_t setPosition = 0;
  intptr_t leaveVariation = 0;
  intptr_t resultText = 0;
  intptr_t inVariation = 0;
  intptr_t currentMove = 0;
  intptr_t plyNumber = 0;
  intptr_t optionControl = 0;
  intptr_t modalWindow = 0;
};

struct TServiceSlot {
  int32_t id;
  intptr_t THostServiceTable::*slot;
};

// The services asked after 48, in the order they are asked.
inline constexpr TServiceSlot kStartServices[] = {
    {kServiceWindows, &THostServiceTable::windows},
    {kServiceValues, &THostServiceTable::values},
    {kServiceState, &THostServiceTable::state},
    {kServiceRegisterCommand, &THostServiceTable::registerCommand},
    {kServiceDefaultProc, &THostServiceTable::defaultProc},
    {kServiceCreatePanel, &THostServiceTable::createPanel},
    {kServiceUnused, &THostServiceTable::unused},
    {kServicePrepareButton, &THostServiceTable::prepareButton},
    {kServicePrepareCaptionButton, &THostServiceTable::prepareCaptionButton},
    {kServiceButtonFace, &THostServiceTable::buttonFace},
    {kServicePaintBackground, &THostServiceTable::paintBackground},
    {kServiceLineMoveCount, &THostServiceTable::lineMoveCount},
    {kServiceSelectGame, &THostServiceTable::selectGame},
    {kServiceMoveRecord, &THostServiceTable::moveRecord},
    {kServiceEnterVariation, &THostServiceTable::enterVariation},
    {kServiceSetPosition, &THostServiceTable::setPosition},
    {kServiceLeaveVariation, &THostServiceTable::leaveVariation},
    {kServiceResultText, &THostServiceTable::resultText},
    {kServiceInVariation, &THostServiceTable::inVariation},
    {kServiceCurrentMove, &THostServiceTable::currentMove},
    {kServicePlyNumber, &THostServiceTable::plyNumber},
    {kServiceOptionControl, &THostServiceTable::optionControl},
    {kServiceModalWindow, &THostServiceTable::modalWindow},
};

// Asks lookup for service 48 and, unless it answers 0, for every service of kStartServices in
// order. False (and nothing else asked) when the host answered 0: the plug-in then stays inert.
bool fillServiceTable(TVorlenLookup lookup, THostServiceTable& table);

// A service slot as the function it holds.
template <class TService>
TService serviceAs(intptr_t slot) {
  return reinterpret_cast<TService>(slot);
}

// Host values and state

// What the second-level services answered at start: pointers into the host (null where the host
// has nothing), except the two handles.
struct THostValues {
  void* mainWindow = nullptr;  // HWND
  void* marginTop = nullptr;   // int32_t
  void* marginBottom = nullptr;
  void* marginLeft = nullptr;
  void* marginRight = nullptr;
  void* frameColour = nullptr;  // uint32_t colours from here
  void* headerLineColour = nullptr;
  void* tickedColour = nullptr;
  void* tickedTextColour = nullptr;
  void* panelColour = nullptr;
  void* oddRowColour = nullptr;
  void* busy = nullptr;  // uint8_t
  void* busyOther = nullptr;
  void* panelFont = nullptr;  // LOGFONTW
  void* drawFont = nullptr;
  void* gameMenu = nullptr;            // HMENU
  void* pageScrollFraction = nullptr;  // double
  void* textBufferLength = nullptr;    // int32_t
  void* checkBoxHeight = nullptr;
  void* checkBoxWidth = nullptr;
  void* wheelByPage = nullptr;   // uint8_t
  void* dialogResult = nullptr;  // int32_t cell
};

// Which second-level service a value comes from.
enum class THostLevel : uint8_t { windows, values, state };

struct TValueSlot {
  THostLevel level;
  int32_t value;
  void* THostValues::*slot;
};

// The values asked at start, in the order they are asked.
inline constexpr TValueSlot kStartValues[] = {
    {THostLevel::windows, kWindowMain, &THostValues::mainWindow},
    {THostLevel::values, kValueMarginTop, &THostValues::marginTop},
    {THostLevel::values, kValueMarginBottom, &THostValues::marginBottom},
    {THostLevel::values, kValueMarginLeft, &THostValues::marginLeft},
    {THostLevel::values, kValueMarginRight, &THostValues::marginRight},
    {THostLevel::values, kValueFrameColour, &THostValues::frameColour},
    {THostLevel::values, kValueHeaderLineColour, &THostValues::headerLineColour},
    {THostLevel::values, kValueTickedColour, &THostValues::tickedColour},
    {THostLevel::values, kValueTickedTextColour, &THostValues::tickedTextColour},
    {THostLevel::values, kValuePanelColour, &THostValues::panelColour},
    {THostLevel::values, kValueOddRowColour, &THostValues::oddRowColour},
    {THostLevel::state, kStateBusy, &THostValues::busy},
    {THostLevel::state, kStateBusyOther, &THostValues::busyOther},
    {THostLevel::values, kValuePanelFont, &THostValues::panelFont},
    {THostLevel::values, kValueDrawFont, &THostValues::drawFont},
    {THostLevel::windows, kWindowGameMenu, &THostValues::gameMenu},
    {THostLevel::values, kValuePageScrollFraction, &THostValues::pageScrollFraction},
    {THostLevel::values, kValueTextBufferLength, &THostValues::textBufferLength},
    {THostLevel::values, kValueCheckBoxHeight, &THostValues::checkBoxHeight},
    {THostLevel::values, kValueCheckBoxWidth, &THostValues::checkBoxWidth},
    {THostLevel::state, kStateWheelByPage, &THostValues::wheelByPage},
    {THostLevel::state, kStateDialogResult, &THostValues::dialogResult},
};

// Asks the three second-level services of table for every value of kStartValues in order.
void fillHostValues(const THostServiceTable& table, THostValues& values);

// One second-level answer asked later (the lock, the skin, the panel records).
void* askHost(const THostServiceTable& table, THostLevel level, int32_t value);

// Reading what a value points at; fallback where the host gave nothing.
int32_t hostInt(const void* value, int32_t fallback);
uint32_t hostColour(const void* value, uint32_t fallback);
uint8_t hostByte(const void* value);
double hostDouble(const void* value, double fallback);

// The process-wide tables, filled by the start entry.
extern THostServiceTable hostServices;
extern THostValues hostValues;
