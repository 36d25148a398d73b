#pragma once

#include "app/app.h"

#include <QTest>

// Like QTEST_MAIN, with the program's own application object, so tests run under its error
// handler and reach its state.
#define TANDEO_TEST_MAIN(TestObject)                                                               \
    int main(int argc, char** argv)                                                                \
    {                                                                                              \
        App app(argc, argv);                                                                       \
        app.setAttribute(Qt::AA_Use96Dpi, true);                                                   \
        TestObject tc;                                                                             \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        return QTest::qExec(&tc, argc, argv);                                                      \
    }
