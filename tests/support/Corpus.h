#pragma once

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace lyricast::test {

inline std::filesystem::path CorpusDir() {
    return LYRICAST_CORPUS_DIR;
}

inline bool CorpusPresent() {
    return std::filesystem::is_directory(CorpusDir() / "kar");
}

// Every file of the corpus's kar/, mid/ and malformed/ folders, in name order.
inline std::vector<std::filesystem::path> CorpusFiles(const std::string& folder = "") {
    std::vector<std::filesystem::path> files;
    for (const char* sub : {"kar", "mid", "malformed"}) {
        if (!folder.empty() && folder != sub)
            continue;
        for (const auto& entry : std::filesystem::directory_iterator(CorpusDir() / sub))
            if (entry.is_regular_file())
                files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

} // namespace lyricast::test

// Skips the calling test where the shared corpus is not beside the project.
#define SKIP_WITHOUT_CORPUS()                                                                      \
    do {                                                                                           \
        if (!::lyricast::test::CorpusPresent())                                                    \
            GTEST_SKIP() << "the corpus folder " << ::lyricast::test::CorpusDir()                  \
                         << " is absent; corpus tests run where ../shared/corpus exists";          \
    } while (0)
