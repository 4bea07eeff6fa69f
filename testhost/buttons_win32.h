#pragma once
// The host's look: the button class "knop", the skin's button faces, the face and background
// painting services and the services that prepare a plug-in's button.

#include <windows.h>

#include "plugcommon/hostapi.h"

void registerButtonClass();
// Makes the skin's pictures (IPicture) from bitmaps drawn here.
void makeHostSkin(THostSkin& skin);

void VORLEN_CALL paintBackgroundService(void* window, void* deviceContext);
void VORLEN_CALL buttonFaceService(void* picture, const char16_t* caption, intptr_t normalFace,
                                   const TFaceSize* size, void* deviceContext);
void VORLEN_CALL prepareButtonService(TButInf* button);
void VORLEN_CALL prepareCaptionButtonService(TButInf* button, const char16_t* caption);
