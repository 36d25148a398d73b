// The settings store's file reader on arbitrary file contents: a file is either refused with
// a reason or read whole, and what was read is written and read back unchanged.

#include "project/xmlprefs.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

namespace {

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("project.tdo"));
    if (!writeFile(path, QByteArray(reinterpret_cast<const char*>(data), qsizetype(size))))
        return 0;
    XMLPrefs::Items items;
    try {
        items = XMLPrefs::readPrefsFile(path);
    } catch (const PrefsFileError& error) {
        if (error.reason.isEmpty())
            __builtin_trap();
        return 0;
    }
    for (const auto& [name, text] : items) {
        if (name.isEmpty())
            __builtin_trap();
        // Every item that was accepted can be applied later.
        (void)XMLPrefs::itemChildren(text);
        (void)XMLPrefs::fitsRadioButton(text);
    }
    // Saving what was read and reading it again gives the same items.
    if (!writeFile(path, XMLPrefs::fileBytes(items)))
        return 0;
    if (XMLPrefs::readPrefsFile(path) != items)
        __builtin_trap();
    return 0;
}
