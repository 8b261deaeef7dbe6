#include "objectstreams.h"

#include <QFile>

// New code takes qpdf's own shared pointers as std::shared_ptr.
#define POINTERHOLDER_TRANSITION 4
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFWriter.hh>

#include <exception>

namespace pxv {

bool packObjectStreams(const QString& source, const QString& target)
{
    const QByteArray in = QFile::encodeName(source);
    const QByteArray out = QFile::encodeName(target);
    try {
        QPDF pdf;
        // Its warnings are about files it repairs on reading; what it writes is whole.
        pdf.setSuppressWarnings(true);
        pdf.processFile(in.constData());
        QPDFWriter writer(pdf, out.constData());
        writer.setObjectStreamMode(qpdf_o_generate);
        writer.setRecompressFlate(true);
        writer.write();
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

} // namespace pxv
