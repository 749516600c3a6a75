#pragma once

// The program's two file types, settings files (.kvs) and list files (.lst), made known to
// the desktop: a shared-mime-info package in the user's data folder that names them, describes
// them and gives their icons. No program is registered to open them.

#include <QString>
#include <string>

namespace kyrovane::gui {

// Where the package goes: <data folder>/mime/packages/kyrovane.xml.
QString MimePackagePath();

// Writes the package when it is missing or differs and refreshes the MIME database; returns
// the message for a package that could not be written, with its cause, or an empty text.
std::string RegisterFileTypes();

}  // namespace kyrovane::gui
