#include "errors.h"

#include "cp932.h"

namespace platform {

ConvertError::ConvertError(const std::string &line)
    : PlatformError("'" + Cp932ToUtf8ForDisplay(line) + "' は整数ではありません") {}

ListIndexError::ListIndexError() : PlatformError("ﾘｽﾄのｲﾝﾃﾞｯｸｽが範囲を超えています") {}

// Paths are held in UTF-8 already, as the file system gives them.
FileCreateError::FileCreateError(const std::string &path)
    : PlatformError("ﾌｧｲﾙ " + path + " を作成できません") {}

FileOpenError::FileOpenError(const std::string &path)
    : PlatformError("ﾌｧｲﾙ " + path + " は開けません") {}

}  // namespace platform
