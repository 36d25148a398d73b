#include "generator/catalogue.h"

#include <QDomDocument>
#include <QFile>

namespace generator {

Catalogue readCatalogue(const QString& path)
{
    Catalogue catalogue;
    QFile file(path);
    if (!file.exists())
        return catalogue;
    catalogue.status = Catalogue::Status::Unusable;
    if (!file.open(QIODevice::ReadOnly))
        return catalogue;
    QDomDocument document;
    if (!document.setContent(file.readAll()))
        return catalogue;
    const QDomElement root = document.documentElement();
    if (root.isNull())
        return catalogue;

    for (QDomNode node = root.firstChild(); !node.isNull(); node = node.nextSibling()) {
        // A comment or processing instruction among the entries is no template.
        if (!node.isElement())
            continue;
        const QDomElement entry = node.toElement();
        const QStringList fields{entry.attribute(QStringLiteral("id")),
                                 entry.attribute(QStringLiteral("desc")),
                                 entry.attribute(QStringLiteral("bgcolor")),
                                 entry.attribute(QStringLiteral("author"))};
        catalogue.rows.append({entry.attribute(QStringLiteral("name")), fields.join(QLatin1Char('|'))});
    }
    catalogue.status = Catalogue::Status::Ok;
    return catalogue;
}

QString templateIdentifier(const QString& tag)
{
    return tag.section(QLatin1Char('|'), 0, 0).trimmed();
}

} // namespace generator
