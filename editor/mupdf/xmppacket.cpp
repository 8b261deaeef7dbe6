#include "xmppacket.h"

#include <QHash>
#include <QSet>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace pxv::mu {

namespace {

const QString kRdf = QStringLiteral("http://www.w3.org/1999/02/22-rdf-syntax-ns#");
const QString kDc = QStringLiteral("http://purl.org/dc/elements/1.1/");
const QString kPdf = QStringLiteral("http://ns.adobe.com/pdf/1.3/");
const QString kXmp = QStringLiteral("http://ns.adobe.com/xap/1.0/");

enum class Form { Alt, Seq, Simple };

struct Property
{
    QString ns;
    QString name;
    Form form;
    QString value;
};

QString key(const QString& ns, const QString& name)
{
    return ns + QLatin1Char(' ') + name;
}

void writeProperty(QXmlStreamWriter& out, const Property& property)
{
    out.writeStartElement(property.ns, property.name);
    if (property.form == Form::Simple) {
        out.writeCharacters(property.value);
    } else {
        out.writeStartElement(kRdf, property.form == Form::Alt ? QStringLiteral("Alt") : QStringLiteral("Seq"));
        out.writeStartElement(kRdf, QStringLiteral("li"));
        if (property.form == Form::Alt)
            out.writeAttribute(QStringLiteral("http://www.w3.org/XML/1998/namespace"), QStringLiteral("lang"),
                               QStringLiteral("x-default"));
        out.writeCharacters(property.value);
        out.writeEndElement();
        out.writeEndElement();
    }
    out.writeEndElement();
}

// Skips the element the reader stands at the start of, with everything in it.
void skipElement(QXmlStreamReader& in)
{
    for (int depth = 1; depth > 0 && !in.atEnd();) {
        in.readNext();
        if (in.isStartElement())
            ++depth;
        else if (in.isEndElement())
            --depth;
    }
}

} // namespace

QByteArray packetWithInfo(const QByteArray& packet, const EditableInfo& info, const QDateTime& when)
{
    const QString date = when.toString(Qt::ISODate);
    const QList<Property> properties{
        {kDc, QStringLiteral("title"), Form::Alt, info.title},
        {kDc, QStringLiteral("creator"), Form::Seq, info.author},
        {kDc, QStringLiteral("description"), Form::Alt, info.subject},
        {kPdf, QStringLiteral("Keywords"), Form::Simple, info.keywords},
        {kXmp, QStringLiteral("ModifyDate"), Form::Simple, date},
        {kXmp, QStringLiteral("MetadataDate"), Form::Simple, date},
    };
    QHash<QString, Property> managed;
    for (const Property& property : properties)
        managed.insert(key(property.ns, property.name), property);

    QByteArray result;
    QXmlStreamReader in(packet);
    QXmlStreamWriter out(&result);
    QSet<QString> written;
    int descriptions = 0;
    int descriptionDepth = -1;
    int depth = 0;
    while (!in.atEnd()) {
        in.readNext();
        if (in.isStartElement()) {
            const QString found = key(in.namespaceUri().toString(), in.name().toString());
            if (managed.contains(found)) {
                // The property as a child element: ours instead, once.
                skipElement(in);
                const Property& property = managed[found];
                if (!property.value.isEmpty() && !written.contains(found))
                    writeProperty(out, property);
                written.insert(found);
                continue;
            }
            ++depth;
            if (in.namespaceUri() == kRdf && in.name() == QLatin1String("Description")) {
                if (++descriptions == 1)
                    descriptionDepth = depth;
                // Properties written as attributes of the description.
                out.writeStartElement(in.namespaceUri().toString(), in.name().toString());
                for (const QXmlStreamNamespaceDeclaration& declaration : in.namespaceDeclarations())
                    out.writeNamespace(declaration.namespaceUri().toString(), declaration.prefix().toString());
                for (const QXmlStreamAttribute& attribute : in.attributes()) {
                    const QString name = key(attribute.namespaceUri().toString(), attribute.name().toString());
                    if (!managed.contains(name)) {
                        out.writeAttribute(attribute);
                        continue;
                    }
                    if (!managed[name].value.isEmpty() && managed[name].form == Form::Simple && !written.contains(name))
                        out.writeAttribute(attribute.namespaceUri().toString(), attribute.name().toString(),
                                           managed[name].value);
                    written.insert(name);
                }
                continue;
            }
        } else if (in.isEndElement()) {
            if (depth == descriptionDepth) {
                // What the packet did not have yet goes into its first description.
                for (const Property& property : properties) {
                    if (!written.contains(key(property.ns, property.name)) && !property.value.isEmpty())
                        writeProperty(out, property);
                    written.insert(key(property.ns, property.name));
                }
                descriptionDepth = -1;
            }
            --depth;
        }
        out.writeCurrentToken(in);
    }
    if (in.hasError() || descriptions == 0)
        return QByteArray();
    return result;
}

} // namespace pxv::mu
