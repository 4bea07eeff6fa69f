#include "gamesiftwnd/settingswindows_win32.h"

#include "gamesiftwnd/panel_win32.h"
#include "plugin/hostservices_logic.h"

SIZE textExtent(HDC dc, std::u16string_view text) {
  HGDIOBJ old = SelectObject(dc, panelFont);
  SIZE size{};
  GetTextExtentPoint32W(dc, wide(text), static_cast<int>(text.size()), &size);
  SelectObject(dc, old);
  return size;
}

// The measures keep a screen context of their own: the pages are laid out once, but a text is
// measured again whenever a layout is asked for.
TPageMetrics pageMetrics(HWND panel) {
  const TPanelMetrics host = panelMetrics();
  TPageMetrics m;
  m.top = host.marginTop;
  m.bottom = host.marginBottom;
  m.left = host.marginLeft;
  m.boxWidth = hostInt(hostValues.checkBoxWidth, 13);
  m.boxHeight = hostInt(hostValues.checkBoxHeight, 13);
  m.rowHeight = rowHeight;
  m.fieldTextHeight = host.textHeight;
  HDC dc = GetDC(panel);
  m.fontHeight = textExtent(dc, u"Удалять лишние:").cy;
  ReleaseDC(panel, dc);
  m.textWidth = [panel](std::u16string_view text) {
    HDC measuring = GetDC(panel);
    const int32_t width = textExtent(measuring, text).cx;
    ReleaseDC(panel, measuring);
    return width;
  };
  return m;
}

TRect workArea() {
  RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  return {area.left, area.top, area.right, area.bottom};
}

SIZE withWindowFrame(HWND window, int32_t width, int32_t height) {
  RECT frame{0, 0, width, height};
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
  const auto extended = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE));
  if (!AdjustWindowRectEx(&frame, style, FALSE, extended)) return SIZE{width, height};
  return SIZE{frame.right - frame.left, frame.bottom - frame.top};
}

const wchar_t* wide(std::u16string_view text) {
  return reinterpret_cast<const wchar_t*>(text.data());
}
