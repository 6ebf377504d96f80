#pragma once

#include "widgets/TrayImages.h"

namespace kolmasyst {

// The frame counter of the notification-area animation. It lives for the whole run, so that a
// restarted animation goes on with the frame after the last one shown.
class IconAnimation {
public:
    // The index of the frame shown last (0 at start).
    int AnimFrame() const { return m_frame; }
    // The next frame: 1, 2, ..., 9, 0, 1, ...
    int advance() {
        m_frame = (m_frame + 1) % TrayImages::FrameCount;
        return m_frame;
    }

private:
    int m_frame = 0;
};

} // namespace kolmasyst
