#pragma once

#include <QString>

namespace platform {

// The folder that holds the program.
QString applicationFolder();

// The resource folder "tautils" beside the program, or the folder a test pointed it at.
// The path is returned whether or not the folder exists.
QString resourceFolder();
// Points the resource folder elsewhere (tests); an empty path goes back to the default.
void setResourceFolder(const QString& path);

} // namespace platform
