#include "finish_package.h"

#include "package/package_files.h"
#include "platform/file.h"
#include "platform/path.h"
#include "texts.h"

namespace zelforge {

namespace {

// The package's own members must survive whatever name the author gave the
// distribution file.
bool NamesAMember(const std::string &fileName) {
    for (const char *member : {package::kControlListName, package::kDataFileName, package::kImageLibraryName})
        if (fileName == member) return true;
    return false;
}

}  // namespace

std::optional<std::vector<FailedCopy>> FinishPackage(AuthoringVars &vars, const std::string &toolFolder) {
    if (!vars.DataFile) return std::nullopt;
    vars.ControlList.SaveToFile(vars.PackageFolder + package::kControlListName);
    vars.DataFile->Close();
    vars.DataFile.reset();

    std::vector<FailedCopy> failed;
    const FailedCopy applier{toolFolder + package::kApplierTemplateName, vars.DistributionPath};
    if (NamesAMember(platform::ExtractFileName(applier.to)) || !platform::CopyFileOverwrite(applier.from, applier.to))
        failed.push_back(applier);
    const FailedCopy library{toolFolder + package::kImageLibraryName,
                             vars.PackageFolder + package::kImageLibraryName};
    if (!platform::CopyFileOverwrite(library.from, library.to)) failed.push_back(library);
    vars.PackageFinished = true;
    return failed;
}

std::string CompletionText(const std::string &distributionName) {
    std::string text = texts::kListBullet + distributionName;
    for (const char *member : {package::kDataFileName, package::kControlListName, package::kImageLibraryName})
        text += std::string("\n") + texts::kListBullet + member;
    return text + "\n" + texts::kCompletionLastLine;
}

std::string CopyFailureText(const std::vector<FailedCopy> &failed) {
    std::string text = texts::kCopyFailedHead;
    for (const FailedCopy &copy : failed) text += "\n" + copy.from + " → " + copy.to;
    return text + "\n" + texts::kCopyFailedTail;
}

void CancelPackage(AuthoringVars &vars) {
    if (!vars.DataFile) return;
    vars.DataFile->Close();
    vars.DataFile.reset();
    platform::DeleteFile(vars.PackageFolder + package::kDataFileName);
}

}  // namespace zelforge
