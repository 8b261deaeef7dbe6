#include "handmade.h"

#include "testpdfs.h"

namespace corpus {

QByteArray stream(const QByteArray& data, const QByteArray& dict)
{
    return "<< /Length " + QByteArray::number(data.size()) + (dict.isEmpty() ? "" : " " + dict) + " >>\nstream\n" + data
           + "\nendstream";
}

QByteArray onePage(const OnePage& page)
{
    QList<QByteArray> objects{
        "<< /Type /Catalog /Pages 2 0 R" + (page.catalogEntries.isEmpty() ? "" : " " + page.catalogEntries) + " >>",
        page.pageTree,
        "<< /Type /Page /Parent 2 0 R /MediaBox " + page.mediaBox + " /Resources 5 0 R /Contents 4 0 R"
            + (page.pageEntries.isEmpty() ? "" : " " + page.pageEntries) + " >>",
        stream(page.contents),
        "<< /Font << /F1 6 0 R >>" + QByteArray(page.extra.isEmpty() ? "" : " /XObject << /X1 7 0 R >>") + " >>",
        page.font,
    };
    objects += page.extra;
    return testpdfs::build(objects);
}

} // namespace corpus
