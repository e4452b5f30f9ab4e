#include "pasteboardclipboard.h"

#include "pasteboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QScopeGuard>

#include <memory>

namespace zorv {

namespace {

std::unique_ptr<QMimeData> copyOf(const QMimeData *data) {
    auto copy = std::make_unique<QMimeData>();
    if (!data) {
        return copy;
    }
    for (const QString &format : data->formats()) {
        copy->setData(format, data->data(format));
    }
    // A picture copied within this process is held as an image, not as bytes of a format.
    if (data->hasImage()) {
        copy->setImageData(data->imageData());
    }
    return copy;
}

} // namespace

PasteboardClipboard::PasteboardClipboard(Pasteboard &pasteboard, Owner owner, QObject *parent)
    : QObject(parent), m_pasteboard(pasteboard), m_owner(owner) {
    QClipboard *clipboard = QGuiApplication::clipboard();
    connect(clipboard, &QClipboard::dataChanged, this, &PasteboardClipboard::changed);
    if (m_owner == Owner::Person) {
        if (const QString text = clipboard->text(); !text.isEmpty()) {
            takePersonsCopy(text);
        }
    }
}

void PasteboardClipboard::changed() {
    if (m_writer == Writer::Control) {
        m_controlCopied = true;
    } else if (m_writer == Writer::Person && m_owner == Owner::Person) {
        const QClipboard *clipboard = QGuiApplication::clipboard();
        const QString text = clipboard->text();
        // Some displays tell a program of its own copies again, a moment later.
        if (!clipboard->ownsClipboard() || text != m_personsText) {
            takePersonsCopy(text);
        }
    }
}

void PasteboardClipboard::takePersonsCopy(const QString &text) {
    m_personsText = text;
    m_pasteboard.setPlainText(text);
}

bool PasteboardClipboard::lend(const std::function<bool()> &deliver) {
    QClipboard *clipboard = QGuiApplication::clipboard();
    const bool persons = m_owner == Owner::Person;
    if (persons) {
        // In case the display did not tell of it: some tell only the program with the keyboard.
        if (const QString text = clipboard->text(); text != m_personsText) {
            takePersonsCopy(text);
        }
    }
    const auto done = qScopeGuard([&] {
        m_writer = Writer::Person;
        if (persons) {
            m_personsText = clipboard->text();
        }
    });
    m_writer = Writer::Lender;
    const QString lent = m_pasteboard.plainText();
    // Everything on the person's clipboard, to be put back.
    std::unique_ptr<QMimeData> kept;
    if (clipboard->text() != lent) {
        if (persons) {
            kept = copyOf(clipboard->mimeData());
        }
        clipboard->setText(lent);
    }
    m_writer = Writer::Control;
    m_controlCopied = false;
    const bool taken = deliver();
    m_writer = Writer::Lender;
    if (m_controlCopied) {
        m_pasteboard.setPlainText(clipboard->text());
    } else if (kept) {
        clipboard->setMimeData(kept.release());
    }
    return taken;
}

} // namespace zorv
