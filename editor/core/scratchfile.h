#pragma once

#include "core/layer.h"

// A file of the program's own, for a document too large to be held in memory whole.

#include <QString>

#include <memory>

namespace pxv {

// A file in the temporary folder whose name is removed as soon as it is made: only this object
// holds it, through its descriptor, and nothing is left behind once it goes, even after a
// crash. Its path() opens the same file anew for as long as this object lives.
class ScratchFile
{
public:
    // Null when none can be made (no temporary folder, or a read-only one, or no /proc).
    static std::shared_ptr<ScratchFile> create();
    ~ScratchFile();
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;

    QString path() const;
    qint64 size() const;

private:
    explicit ScratchFile(int descriptor) : m_descriptor(descriptor) {}

    int m_descriptor;
};

} // namespace pxv
