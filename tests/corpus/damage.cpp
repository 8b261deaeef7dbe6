#include "damage.h"

#include <QtGlobal>

namespace corpus {

namespace {

// xorshift32: the same bytes on every machine, unlike std:: distributions.
quint32 nextRandom(quint32& state)
{
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return state;
}

int mustFind(const QByteArray& pdf, const QByteArray& what, int from = 0)
{
    const int at = pdf.indexOf(what, from);
    if (at < 0)
        qFatal("the source PDF has no \"%s\"", what.constData());
    return at;
}

} // namespace

QByteArray cut(const QByteArray& pdf, int bytes)
{
    return pdf.left(bytes);
}

QByteArray scramble(const QByteArray& pdf, int at, int length, quint32 seed)
{
    QByteArray out = pdf;
    quint32 state = seed ? seed : 1;
    for (int i = at; i < at + length && i < out.size(); ++i)
        out[i] = char(nextRandom(state) & 0xff);
    return out;
}

QByteArray patch(const QByteArray& pdf, const QByteArray& from, const QByteArray& to)
{
    if (from.size() != to.size())
        qFatal("patch \"%s\" must keep its length", from.constData());
    mustFind(pdf, from);
    QByteArray out = pdf;
    return out.replace(from, to);
}

QByteArray replaceShifting(const QByteArray& pdf, const QByteArray& from, const QByteArray& to)
{
    QByteArray out = pdf;
    return out.replace(mustFind(pdf, from), from.size(), to);
}

int streamData(const QByteArray& pdf, int n)
{
    int at = -1;
    for (int found = -1; found < n;) {
        at = mustFind(pdf, "stream", at + 1);
        if (at < 3 || pdf.mid(at - 3, 3) != "end")
            ++found;
    }
    at += 6;
    if (pdf.at(at) == '\r')
        ++at;
    return pdf.at(at) == '\n' ? at + 1 : at;
}

QByteArray nested(const QByteArray& open, const QByteArray& inner, const QByteArray& close, int depth)
{
    return open.repeated(depth) + inner + close.repeated(depth);
}

} // namespace corpus
