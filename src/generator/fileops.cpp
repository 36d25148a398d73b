#include "generator/fileops.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringList>

namespace generator {

namespace {

constexpr QDir::Filters kEveryItem =
    QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;

bool isLink(const QFileInfo& item)
{
    return item.isSymLink() || item.isJunction();
}

// Copies one file's bytes whole into the destination file, replacing one that is there.
void copyFile(const QString& source, const QString& destination)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return;
    QSaveFile out(destination);
    if (!out.open(QIODevice::WriteOnly))
        return;
    char buffer[64 * 1024];
    for (;;) {
        const qint64 got = in.read(buffer, sizeof buffer);
        if (got < 0) {
            out.cancelWriting();
            break;
        }
        if (got == 0)
            break;
        if (out.write(buffer, got) != got)
            break;
    }
    out.commit();
}

// folders holds the canonical paths of the folders being copied, so that a link back to one of
// them does not copy forever.
void copyItem(const QFileInfo& source, const QString& destinationFolder, QStringList& folders)
{
    const QString target = QDir(destinationFolder).filePath(source.fileName());
    if (!source.isDir()) {
        if (source.exists())
            copyFile(source.absoluteFilePath(), target);
        return;
    }
    const QString canonical = source.canonicalFilePath();
    // Copying a folder onto itself would only rewrite its files.
    if (folders.contains(canonical) || QFileInfo(target).canonicalFilePath() == canonical)
        return;
    QDir().mkdir(target);
    if (!QFileInfo(target).isDir())
        return;
    folders.append(canonical);
    const QFileInfoList items =
        QDir(source.absoluteFilePath()).entryInfoList(kEveryItem, QDir::Name);
    for (const QFileInfo& item : items)
        copyItem(QFileInfo(item.absoluteFilePath()), target, folders);
    folders.removeLast();
}

} // namespace

void CopyFileorFolder(const QString& source, const QString& destinationFolder)
{
    QStringList folders;
    copyItem(QFileInfo(source), destinationFolder, folders);
}

void DeleteFilesFromFolder(const QString& folder)
{
    const QFileInfo info(folder);
    if (!info.isDir() || isLink(info))
        return;
    const QFileInfoList items = QDir(folder).entryInfoList(kEveryItem, QDir::Name);
    for (const QFileInfo& item : items)
        deleteItem(item.absoluteFilePath());
}

void deleteItem(const QString& path)
{
    const QFileInfo item(path);
    if (item.isDir() && !isLink(item)) {
        DeleteFilesFromFolder(path);
        QDir().rmdir(path);
    } else {
        // A file, or a link (working or not) that goes and leaves what it points to alone.
        QFile::remove(path);
    }
}

QString LoadText(const QString& path)
{
    return platform::readTextFile(path).text;
}

void WriteText(const QString& path, const QString& text, platform::Unrepresentable fallback)
{
    platform::writeTextFile(path, text, platform::TextEncoding::windows1252(), fallback);
}

} // namespace generator
