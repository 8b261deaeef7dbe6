#pragma once

#include "ui/layer.h"

#include "ipxv.h"
#include "operationregistry.h"
#include "panelayout.h"
#include "settings.h"
#include "uix.h"

#include <QCoreApplication>
#include <QThreadPool>

#include <functional>
#include <memory>
#include <vector>

class CPXVControl;
class CPXVDocument;
struct CombineJob;

namespace pxv {
class Document;
using PasswordProvider = std::function<bool(const QString& fileName, bool retry, QString* password)>;
} // namespace pxv

// The editor instance: names and ids, operations, settings and the user-interface objects.
class CPXVInst : public IPXV_Inst
{
    Q_DECLARE_TR_FUNCTIONS(CPXVInst)

public:
    explicit CPXVInst(CPXVControl* control);
    ~CPXVInst() override;

    // The flag is accepted for callers that pass one; names are never created on demand.
    int nameToId(const QString& name, bool flag = true) override;
    QString idToName(int id) const override;

    void runCommand(const QString& name, int flags = 0) override;
    std::shared_ptr<IPXV_Operation> createOperation(int operationId) override;
    // Runs an operation of the registry; the public header lists them with their parameters.
    void runOperation(IPXV_Operation* operation, int flags = 0) override;
    // Runs the operation named name with the given parameters, for the component's own
    // commands: they do their work through the same operations as hosts and scripts.
    // An operation that writes several files tells progress between them. Returns the value
    // of its "Output".
    QVariant runOperation(const QString& name, std::shared_ptr<CPXVDocument> input, const QVariantMap& parameters,
                          const pxv::SplitProgress& progress = {});

    // Combines files on the caller's thread, asking passwords with the control's dialogs.
    std::unique_ptr<pxv::Document> combineNow(const QStringList& paths);
    // Asks the passwords of files whose pages are used with the control's dialogs, over parent
    // (the control when null).
    pxv::PasswordProvider passwordsFor(QWidget* parent) const;

    // Combines files on a worker thread while a modal progress dialog keeps the window painting
    // and offers Cancel, which discards the result. Returns when the combine is over; throws
    // PXV_Error, with the code Cancelled when the user cancelled.
    std::unique_ptr<pxv::Document> combineInBackground(const QStringList& paths);

    IPXV_Settings* settings() override { return &m_settings; }
    IPXV_Extension* extension(const QString& name) override;
    IPXV_Layout* layout() override { return &m_layout; }

    void setNoValueText(const QString& text) override;
    void setPreference(int preference, int value) override;

    const pxv::Settings& currentSettings() const { return m_settings; }
    pxv::PaneArea& paneArea() { return m_layout.paneArea(); }

    static constexpr int kStartPagePreference = 9;

private:
    CPXVControl* m_control;
    pxv::Settings m_settings;
    pxv::UIExtension m_uix;
    pxv::Layout m_layout;
    pxv::OperationRegistry m_operations;
    bool m_combining = false;
    // Combines still running after their user cancelled them; they stop at the next file.
    std::vector<std::weak_ptr<CombineJob>> m_jobs;
    // Declared last so that it is destroyed first: its destructor waits for those workers.
    QThreadPool m_workers;
};
