#pragma once

#include "storage/jsonstore.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QThreadPool>

namespace zorv {

// Puts the stores' current values on disk when the application quits, within a time limit: the
// values are taken on the main thread, written one after another on a worker, and the main thread
// waits for the writes at most the limit (a disk that hangs must not keep the application from
// quitting). The limit is wall time even under a simulated clock: quitting happens in real time.
class TerminationFlush {
public:
    explicit TerminationFlush(QThreadPool *pool) : m_pool(pool) {}

    // Takes the store's value now, to be written in the order of the add() calls, in place of the
    // store's pending debounced write.
    template <StoreValue Value> void add(JSONStore<Value> &store) {
        store.cancelPendingWrite();
        addFile(store.path(), toStoreJson(store.value()));
    }

    // Writes every file taken and waits for the writes at most `timeoutSeconds` (a negative or
    // non-finite limit waits not at all). Returns whether they ended in time; writes still running
    // then go on without anyone waiting.
    bool run(double timeoutSeconds);

private:
    struct File {
        QString path;
        QByteArray bytes;
    };

    void addFile(const QString &path, const QJsonValue &json);

    QThreadPool *m_pool;
    QList<File> m_files;
};

} // namespace zorv
