#pragma once

#include <QIcon>
#include <QPixmap>

namespace kolmasyst {

// The image list of the main form: twelve 16 x 16 pictures. 0..9 are the frames of the
// notification-area animation (a pencil writing on a sheet), 10 the still icon (a sheet with a
// table), 11 the mark of the active database (a clipboard with a red tick).
namespace TrayImages {
constexpr int Count = 12;
constexpr int FrameCount = 10;
constexpr int StillImage = 10;
constexpr int ActiveDatabaseMark = 11;
constexpr int Size = 16;

// The picture at 16 x 16 with a 32 x 32 variant for larger trays.
QIcon icon(int index);
// The picture at 16 x 16.
QPixmap pixmap(int index);
} // namespace TrayImages

} // namespace kolmasyst
