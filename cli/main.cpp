#include "cli/Kar2mid.h"
#include "platform/TemporaryFile.h"

#include <iostream>
#include <string>
#include <vector>

#ifdef __GLIBC__
#include <malloc.h>
#endif

#ifdef _WIN32
#include <io.h>
#define isatty _isatty
#else
#include <csignal>
#include <unistd.h>
#endif

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
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
#ifndef _WIN32
    // A reader that goes away (`kar2mid ... | head`) ends the printing, not
    // the run: the writes to it fail instead, the stream stops making them,
    // every file is still converted, and the failed output sets the status.
    std::signal(SIGPIPE, SIG_IGN);
#endif
    const std::vector<std::string> args(argv + 1, argv + argc);
    return lyricast::RunKar2mid(args, std::cout, std::cerr, isatty(2) != 0, isatty(1) != 0);
}
