#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A temporary folder holding a copy of the small resource folder of the generation tests
// (tests/data/generator/tautils, whose files hold every token) and room for output folders.
class ResourceFixture {
public:
    ResourceFixture();

    // The copied resource folder.
    QString resources() const;
    // A path inside the temporary folder.
    QString path(const QString& name) const;
    // A new empty folder inside the temporary folder.
    QString newFolder(const QString& name) const;

private:
    QTemporaryDir m_root;
};

QByteArray readBytes(const QString& path);
// Writes the file whole; a failure fails the running test, and the result says so too.
bool writeBytes(const QString& path, const QByteArray& bytes);
// The relative paths of everything inside a folder, sorted.
QStringList treeOf(const QString& folder);
// The tokens of the support files and templates left in a generated text.
QStringList leftTokens(const QString& text);
