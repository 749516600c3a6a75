#pragma once

// The program's two file types, settings files (.kvs) and list files (.lst), made known to
// the desktop: a shared-mime-info package in the user's data folder that names them, describes
// them and gives their icons. No program is registered to open them.

#include <QString>

namespace kyrovane::gui {

// Where the package goes: <data folder>/mime/packages/kyrovane.xml.
QString MimePackagePath();

// Writes the package when it is missing or differs and refreshes the MIME database; returns
// the path that could not be written, or an empty text.
QString RegisterFileTypes();

}  // namespace kyrovane::gui
