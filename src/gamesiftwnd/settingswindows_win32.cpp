#include "gamesiftwnd/settingswindows_win32.h"

#include "plugin/hostservices_logic.h"

HFONT settingsFont() {
  static HFONT font = [] {
    const auto* description = static_cast<const LOGFONTW*>(hostValues.panelFont);
    if (description != nullptr) return CreateFontIndirectW(description);
    return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  }();
  return font;
}

int32_t hostTextHeight() {
  return hostInt(askHost(hostServices, THostLevel::state, kStateTextHeight), 16);
}

int32_t textWidth(HDC dc, std::u16string_view text) {
  SIZE size{};
  GetTextExtentPoint32W(dc, wide(text), static_cast<int>(text.size()), &size);
  return size.cx;
}

int32_t textHeight(HDC dc, std::u16string_view text) {
  SIZE size{};
  GetTextExtentPoint32W(dc, wide(text), static_cast<int>(text.size()), &size);
  return size.cy;
}

TPageMetrics pageMetrics(HDC dc) {
  TPageMetrics m;
  m.top = hostInt(hostValues.marginTop, 0);
  m.bottom = hostInt(hostValues.marginBottom, 0);
  m.left = hostInt(hostValues.marginLeft, 0);
  m.boxWidth = hostInt(hostValues.checkBoxWidth, 13);
  m.boxHeight = hostInt(hostValues.checkBoxHeight, 13);
  m.rowHeight = rowHeight(textHeight(dc, u"Сохранять в"), m.boxHeight);
  m.fieldTextHeight = hostTextHeight();
  m.fontHeight = textHeight(dc, u"Удалять лишние:");
  m.textWidth = [dc](std::u16string_view text) { return textWidth(dc, text); };
  return m;
}

TRect workArea() {
  RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  return {area.left, area.top, area.right, area.bottom};
}

const wchar_t* wide(std::u16string_view text) {
  return reinterpret_cast<const wchar_t*>(text.data());
}
