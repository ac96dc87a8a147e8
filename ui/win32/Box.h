#pragma once

namespace lyricast {

// A control's place in its parent's client area, in pixels.
struct Box {
    int x = 0, y = 0, width = 0, height = 0;
    bool operator==(const Box&) const = default;
};

} // namespace lyricast
