#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lyricast {

// The lines of an INI file, read and changed as the system's profile calls
// do: sections and keys compared without regard to ASCII case, spaces around
// a key and its value left out, and a value's one pair of enclosing quotes
// too. Every other line, comments and other sections, is kept as it is.
class IniText {
public:
    IniText() = default;
    // Lines ended by a line feed, with or without a carriage return before it.
    explicit IniText(std::string_view text);

    std::optional<std::string> Value(std::string_view section, std::string_view key) const;
    // Replaces the key's first line in the section, or adds one at the
    // section's end; a missing section is added at the end of the file.
    void SetValue(std::string_view section, std::string_view key, std::string_view value);
    // Each line ended by a carriage return and a line feed.
    std::string Text() const;

private:
    // The index of the key's line, or where a new one goes, and whether the section is there.
    struct Place {
        std::size_t line;
        bool found;
        bool sectionFound;
    };
    Place Find(std::string_view section, std::string_view key) const;

    std::vector<std::string> lines_;
};

} // namespace lyricast
