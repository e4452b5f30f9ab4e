#pragma once

#include "pasteboard.h"

namespace zorv {

// The simulated Mac's general pasteboard, holding plain text only. Main thread.
class SimPasteboard final : public Pasteboard {
public:
    void setPlainText(const QString &text) override { m_text = text; }
    [[nodiscard]] QString plainText() const override { return m_text; }

private:
    QString m_text;
};

} // namespace zorv
