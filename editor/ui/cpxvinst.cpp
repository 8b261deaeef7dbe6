#include "cpxvinst.h"

#include "actionset.h"
#include "core/document.h"
#include "core/workerthread.h"
#include "core/queuedcall.h"
#include "cpxvcontrol.h"
#include "cpxvdocument.h"
#include "dialogprovider.h"
#include "nametable.h"
#include "operation.h"

#include <QEventLoop>
#include <QFileInfo>
#include <QPointer>
#include <QProgressBar>
#include <QProgressDialog>
#include <QRunnable>
#include <QScopeGuard>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <optional>

using pxv::NameTable;

namespace {

PXV_Error toError(const pxv::DocumentError& error)
{
    switch (error.kind()) {
    case pxv::DocumentError::Cancelled:
        return PXV_Error(PXV_Error::Cancelled, error.message());
    case pxv::DocumentError::Failed:
        return PXV_Error(PXV_Error::Failed, error.message());
    default:
        return PXV_Error(PXV_Error::FileError, error.message());
    }
}

// Runs a document-model call, turning its failures into the component's error.
template <typename F>
std::unique_ptr<pxv::Document> guarded(F make)
{
    try {
        return make();
    } catch (const pxv::DocumentError& error) {
        throw toError(error);
    } catch (const std::exception& error) {
        throw PXV_Error(PXV_Error::Failed, QString::fromLocal8Bit(error.what()));
    }
}

// Short combines finish before a dialog would be worth showing.
constexpr int kProgressDelayMs = 300;

} // namespace

// What a combine on a worker thread shares with the GUI thread. The fields under the mutex are
// written by both; dialog and loop are touched by the GUI thread only.
struct CombineJob
{
    std::mutex mutex;
    std::condition_variable wake;
    bool cancelled = false;
    bool done = false;
    std::unique_ptr<pxv::Document> result;
    std::optional<PXV_Error> error;
    std::optional<QString> password; // the answer to the worker's question; null: cancelled

    QPointer<QProgressDialog> dialog;
    QPointer<QProgressBar> bar;
    QPointer<QEventLoop> loop;

    bool isCancelled()
    {
        std::lock_guard<std::mutex> lock(mutex);
        return cancelled;
    }

    void cancel()
    {
        std::lock_guard<std::mutex> lock(mutex);
        cancelled = true;
        wake.notify_all();
    }
};

CPXVInst::CPXVInst(CPXVControl* control) : m_control(control)
{
    const pxv::ActionSet* actions = control->actions();
    for (const QString& name : actions->names())
        m_uix.commandList().add(name, actions->action(name));
    m_settings.setChangeHandler([control](const QString&) { control->applySettings(); });
    paneArea().setChangeHandler([control] { control->applyPaneLimits(); });
}

CPXVInst::~CPXVInst()
{
    // A worker waiting for a password must not wait for a dialog that will never come.
    for (const std::weak_ptr<CombineJob>& job : m_jobs) {
        if (const std::shared_ptr<CombineJob> running = job.lock())
            running->cancel();
    }
}

int CPXVInst::nameToId(const QString& name, bool)
{
    const int id = NameTable::instance().id(name);
    if (id == 0)
        throw PXV_Error(PXV_Error::NotFound,
                        tr("The editor knows no command, pane, operation or event named “%1”.").arg(name));
    return id;
}

QString CPXVInst::idToName(int id) const
{
    return NameTable::instance().name(id);
}

void CPXVInst::runCommand(const QString& name, int)
{
    const int id = nameToId(name);
    if (!NameTable::instance().isKind(id, NameTable::Kind::Command))
        throw PXV_Error(PXV_Error::InvalidArgument, tr("“%1” is not a command.").arg(name));
    m_control->runCommand(name);
}

std::shared_ptr<IPXV_Operation> CPXVInst::createOperation(int operationId)
{
    if (!NameTable::instance().isKind(operationId, NameTable::Kind::Operation))
        throw PXV_Error(PXV_Error::InvalidArgument, tr("%1 is not the id of an operation.").arg(operationId));
    return std::make_shared<pxv::Operation>(operationId, idToName(operationId));
}

void CPXVInst::runOperation(IPXV_Operation* operation, int)
{
    auto* op = dynamic_cast<pxv::Operation*>(operation);
    if (!op)
        throw PXV_Error(PXV_Error::InvalidArgument, tr("The operation was not made by this editor."));
    m_operations.run(*op, *this, *m_control);
}

QVariant CPXVInst::runOperation(const QString& name, std::shared_ptr<CPXVDocument> input, const QVariantMap& parameters,
                                const pxv::SplitProgress& progress)
{
    pxv::Operation operation(nameToId(name), name);
    operation.setProgress(progress);
    if (input)
        operation.params()->child(QStringLiteral("Input"))->setObject(std::move(input));
    for (auto it = parameters.cbegin(); it != parameters.cend(); ++it)
        operation.params()->child(it.key())->setValue(it.value());
    runOperation(&operation);
    return operation.params()->child(QStringLiteral("Output"))->value();
}

std::unique_ptr<pxv::Document> CPXVInst::combineNow(const QStringList& paths)
{
    // The operation stays synchronous on the caller's thread: its caller reads "Output" as soon
    // as it returns, and spinning an event loop inside it would let the host's own posted
    // events run in the middle of its call. The interactive command, which owns its dialogs,
    // combines in the background instead (combineInBackground).
    const pxv::PasswordProvider passwords = passwordsFor(nullptr);
    return guarded([&] { return pxv::Document::combine(paths, passwords); });
}

