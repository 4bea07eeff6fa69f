#pragma once
// The contract between the host application and the plug-in: service ids, the lookup function and
// the records that cross the boundary. Plain C layouts only; both sides include this header.
//
// Every service is a function that the lookup hands out by id. All arguments and results are
// pointer-sized, so one declaration serves 32 and 64 bit; windows, device contexts, menus, fonts
// and pictures travel as opaque pointers (HWND, HDC, HMENU, LOGFONTW*, IPicture* on Win32).

#include <stddef.h>
#include <stdint.h>
#ifndef __cplusplus
#include <uchar.h>
#endif

#if defined(_WIN32) && !defined(_WIN64)
#define VORLEN_CALL __stdcall
#else
#define VORLEN_CALL
#endif

#ifdef __cplusplus
extern "C" {
#endif

// Top-level services (the id passed to the lookup function)

enum {
  kServiceCreatePanel = 35,        // the panel's window, made with the plug-in's procedures
  kServiceModalWindow = 37,        // runs a modal window; returns its dialog state when it closes
  kServiceDefaultProc = 38,        // the host's default handling of a panel message
  kServicePaintBackground = 39,    // paints the host's standard background; no result
  kServiceOptionControl = 40,      // a host-drawn check box from a TOptionBox; no result
  kServiceButtonFace = 45,         // draws a button face into a device context; no result
  kServiceLineText = 48,           // 8-bit text before the line's first move, or the second text
  kServiceEnterVariation = 58,     // enters variation n (from 1) at the current move; no result
  kServiceLeaveVariation = 59,     // back to the parent line; no result
  kServiceMoveRecord = 60,         // const TMove* of move index of the current line
  kServiceSetPosition = 67,        // current position to move n of the line (0 = start)
  kServiceInVariation = 68,        // nonzero while the current line is a variation
  kServiceLineMoveCount = 69,      // number of moves of the current line
  kServiceCurrentMove = 70,        // index of the current move, also stored in the cell passed in
  kServicePlyNumber = 71,          // ply number of the current position
  kServiceResultText = 75,         // 8-bit result text of the current game
  kServiceSelectGame = 77,         // makes game n of the host's list current; no result
  kServiceWindows = 10001,         // a host window or menu handle (kWindow... below)
  kServiceValues = 10002,          // pointer to a host value (kValue... below); 0 when absent
  kServiceUnused = 10003,          // asked at start, never called
  kServiceRegisterCommand = 10004, // command identifier; the host calls the handler on it
  kServiceState = 10005,           // pointer to host state (kState... below)
  kServicePrepareButton = 10006,   // prepares a host button from its TButInf; no result
  kServicePrepareCaptionButton = 10011,  // the same, with a UTF-16 caption; no result
};

// Second level of kServiceWindows
enum {
  kWindowMain = 1,      // the host's main window
  kWindowGameMenu = 9,  // the host's game menu (HMENU)
};

// Second level of kServiceValues: each result points at the host's value
enum {
  kValueTextBufferLength = 2,     // int32_t: length of a text buffer in characters
  kValuePageScrollFraction = 14,  // double: share of the list height one page scroll moves
  kValuePanelColour = 17,         // uint32_t colour (0x00BBGGRR): panel brush and even rows
  kValueTickedColour = 18,        // uint32_t colour: ticked rows
  kValueTickedTextColour = 19,    // uint32_t colour: text of ticked rows
  kValueMarginTop = 20,           // int32_t pixels
  kValueMarginBottom = 21,        // int32_t pixels
  kValueMarginLeft = 22,          // int32_t pixels
  kValueMarginRight = 23,         // int32_t pixels
  kValueCheckBoxHeight = 32,      // int32_t pixels
  kValueCheckBoxWidth = 33,       // int32_t pixels
  kValuePanelFont = 37,           // font description (LOGFONTW) of the panel's own font
  kValueDrawFont = 38,            // font description (LOGFONTW) of tabs, headers and row numbers
  kValueOddRowColour = 45,        // uint32_t colour: odd rows and the area under the last row
  kValueHeaderLineColour = 47,    // uint32_t colour: the line under the column headers
  kValueFrameColour = 49,         // uint32_t colour of frames; may be absent (grey 190 is used)
  kValueGameCapacity = 70,        // int32_t: initial capacity of a game array
};

// Second level of kServiceState: each result points at the host's state
enum {
  kStateBusy = 8,               // uint8_t: mouse input ignored while set
  kStateDialogResult = 14,      // int32_t cell: 1 accepted / -1 cancelled closes the modal window
  kStateSkin = 15,              // THostSkin
  kStateGameLock = 16,          // the lock guarding every game array (Win32: CRITICAL_SECTION)
  kStateCurrentGame = 42,       // int32_t: index of the host's current game
  kStateHoverWindow = 43,       // window handle cell: the window under the mouse
  kStatePressedWindow = 44,     // window handle cell: the pressed window
  kStatePanels = 45,            // THostPanelList
  kStateCurrentLine = 58,       // the current line's identity itself (opaque, compared only)
  kStateBusyOther = 59,         // uint8_t: mouse input ignored while set
  kStateRowOrder = 60,          // const int32_t* cell: game index per row of the host's list
  kStateTextHeight = 65,        // int32_t pixels
  kStateGames = 102,            // THostGameList: the host's open games
  kStateWheelByPage = 115,      // uint8_t: the mouse wheel scrolls by pages
};

// Procedures crossing the boundary

typedef intptr_t(VORLEN_CALL* TVorlenLookup)(intptr_t service);
// Menu commands, button clicks and check-box changes.
typedef void(VORLEN_CALL* TVorlenHandler)(void);
// A window procedure with the platform's conventions (window, message, wParam, lParam).
typedef intptr_t(VORLEN_CALL* TVorlenWindowProc)(void* window, uint32_t message, uintptr_t wParam,
                                                 intptr_t lParam);
typedef void(VORLEN_CALL* TVorlenPaintProc)(void* window, void* deviceContext);

// The plug-in's exported entries.
typedef void(VORLEN_CALL* TVorlenStart)(TVorlenLookup lookup);
typedef void(VORLEN_CALL* TVorlenStop)(void);

// Records crossing the boundary

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
  const intptr_t* variations;  // their line identities, as kStateCurrentLine gives them
  uint32_t reserved;
} TMove;

