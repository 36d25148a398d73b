// Saving and opening a project with 10,000 and with 20,000 bullets, through the File menu's
// commands on the real main window: both should grow in proportion to the bullets.

#include "app/app.h"
#include "benchdesktop.h"
#include "harness.h"
#include "platform/paths.h"
#include "ui/wndmain.h"

#include <QDir>
#include <QListWidget>
#include <QTemporaryDir>

namespace {

void fillBullets(QListWidget* list, int count)
{
    list->clear();
    for (int n = 0; n < count; ++n)
        list->addItem(QStringLiteral("Bullet %1: a benefit of the kit, in a few words").arg(n));
}

} // namespace

int main(int argc, char** argv)
{
    App app(argc, argv);
    wndMain::setDealsFeedUrl(QString());
    platform::setResourceFolder(QStringLiteral(TANDEO_RESOURCE_FOLDER));
    bench::ScriptedDesktop desktop;
    app.startUp();
    app.Open();
    wndMain* window = app.mainWindow();
    QTemporaryDir work;
    bench::require(work.isValid(), "a temporary folder");

    // One project file of each size, saved through the program itself.
    const int sizes[] = {10000, 20000};
    QString files[2];
    for (int n = 0; n < 2; ++n) {
        files[n] = QDir(work.path()).filePath(QStringLiteral("bullets%1.tdo").arg(sizes[n]));
        fillBullets(window->lstBullets, sizes[n]);
        desktop.answerSaveFile(files[n]);
        app.SaveConfigAs();
        bench::require(app.SavedConfig == files[n], "the project was saved");
    }

    const auto open = [&](int n) {
        return [&, n] {
            app.isDirty = false;
            desktop.answerOpenFile(files[n]);
            app.OpenConfig();
            bench::require(window->lstBullets->count() == sizes[n] && app.SavedConfig == files[n],
                           "the project was opened whole");
        };
    };
    // Saves the project just opened, so each save writes its own number of bullets.
    const auto save = [&](int n) {
        return [&, n] {
            open(n)();
            QElapsedTimer timer;
            timer.start();
            app.SaveConfig();
            const double elapsed = timer.nsecsElapsed() / 1e6;
            bench::require(!app.isDirty, "the project was saved");
            return elapsed;
        };
    };

    const std::vector<double> opened = bench::medians({open(1), open(0)}, 11);
    std::vector<double> saved[2];
    for (int i = 0; i < 12; ++i) // the first of each is a warm-up
        for (int n : {1, 0})
            saved[n].push_back(save(n)());
    saved[0].erase(saved[0].begin());
    saved[1].erase(saved[1].begin());

    bool met = bench::report(QStringLiteral("opening a project, 20,000 vs 10,000 bullets"),
                             opened[0], opened[1], 2.2);
    met &= bench::report(QStringLiteral("saving a project, 20,000 vs 10,000 bullets"),
                         bench::median(saved[1]), bench::median(saved[0]), 2.2);
    return met ? 0 : 1;
}
