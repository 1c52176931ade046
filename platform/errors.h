#pragma once
#include <stdexcept>
#include <string>

namespace platform {

// The failures the class library raises itself. what() is the user's text in
// UTF-8, exactly as the report shows it (the report appends the full stop).
class PlatformError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// "'%s' は整数ではありません": a line that is not an integer.
class ConvertError : public PlatformError {
public:
    // line: the offending bytes (code page 932); shown converted for display.
    explicit ConvertError(const std::string &line);
};

// "ﾘｽﾄのｲﾝﾃﾞｯｸｽが範囲を超えています": a list index out of range.
class ListIndexError : public PlatformError {
public:
    ListIndexError();
};

// "ﾌｧｲﾙ %s を作成できません": a file the platform's own save cannot create.
class FileCreateError : public PlatformError {
public:
    explicit FileCreateError(const std::string &path);
};

// "ﾌｧｲﾙ %s は開けません": a file that exists but cannot be opened.
class FileOpenError : public PlatformError {
public:
    explicit FileOpenError(const std::string &path);
};

}  // namespace platform
