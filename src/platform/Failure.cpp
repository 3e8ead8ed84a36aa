// SPDX-License-Identifier: GPL-3.0-or-later
#include "Failure.h"

#include <cstring>

Failure Failure::FromErrno(std::string message, std::string path, int error) {
    return {std::move(message), std::move(path), SystemReason(error)};
}

Failure Failure::Saying(std::string text) const {
    Failure told = *this;
    told.message = std::move(text);
    return told;
}

std::string Failure::Text() const {
    if (cause.empty())
        return message;
    if (message.empty())
        return cause;
    return message + "\r\n" + cause;
}

std::string SystemReason(int error) {
    return std::strerror(error);
}
