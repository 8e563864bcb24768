#pragma once
// The converters between the core's texts and the QString text that widgets
// show and users type: the 8-bit Windows-1252 bytes of the level editor's
// files, and the UTF-8 of paths and message texts.

#include <QString>

#include <string>

namespace kestrel::ui {

QString fromAnsi(const std::string& bytes);

// Characters that Windows-1252 cannot hold become "?".
std::string toAnsi(const QString& text);

// A path or a message text.
QString fromUtf8Text(const std::string& utf8);
std::string toUtf8Text(const QString& text);

} // namespace kestrel::ui
