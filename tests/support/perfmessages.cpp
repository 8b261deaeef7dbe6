#include "perfmessages.h"

#include <QLoggingCategory>

namespace {

QStringList g_messages;
QtMessageHandler g_previous = nullptr;

void record(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (context.category && QByteArray(context.category) == "vellumpad.perf")
        g_messages.append(message);
    else
        g_previous(type, context, message);
}

} // namespace

PerfMessages::PerfMessages()
{
    g_messages.clear();
    g_previous = qInstallMessageHandler(record);
    QLoggingCategory::setFilterRules(QStringLiteral("vellumpad.perf=true"));
}

PerfMessages::~PerfMessages()
{
    QLoggingCategory::setFilterRules(QString());
    qInstallMessageHandler(g_previous);
}

const QStringList& PerfMessages::messages() const
{
    return g_messages;
}
