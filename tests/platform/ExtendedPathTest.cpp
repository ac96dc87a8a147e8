#include "platform/ExtendedPath.h"

#include <gtest/gtest.h>

namespace lyricast {
namespace {

TEST(ExtendedPath, FullPathsAreTakenAsSpelled) {
    struct Case {
        const char* path;
        const char* spelled; // nullptr: the system's own reading is needed
    };
    const Case cases[] = {
        {"C:\\Songs\\a.kar", "\\\\?\\C:\\Songs\\a.kar"},
        {"C:\\", "\\\\?\\C:\\"},
        {"C:\\Songs\\", "\\\\?\\C:\\Songs\\"},
        {"C:\\k\\d1.\\con.kar ", "\\\\?\\C:\\k\\d1.\\con.kar "}, // names the reading would change
        {"\\\\srv\\share\\pop\\a.kar", "\\\\?\\UNC\\srv\\share\\pop\\a.kar"},
        {"\\\\srv\\share", "\\\\?\\UNC\\srv\\share"},
        {"C:\\\\a.kar", nullptr}, // a root's separator doubled by the walk
        {"C:\\Songs\\..\\a.kar", nullptr},
        {"C:\\.\\a.kar", nullptr},
        {"C:/Songs/a.kar", nullptr},
        {"C:Songs\\a.kar", nullptr}, // drive C's current folder
        {"C:", nullptr},
        {"\\Songs\\a.kar", nullptr}, // the current drive's root
        {"Songs\\a.kar", nullptr},
        {"\\\\srv\\\\share", nullptr},
        {"\\\\srv", nullptr},
        {"\\\\?\\C:\\a.kar", nullptr}, // prefixed already
        {"\\\\.\\COM1", nullptr},
        {"", nullptr},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsSpelledInFull(c.path), c.spelled != nullptr) << c.path;
        if (c.spelled != nullptr) {
            EXPECT_EQ(WithExtendedPrefix(c.path), c.spelled);
        }
    }
}

TEST(ExtendedPath, OnlyFullPathsTakeThePrefix) {
    EXPECT_EQ(WithExtendedPrefix("C:\\a\\..\\b"), "\\\\?\\C:\\a\\..\\b");
    for (const char* path : {"a\\b", "C:a", "\\a", "\\\\?\\C:\\a", "\\\\.\\pipe\\x", "\\\\srv"})
        EXPECT_EQ(WithExtendedPrefix(path), path);
}

} // namespace
} // namespace lyricast
