#pragma once

#include "core/layer.h"

// A smaller copy of a document.

#include "document.h"

namespace pxv {

struct CompressSettings
{
    bool lossy = false; // also store images as JPEG, downsampled to dpi
    int dpi = 150;
    int quality = 75;
};

struct CompressResult
{
    qint64 before = 0; // the document's file; 0 when it has none
    qint64 after = 0;
};

// Writes source's version to path (replaced atomically) without unused (or, but in very large
// files, duplicate) objects,
// every stream compressed, small objects packed into object streams and, when lossy, images
// stored as JPEG at most at the resolution the largest page needs. The result is the smallest of the lossless and the
// lossy writing, and never larger than file (the document's own; null when there is none) when the document is not
// edited: the file is copied instead then. Meant for a worker thread: progress is told between steps, and returning
// false stops with DocumentError::Cancelled.
CompressResult compressDocument(const RenderSource& source, const QString& file, bool edited, const QString& path,
                                const CompressSettings& settings, const SplitProgress& progress = {});

} // namespace pxv
