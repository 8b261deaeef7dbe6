#include "cglobal.h"

#include "logger.h"
#include "qtcompat.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QMutex>
#include <QStandardPaths>
#include <QTextStream>

namespace {

QString g_appTitle;

QString withSeparator(const QString& dir)
{
    return dir.endsWith('/') ? dir : dir + '/';
}

QMutex g_logMutex;

// Appends one record to <app data>/vellumpad.log.
void writeLogRecord(const std::shared_ptr<sth::LogInfo>& info)
{
    QMutexLocker lock(&g_logMutex);
    QFile file(CGlobal::getAppDataPath() + QStringLiteral("vellumpad.log"));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text))
        return;
    QTextStream out(&file);
    qtcompat::useUtf8(out);
    out << QDateTime::fromSecsSinceEpoch(info->time).toString(Qt::ISODate) << " [" << info->level << "] "
        << QString::fromStdString(info->file) << ':' << info->line << ' ' << QString::fromStdWString(info->message)
        << '\n';
}

} // namespace

void CGlobal::init()
{
    sth::logger::m_callback = writeLogRecord;
}

void CGlobal::release()
{
    sth::logger::m_callback = nullptr;
}

const QString& CGlobal::getAppPath()
{
    static const QString path = withSeparator(QCoreApplication::applicationDirPath());
    return path;
}

const QString& CGlobal::getAppDataPath()
{
    static const QString path = [] {
        const QString dir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
        QDir().mkpath(dir);
        return withSeparator(dir);
    }();
    return path;
}

void CGlobal::setAppTitle(const QString& title)
{
    g_appTitle = title;
}

const QString& CGlobal::getAppTitle()
{
    return g_appTitle;
}

int CGlobal::getBuildDate()
{
    return VP_BUILD_DATE;
}

QString CGlobal::getVersion()
{
    return QStringLiteral(VP_VERSION);
}
