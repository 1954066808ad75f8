// What the files of the media controls share among themselves.
#pragma once
#include <windows.h>

#include "mediacontrols/winrt.h"

namespace mediacontrols {

// ---- buttons.cpp ----------------------------------------------------------------

// A ButtonPressed handler with one reference, for the session to register;
// nullptr without memory.
IButtonPressedHandler *NewButtonHandler();

// ---- thumbnail.cpp --------------------------------------------------------------

// The factories a thumbnail is made with, looked up on first need.
struct ThumbnailFactories {
    bool lookedUp = false;
    Ref<IStorageFileStatics> files;
    Ref<IRandomAccessStreamReferenceStatics> references;
};

// The kept cover art as a reference on a PNG file of the module's own;
// false, with none, when there is no art or it could not be made before the
// file opened, within two seconds or before `ending` was set. Worker only.
bool MakeThumbnail(ThumbnailFactories &factories, HANDLE ending, Ref<IRandomAccessStreamReference> &thumbnail);
// The files go with the session that showed them.
void DeleteThumbnailFiles();

} // namespace mediacontrols
