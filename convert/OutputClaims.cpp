#include "convert/OutputClaims.h"

#include "convert/OutputNaming.h"
#include "platform/FileIdentity.h"
#include "platform/NameCase.h"

#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace lyricast {
namespace {

using Status = ConversionResult::Status;

using PlaceKey = std::variant<std::string, std::pair<FileIdentity, std::string>>;

// Each job's source is looked at once, and each folder once however many
// files it holds: a folder's identity stands for the whole decision, which
// is over before any file is touched.
class Claims {
public:
    explicit Claims(std::span<const ConversionJob> jobs) {
        sourcePlaces_.reserve(jobs.size());
        sourceIds_.reserve(jobs.size());
        for (const ConversionJob& job : jobs) {
            sourcePlaces_.push_back(PlaceOf(job.source));
            sourceIds_.push_back(IdentityOf(job.source));
            allSources_.insert(sourcePlaces_.back());
            if (sourceIds_.back())
                allSourceIds_.insert(*sourceIds_.back());
        }
    }

    std::optional<ConversionResult> Decide(std::size_t index, const ConversionJob& job) {
        if (!job.output)
            return Refusal(Status::NoOutputName);
        const std::string& output = *job.output;
        const auto outputId = IdentityOf(output);
        const PlaceKey place = PlaceOf(output);
        if (output == job.source || place == sourcePlaces_[index] ||
            (outputId && outputId == sourceIds_[index]))
            return Refusal(Status::ReplacesSource);
        if (allSources_.contains(place) || (outputId && allSourceIds_.contains(*outputId)))
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
    // A file named so that two spellings of one place compare equal: by the
    // identity of the nearest of its folders that exists and the path below
    // it (an output's folders may be made only as it is written), else by
    // path. Where that folder's file system ignores letter case, so does the
    // path below it: "Song.MID" and "SONG.MID" are one file there.
    PlaceKey PlaceOf(const std::string& path) {
        const PathRules& rules = PathRules::Native();
        std::string folder = SourceFolderOf(path, rules);
        std::string below = FileNameOf(path, rules);
        for (;;) {
            if (const Folder* found = FolderOf(folder))
                return std::pair(found->identity, found->foldsCase ? FoldedName(below) : below);
            auto above = Above(folder, rules);
            if (!above)
                break;
            below = above->second + rules.separator + below;
            folder = std::move(above->first);
        }
        return rules.caseInsensitive ? FoldedName(path) : path;
    }

    // The folder that holds `folder` (which ends in a separator), and the
    // name of `folder` in it; nothing for a root or the current folder.
    static std::optional<std::pair<std::string, std::string>> Above(const std::string& folder,
                                                                    const PathRules& rules) {
        if (folder.empty() || rules.IsRoot(folder))
            return std::nullopt;
        std::string_view named = folder;
        while (!named.empty() && rules.IsSeparator(named.back()))
            named.remove_suffix(1);
        if (named.empty())
            return std::nullopt;
        return std::pair(SourceFolderOf(named, rules), FileNameOf(named, rules));
    }

    struct Folder {
        FileIdentity identity;
        bool foldsCase;
    };

    // Each folder is looked at once however many files it holds; nothing
    // when it does not exist.
    const Folder* FolderOf(const std::string& folder) {
        auto known = folders_.find(folder);
        if (known == folders_.end()) {
            const std::string path = folder.empty() ? std::string(".") : folder;
            std::optional<Folder> found;
            if (const auto identity = IdentityOf(path))
                found = Folder{*identity, FolderFoldsCase(folder)};
            known = folders_.emplace(folder, found).first;
        }
        return known->second ? &*known->second : nullptr;
    }

    static ConversionResult Refusal(Status status) { return ConversionResult{status, 0, {}}; }
    static ConversionResult Taken(std::size_t earlier) {
        ConversionResult result{Status::OutputTaken, 0, {}};
        result.earlier = earlier;
        return result;
    }

    std::map<std::string, std::optional<Folder>> folders_;
    std::vector<PlaceKey> sourcePlaces_; // of each job
    std::vector<std::optional<FileIdentity>> sourceIds_;
    std::set<PlaceKey> allSources_;
    std::set<FileIdentity> allSourceIds_;
    std::map<PlaceKey, std::size_t> outputs_; // each output and the job that has it
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
