#include "convert/OutputClaims.h"

#include "convert/OutputNaming.h"
#include "platform/FileIdentity.h"

#include <map>
#include <set>
#include <string>
#include <utility>
#include <variant>

namespace lyricast {
namespace {

using Status = ConversionResult::Status;

// A file named so that two spellings of one place compare equal: by the
// identity of its folder and its name when the folder exists, else by path.
using PlaceKey = std::variant<std::string, std::pair<FileIdentity, std::string>>;

PlaceKey PlaceOf(const std::string& path) {
    const PathRules& rules = PathRules::Native();
    const std::string folder = SourceFolderOf(path, rules);
    if (const auto id = IdentityOf(folder.empty() ? std::string(".") : folder))
        return std::pair(*id, FileNameOf(path, rules));
    return path;
}

class Claims {
public:
    explicit Claims(std::span<const ConversionJob> jobs) {
        for (const ConversionJob& job : jobs) {
            sources_.insert(PlaceOf(job.source));
            if (const auto id = IdentityOf(job.source))
                sourceIds_.insert(*id);
        }
    }

    std::optional<ConversionResult> Decide(std::size_t index, const ConversionJob& job) {
        if (!job.output)
            return Refusal(Status::NoOutputName);
        const std::string& output = *job.output;
        const auto outputId = IdentityOf(output);
        const PlaceKey place = PlaceOf(output);
        if (output == job.source || place == PlaceOf(job.source) ||
            (outputId && outputId == IdentityOf(job.source)))
            return Refusal(Status::ReplacesSource);
        if (sources_.contains(place) || (outputId && sourceIds_.contains(*outputId)))
            return Refusal(Status::ReplacesSource);
        const auto byPlace = outputs_.emplace(place, index);
        if (!byPlace.second)
            return Taken(byPlace.first->second);
        if (outputId) {
            const auto byId = outputIds_.emplace(*outputId, index);
            if (!byId.second)
                return Taken(byId.first->second);
        }
        return std::nullopt;
    }

private:
    static ConversionResult Refusal(Status status) { return ConversionResult{status, 0, {}}; }
    static ConversionResult Taken(std::size_t earlier) {
        ConversionResult result{Status::OutputTaken, 0, {}};
        result.earlier = earlier;
        return result;
    }

    std::set<PlaceKey> sources_;
    std::set<FileIdentity> sourceIds_;
    std::map<PlaceKey, std::size_t> outputs_;  // each output and the job that has it
    std::map<FileIdentity, std::size_t> outputIds_;
};

} // namespace

std::vector<std::optional<ConversionResult>> DecideOutputs(std::span<const ConversionJob> jobs) {
    Claims claims(jobs);
    std::vector<std::optional<ConversionResult>> refusals;
    refusals.reserve(jobs.size());
    for (std::size_t index = 0; index < jobs.size(); ++index)
        refusals.push_back(claims.Decide(index, jobs[index]));
    return refusals;
}

} // namespace lyricast
