#pragma once

#include <QList>
#include <QString>

namespace generator {

// The row of the template menu that lets the user pick a template file of their own.
inline constexpr QLatin1StringView kBrowseRow{"Browse..."};
// The only row when the catalogue cannot be used.
inline constexpr QLatin1StringView kNoTemplatesRow{"No HTML templates found."};

// One row of the template menu: the text shown and its hidden tag
// "id|desc|bgcolor|author".
struct CatalogueRow {
    QString text;
    QString tag;
};

struct Catalogue {
    enum class Status {
        Ok,       // rows hold the catalogue's entries
        Missing,  // there is no catalogue file
        Unusable, // it could not be read, is not XML, or has no document element
    };
    Status status = Status::Missing;
    QList<CatalogueRow> rows;
};

// Reads the template catalogue "templates.xml" at the given path.
Catalogue readCatalogue(const QString& path);

// The first "|"-separated field of a row tag, trimmed: a template identifier or file path.
QString templateIdentifier(const QString& tag);

} // namespace generator
