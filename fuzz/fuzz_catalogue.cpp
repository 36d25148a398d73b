// The template catalogue reader on arbitrary file contents.

#include "generator/catalogue.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QFile>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("templates.xml"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        file.write(reinterpret_cast<const char*>(data), qsizetype(size));
    }
    const generator::Catalogue catalogue = generator::readCatalogue(path);
    for (const generator::CatalogueRow& row : catalogue.rows) {
        // Every tag has its four fields.
        if (row.tag.count(QLatin1Char('|')) < 3)
            __builtin_trap();
        (void)generator::templateIdentifier(row.tag);
    }
    return 0;
}
