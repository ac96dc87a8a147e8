#include "window/HelpPage.h"

namespace lyricast {

std::vector<std::string> HelpPageCandidates(const std::string& programFolder,
                                            const PathRules& rules) {
    const std::string sep(1, rules.separator);
    const std::string relative = "Help" + sep + "Help.html";
    if (programFolder.empty())
        return {relative};
    // The separator is put after the folder's own, as the page always was looked for.
    return {programFolder + sep + relative,
            programFolder + ".." + sep + "share" + sep + "lyricast-convert" + sep + relative};
}

} // namespace lyricast