// A host button of the class "knop".
typedef struct TButInf {
  void* window;
  void* normalFace;   // IPicture
  void* hoverFace;    // IPicture
  void* pressedFace;  // IPicture
  TVorlenHandler click;
} TButInf;

// The host's look: the start button and the three faces of its other buttons.
typedef struct THostSkin {
  TButInf startButton;
  void* buttonFaces[3];  // IPicture: normal, hover, pressed
} THostSkin;

// The host's record of one panel, 32 bytes on every target; the bytes not named here are the
// host's. The window handle is the 32-bit handle of the 32-bit layout at byte 0 and nothing more:
// bytes 4 to 7 are the host's and may hold anything. The 64-bit build keeps the same layout, a
// window handle being 32 bits significant there too (Windows shares handles between 32- and
// 64-bit processes by truncating them and sign-extending them back).
typedef struct THostPanelRecord {
  uint32_t window;  // the panel's window handle, its low 32 bits
  uint32_t hostWord;
  uint64_t hostData;
  int32_t command;  // the command that shows the panel
  int32_t hostFlags;
  int32_t minWidth;
  int32_t minHeight;
} THostPanelRecord;

typedef struct THostPanelList {
  THostPanelRecord* records;
  int32_t count;
} THostPanelList;

// One tag of a host game; texts are NUL-terminated 8-bit, byte for byte as read.
typedef struct THostTag {
  const char* Name;
  const char* Value;
} THostTag;

// One game of the host's list, with the meanings of TGame.
typedef struct THostGameRecord {
  void* Journal;  // set when the host holds the game's moves in memory; opaque to the plug-in
  const THostTag* Tags;
  int32_t TagCount;
  const char16_t* FileName;  // NUL-terminated UTF-16
  int32_t TextStart;
  int32_t TextLength;
} THostGameRecord;

typedef struct THostGameList {
  const THostGameRecord* Games;
  int32_t Count;
} THostGameList;

// The record passed with every command registration: kind 9, flags 0.
typedef struct TCommandRecord {
  uint16_t kind;
  uint16_t flags;
} TCommandRecord;

enum { kOptionOn = 1, kOptionOff = 2 };

// A host-drawn check box; the plug-in owns the record for the life of the control.
typedef struct TOptionBox {
  void* window;  // filled by the host when it creates the control
  int32_t state;  // kOptionOn or kOptionOff, flipped by the host before it calls handler
  TVorlenHandler handler;
  int32_t last;  // 0
} TOptionBox;

