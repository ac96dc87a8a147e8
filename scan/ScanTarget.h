#pragma once

#include "scan/FileJudgement.h"

#include <QString>
#include <string>

namespace lyricast {

class TSmfFile;

// What a folder scan reads and fills in the window, all on the UI thread.
class ScanTarget {
public:
    virtual std::string ScanRoot() const = 0;          // the folder list's current folder
    virtual bool IncludeSubDir() const = 0;            // read at every folder entry
    virtual void ShowStatus(const QString& text) = 0;  // shown at once, even inside a busy handler
    virtual void AddScanRow(const std::string& caption, const std::string& extension, const Judgement& judgement) = 0;
    virtual TSmfFile& ScanSong() = 0;

protected:
    ~ScanTarget() = default;
};

} // namespace lyricast
