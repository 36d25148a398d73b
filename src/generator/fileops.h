#pragma once

#include "platform/textfile.h"

#include <QString>

namespace generator {

// Copies a file or a whole folder into the destination folder under its own name. A folder is
// made anew (or an existing one of that name is filled); links inside it are copied as what
// they point to. Steps that fail are passed over and the walk goes on; every file is written
// whole or not at all.
void CopyFileorFolder(const QString& source, const QString& destinationFolder);

// Empties a folder at every depth; the folder itself stays. A link is deleted itself, never
// followed. Items that cannot be deleted are passed over.
void DeleteFilesFromFolder(const QString& folder);

// Deletes one item of a folder: a file or link itself, a folder with everything in it.
// Failures are passed over.
void deleteItem(const QString& path);

// A file's whole text, read as platform::readTextFile does. Throws platform::TextFileError.
QString LoadText(const QString& path);

// Writes a text file whole in Windows-1252, characters it cannot hold as numeric character
// references (or as script escapes for a script). Throws platform::TextFileError.
void WriteText(const QString& path, const QString& text,
               platform::Unrepresentable fallback = platform::Unrepresentable::CharacterReference);

} // namespace generator
