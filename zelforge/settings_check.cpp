#include "settings_check.h"

#include <algorithm>
#include <optional>

#include "platform/cp932.h"
#include "platform/int_text.h"
#include "texts.h"

namespace zelforge {

namespace {

constexpr int kMinQuality = 1;
constexpr int kMaxQuality = 100;

bool InQualityRange(int32_t q) { return q >= kMinQuality && q <= kMaxQuality; }

// A header line must stay one line and survive the round trip to code page 932.
std::optional<std::string> RecordableLine(const std::string &utf8) {
    auto cp932 = platform::Utf8ToCp932(utf8);
    if (!cp932) return std::nullopt;
    const bool hasControl = std::any_of(cp932->begin(), cp932->end(), [](char c) {
        return static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
    });
    if (hasControl) return std::nullopt;
    return cp932;
}

}  // namespace

SettingsCheck CheckSettings(const SettingsInput &input) {
    SettingsCheck result;
    const auto quality = platform::TryStrToInt(input.quality);
    const auto quality2 = platform::TryStrToInt(input.quality2);
    if (!quality || !quality2) {
        result.verdict = SettingsVerdict::QualityNotNumeric;
        return result;
    }
    if (!InQualityRange(*quality) || (input.jpegSave && !InQualityRange(*quality2))) {
        result.verdict = SettingsVerdict::QualityOutOfRange;
        return result;
    }
    if (input.distributionFile.empty()) {
        result.verdict = SettingsVerdict::NoDistributionFile;
        return result;
    }
    auto prompt = RecordableLine(input.prompt);
    // The quality text passed the integer rule, so it is plain ASCII.
    auto qualityLine = platform::Utf8ToCp932(input.quality);
    if (!prompt || !qualityLine) {
        result.verdict = SettingsVerdict::PromptNotRecordable;
        return result;
    }
    result.settings.distributionFile = input.distributionFile;
    result.settings.promptCp932 = std::move(*prompt);
    result.settings.qualityCp932 = std::move(*qualityLine);
    result.settings.backup = input.backup;
    return result;
}

MessageSpec SettingsMessage(SettingsVerdict verdict) {
    switch (verdict) {
    case SettingsVerdict::QualityNotNumeric: return {texts::kQualityNotNumeric, texts::kBoxOk};
    case SettingsVerdict::QualityOutOfRange: return {texts::kQualityOutOfRange, texts::kBoxStop};
    case SettingsVerdict::NoDistributionFile: return {texts::kNoDistributionFile, texts::kBoxStop};
    case SettingsVerdict::PromptNotRecordable: return {texts::kPromptNotRecordable, texts::kBoxStop};
    case SettingsVerdict::Accepted: break;
    }
    return {"", texts::kBoxOk};
}

}  // namespace zelforge
