#pragma once

#include <QObject>
#include <QString>

#include <functional>

namespace zorv {

class Pasteboard;

// Qt's clipboard standing for the simulated Mac's pasteboard while one of Qt's text controls cuts,
// copies or pastes, as those only know Qt's clipboard. Offscreen that clipboard is this process's
// own. On a display it is the person's, shared with their other programs, so it is theirs to keep:
// what they copy there is the newest copy and becomes the Mac's pasteboard (also what they had
// copied before Zorv started), and after a control's turn in which it copied nothing their
// clipboard holds what it held before. What a control copies stays there, as any program's copy
// does. Main thread.
class PasteboardClipboard : public QObject {
    Q_OBJECT

public:
    enum class Owner { Process, Person };

    PasteboardClipboard(Pasteboard &pasteboard, Owner owner, QObject *parent = nullptr);

    // Runs `deliver` with the pasteboard's text on Qt's clipboard, then puts on the pasteboard
    // what the control copied there meanwhile. Returns what `deliver` returns.
    bool lend(const std::function<bool()> &deliver);

private:
    // Who writes Qt's clipboard now: the person (another program, or a control they work with
    // their own keyboard), this class, or the control it is lent to.
    enum class Writer { Person, Lender, Control };

    void changed();
    // The person copied `text` on their clipboard: it becomes the pasteboard's.
    void takePersonsCopy(const QString &text);

    Pasteboard &m_pasteboard;
    const Owner m_owner;
    Writer m_writer = Writer::Person;
    bool m_controlCopied = false;
    // The text on the person's clipboard as last seen, or as this class left it there.
    QString m_personsText;
};

} // namespace zorv
