#pragma once
// The image behind a picture, for the clipboard and painting; drawing still pending is written
// into it first.
#include <wx/image.h>

class TtPicture;

namespace TtWx {
const wxImage& PictureImage(const TtPicture& picture);
}
