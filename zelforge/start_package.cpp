#include "start_package.h"

#include "package/package_files.h"
#include "platform/path.h"
#include "texts.h"

namespace zelforge {

std::string PinnedPackageFolder(const std::string &distributionFile, const std::string &currentFolder) {
    std::string folder = platform::ExtractFilePath(distributionFile);
    if (!folder.empty() && folder.front() == platform::kPathSeparator) return folder;
    std::string base = currentFolder;
    if (base.empty() || base.back() != platform::kPathSeparator) base += platform::kPathSeparator;
    return base + folder;
}

StartResult StartPackage(const CheckedSettings &settings, AuthoringVars &vars, AuthoringLog &log,
                         const std::string &currentFolder) {
    vars.PackageFolder = PinnedPackageFolder(settings.distributionFile, currentFolder);
    vars.DistributionPath = vars.PackageFolder + platform::ExtractFileName(settings.distributionFile);
    vars.DataFile = std::make_unique<package::DataFileWriter>(vars.PackageFolder + package::kDataFileName);
    if (!vars.DataFile->IsOpen()) {
        vars.DataFile.reset();
        return StartResult::DataFileNotCreated;
    }
    vars.ControlList.Clear();
    log.AddLogLine(texts::kFolderLogPrefix + vars.PackageFolder);
    vars.DataOffset = 0;
    vars.EntryNumber = 1;
    vars.AuthoringState = AuthoringMode::Selecting;
    package::AppendHeader(vars.ControlList, settings.promptCp932, settings.qualityCp932, settings.backup);
    return StartResult::Started;
}

}  // namespace zelforge
