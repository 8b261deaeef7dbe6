// Documents whose unsaved changes a program that ended left behind: offered at start, reopened
// with their changes, or discarded.

#include "core/document.h"
#include "core/recoveryrecord.h"
#include "core/recoverystore.h"
#include "cpxvcontrol.h"
#include "cpxvdocument.h"
#include "dialogprovider.h"
#include "documentview.h"
#include "pxveditor.h"
#include "recoverykeeper.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>

namespace {

struct Found
{
    QString recordPath;
    pxv::RecoveryRecord record;
    bool sourceChanged = false;
};

QString describe(const Found& found)
{
    const pxv::RecoveryRecord& record = found.record;
    const QString when = QLocale().toString(record.changed.toLocalTime(), QLocale::ShortFormat);
    if (record.sourcePath.isNull())
        return CPXVControl::tr("%1 (never saved), changed %2").arg(record.title, when);
    const QFileInfo file(record.sourcePath);
    QString line = CPXVControl::tr("%1 in %2, changed %3")
                       .arg(file.fileName(), QDir::toNativeSeparators(file.absolutePath()), when);
    if (found.sourceChanged)
        line += CPXVControl::tr(" (the file has changed since: its changes are restored into a copy next to it)");
    return line;
}

// A free name next to path for a copy of it: "name (recovered).pdf", then "(recovered 2)"...
QString copyNextTo(const QString& path)
{
    const QFileInfo file(path);
    for (int n = 1;; ++n) {
        const QString suffix = n == 1 ? CPXVControl::tr("recovered") : CPXVControl::tr("recovered %1").arg(n);
        const QString candidate = file.dir().filePath(
            QStringLiteral("%1 (%2).pdf").arg(file.completeBaseName(), suffix));
        if (!QFileInfo::exists(candidate))
            return candidate;
    }
}

std::unique_ptr<pxv::Document> restored(const Found& found)
{
    const pxv::RecoveryRecord& record = found.record;
    if (record.kind != pxv::RecoveryRecord::Kind::Update || !found.sourceChanged)
        return pxv::Document::restore(record);
    if (!QFileInfo::exists(record.sourcePath))
        throw pxv::DocumentError(pxv::DocumentError::NotFound,
                                 CPXVControl::tr("“%1” no longer exists, so its changes cannot be restored.")
                                     .arg(QDir::toNativeSeparators(record.sourcePath)));
    const QString copy = copyNextTo(record.sourcePath);
    if (!QFile::copy(record.sourcePath, copy))
        throw pxv::DocumentError(pxv::DocumentError::Failed,
                                 CPXVControl::tr("A copy of “%1” cannot be made next to it.")
                                     .arg(QDir::toNativeSeparators(record.sourcePath)));
    return pxv::Document::restore(record, copy);
}

} // namespace

void CPXVControl::offerRecovery()
{
    pxv::RecoveryStore* store = pxv::recoveryStore();
    if (!store)
        return;
    QList<Found> found;
    QStringList problems;
    for (const QString& path : store->orphanedRecords()) {
        QFile file(path);
        try {
            if (!file.open(QIODevice::ReadOnly))
                throw pxv::RecoveryRecordError(file.errorString().toStdString());
            Found next{path, pxv::RecoveryRecord::fromBytes(file.readAll())};
            next.sourceChanged = next.record.kind == pxv::RecoveryRecord::Kind::Update
                                 && pxv::FileIdentity::of(next.record.sourcePath) != next.record.source;
            found.append(next);
        } catch (const pxv::RecoveryRecordError& error) {
            const QString aside = pxv::RecoveryStore::moveAside(path);
            problems.append(tr("Kept changes in “%1” cannot be read (%2); the file was moved to “%3”.")
                                .arg(QDir::toNativeSeparators(path), QString::fromLocal8Bit(error.what()),
                                     QDir::toNativeSeparators(aside)));
        }
    }
    if (!found.isEmpty()) {
        QStringList entries;
        for (const Found& one : found)
            entries.append(describe(one));
        const auto answer = m_dialogs->recoverDocuments(this, entries);
        for (const Found& one : found) {
            if (answer == pxv::DialogProvider::RecoveryAnswer::Later)
                break;
            if (answer == pxv::DialogProvider::RecoveryAnswer::Restore) {
                try {
                    const auto document = std::make_shared<CPXVDocument>(restored(one));
                    // The file may be open already, untouched: its tab shows the changes
                    // rather than a second tab of the same name.
                    pxv::DocumentView* open = findView(document->srcPath());
                    if (open && !open->document()->isModified())
                        replaceView(open, document);
                    else
                        showDocument(document);
                } catch (const pxv::DocumentError& error) {
                    problems.append(error.message());
                    pxv::RecoveryStore::moveAside(one.recordPath);
                    continue;
                }
            }
            // The restored document keeps a record of its own from now on.
            QFile::remove(one.recordPath);
        }
    }
    if (!problems.isEmpty())
        m_dialogs->showError(this, problems.join(QLatin1Char('\n')));
}

bool pxvRecoveryPending()
{
    const pxv::RecoveryStore* store = pxv::recoveryStore();
    return store && !store->orphanedRecords().isEmpty();
}

void offerPXVRecovery(IPXV_Control* control)
{
    if (auto* ours = dynamic_cast<CPXVControl*>(control))
        ours->offerRecovery();
}
