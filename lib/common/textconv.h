#pragma once

#include <QString>

#include <string>

// Replaces every occurrence in place; `to` must not contain `from`.
void replaceAll(QString& text, const QString& from, const QString& to);
std::string replaceAll(std::string text, const std::string& from, const std::string& to);

// UTF-8 is the encoding of the history database. Invalid input throws std::range_error.
std::wstring utf8ToWide(std::string text);
std::string wideToUtf8(const std::wstring& text);
