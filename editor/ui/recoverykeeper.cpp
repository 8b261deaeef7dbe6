#include "recoverykeeper.h"

#include "core/document.h"
#include "core/recoveryrecord.h"
#include "core/recoverystore.h"
#include "perflog.h"
#include "pxveditor.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QPointer>

namespace pxv {

namespace {

constexpr int kWriteDelayMs = 1000;

std::unique_ptr<RecoveryStore>& storeHolder()
{
    static std::unique_ptr<RecoveryStore> store;
    return store;
}

} // namespace

RecoveryStore* recoveryStore()
{
    return storeHolder().get();
}

RecoveryKeeper::RecoveryKeeper(Document* document, QObject* parent) : QObject(parent), m_document(document)
{
    m_delay.setSingleShot(true);
    m_delay.setInterval(kWriteDelayMs);
    connect(&m_delay, &QTimer::timeout, this, &RecoveryKeeper::write);
    connect(document, &Document::historyChanged, this, &RecoveryKeeper::changed);
    connect(document, &Document::modifiedChanged, this, &RecoveryKeeper::changed);
    connect(document, &Document::saved, this, &RecoveryKeeper::remove);
    if (document->isModified())
        changed();
}

RecoveryKeeper::~RecoveryKeeper()
{
    remove();
}

void RecoveryKeeper::changed()
{
    if (!m_document->isModified()) {
        remove();
        return;
    }
    m_changed = QDateTime::currentDateTimeUtc();
    m_delay.start();
}

void RecoveryKeeper::write()
{
    QElapsedTimer clock;
    clock.start();
    RecoveryStore* store = recoveryStore();
    RecoveryRecord record;
    Document::RecordFinish finish;
    if (!store || !m_document->recoveryRecord(&record, &finish)) {
        remove();
        return;
    }
    record.pid = QCoreApplication::applicationPid();
    record.changed = m_changed;
    if (m_name.isEmpty())
        m_name = store->newRecordName();
    const double guiMs = clock.nsecsElapsed() / 1e6;
    // What takes long (a whole document, the digest of a file) is done on the store's thread.
    const auto make = [record, finish]() mutable { return finish(&record) ? record.toBytes() : QByteArray(); };
    store->write(m_name, make, [clock, guiMs] {
        qCInfo(lcPerf) << "recovery record written" << guiMs << clock.nsecsElapsed() / 1e6;
    });
}

void RecoveryKeeper::remove()
{
    m_delay.stop();
    if (m_name.isEmpty())
        return;
    if (RecoveryStore* store = recoveryStore())
        store->remove(m_name);
    m_name.clear();
}

} // namespace pxv

void setPXVRecoveryFolder(const QString& folder, std::function<void(const QString&)> problem)
{
    auto& store = pxv::storeHolder();
    store.reset();
    if (folder.isEmpty())
        return;
    QPointer<QCoreApplication> app = QCoreApplication::instance();
    // The store tells of problems on its own thread; the host hears of them on the GUI thread.
    store = std::make_unique<pxv::RecoveryStore>(folder, [app, problem](const QString& message) {
        if (app && problem)
            QMetaObject::invokeMethod(
                app, [problem, message] { problem(message); }, Qt::QueuedConnection);
    });
}
