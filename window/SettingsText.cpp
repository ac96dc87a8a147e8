#include "window/SettingsText.h"

#include <charconv>
#include <string_view>

namespace lyricast {
namespace {

constexpr std::string_view kHexMark = "hex:";
constexpr long kSmallestSide = 100;

bool Printable(char c) {
    return c >= 0x20 && c <= 0x7e;
}

bool KeptAsItIs(const std::string& value) {
    if (value.starts_with(kHexMark))
        return false;
    for (const char c : value)
        if (!Printable(c))
            return false;
    if (value.empty())
        return true;
    const auto edge = [](char c) { return c == ' ' || c == '"' || c == '\''; };
    return !edge(value.front()) && !edge(value.back());
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

constexpr long kLargestPane = 10000;

// One number of a place's text, and the comma after it unless it is the last.
bool ReadNumber(std::string_view& text, long& number, bool last) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc())
        return false;
    text.remove_prefix(static_cast<std::size_t>(end - text.data()));
    if (last)
        return text.empty();
    if (text.empty() || text.front() != ',')
        return false;
    text.remove_prefix(1);
    return true;
}

} // namespace

std::string EncodeSettingText(const std::string& value) {
    if (KeptAsItIs(value))
        return value;
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text(kHexMark);
    for (const char c : value) {
        const auto byte = static_cast<unsigned char>(c);
        text += kDigits[byte >> 4];
        text += kDigits[byte & 0x0f];
    }
    return text;
}

std::string DecodeSettingText(const std::string& text) {
    if (!text.starts_with(kHexMark) || text.size() % 2 != 0)
        return text;
    std::string value;
    for (std::size_t i = kHexMark.size(); i < text.size(); i += 2) {
        const int high = HexDigit(text[i]), low = HexDigit(text[i + 1]);
        if (high < 0 || low < 0)
            return text;
        value += static_cast<char>(high * 16 + low);
    }
    return value;
}

std::string WindowPlaceText(const WindowPlace& place) {
    return std::to_string(place.left) + "," + std::to_string(place.top) + "," +
           std::to_string(place.right) + "," + std::to_string(place.bottom) + "," +
           (place.maximised ? "1" : "0");
}

std::optional<WindowPlace> WindowPlaceOf(const std::string& text) {
    std::string_view rest = text;
    WindowPlace place;
    long maximised = 0;
    if (!ReadNumber(rest, place.left, false) || !ReadNumber(rest, place.top, false) ||
        !ReadNumber(rest, place.right, false) || !ReadNumber(rest, place.bottom, false) ||
        !ReadNumber(rest, maximised, true))
        return std::nullopt;
    if (place.right - place.left < kSmallestSide || place.bottom - place.top < kSmallestSide)
        return std::nullopt;
    place.maximised = maximised != 0;
    return place;
}

std::optional<int> PixelsOf(const std::string& text) {
    std::string_view rest = text;
    long pixels = 0;
    if (!ReadNumber(rest, pixels, true) || pixels < 0 || pixels > kLargestPane)
        return std::nullopt;
    return static_cast<int>(pixels);
}

} // namespace lyricast
