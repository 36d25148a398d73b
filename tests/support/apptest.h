#pragma once

#include "app/app.h"
#include "ui/wndmain.h"

#include <QTest>

// Like QTEST_MAIN, with the program's own application object, so tests run under its error
// handler and reach its state. The main window downloads no deals feed unless a test points it
// at a server of its own.
#define TANDEO_TEST_MAIN(TestObject)                                                               \
    int main(int argc, char** argv)                                                                \
    {                                                                                              \
        App app(argc, argv);                                                                       \
        app.setAttribute(Qt::AA_Use96Dpi, true);                                                   \
        wndMain::setDealsFeedUrl(QString());                                                       \
        TestObject tc;                                                                             \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        return QTest::qExec(&tc, argc, argv);                                                      \
    }
