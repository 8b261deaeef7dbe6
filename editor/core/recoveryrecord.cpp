#include "recoveryrecord.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace pxv {

namespace {

constexpr qint64 kDigestSpan = 1 << 20;
// A first line that says what the file is and which layout follows: a JSON header of the
// length on the second line, then the payload.
const QByteArray kMagic = "%VellumpadRecovery-1\n";

QByteArray payloadDigest(const QByteArray& payload)
{
    return QCryptographicHash::hash(payload, QCryptographicHash::Sha256).toHex();
}

} // namespace

FileIdentity FileIdentity::of(const QString& path)
{
    FileIdentity identity;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return identity;
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(file.read(kDigestSpan));
    if (file.size() > kDigestSpan) {
        file.seek(std::max(kDigestSpan, file.size() - kDigestSpan));
        hash.addData(file.readAll());
    }
    identity.size = file.size();
    identity.modified = QFileInfo(file).lastModified().toUTC();
    identity.digest = hash.result().toHex();
    return identity;
}

LazyFileIdentity::LazyFileIdentity(const QString& path) : m_path(path)
{
    const QFileInfo file(path);
    if (file.isFile()) {
        m_size = file.size();
        m_modified = file.lastModified().toUTC();
    }
}

FileIdentity LazyFileIdentity::get() const
{
    std::call_once(m_once, [this] {
        const FileIdentity now = FileIdentity::of(m_path);
        if (m_size >= 0 && now.size == m_size && now.modified == m_modified)
            m_identity = now;
    });
    return m_identity;
}

bool FileIdentity::operator==(const FileIdentity& other) const
{
    return size == other.size && modified == other.modified && digest == other.digest;
}

QByteArray RecoveryRecord::toBytes() const
{
    QJsonArray numbers;
    for (int number : objects)
        numbers.append(number);
    QJsonObject header{
        {"kind", kind == Kind::Update ? "update" : "document"},
        {"title", title},
        {"objects", numbers},
        {"pid", double(pid)},
        {"changed", changed.toUTC().toString(Qt::ISODateWithMs)},
        {"payloadSize", double(payload.size())},
        {"payloadDigest", QString::fromLatin1(payloadDigest(payload))},
    };
    if (!sourcePath.isNull()) {
        header.insert("path", sourcePath);
        header.insert("size", double(source.size));
        header.insert("modified", source.modified.toUTC().toString(Qt::ISODateWithMs));
        header.insert("digest", QString::fromLatin1(source.digest));
    }
    const QByteArray json = QJsonDocument(header).toJson(QJsonDocument::Compact);
    return kMagic + QByteArray::number(json.size()) + '\n' + json + payload;
}

RecoveryRecord RecoveryRecord::fromBytes(const QByteArray& bytes)
{
    if (!bytes.startsWith(kMagic))
        throw RecoveryRecordError("not a recovery record");
    const int lineEnd = bytes.indexOf('\n', kMagic.size());
    bool ok = false;
    const int jsonSize = lineEnd < 0 ? 0 : bytes.mid(kMagic.size(), lineEnd - kMagic.size()).toInt(&ok);
    if (!ok || jsonSize <= 0 || jsonSize > bytes.size() - lineEnd - 1)
        throw RecoveryRecordError("the record's header is cut short");
    QJsonParseError error;
    const QJsonDocument json = QJsonDocument::fromJson(bytes.mid(lineEnd + 1, jsonSize), &error);
    if (!json.isObject())
        throw RecoveryRecordError("the record's header cannot be read: " + error.errorString().toStdString());
    const QJsonObject header = json.object();
    RecoveryRecord record;
    record.payload = bytes.mid(lineEnd + 1 + jsonSize);
    if (record.payload.size() != header.value("payloadSize").toDouble(-1)
        || payloadDigest(record.payload) != header.value("payloadDigest").toString().toLatin1())
        throw RecoveryRecordError("the record's contents are damaged");
    const QString kind = header.value("kind").toString();
    if (kind != "update" && kind != "document")
        throw RecoveryRecordError("the record is of an unknown kind");
    record.kind = kind == "update" ? Kind::Update : Kind::Document;
    record.title = header.value("title").toString();
    for (const QJsonValue& number : header.value("objects").toArray())
        record.objects.push_back(number.toInt());
    record.pid = qint64(header.value("pid").toDouble());
    record.changed = QDateTime::fromString(header.value("changed").toString(), Qt::ISODateWithMs);
    if (header.contains("path")) {
        record.sourcePath = header.value("path").toString();
        record.source.size = qint64(header.value("size").toDouble(-1));
        record.source.modified = QDateTime::fromString(header.value("modified").toString(), Qt::ISODateWithMs);
        record.source.digest = header.value("digest").toString().toLatin1();
    }
    if (record.kind == Kind::Update && (record.sourcePath.isEmpty() || record.objects.empty()))
        throw RecoveryRecordError("the record's update has no file to apply to");
    return record;
}

} // namespace pxv
