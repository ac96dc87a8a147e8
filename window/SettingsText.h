#pragma once

#include <optional>
#include <string>

namespace lyricast {

// How a remembered value is kept in a store of printable text only (the
// Windows profile files): a value such a store would not give back as it
// went in (bytes outside printable ASCII, spaces or quotes at its edges, or
// text that starts like an encoded value) is kept hex-encoded behind "hex:",
// so that every path comes back byte for byte.
std::string EncodeSettingText(const std::string& value);
// The value of such text; text that is not whole hex after the mark is taken
// as it stands.
std::string DecodeSettingText(const std::string& text);

// Where the main window stood: its place when neither maximised nor
// minimised (left, top, right, bottom), and whether it was maximised.
struct WindowPlace {
    long left = 0, top = 0, right = 0, bottom = 0;
    bool maximised = false;
    bool operator==(const WindowPlace&) const = default;
};

// "left,top,right,bottom,maximised" (the last 1 or 0).
std::string WindowPlaceText(const WindowPlace& place);
// The place such text names; none when the text is damaged or the place is
// under 100 pixels wide or high, so that a window is never restored out of reach.
std::optional<WindowPlace> WindowPlaceOf(const std::string& text);

// A pane's remembered size in pixels: a whole number from 0 to 10,000, none
// for anything else.
std::optional<int> PixelsOf(const std::string& text);

} // namespace lyricast
