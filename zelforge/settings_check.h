#pragma once
#include <string>

namespace zelforge {

// What the settings dialog holds when OK is pressed, as UTF-8 text.
struct SettingsInput {
    std::string distributionFile;  // EdtExe
    std::string quality;           // EdtQuality: the package quality
    std::string quality2;          // EdtQuality2: the difference quality
    std::string prompt;            // EdtMessage
    bool backup = false;           // ChkBackup
    bool jpegSave = false;         // ChkJpegSave
};

// Settings that passed the checks, ready to start a package with.
struct CheckedSettings {
    std::string distributionFile;  // file-system bytes, as typed
    std::string promptCp932;       // header line 0
    std::string qualityCp932;      // header line 1, exactly as typed
    bool backup = false;
};

// In the order the checks run; the first failure wins.
enum class SettingsVerdict {
    Accepted,
    QualityNotNumeric,    // either quality text fails the integer rule
    QualityOutOfRange,    // package quality, or difference quality when JPEG recording is on
    NoDistributionFile,   // EdtExe empty
    PromptNotRecordable,  // prompt has no code page 932 form, or holds a control character
};

struct SettingsCheck {
    SettingsVerdict verdict = SettingsVerdict::Accepted;
    CheckedSettings settings;  // filled only when accepted
};

// Both quality texts are converted whether or not JPEG recording is on, so a
// difference quality typed while it was on cannot slip through unchecked;
// its range only matters when it will be used.
[[nodiscard]] SettingsCheck CheckSettings(const SettingsInput &input);

struct MessageSpec {
    const char *text;
    int flags;
};

// The message box for a failed check (text, caption "ｴﾗｰ", flags).
[[nodiscard]] MessageSpec SettingsMessage(SettingsVerdict verdict);

}  // namespace zelforge
