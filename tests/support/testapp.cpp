#include "testapp.h"

#include "platform/paths.h"

#include <QDir>
#include <QTest>

QString shippedResourceFolder()
{
    return QStringLiteral(TANDEO_BUILD_DIR "/tautils");
}

QString testOutputFolder()
{
    QString folder = qEnvironmentVariable("TANDEO_TEST_OUTPUT");
    if (folder.isEmpty())
        folder = QStringLiteral(TANDEO_BUILD_DIR "/test-output");
    QDir().mkpath(folder);
    return folder;
}

StartedApp::StartedApp(const QString& resourceFolder)
    : app(*App::instance())
{
    platform::setResourceFolder(resourceFolder.isEmpty() ? shippedResourceFolder() : resourceFolder);
    app.startUp();
    app.Open();
}

StartedApp::~StartedApp()
{
    app.shutDownForTest();
    platform::setResourceFolder(QString());
}
