#include "platform/paths.h"

#include <QCoreApplication>
#include <QDir>

namespace platform {

namespace {
QString& resourceOverride()
{
    static QString path;
    return path;
}
} // namespace

QString applicationFolder()
{
    return QCoreApplication::applicationDirPath();
}

QString resourceFolder()
{
    if (!resourceOverride().isEmpty())
        return resourceOverride();
    return QDir(applicationFolder()).filePath(QStringLiteral("tautils"));
}

void setResourceFolder(const QString& path)
{
    resourceOverride() = path;
}

} // namespace platform
