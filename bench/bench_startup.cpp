// Start-up to the main window shown, against a bare Qt window, in time and in peak memory.
// Each start is a fresh process: this program starts itself again in a child mode.

#include "app/app.h"
#include "harness.h"
#include "ui/wndmain.h"

#include <QMainWindow>
#include <QProcess>
#include <QTimer>

#include <sys/resource.h>

#include <cstdio>
#include <cstring>

namespace {

// In a child: start, show the window, and leave as soon as it has been shown; print the
// process's peak resident memory in kilobytes.
int child(int argc, char** argv, bool tandeo)
{
    auto finish = [] {
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        std::printf("%ld\n", usage.ru_maxrss);
        std::fflush(stdout);
        QCoreApplication::exit(0);
    };
    if (tandeo) {
        App app(argc, argv);
        app.startUp();
        QTimer::singleShot(0, &app, [&] {
            app.Open();
            QTimer::singleShot(0, &app, finish);
        });
        return app.exec();
    }
    QApplication app(argc, argv);
    QMainWindow window;
    window.resize(712, 487);
    window.show();
    QTimer::singleShot(0, &app, [&] { QTimer::singleShot(0, &app, finish); });
    return app.exec();
}

struct Start {
    double milliseconds = 0;
    double peakKilobytes = 0;
};

Start startOnce(const QString& program, const char* mode)
{
    QProcess process;
    QElapsedTimer timer;
    timer.start();
    process.start(program, {QString::fromLatin1(mode)});
    process.waitForFinished(60000);
    Start start;
    start.milliseconds = timer.nsecsElapsed() / 1e6;
    start.peakKilobytes = QString::fromLatin1(process.readAllStandardOutput()).trimmed().toDouble();
    return start;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc > 1 && std::strcmp(argv[1], "--tandeo") == 0)
        return child(argc, argv, true);
    if (argc > 1 && std::strcmp(argv[1], "--bare") == 0)
        return child(argc, argv, false);

    QCoreApplication app(argc, argv);
    const QString self = QCoreApplication::applicationFilePath();
    std::vector<double> tandeoTime, bareTime, tandeoMemory, bareMemory;
    const int runs = 15;
    startOnce(self, "--tandeo");
    startOnce(self, "--bare");
    for (int i = 0; i < runs; ++i) {
        const Start t = startOnce(self, "--tandeo");
        const Start b = startOnce(self, "--bare");
        tandeoTime.push_back(t.milliseconds);
        bareTime.push_back(b.milliseconds);
        tandeoMemory.push_back(t.peakKilobytes);
        bareMemory.push_back(b.peakKilobytes);
    }
    auto median = [](std::vector<double> v) {
        std::sort(v.begin(), v.end());
        return v[v.size() / 2];
    };
    bool met = bench::report(QStringLiteral("start-up to the main window shown: time"),
                             median(tandeoTime), median(bareTime), 1.3);
    met &= bench::report(QStringLiteral("start-up to the main window shown: peak memory"),
                         median(tandeoMemory) / 1024, median(bareMemory) / 1024, 1.3, "MB");
    return met ? 0 : 1;
}
