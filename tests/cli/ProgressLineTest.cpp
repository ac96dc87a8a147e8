#include "cli/ProgressLine.h"

#include <gtest/gtest.h>

#include <sstream>
#include <thread>

namespace lyricast {
namespace {

// Long enough for the line to appear, or to be redrawn.
void WaitForTheLine() {
    std::this_thread::sleep_for(std::chrono::milliseconds(600));
}
void WaitForARedraw() {
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
}

TEST(ProgressLine, AppearsLateAndIsWipedWithSpacesAlone) {
    std::ostringstream terminal;
    ProgressLine line(terminal, true);
    line.Update(1, 0);
    line.Clear();
    EXPECT_EQ(terminal.str(), "") << "a short batch shows no line";

    WaitForTheLine();
    line.Update(9, 1);
    EXPECT_EQ(terminal.str(), "\r10 files: 9 converted, 1 failed");
    WaitForARedraw();
    line.Update(10, 1);
    EXPECT_EQ(terminal.str(),
              "\r10 files: 9 converted, 1 failed\r11 files: 10 converted, 1 failed");

    terminal.str("");
    line.Clear();
    EXPECT_EQ(terminal.str(), "\r" + std::string(32, ' ') + "\r");
    line.Clear();
    EXPECT_EQ(terminal.str(), "\r" + std::string(32, ' ') + "\r") << "wiped once";
}

TEST(ProgressLine, DisabledWritesNothing) {
    std::ostringstream terminal;
    ProgressLine line(terminal, false);
    WaitForTheLine();
    line.Update(3, 0);
    line.Clear();
    EXPECT_EQ(terminal.str(), "");
}

} // namespace
} // namespace lyricast
