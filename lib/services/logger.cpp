#include "logger.h"

#include <cstdarg>
#include <ctime>
#include <cwchar>
#include <vector>

namespace sth {

bool logger::m_bDebug = false;
std::function<void(const std::shared_ptr<LogInfo>&)> logger::m_callback;

std::wstring logger::_format(const wchar_t* format, ...)
{
    std::vector<wchar_t> buffer(256);
    for (;;) {
        va_list args;
        va_start(args, format);
        const int n = std::vswprintf(buffer.data(), buffer.size(), format, args);
        va_end(args);
        if (n >= 0 && size_t(n) < buffer.size())
            return std::wstring(buffer.data(), size_t(n));
        if (buffer.size() > (1u << 24))
            return std::wstring();
        buffer.resize(buffer.size() * 2);
    }
}

void logger::log(int level, const char* file, int line, const std::wstring& message)
{
    if (!m_callback || !(m_bDebug || level < 2))
        return;
    auto info = std::make_shared<LogInfo>();
    info->level = level;
    info->line = line;
    info->time = int64_t(std::time(nullptr));
    info->file = file ? file : "";
    info->message = _format(L"%ls", message.c_str());
    m_callback(info);
}

} // namespace sth
