#include "cli/Kar2mid.h"
#include "platform/TemporaryFile.h"

#include <iostream>
#include <string>
#include <vector>

#ifdef __GLIBC__
#include <malloc.h>
#endif

#ifdef _WIN32
#include "cli/StandardStreamWindows.h"
#include "platform/WideTextWindows.h"
#else
#include <csignal>
#include <unistd.h>
#endif

namespace {

// What every platform does before the run.
void PrepareTheRun() {
#ifdef __GLIBC__
    // One song after another takes and frees the same amount of memory; kept
    // by the allocator instead of going back to the system after every song,
    // it costs no page faults the next time.
    mallopt(M_TRIM_THRESHOLD, 64 << 20);
    mallopt(M_MMAP_THRESHOLD, 64 << 20);
#endif
    // Ctrl+C or a kill between creating an output's temporary file and
    // renaming it would otherwise leave the file behind.
    lyricast::RemoveTemporariesOnInterrupt();
}

} // namespace

#ifdef _WIN32
// The arguments come as the UTF-16 the system keeps them in, so a name that
// the code page cannot spell arrives whole; the run sees them as UTF-8.
int wmain(int argc, wchar_t** argv) {
    PrepareTheRun();
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i)
        args.push_back(lyricast::Utf8FromWide(argv[i]));
    using lyricast::StandardText;
    const StandardText outText(StandardText::Stream::Output);
    const StandardText errText(StandardText::Stream::Error);
    lyricast::StandardStreamBuf outBuffer(outText);
    lyricast::StandardStreamBuf errBuffer(errText);
    std::ostream out(&outBuffer);
    std::ostream err(&errBuffer);
    err.setf(std::ios::unitbuf); // each line as it comes, as std::cerr has it
    return lyricast::RunKar2mid(args, out, err, errText.IsConsole(), outText.IsConsole());
}
#else
int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    PrepareTheRun();
    // A reader that goes away (`kar2mid ... | head`) ends the printing, not
    // the run: the writes to it fail instead, the stream stops making them,
    // every file is still converted, and the failed output sets the status.
    std::signal(SIGPIPE, SIG_IGN);
    const std::vector<std::string> args(argv + 1, argv + argc);
    return lyricast::RunKar2mid(args, std::cout, std::cerr, isatty(2) != 0, isatty(1) != 0);
}
#endif
