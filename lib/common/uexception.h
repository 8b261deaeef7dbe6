#pragma once

#include <QString>

#include <exception>
#include <string>

// The one exception type of the program's own checks: the failed condition, where it sits, and an
// optional message for people. Its text comes from toString(); what() keeps the base's default.
class UException : public std::exception
{
public:
    UException(const std::string& expression, const std::wstring& message, const std::string& file, int line);
    UException(const std::string& expression, const QString& message, const std::string& file, int line);
    UException(const std::string& expression, const std::string& file, int line);

    std::wstring toString() const;

    const std::wstring& expression() const { return m_expression; }
    const std::wstring& file() const { return m_file; }
    const std::wstring& message() const { return m_message; }
    int line() const { return m_line; }

private:
    std::wstring m_expression;
    std::wstring m_file;
    std::wstring m_message;
    int m_line = 0;
};

// Never compiled out. The message is evaluated only when the condition fails.
#define U_ASSERT(cond)                                                                                                 \
    do {                                                                                                               \
        if (!(cond))                                                                                                   \
            throw UException(#cond, __FILE__, __LINE__);                                                               \
    } while (false)

#define U_ASSERT_MSG(cond, msg)                                                                                        \
    do {                                                                                                               \
        if (!(cond))                                                                                                   \
            throw UException(#cond, (msg), __FILE__, __LINE__);                                                        \
    } while (false)
