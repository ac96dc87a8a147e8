#include "cli/WrittenOutputs.h"

#include "convert/OutputNaming.h"

namespace lyricast {

bool WrittenOutputs::Place::operator==(const Place& other) const {
    // A file system may fold letter case even where the platform's rules do not.
    return folder == other.folder && PathRules::Windows().SamePath(name, other.name);
}

WrittenOutputs::Place WrittenOutputs::PlaceOf(const std::string& output) {
    const PathRules& rules = PathRules::Native();
    const std::string folder = SourceFolderOf(output, rules);
    return {IdentityOf(folder.empty() ? "." : folder), FileNameOf(output, rules)};
}

void WrittenOutputs::Add(const std::string& output) {
    if (const auto file = IdentityOf(output))
        written_.insert_or_assign(*file, PlaceOf(output));
}

bool WrittenOutputs::Contains(const std::string& output) const {
    const auto file = IdentityOf(output);
    if (!file)
        return false;
    const auto found = written_.find(*file);
    return found != written_.end() && found->second == PlaceOf(output);
}

} // namespace lyricast
