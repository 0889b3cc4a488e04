// Texts cross between the form's narrow strings (the platform's own encoding) and Qt's
// QString in one place, so every widget converts the same way.
#pragma once

#include <QString>
#include <string>

namespace brannock_qt {
QString ToQ(const std::string& text);
std::string FromQ(const QString& text);
}  // namespace brannock_qt
