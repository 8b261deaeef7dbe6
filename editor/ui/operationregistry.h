#pragma once

#include "ui/layer.h"

#include "core/document.h"
#include "ipxv.h"

#include <QCoreApplication>
#include <QHash>
#include <QStringList>

#include <functional>
#include <memory>

class CPXVControl;
class CPXVDocument;
class CPXVInst;

namespace pxv {

class Operation;

// Runs a document-model call, turning its failures into the component's error.
template <typename F>
auto modelCall(F call)
{
    try {
        return call();
    } catch (const DocumentError& error) {
        throw PXV_Error(error.kind() == DocumentError::Cancelled ? PXV_Error::Cancelled
                        : error.kind() == DocumentError::Failed  ? PXV_Error::Failed
                                                                 : PXV_Error::FileError,
                        error.message());
    }
}

// One run of an operation: its parameters, read with checks that name the parameter at fault,
// and the control it works in.
class OperationCall
{
public:
    OperationCall(Operation& operation, CPXVInst& inst, CPXVControl& control)
        : m_operation(operation), m_inst(inst), m_control(control)
    {
    }

    QString name() const;
    CPXVInst& inst() const { return m_inst; }
    CPXVControl& control() const { return m_control; }
    bool has(const QString& parameter) const;
    // "Input" as a document: the one given, else the active one.
    std::shared_ptr<CPXVDocument> document() const;
    // The document object a parameter holds; null when it holds none (a path, say).
    std::shared_ptr<CPXVDocument> documentIn(const QString& parameter) const;
    // "Pages" of document as 0-based page numbers, all pages when absent.
    QVector<int> pages(const CPXVDocument& document) const;
    // A whole number; fallback when absent.
    int integer(const QString& parameter, int fallback) const;
    double number(const QString& parameter, double fallback) const;
    QString text(const QString& parameter) const;
    // "Path" as an existing folder that files can be written into.
    QString outputFolder() const;
    QStringList texts(const QString& parameter) const;
    void setOutput(std::shared_ptr<IUnknown> object);
    void setOutputValue(const QVariant& value);
    // What the caller wants told between the files written; empty when nothing.
    const SplitProgress& progress() const;
    // The component's error for a bad value of parameter.
    PXV_Error invalid(const QString& parameter, const QString& why) const;

private:
    Operation& m_operation;
    CPXVInst& m_inst;
    CPXVControl& m_control;
};

// Every operation the component knows, by name: the parameters it takes and the handler that
// runs it. Operations of the command identifier table that are not built yet are known too, and
// say so.
class OperationRegistry
{
    Q_DECLARE_TR_FUNCTIONS(pxv::OperationRegistry)

public:
    using Handler = std::function<void(OperationCall&)>;

    OperationRegistry();

    // Checks the parameters against the operation's own and runs its handler.
    void run(Operation& operation, CPXVInst& inst, CPXVControl& control) const;

private:
    struct Entry
    {
        QStringList parameters; // besides "Output", which every operation sets
        Handler handler; // empty: not available in this version
    };
    void add(const QString& name, const QStringList& parameters, Handler handler);

    QHash<QString, Entry> m_entries;
};

} // namespace pxv
