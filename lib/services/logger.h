#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace sth {

struct LogInfo
{
    int level = 0;
    int line = 0;
    int64_t time = 0;
    std::string file;
    std::wstring message;
};

// A record is made only when a receiver is installed and either the debug switch is on or the
// level is below 2.
class logger
{
public:
    static bool m_bDebug;
    static std::function<void(const std::shared_ptr<LogInfo>&)> m_callback;

    static std::wstring _format(const wchar_t* format, ...);
    // The message always travels as an argument of the format, so a "%" in it stays a "%".
    static void log(int level, const char* file, int line, const std::wstring& message);
};

} // namespace sth