pxv::PasswordProvider CPXVInst::passwordsFor(QWidget* parent) const
{
    CPXVControl* control = m_control;
    QWidget* owner = parent ? parent : control;
    return [control, owner](const QString& file, bool retry, QString* password) {
        *password = control->dialogs().password(owner, QFileInfo(file).fileName(), retry);
        return !password->isNull();
    };
}

std::unique_ptr<pxv::Document> CPXVInst::combineInBackground(const QStringList& paths)
{
    if (paths.isEmpty())
        throw PXV_Error(PXV_Error::InvalidArgument, tr("There are no files to combine."));
    if (m_combining)
        throw PXV_Error(PXV_Error::Failed, tr("Another combine is still running."));
    m_combining = true;
    const auto done = qScopeGuard([this] { m_combining = false; });

    auto job = std::make_shared<CombineJob>();
    m_jobs.erase(std::remove_if(m_jobs.begin(), m_jobs.end(), [](const auto& old) { return old.expired(); }),
                 m_jobs.end());
    m_jobs.push_back(job);

    QProgressDialog dialog(tr("Combining…"), tr("Cancel"), 0, 0, m_control);
    dialog.setWindowTitle(tr("Combine"));
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.setAutoClose(false);
    dialog.setAutoReset(false);
    dialog.setMinimumWidth(dialog.fontMetrics().averageCharWidth() * 50);
    // Counts files; one file can only be shown as busy. The dialog's own setValue is avoided
    // because a modal dialog processes events inside it.
    auto* bar = new QProgressBar(&dialog);
    bar->setRange(0, paths.size() > 1 ? paths.size() : 0);
    dialog.setBar(bar);
    QTimer::singleShot(kProgressDelayMs, &dialog, [&dialog] {
        if (!dialog.wasCanceled())
            dialog.show();
    });
    QEventLoop loop;
    job->dialog = &dialog;
    job->bar = bar;
    job->loop = &loop;
    QObject::connect(&dialog, &QProgressDialog::canceled, &loop, &QEventLoop::quit);

    // Worker-side callbacks reach the GUI thread through queued calls on the control, so they
    // are dropped, not run, once the control is gone.
    CPXVControl* control = m_control;
    const int count = paths.size();
    const pxv::CombineProgress progress = [job, control, count](int index, const QString& file) {
        const QString name = QFileInfo(file).fileName();
        pxv::postCall(control, [job, name, index, count] {
            if (job->dialog)
                job->dialog->setLabelText(tr("Combining “%1” (%2 of %3)…").arg(name).arg(index + 1).arg(count));
            if (job->bar && count > 1)
                job->bar->setValue(index);
        });
        return !job->isCancelled();
    };
    const pxv::PasswordProvider passwords = [job, control](const QString& file, bool retry, QString* password) {
        {
            std::lock_guard<std::mutex> lock(job->mutex);
            if (job->cancelled)
                return false;
            job->password.reset();
        }
        pxv::postCall(control, [job, control, file, retry] {
            QString answer;
            if (!job->isCancelled()) {
                // The progress goes up first, so that it cannot later cover the question.
                QWidget* parent = control;
                if (job->dialog) {
                    job->dialog->show();
                    parent = job->dialog;
                }
                answer = control->dialogs().password(parent, QFileInfo(file).fileName(), retry);
            }
            std::lock_guard<std::mutex> lock(job->mutex);
            job->password = answer;
            job->wake.notify_all();
        });
        std::unique_lock<std::mutex> lock(job->mutex);
        job->wake.wait(lock, [&job] { return job->cancelled || job->password.has_value(); });
        if (job->cancelled || job->password->isNull())
            return false;
        *password = *job->password;
        return true;
    };

    QThread* gui = QThread::currentThread();
    m_workers.start(QRunnable::create([job, control, paths, passwords, progress, gui] {
        pxv::prepareWorkerThread("pxv-combine");
        std::unique_ptr<pxv::Document> document;
        std::optional<PXV_Error> error;
        try {
            document = guarded([&] { return pxv::Document::combine(paths, passwords, progress); });
        } catch (const PXV_Error& failure) {
            error = failure;
        }
        {
            std::lock_guard<std::mutex> lock(job->mutex);
            if (document && !job->cancelled) {
                document->moveToThread(gui);
                job->result = std::move(document);
            }
            job->error = error;
            job->done = true;
        }
        // A cancelled result still belongs to this thread and is destroyed here.
        document.reset();
        pxv::postCall(control, [job] {
            if (job->loop)
                job->loop->quit();
        });
    }));
    loop.exec();

    std::unique_ptr<pxv::Document> result;
    std::optional<PXV_Error> error;
    bool finished = false;
    {
        std::lock_guard<std::mutex> lock(job->mutex);
        finished = job->done;
        result = std::move(job->result);
        error = job->error;
        // A worker still running stops at its next file and drops what it made.
        job->cancelled = true;
        job->wake.notify_all();
    }
    // Cancel was pressed, or the application is quitting and ended every event loop; a result
    // that arrived meanwhile is discarded here, on the thread it belongs to.
    if (dialog.wasCanceled() || !finished)
        throw PXV_Error(PXV_Error::Cancelled, tr("Combining was cancelled."));
    if (error)
        throw *error;
    return result;
}

IPXV_Extension* CPXVInst::extension(const QString& name)
{
    if (name != QLatin1String("UIX"))
        throw PXV_Error(PXV_Error::NotFound, tr("The editor has no extension named “%1”.").arg(name));
    return &m_uix;
}

void CPXVInst::setNoValueText(const QString& text)
{
    m_control->setNoValueText(text);
}

void CPXVInst::setPreference(int preference, int value)
{
    if (preference != kStartPagePreference)
        throw PXV_Error(PXV_Error::InvalidArgument, tr("The editor has no preference %1.").arg(preference));
    m_control->setStartPageVisible(value != 0);
}
