#include "gamesiftwnd/panelchildren_win32.h"

#include "gamesiftwnd/gamelist_win32.h"
#include "gamesiftwnd/outputedit_win32.h"
#include "gamesiftwnd/panel_win32.h"
#include "gamesiftwnd/pictures_win32.h"
#include "plugin/hostservices_logic.h"
#include "plugin/panelstate_logic.h"
#include "plugin/plugin_win32.h"

HWND outputEdit = nullptr;

namespace {

TButInf startButton{};
TButInf menuButton{};
TButInf browseButton{};
void* browseUp = nullptr;
void* browseDown = nullptr;
bool picturesLoaded = false;
WNDPROC browseOwnProc = nullptr;
HBITMAP browseBitmap = nullptr;
HDC browseDc = nullptr;
TBottomRowTexts texts;
TButtonShape browseShape;

constexpr wchar_t kBrowseCaption[] = L"Обзор...";

const THostSkin* hostSkin() {
  return static_cast<const THostSkin*>(askHost(hostServices, THostLevel::state, kStateSkin));
}

// The off-screen bitmap of the browse button's face, made again when the button's size changed.
HDC browseCanvas(HDC dc, int32_t width, int32_t height) {
  static TFaceSize made{0, 0};
  if (browseDc && made.width == width && made.height == height) return browseDc;
  if (!browseDc) browseDc = CreateCompatibleDC(dc);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP fresh = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  SelectObject(browseDc, fresh);
  if (browseBitmap) DeleteObject(browseBitmap);
  browseBitmap = fresh;
  made = TFaceSize{width, height};
  return browseDc;
}

// The browse button's face is drawn by the host into an off-screen bitmap, then stretched.
void paintBrowse(HWND button) {
  PAINTSTRUCT paint{};
  HDC dc = BeginPaint(button, &paint);
  void* hover = askHost(hostServices, THostLevel::state, kStateHoverWindow);
  void* pressed = askHost(hostServices, THostLevel::state, kStatePressedWindow);
  const bool down = hover && pressed && *static_cast<HWND*>(hover) == button &&
                    *static_cast<HWND*>(pressed) == button;
  void* face = down ? browseDown : browseUp;
  auto draw = serviceAs<TServiceButtonFace>(hostServices.buttonFace);
  if (face && draw) {
    const int32_t width = browseShape.width;
    const int32_t height = browseShape.height;
    HDC canvas = browseCanvas(dc, width, height);
    const TFaceSize size{width, height};
    draw(face, reinterpret_cast<const char16_t*>(kBrowseCaption), down ? 0 : 1, &size, canvas);
    RECT area{};
    GetClientRect(button, &area);
    StretchBlt(dc, 0, 0, area.right, area.bottom, canvas, 0, 0, width, height, SRCCOPY);
  }
  EndPaint(button, &paint);
}

LRESULT CALLBACK browseProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    paintBrowse(button);
    return 0;
  }
  return CallWindowProcW(browseOwnProc, button, message, wParam, lParam);
}

void measureBottomRow(HWND panel) {
  texts.menuCaption = measureText(panel, L"menu").cx;
  texts.browseCaption = measureText(panel, kBrowseCaption).cx;
  texts.startCaption = measureText(panel, L"Старт").cx;
  texts.label = measureText(panel, kEditLabelMeasured).cx;
}

void buildButtons(HWND panel) {
  const TBottomRowShapes shapes = bottomRowShapes(panelMetrics().textHeight, texts);
  browseShape = shapes.browse;
  const THostSkin* skin = hostSkin();
  if (skin) startButton = skin->startButton;
  startButton.hoverFace = startButton.normalFace;
  startButton.click = startBatch;
  menuButton = TButInf{};
  if (skin) {
    menuButton.normalFace = skin->buttonFaces[0];
    menuButton.hoverFace = skin->buttonFaces[1];
    menuButton.pressedFace = skin->buttonFaces[2];
  }
  menuButton.click = showPanelMenu;
  if (!picturesLoaded) {
    browseUp = loadHostPicture("plugins\\obzor_u.gif");
    browseDown = loadHostPicture("plugins\\obzor_d.gif");
    picturesLoaded = true;
  }
  browseButton = TButInf{nullptr, browseUp, browseUp, browseDown, chooseOutput};
  startButton.window = makeHostButton(panel, L"Старт", shapes.start);
  menuButton.window = makeHostButton(panel, L"menu", shapes.menu);
  browseButton.window = makeHostButton(panel, L"Обзор", shapes.browse);
  if (browseButton.window) {
    browseOwnProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(static_cast<HWND>(browseButton.window), GWLP_WNDPROC,
                          reinterpret_cast<LONG_PTR>(browseProc)));
  }
  auto caption = serviceAs<TServicePrepareCaptionButton>(hostServices.prepareCaptionButton);
  auto plain = serviceAs<TServicePrepareButton>(hostServices.prepareButton);
  if (caption) caption(&startButton, u"Старт");
  if (plain) plain(&menuButton);
  if (plain) plain(&browseButton);
}

}  // namespace

