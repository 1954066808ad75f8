// CurrentCover.png: the current track's art as a picture, for the image
// sources of streaming programs; a 1x1 transparent picture when there is
// none, so that such a source shows nothing.
#pragma once

// The track worker: the picture for the art kept now while `playing`, the
// transparent one after a stop; written only when the file does not show
// it already. Returns the files owed (nowplayingfiles.h).
unsigned UpdateCoverFile(bool playing);
// Any thread: the file's place changed, so what it shows is not known; the
// next update writes it.
void ForgetShownCover();
// The options dialog's thread: the option went off and the file with it;
// the next update writes it anew.
void DeleteCoverFile();
