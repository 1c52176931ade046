#include "failure.h"

namespace zelfin {

const char *FailureText(Failure failure) {
    switch (failure) {
    case Failure::FileMissing: return "ﾌｧｲﾙがありません";
    case Failure::SizeMismatch: return "ﾌｧｲﾙが一致しませんでした";
    case Failure::WriteFailed: return "書き込めませんでした";
    case Failure::None: break;
    }
    return "";
}

}  // namespace zelfin
