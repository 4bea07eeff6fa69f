#include "buttons_win32.h"

#include <ocidl.h>
#include <olectl.h>

#include "hostvalues_win32.h"

namespace {

constexpr wchar_t kButtonClass[] = L"knop";
constexpr wchar_t kButtonProperty[] = L"VorlenButton";
constexpr COLORREF kFaceEdge = RGB(120, 128, 140);

// Stretches a picture over the rectangle; false when there is none.
bool renderPicture(void* picture, HDC dc, const RECT& area) {
  auto* image = static_cast<IPicture*>(picture);
  if (image == nullptr) return false;
  OLE_XSIZE_HIMETRIC width = 0;
  OLE_YSIZE_HIMETRIC height = 0;
  image->get_Width(&width);
  image->get_Height(&height);
  return SUCCEEDED(image->Render(dc, area.left, area.top, area.right - area.left,
                                 area.bottom - area.top, 0, height, width, -height, nullptr));
}

void drawCaption(HDC dc, const RECT& area, const wchar_t* caption, bool pressed) {
  if (caption == nullptr || caption[0] == 0) return;
  RECT place = area;
  if (pressed) OffsetRect(&place, 1, 1);
  HGDIOBJ oldFont = SelectObject(dc, hostPanelFont());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0, 0, 0));
  DrawTextW(dc, caption, -1, &place, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  SelectObject(dc, oldFont);
}

// A plain face where the plug-in gave no picture, so a button is never invisible.
void drawPlainFace(HDC dc, RECT area, bool pressed) {
  HBRUSH brush = CreateSolidBrush(hostStore.panelColour);
  FillRect(dc, &area, brush);
  DeleteObject(brush);
  DrawEdge(dc, &area, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
}

// The edge of what shows of the button: its window region inside its client area, so that the
// rounded ends get an outline like the flat top and bottom of the face.
void outlineShape(HWND window, HDC dc, const RECT& area) {
  HRGN shape = CreateRectRgn(0, 0, 0, 0);
  HRGN client = CreateRectRgnIndirect(&area);
  if (GetWindowRgn(window, shape) != ERROR && CombineRgn(shape, shape, client, RGN_AND) != ERROR) {
    HBRUSH edge = CreateSolidBrush(kFaceEdge);
    FrameRgn(dc, shape, edge, 1, 1);
    DeleteObject(edge);
  }
  DeleteObject(client);
  DeleteObject(shape);
}

void paintButton(HWND window) {
  PAINTSTRUCT paint{};
  HDC dc = BeginPaint(window, &paint);
  RECT area{};
  GetClientRect(window, &area);
  const auto* button = static_cast<const TButInf*>(GetPropW(window, kButtonProperty));
  const bool hover = hostStore.hoverWindow == window;
  const bool pressed = hover && hostStore.pressedWindow == window;
  void* face = nullptr;
  if (button) face = pressed ? button->pressedFace : hover ? button->hoverFace : button->normalFace;
  if (!renderPicture(face, dc, area)) drawPlainFace(dc, area, pressed);
  outlineShape(window, dc, area);
  wchar_t caption[128] = {};
  GetWindowTextW(window, caption, 128);
  drawCaption(dc, area, caption, pressed);
  EndPaint(window, &paint);
}

void setCell(void*& cell, HWND value, HWND window) {
  if (cell == value) return;
  cell = value;
  InvalidateRect(window, nullptr, FALSE);
}

void releaseButton(HWND window, LPARAM lParam) {
  const bool wasPressed = hostStore.pressedWindow == window;
  setCell(hostStore.pressedWindow, nullptr, window);
  if (GetCapture() == window) ReleaseCapture();
  RECT area{};
  GetClientRect(window, &area);
  const POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
  const auto* button = static_cast<const TButInf*>(GetPropW(window, kButtonProperty));
  if (wasPressed && PtInRect(&area, point) && button && button->click) button->click();
}

LRESULT CALLBACK buttonProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      paintButton(window);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_MOUSEMOVE:
      if (hostStore.hoverWindow != window) {
        TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, window, 0};
        TrackMouseEvent(&track);
        setCell(hostStore.hoverWindow, window, window);
      }
      return 0;
    case WM_MOUSELEAVE:
      if (hostStore.hoverWindow == window) setCell(hostStore.hoverWindow, nullptr, window);
      return 0;
    case WM_LBUTTONDOWN:
      SetCapture(window);
      setCell(hostStore.pressedWindow, window, window);
      return 0;
    case WM_LBUTTONUP:
      releaseButton(window, lParam);
      return 0;
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(lParam) != window)
        setCell(hostStore.pressedWindow, nullptr, window);
      return 0;
    case WM_SETTEXT:
      InvalidateRect(window, nullptr, FALSE);
      break;
    case WM_NCDESTROY:
      RemovePropW(window, kButtonProperty);
      if (hostStore.hoverWindow == window) hostStore.hoverWindow = nullptr;
      if (hostStore.pressedWindow == window) hostStore.pressedWindow = nullptr;
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

