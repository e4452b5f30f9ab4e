#pragma once

#include <QImage>
#include <QString>

namespace zorv {

// The generic icons the simulated workspace shows for files and types without an icon of their
// own: a blank document, a folder, and the plain application icon (a grey rounded square with a
// pencil, ruler and brush drawn as an "A"). Each is drawn once, so every caller gets the very same
// pixels and can recognise a generic placeholder by comparing pictures. Thread-safe once built.
class GenericIcons {
public:
    // Icons are square, this many pixels a side.
    static constexpr int size = 64;

    GenericIcons();

    // "com.apple.application-bundle" and "com.apple.application" give the application icon,
    // "public.folder" and "public.directory" the folder; every other type, "public.item" and
    // "public.data" included, the blank document.
    [[nodiscard]] QImage forType(const QString &typeIdentifier) const;

    [[nodiscard]] const QImage &document() const { return m_document; }
    [[nodiscard]] const QImage &folder() const { return m_folder; }
    [[nodiscard]] const QImage &application() const { return m_application; }

private:
    QImage m_document;
    QImage m_folder;
    QImage m_application;
};

} // namespace zorv
