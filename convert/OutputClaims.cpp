#include "convert/OutputClaims.h"

#include "convert/OutputNaming.h"
#include "platform/FileIdentity.h"

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

    std::optional<ConversionResult> Decide(const ConversionJob& job) {
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
        if (!outputs_.insert(place).second || (outputId && !outputIds_.insert(*outputId).second))
            return Refusal(Status::OutputTaken);
        return std::nullopt;
    }

private:
    static ConversionResult Refusal(Status status) { return ConversionResult{status, 0, {}}; }

    std::set<PlaceKey> sources_;
    std::set<FileIdentity> sourceIds_;
    std::set<PlaceKey> outputs_;
    std::set<FileIdentity> outputIds_;
};

} // namespace

std::vector<std::optional<ConversionResult>> DecideOutputs(std::span<const ConversionJob> jobs) {
    Claims claims(jobs);
    std::vector<std::optional<ConversionResult>> refusals;
    refusals.reserve(jobs.size());
    for (const ConversionJob& job : jobs)
        refusals.push_back(claims.Decide(job));
    return refusals;
}

} // namespace lyricast
