#include "scan/FileJudgement.h"

#include "platform/FileError.h"

namespace lyricast {

Judgement JudgeFile(TSmfFile& song, const std::string& path) {
    Judgement judgement;
    try {
        judgement.good = song.LoadHeader(path);
        if (judgement.good || song.headerResult == kHeaderDamagedChunk)
            judgement.trackCount = song.GetTrackCount();
    } catch (const FileError&) {
        judgement.good = false;
    }
    song.Reset();
    return judgement;
}

const char* VerdictText(bool good) {
    return good ? "Good" : "Bad";
}

std::string TrackCountText(std::uint16_t trackCount) {
    return std::to_string(trackCount);
}

} // namespace lyricast
