#include "textconv.h"

#include <codecvt>
#include <locale>

void replaceAll(QString& text, const QString& from, const QString& to)
{
    if (from.isEmpty())
        return;
    for (int pos = text.indexOf(from); pos >= 0; pos = text.indexOf(from))
        text.replace(pos, from.size(), to);
}

std::string replaceAll(std::string text, const std::string& from, const std::string& to)
{
    if (from.empty())
        return text;
    std::string::size_type pos = 0;
    while (pos < text.size() && (pos = text.find(from, pos)) != std::string::npos) {
        text.replace(pos, from.size(), to);
        pos += to.size();
    }
    return text;
}

std::wstring utf8ToWide(std::string text)
{
    std::wstring_convert<std::codecvt_utf8<wchar_t>> converter;
    return converter.from_bytes(text);
}

std::string wideToUtf8(const std::wstring& text)
{
    std::wstring_convert<std::codecvt_utf8<wchar_t>> converter;
    return converter.to_bytes(text);
}
