#pragma once

#include <stdexcept>

#include <QString>

namespace dayloom {

// Raised when the device under a value writer refuses the bytes.
class WriteError : public std::runtime_error {
public:
    explicit WriteError(const QString& message)
        : std::runtime_error(message.toStdString()) {}

    QString message() const { return QString::fromUtf8(what()); }
};

}  // namespace dayloom
