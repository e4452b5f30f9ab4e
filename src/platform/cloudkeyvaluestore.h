#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include <optional>

namespace zorv {

// Stands in for the iCloud key-value store (NSUbiquitousKeyValueStore) and the signed-in
// account's identity token.
//
// changedExternally is posted only when a value written by another device arrives, never for this
// device's own writes; it is delivered on the main thread. Main thread.
class CloudKeyValueStore : public QObject {
    Q_OBJECT

public:
    explicit CloudKeyValueStore(QObject *parent = nullptr);
    ~CloudKeyValueStore() override;

    // Whether an iCloud account is signed in (the identity token is present).
    [[nodiscard]] virtual bool hasIdentityToken() const = 0;
    // Asks the store to exchange changes with iCloud; false when it cannot.
    virtual bool synchronize() = 0;

    [[nodiscard]] virtual std::optional<QByteArray> data(const QString &key) const = 0;
    virtual void setData(const QByteArray &data, const QString &key) = 0;
    virtual void removeObject(const QString &key) = 0;

Q_SIGNALS:
    void changedExternally();
};

} // namespace zorv
