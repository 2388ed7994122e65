#pragma once

#include <stdexcept>
#include <string>

#include <QString>

namespace dayloom {

// Raised by every reader of persisted data. The message is one of the fixed
// texts the user sees ("Stream read error", "Invalid property value", ...).
class ReadError : public std::runtime_error {
public:
    explicit ReadError(const QString& message)
        : std::runtime_error(message.toStdString()) {}
    explicit ReadError(const char* message) : std::runtime_error(message) {}

    QString message() const { return QString::fromUtf8(what()); }
};

}  // namespace dayloom
