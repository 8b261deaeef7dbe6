#pragma once

// Byte-level damage done to good PDFs: every function returns a damaged copy and is
// deterministic, so that the committed corpus can be made again byte for byte.

#include <QByteArray>

namespace corpus {

// The first `bytes` bytes.
QByteArray cut(const QByteArray& pdf, int bytes);

// `length` pseudo-random bytes from `seed` written over pdf from `at`.
QByteArray scramble(const QByteArray& pdf, int at, int length, quint32 seed);

// Every occurrence of `from` replaced by `to`; both must have the same length so that no
// offset moves. A missing `from` is a mistake in the generator and ends it.
QByteArray patch(const QByteArray& pdf, const QByteArray& from, const QByteArray& to);

// The first occurrence of `from` replaced by `to`, offsets after it shifted (the file's
// cross-reference table then points at the wrong places, as in many damaged files).
QByteArray replaceShifting(const QByteArray& pdf, const QByteArray& from, const QByteArray& to);

// Offset of the first byte of data of the stream that follows the n-th (from 0) "stream" keyword.
int streamData(const QByteArray& pdf, int n = 0);

// Text nested `depth` times: open * depth + inner + close * depth.
QByteArray nested(const QByteArray& open, const QByteArray& inner, const QByteArray& close, int depth);

} // namespace corpus
