// Start-up to the main window shown, against a bare Qt window, in time and in peak memory.
// Each start is a fresh process: this program starts itself again in a child mode.

#include "app/app.h"
#include "harness.h"
#include "platform/paths.h"
#include "ui/wndmain.h"

#include <QLabel>
#include <QMainWindow>
#include <QProcess>
#include <QTimer>

#include <sys/resource.h>

#include <cstdio>
#include <cstring>

namespace {

// In a child: start, show the window, and leave as soon as it has been shown; print the
// process's peak resident memory in kilobytes.
// The three programs started: Tandeo, a bare window, and a bare window showing one line of
// text, which costs what any window with text pays for its fonts.
enum class Mode { Tandeo, Bare, OneLabel };

int child(int argc, char** argv, Mode mode)
{
    auto finish = [] {
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        std::printf("%ld\n", usage.ru_maxrss);
        std::fflush(stdout);
        QCoreApplication::exit(0);
    };
    if (mode == Mode::Tandeo) {
        App app(argc, argv);
        // No download: a benchmark never reaches the network.
        wndMain::setDealsFeedUrl(QString());
        platform::setResourceFolder(QStringLiteral(TANDEO_RESOURCE_FOLDER));
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
    if (mode == Mode::OneLabel) {
        auto* label = new QLabel(QStringLiteral("Step 1: Fill in the following"), &window);
        label->setGeometry(20, 20, 300, 20);
    }
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
        return child(argc, argv, Mode::Tandeo);
    if (argc > 1 && std::strcmp(argv[1], "--bare") == 0)
        return child(argc, argv, Mode::Bare);
    if (argc > 1 && std::strcmp(argv[1], "--label") == 0)
        return child(argc, argv, Mode::OneLabel);

    QCoreApplication app(argc, argv);
    const QString self = QCoreApplication::applicationFilePath();
    std::vector<double> tandeoTime, bareTime, labelTime, tandeoMemory, bareMemory, labelMemory;
    const int runs = 15;
    startOnce(self, "--tandeo");
    startOnce(self, "--bare");
    startOnce(self, "--label");
    for (int i = 0; i < runs; ++i) {
        const Start t = startOnce(self, "--tandeo");
        const Start b = startOnce(self, "--bare");
        const Start l = startOnce(self, "--label");
        tandeoTime.push_back(t.milliseconds);
        bareTime.push_back(b.milliseconds);
        labelTime.push_back(l.milliseconds);
        tandeoMemory.push_back(t.peakKilobytes);
        bareMemory.push_back(b.peakKilobytes);
        labelMemory.push_back(l.peakKilobytes);
    }
    const auto median = bench::median;
    bool met = bench::report(QStringLiteral("start-up to the main window shown: time"),
                             median(tandeoTime), median(bareTime), 1.3);
    met &= bench::report(QStringLiteral("start-up to the main window shown: peak memory"),
                         median(tandeoMemory) / 1024, median(bareMemory) / 1024, 1.3, "MB");
    // What text itself costs: a bare window showing one line of text, against one showing none.
    bench::note(QStringLiteral("one line of text vs a bare window: time"), median(labelTime),
                median(bareTime));
    bench::note(QStringLiteral("one line of text vs a bare window: peak memory"),
                median(labelMemory) / 1024, median(bareMemory) / 1024, "MB");
    bench::note(QStringLiteral("start-up vs a bare window with one line of text: time"),
                median(tandeoTime), median(labelTime));
    bench::note(QStringLiteral("start-up vs a bare window with one line of text: peak memory"),
                median(tandeoMemory) / 1024, median(labelMemory) / 1024, "MB");
    return met ? 0 : 1;
}
