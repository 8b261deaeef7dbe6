#pragma once

#include "core/layer.h"

#include <QCoreApplication>
#include <QString>
#include <QVector>

#include <stdexcept>

namespace pxv {

// A page range text could not be understood. message() is written for the user and quotes the
// part of the text at fault.
class PageRangeError : public std::runtime_error
{
public:
    explicit PageRangeError(const QString& message);

    QString message() const { return m_message; }

private:
    QString m_message;
};

// Pages chosen by a range text, 0-based, in the order the text names them.
class PageRange
{
    Q_DECLARE_TR_FUNCTIONS(pxv::PageRange)

public:
    // Parses text against a document of pageCount pages. Syntax (1-based page numbers, as users write them):
    //   "all" (also an empty/whitespace-only text means all), "odd", "even" (1-based parity: odd = pages 1,3,5...),
    //   comma-separated items, each "N", "N-M" (M >= N), "N-" (N to the last page), "-M" (first page to M);
    //   the keywords may be items of such a list too ("odd,2");
    //   whitespace around items and around '-' is ignored; keywords are case-insensitive.
    //   A page listed twice is kept once (first occurrence decides the order).
    // Throws PageRangeError with a message for people on: an unknown word, a malformed item ("3-2", "1--2", "a",
    // "1,,2"), a page 0 or a negative number, a page beyond pageCount (message says the document has N pages), a number
    // that does not fit in int, or a document with no pages.
    static QVector<int> parse(const QString& text, int pageCount);
    // The text that parse() reads as pages (0-based): "1,3,4".
    static QString text(const QVector<int>& pages);
};

} // namespace pxv