// Size handed to the button face service.
typedef struct TFaceSize {
  int32_t width;
  int32_t height;
} TFaceSize;

// The services' signatures

typedef void*(VORLEN_CALL* TServiceCreatePanel)(const char16_t* caption, intptr_t left,
                                                intptr_t top, intptr_t width, intptr_t height,
                                                void* owner, intptr_t flagA, intptr_t flagB,
                                                intptr_t flagC, TVorlenWindowProc messageProc,
                                                TVorlenPaintProc paintProc);
typedef intptr_t(VORLEN_CALL* TServiceModalWindow)(const char16_t* caption, intptr_t left,
                                                   intptr_t top, intptr_t width, intptr_t height,
                                                   void* owner, TVorlenWindowProc messageProc,
                                                   TVorlenPaintProc paintProc);
typedef TVorlenWindowProc TServiceDefaultProc;
typedef TVorlenPaintProc TServicePaintBackground;
typedef void(VORLEN_CALL* TServiceOptionControl)(TOptionBox* box, intptr_t left, intptr_t top,
                                                 void* parent);
typedef void(VORLEN_CALL* TServiceButtonFace)(void* picture, const char16_t* caption,
                                              intptr_t normalFace, const TFaceSize* size,
                                              void* deviceContext);
typedef const char*(VORLEN_CALL* TServiceLineText)(intptr_t beforeFirstMove);
typedef void(VORLEN_CALL* TServiceEnterVariation)(intptr_t n);
typedef void(VORLEN_CALL* TServiceLeaveVariation)(void);
typedef const TMove*(VORLEN_CALL* TServiceMoveRecord)(intptr_t index);
typedef void(VORLEN_CALL* TServiceSetPosition)(intptr_t n);
typedef intptr_t(VORLEN_CALL* TServiceCount)(void);  // 68, 69 and 71
typedef intptr_t(VORLEN_CALL* TServiceCurrentMove)(int32_t* cell);
typedef const char*(VORLEN_CALL* TServiceResultText)(void);
typedef void(VORLEN_CALL* TServiceSelectGame)(intptr_t n);
typedef void*(VORLEN_CALL* TServiceSecondLevel)(intptr_t value);  // 10001, 10002 and 10005
typedef intptr_t(VORLEN_CALL* TServiceRegisterCommand)(const TCommandRecord* record,
                                                       TVorlenHandler handler);
typedef void(VORLEN_CALL* TServicePrepareButton)(TButInf* button);
typedef void(VORLEN_CALL* TServicePrepareCaptionButton)(TButInf* button, const char16_t* caption);

// Layouts both sides rely on

#ifdef __cplusplus
#define VORLEN_STATIC_ASSERT static_assert
#else
#define VORLEN_STATIC_ASSERT _Static_assert
#endif
#define VORLEN_ASSERT_SIZE(type, size32, size64) \
  VORLEN_STATIC_ASSERT(sizeof(type) == (sizeof(void*) == 4 ? (size32) : (size64)), #type)

VORLEN_ASSERT_SIZE(TMove, 32, 48);
VORLEN_ASSERT_SIZE(TButInf, 20, 40);
VORLEN_ASSERT_SIZE(THostSkin, 32, 64);
VORLEN_ASSERT_SIZE(THostPanelRecord, 32, 32);
VORLEN_ASSERT_SIZE(THostPanelList, 8, 16);
VORLEN_ASSERT_SIZE(THostTag, 8, 16);
VORLEN_ASSERT_SIZE(THostGameRecord, 24, 40);
VORLEN_ASSERT_SIZE(THostGameList, 8, 16);
VORLEN_ASSERT_SIZE(TCommandRecord, 4, 4);
VORLEN_ASSERT_SIZE(TOptionBox, 16, 32);
VORLEN_ASSERT_SIZE(TFaceSize, 8, 8);
VORLEN_STATIC_ASSERT(offsetof(THostPanelRecord, window) == 0, "panel window");
VORLEN_STATIC_ASSERT(sizeof(((THostPanelRecord*)0)->window) == 4, "panel window size");
VORLEN_STATIC_ASSERT(offsetof(THostPanelRecord, command) == 16, "panel command");
VORLEN_STATIC_ASSERT(offsetof(THostPanelRecord, minWidth) == 24, "panel minimum width");
VORLEN_STATIC_ASSERT(offsetof(THostPanelRecord, minHeight) == 28, "panel minimum height");

#ifdef __cplusplus
}
#endif
