#pragma once
// The panel's pictures: GIF files of the host folder loaded through the platform's picture
// loader and drawn stretched.

#include <windows.h>

#include <string>

// The picture of a file of the host folder, or null when it cannot be loaded. The caller owns
// the reference.
void* loadHostPicture(const std::string& relativePath);
void releasePicture(void*& picture);
// Stretches the whole picture over the rectangle; false when there is none.
bool drawPicture(void* picture, HDC dc, const RECT& area);
