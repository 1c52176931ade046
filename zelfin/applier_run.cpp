#include "applier_run.h"

#include "package/package_files.h"
#include "platform/cp932.h"
#include "platform/file.h"
#include "platform/int_text.h"
#include "platform/path.h"

namespace zelfin {

RunOutcome RunApplier(Gra &gra, const std::string &programFolder, const FolderPrompt &prompt,
                      const PictureHolders &holders, RunState &state) {
    const RunOutcome missing{RunOutcome::Kind::Result, Failure::FileMissing};

    if (!gra.LoadFrom(programFolder)) return missing;

    const std::string listPath = programFolder + package::kControlListName;
    if (!platform::FileExists(listPath)) return missing;
    state.controlList.LoadFromFile(listPath);

    state.dataFile = std::make_unique<package::DataFileReader>(programFolder + package::kDataFileName);
    if (!state.dataFile->IsOpen()) return missing;

    const platform::TStringList &list = state.controlList;
    const std::string title = platform::Cp932ToUtf8ForDisplay(list[package::kPromptTitleLine]);
    std::string folder = prompt(title);

    // Read even when no folder was chosen, so a broken quality line is
    // reported rather than passed over in silence.
    const int32_t quality = platform::StrToInt(list[package::kQualityLine]);
    const bool backup = package::BackupLineMeansOn(list[package::kBackupLine]);

    // Every folder here is at least "/"; an empty answer means none was chosen.
    if (folder.empty()) return {RunOutcome::Kind::EndQuietly, Failure::None};
    if (folder.back() != platform::kPathSeparator) folder += platform::kPathSeparator;

    if (const Failure failure = VerifyEntries(list, folder); failure != Failure::None) {
        return {RunOutcome::Kind::Result, failure};
    }
    const ApplySettings settings{folder, quality, backup};
    if (const Failure failure = ApplyEntries(list, *state.dataFile, settings, holders, gra);
        failure != Failure::None) {
        return {RunOutcome::Kind::Result, failure};
    }
    state.dataFile->Close();
    return {RunOutcome::Kind::Result, Failure::None};
}

}  // namespace zelfin
