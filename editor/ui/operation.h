#pragma once

#include "ui/layer.h"

#include "core/document.h"
#include "ipxv.h"

#include <map>

namespace pxv {

// One node of an operation's parameter tree: a value, an object, and named children.
class ParamNode : public IPXV_ParamNode
{
public:
    IPXV_ParamNode* child(const QString& name) override;
    bool hasChild(const QString& name) const override;
    QStringList childNames() const override;
    QVariant value() const override { return m_value; }
    void setValue(const QVariant& value) override { m_value = value; }
    std::shared_ptr<IUnknown> object() const override { return m_object; }
    void setObject(std::shared_ptr<IUnknown> object) override { m_object = std::move(object); }

private:
    QVariant m_value;
    std::shared_ptr<IUnknown> m_object;
    std::map<QString, std::unique_ptr<ParamNode>> m_children;
};

class Operation : public IPXV_Operation
{
public:
    Operation(int id, const QString& name) : m_id(id), m_name(name) {}

    int id() const override { return m_id; }
    QString name() const override { return m_name; }
    IPXV_ParamNode* params() override { return &m_params; }
    // Told between the files of an operation that writes several; the component's own commands
    // set it to keep the window painting and offer Cancel. Hosts' operations run without.
    const SplitProgress& progress() const { return m_progress; }
    void setProgress(SplitProgress progress) { m_progress = std::move(progress); }

private:
    int m_id;
    QString m_name;
    ParamNode m_params;
    SplitProgress m_progress;
};

} // namespace pxv
