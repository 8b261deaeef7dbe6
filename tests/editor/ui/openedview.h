#pragma once

#include "core/document.h"
#include "testpdfs.h"
#include "ui/cpxvdocument.h"
#include "ui/documentview.h"

#include <QTemporaryDir>

#include <memory>

// A document view of data written to name in dir, 1000x800 and not shown yet.
inline std::unique_ptr<pxv::DocumentView> openedView(const QTemporaryDir& dir, const QString& name,
                                                     const QByteArray& data)
{
    const QString path = testpdfs::writeBytes(dir.filePath(name), data);
    auto view = std::make_unique<pxv::DocumentView>(std::make_shared<CPXVDocument>(pxv::Document::open(path)));
    view->resize(1000, 800);
    return view;
}
