#pragma once

#include "fakedialogs.h"

#include "ipxv.h"
#include "pxveditor.h"
#include "qcontrolhost.h"
#include "ui/cpxvcontrol.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>
#include <QTest>

#include <memory>

// The editor control in a shown 900x700 host window, as the program hosts it, answering its
// questions from FakeDialogs. registerPXVEditor() must have run.
struct HostedControl
{
    std::unique_ptr<QControlHost> host;
    IPXV_Control* control = nullptr;
    CPXVControl* widget = nullptr;
    FakeDialogs* dialogs = nullptr;

    // False when any step failed. afterRestart keeps the settings earlier controls kept.
    bool create(bool afterRestart = false)
    {
        if (!afterRestart)
            startWithoutKeptSettings();
        host = std::make_unique<QControlHost>();
        if (!host->setControl(QString::fromLatin1(kPXVEditorClassId)))
            return false;
        control = host->queryInterface();
        widget = qobject_cast<CPXVControl*>(host->controlWidget());
        if (!control || !widget)
            return false;
        auto fake = std::make_unique<FakeDialogs>();
        dialogs = fake.get();
        widget->setDialogProvider(std::move(fake));
        host->resize(900, 700);
        host->show();
        return QTest::qWaitForWindowExposed(host.get());
    }

    // Runs an operation by name with its parameters, as scripts do; gives the operation, whose
    // "Output" may be an object.
    std::shared_ptr<IPXV_Operation> runOperation(const QString& name, const QVariantMap& parameters = {})
    {
        IPXV_Inst* inst = control->inst();
        const std::shared_ptr<IPXV_Operation> operation = inst->createOperation(inst->nameToId(name, true));
        for (auto it = parameters.cbegin(); it != parameters.cend(); ++it)
            operation->params()->child(it.key())->setValue(it.value());
        inst->runOperation(operation.get(), 0);
        return operation;
    }

    // The same, giving its "Output".
    QVariant run(const QString& name, const QVariantMap& parameters)
    {
        return runOperation(name, parameters)->params()->child("Output")->value();
    }

    // The same, giving the document it made or worked on.
    std::shared_ptr<IPXV_Document> runForDocument(const QString& name, const QVariantMap& parameters = {})
    {
        return std::dynamic_pointer_cast<IPXV_Document>(
            runOperation(name, parameters)->params()->child("Output")->object());
    }

    // Also deletes the views of closed documents, which go with deleteLater.
    void destroy()
    {
        host.reset();
        control = nullptr;
        widget = nullptr;
        dialogs = nullptr;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // The settings the control keeps on disk go to the test's own folder. A control starts without
    // them, so that no test sees what an earlier one chose, unless it stands for a restart.
    static void startWithoutKeptSettings()
    {
        QStandardPaths::setTestModeEnabled(true);
        QDir(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation)).removeRecursively();
    }
};
