#pragma once
#include <string>

namespace zelforge {

// The authoring window's log, as the package steps see it.
class AuthoringLog {
public:
    virtual ~AuthoringLog() = default;
    // One new line of UTF-8 text.
    virtual void AddLogLine(const std::string &utf8) = 0;
};

}  // namespace zelforge