HWND makeHostButton(HWND parent, const wchar_t* text, int x, int y, int width, int height,
                    const RECT& region, int ellipse) {
  HWND button = CreateWindowExW(0, L"knop", text, WS_CHILD | WS_VISIBLE, x, y, width, height,
                                parent, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (button) {
    HRGN shape =
        CreateRoundRectRgn(region.left, region.top, region.right, region.bottom, ellipse, ellipse);
    SetWindowRgn(button, shape, FALSE);
  }
  return button;
}

HWND makeHostButton(HWND parent, const wchar_t* text, const TButtonShape& shape) {
  const TRect& r = shape.region;
  return makeHostButton(parent, text, 0, 0, shape.width, shape.height,
                        RECT{r.left, r.top, r.right, r.bottom}, shape.ellipse);
}

SIZE measureText(HWND window, const wchar_t* text) {
  SIZE extent{};
  HDC dc = GetDC(window);
  HGDIOBJ old = SelectObject(dc, panelFont);
  GetTextExtentPoint32W(dc, text, lstrlenW(text), &extent);
  SelectObject(dc, old);
  ReleaseDC(window, dc);
  return extent;
}

void buildPanelChildren(HWND panel) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  listScrollBar = CreateWindowExW(0, L"SCROLLBAR", L"", WS_CHILD | SBS_VERT | SBS_RIGHTALIGN, 0, 0,
                                  0, 0, panel, nullptr, instance, nullptr);
  const std::wstring path(outputPath.begin(), outputPath.end());
  outputEdit = CreateWindowExW(0, L"EDIT", path.c_str(), WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 0,
                               0, 0, 0, panel, nullptr, instance, nullptr);
  SendMessageW(outputEdit, WM_SETFONT, reinterpret_cast<WPARAM>(panelFont), FALSE);
  SendMessageW(outputEdit, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(2, 2));
  attachOutputEdit(outputEdit);
  measureBottomRow(panel);
  buildButtons(panel);
}

const TBottomRowTexts& bottomRowTexts() {
  return texts;
}

void placeBottomRow(const TPanelLayout& layout) {
  constexpr UINT kKeepOrder = SWP_NOZORDER | SWP_NOSIZE | SWP_NOACTIVATE;
  const auto move = [](const TButInf& button, const TRect& place) {
    SetWindowPos(static_cast<HWND>(button.window), nullptr, place.left, place.top, 0, 0,
                 kKeepOrder);
  };
  move(startButton, layout.startButton);
  move(browseButton, layout.browseButton);
  move(menuButton, layout.menuButton);
  const TRect& edit = layout.outputEdit;
  const int width = edit.right - edit.left > 0 ? edit.right - edit.left : 0;
  SetWindowPos(outputEdit, nullptr, edit.left, edit.top, width, edit.bottom - edit.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void paintBottomRow(HDC dc) {
  const TPanelLayout& layout = currentLayout();
  const TRect& edit = layout.outputEdit;
  HGDIOBJ old = SelectObject(dc, panelFont);
  TextOutW(dc, layout.label.x, layout.label.y, kEditLabel, lstrlenW(kEditLabel));
  SelectObject(dc, old);
  HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
  Rectangle(dc, edit.left - 1, edit.top - 1, edit.right + 1, edit.bottom + 1);
  SelectObject(dc, oldBrush);
}

void VORLEN_CALL showPanelMenu() {
  RECT place{};
  GetWindowRect(static_cast<HWND>(menuButton.window), &place);
  TrackPopupMenu(panelMenu, TPM_LEFTBUTTON | TPM_BOTTOMALIGN, place.left, place.top, 0,
                 hostMainWindow, nullptr);
}