COLORREF blend(COLORREF from, COLORREF to, int step, int steps) {
  auto mix = [&](int a, int b) { return a + (b - a) * step / (steps > 1 ? steps - 1 : 1); };
  return RGB(mix(GetRValue(from), GetRValue(to)), mix(GetGValue(from), GetGValue(to)),
             mix(GetBValue(from), GetBValue(to)));
}

// A vertical gradient with a one-pixel border, as an IPicture that owns its bitmap.
void* gradientPicture(COLORREF top, COLORREF bottom, COLORREF border) {
  constexpr int kWidth = 96;
  constexpr int kHeight = 28;
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, kWidth, kHeight);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(dc, bitmap);
  for (int y = 0; y < kHeight; ++y) {
    HPEN pen = CreatePen(PS_SOLID, 1,
                         y == 0 || y == kHeight - 1 ? border : blend(top, bottom, y, kHeight));
    HGDIOBJ oldPen = SelectObject(dc, pen);
    MoveToEx(dc, 0, y, nullptr);
    LineTo(dc, kWidth, y);
    SelectObject(dc, oldPen);
    DeleteObject(pen);
  }
  SelectObject(dc, old);
  DeleteDC(dc);
  PICTDESC description{};
  description.cbSizeofstruct = sizeof(description);
  description.picType = PICTYPE_BITMAP;
  description.bmp.hbitmap = bitmap;
  void* picture = nullptr;
  if (FAILED(OleCreatePictureIndirect(&description, IID_IPicture, TRUE, &picture))) {
    DeleteObject(bitmap);
    return nullptr;
  }
  return picture;
}

}  // namespace

void registerButtonClass() {
  WNDCLASSEXW type{};
  type.cbSize = sizeof(type);
  type.lpfnWndProc = buttonProc;
  type.hInstance = GetModuleHandleW(nullptr);
  type.hCursor = LoadCursorW(nullptr, IDC_HAND);
  type.lpszClassName = kButtonClass;
  RegisterClassExW(&type);
}

void makeHostSkin(THostSkin& skin) {
  const COLORREF edge = kFaceEdge;
  skin.buttonFaces[0] = gradientPicture(RGB(250, 250, 250), RGB(214, 216, 220), edge);
  skin.buttonFaces[1] = gradientPicture(RGB(255, 255, 255), RGB(222, 230, 244), edge);
  skin.buttonFaces[2] = gradientPicture(RGB(200, 202, 206), RGB(232, 232, 232), edge);
  skin.startButton = TButInf{};
  skin.startButton.normalFace = gradientPicture(RGB(214, 232, 255), RGB(120, 164, 226), edge);
  skin.startButton.hoverFace = gradientPicture(RGB(232, 242, 255), RGB(146, 186, 240), edge);
  skin.startButton.pressedFace = gradientPicture(RGB(110, 150, 210), RGB(190, 214, 246), edge);
}

void VORLEN_CALL paintBackgroundService(void* window, void* deviceContext) {
  RECT area{};
  if (!GetClientRect(static_cast<HWND>(window), &area)) return;
  HBRUSH brush = CreateSolidBrush(hostStore.panelColour);
  FillRect(static_cast<HDC>(deviceContext), &area, brush);
  DeleteObject(brush);
}

void VORLEN_CALL buttonFaceService(void* picture, const char16_t* caption, intptr_t normalFace,
                                   const TFaceSize* size, void* deviceContext) {
  if (size == nullptr || deviceContext == nullptr) return;
  HDC dc = static_cast<HDC>(deviceContext);
  const RECT area{0, 0, size->width, size->height};
  if (!renderPicture(picture, dc, area)) drawPlainFace(dc, area, normalFace == 0);
  drawCaption(dc, area, reinterpret_cast<const wchar_t*>(caption), normalFace == 0);
}

void VORLEN_CALL prepareButtonService(TButInf* button) {
  if (button == nullptr || button->window == nullptr) return;
  SetPropW(static_cast<HWND>(button->window), kButtonProperty, button);
  InvalidateRect(static_cast<HWND>(button->window), nullptr, FALSE);
}

void VORLEN_CALL prepareCaptionButtonService(TButInf* button, const char16_t* caption) {
  if (button == nullptr || button->window == nullptr) return;
  SetPropW(static_cast<HWND>(button->window), kButtonProperty, button);
  if (caption != nullptr)
    SetWindowTextW(static_cast<HWND>(button->window), reinterpret_cast<const wchar_t*>(caption));
  InvalidateRect(static_cast<HWND>(button->window), nullptr, FALSE);
}
