#include "convert/ConversionReason.h"

#include "engine/TSmfFile.h"

namespace lyricast {
namespace {

constexpr const char* kOutOfMemory = "not enough memory to read it";

std::string LoadFailureReason(std::uint8_t headerResult) {
    switch (headerResult) {
    case kHeaderNotMidi:
        return "not a MIDI file";
    case kHeaderDamagedChunk:
        return "damaged track chunk header";
    default:
        return kOutOfMemory;
    }
}

} // namespace

std::optional<std::string> FailureReason(std::span<const ConversionJob> jobs, std::size_t index,
                                         const ConversionResult& result) {
    using Status = ConversionResult::Status;
    const ConversionJob& job = jobs[index];
    switch (result.status) {
    case Status::Converted:
        return std::nullopt;
    case Status::NoOutputName:
        return "its name has no \".\" to put .MID in place of";
    case Status::ReplacesSource:
        return "the output " + *job.output + " would replace the source";
    case Status::OutputTaken:
        return "the output " + *job.output + " is that of " + jobs[result.earlier].source +
               ", earlier in this run";
    case Status::NotLoaded:
        return LoadFailureReason(result.headerResult);
    case Status::OutOfMemory:
        return kOutOfMemory;
    case Status::NotWritable:
        return "a delta time is too large for a MIDI file";
    case Status::FileError:
        return result.error;
    case Status::OutputExists:
        return *job.output + " exists";
    }
    return std::nullopt;
}

} // namespace lyricast
