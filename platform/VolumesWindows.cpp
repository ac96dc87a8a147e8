#include "platform/Volumes.h"

#include "platform/AsciiCase.h"
#include "platform/SystemPathWindows.h"
#include "platform/WideTextWindows.h"

#include <windows.h>
#include <winnetwk.h>

namespace lyricast {
namespace {

// Critical-error dialogs ("There is no disk in the drive") stay off while a
// volume is queried; the previous mode comes back afterwards.
class CriticalErrorsOff {
public:
    CriticalErrorsOff() : previous_(SetErrorMode(SEM_FAILCRITICALERRORS)) {}
    CriticalErrorsOff(const CriticalErrorsOff&) = delete;
    CriticalErrorsOff& operator=(const CriticalErrorsOff&) = delete;
    ~CriticalErrorsOff() { SetErrorMode(previous_); }

private:
    UINT previous_;
};

constexpr DWORD kNameLength = MAX_PATH + 1; // 261 characters

// The volume's label, empty when the query fails (a CD drive without a disc).
std::string VolumeLabel(const std::wstring& root) {
    CriticalErrorsOff quiet;
    wchar_t name[kNameLength] = {};
    DWORD serial = 0;
    DWORD longestName = 0;
    DWORD flags = 0;
    if (!GetVolumeInformationW(root.c_str(), name, kNameLength, &serial, &longestName, &flags,
                               nullptr, 0))
        return {};
    return Utf8FromWide(name);
}

// The share a network drive ("z:") connects to, empty when it has none.
std::string Connection(const std::wstring& drive) {
    wchar_t remote[kNameLength] = {};
    DWORD length = kNameLength;
    if (WNetGetConnectionW(drive.c_str(), remote, &length) != NO_ERROR)
        return {};
    return Utf8FromWide(remote);
}

bool KindOfDriveType(UINT type, VolumeKind& kind) {
    switch (type) {
    case DRIVE_REMOVABLE:
        kind = VolumeKind::Removable;
        return true;
    case DRIVE_FIXED:
        kind = VolumeKind::Fixed;
        return true;
    case DRIVE_REMOTE:
        kind = VolumeKind::Remote;
        return true;
    case DRIVE_CDROM:
        kind = VolumeKind::CdRom;
        return true;
    case DRIVE_RAMDISK:
        kind = VolumeKind::RamDisk;
        return true;
    default:
        return false; // DRIVE_UNKNOWN, DRIVE_NO_ROOT_DIR: not listed
    }
}

class WindowsVolumeTable : public VolumeTable {
public:
    std::vector<Volume> List() const override {
        std::vector<Volume> volumes;
        const DWORD drives = GetLogicalDrives();
        for (int i = 0; i < 26; ++i) {
            if ((drives & (DWORD{1} << i)) == 0)
                continue;
            const char letter = static_cast<char>('a' + i);
            const std::wstring drive{static_cast<wchar_t>(letter), L':'};
            const std::wstring root = drive + L'\\';
            Volume volume;
            volume.root = std::string{letter, ':', '\\'};
            if (!KindOfDriveType(GetDriveTypeW(root.c_str()), volume.kind))
                continue;
            if (volume.kind == VolumeKind::Remote)
                volume.connection = Connection(drive);
            // A removable drive is not queried: that would spin up a floppy.
            if (volume.kind != VolumeKind::Removable && volume.connection.empty())
                volume.label = VolumeLabel(root);
            volumes.push_back(std::move(volume));
        }
        return volumes;
    }

    std::string RootOf(const std::string& folder) const override {
        if (folder.size() < 2 || folder[1] != ':')
            return {};
        return std::string{AsciiLower(folder[0]), ':', '\\'};
    }

    VolumeCase CaseOf(const std::string& folder) const override {
        const auto root =
            PlainSystemPath(std::string(PathRules::Windows().DrivePart(folder)) + "\\");
        CriticalErrorsOff quiet;
        DWORD flags = 0;
        if (!root ||
            !GetVolumeInformationW(root->c_str(), nullptr, 0, nullptr, nullptr, &flags, nullptr, 0))
            flags = 0;
        return {(flags & (FS_CASE_IS_PRESERVED | FS_CASE_SENSITIVE)) != 0,
                (flags & FS_CASE_SENSITIVE) != 0};
    }
};

} // namespace

const VolumeTable& SystemVolumeTable() {
    static const WindowsVolumeTable table;
    return table;
}

} // namespace lyricast
