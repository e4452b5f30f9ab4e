#pragma once

#include <QString>

namespace zorv {

// Posts user notifications with the product name as title.
class Notifier {
public:
    virtual ~Notifier() = default;

    // Posts `text`, trimmed, as the body; posts nothing for an empty text or without permission.
    virtual void post(const QString &text) = 0;
};

} // namespace zorv
