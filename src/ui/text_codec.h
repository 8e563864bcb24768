#pragma once
// The one converter between the 8-bit Windows-1252 bytes the core works on
// and the QString text that widgets show and users type.

#include <QString>

#include <string>

namespace kestrel::ui {

QString fromAnsi(const std::string& bytes);

// Characters that Windows-1252 cannot hold become "?".
std::string toAnsi(const QString& text);

} // namespace kestrel::ui
