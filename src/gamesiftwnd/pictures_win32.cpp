#include "gamesiftwnd/pictures_win32.h"

#include <ocidl.h>
#include <olectl.h>

#include "uchess/fileutil.h"

namespace {

// The file's bytes as a stream the picture loader can read; null when unreadable.
IStream* fileStream(const std::string& bytes) {
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
  if (!memory) return nullptr;
  void* place = GlobalLock(memory);
  if (!place) {
    GlobalFree(memory);
    return nullptr;
  }
  CopyMemory(place, bytes.data(), bytes.size());
  GlobalUnlock(memory);
  IStream* stream = nullptr;
  if (FAILED(CreateStreamOnHGlobal(memory, TRUE, &stream))) {
    GlobalFree(memory);
    return nullptr;
  }
  return stream;
}

}  // namespace

void* loadHostPicture(const std::string& relativePath) {
  std::string bytes;
  if (!readWholeFile(hostFolder() / relativePath, bytes) || bytes.empty()) return nullptr;
  IStream* stream = fileStream(bytes);
  if (!stream) return nullptr;
  IPicture* picture = nullptr;
  const HRESULT loaded = OleLoadPicture(stream, static_cast<LONG>(bytes.size()), FALSE,
                                        IID_IPicture, reinterpret_cast<void**>(&picture));
  stream->Release();
  return SUCCEEDED(loaded) ? picture : nullptr;
}

void releasePicture(void*& picture) {
  if (picture) static_cast<IPicture*>(picture)->Release();
  picture = nullptr;
}

bool drawPicture(void* picture, HDC dc, const RECT& area) {
  auto* image = static_cast<IPicture*>(picture);
  if (!image) return false;
  OLE_XSIZE_HIMETRIC width = 0;
  OLE_YSIZE_HIMETRIC height = 0;
  image->get_Width(&width);
  image->get_Height(&height);
  return SUCCEEDED(image->Render(dc, area.left, area.top, area.right - area.left,
                                 area.bottom - area.top, 0, height, width, -height, nullptr));
}
