#include "app/app.h"

#include <QTimer>

int main(int argc, char** argv)
{
    App app(argc, argv);
    app.startUp();
    // The open event runs once the event loop has started.
    QTimer::singleShot(0, &app, &App::Open);
    return app.exec();
}
