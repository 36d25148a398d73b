#pragma once

#include "app/app.h"
#include "ui/wndmain.h"

#include <QTemporaryDir>

// Starts the program in the test's application object as the real start-up does, with the
// resource folder pointed at a folder of the test's choice (the built program's by default).
// Tears the window down again at the end of the test.
class StartedApp {
public:
    explicit StartedApp(const QString& resourceFolder = QString());
    ~StartedApp();
    StartedApp(const StartedApp&) = delete;
    StartedApp& operator=(const StartedApp&) = delete;

    App& app;
    wndMain& window() const { return *app.mainWindow(); }
};

// The resource folder that ships with the program, as copied beside the built program.
QString shippedResourceFolder();
// Where tests leave files for people to look at (screenshots), inside the build folder.
QString testOutputFolder();
