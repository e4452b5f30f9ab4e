#include "jsonstorebase.h"

#include "atomicfile.h"
#include "jsonwriter.h"
#include "storeerror.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace zorv {

JSONStoreBase::JSONStoreBase(const QString &directory, const QString &fileName, Duration debounce,
                             Clock &clock)
    : m_directory(directory), m_path(QDir(directory).filePath(fileName)), m_debounce(debounce),
      m_clock(clock) {}

void JSONStoreBase::flush() {
    cancelPendingWrite();
    writeNow();
}

void JSONStoreBase::setLoadOutcome(StoreLoadOutcome outcome) {
    m_writable = outcome != StoreLoadOutcome::LeftInPlace;
}

void JSONStoreBase::scheduleWrite() {
    m_pendingWrite.start(
        [this](CancellationToken cancellation) { return writeAfterQuietPeriod(cancellation); });
}

void JSONStoreBase::cancelPendingWrite() {
    m_pendingWrite.cancel();
}

void JSONStoreBase::writeOrThrow(const QJsonValue &json) {
    const QString fileName = QFileInfo(m_path).fileName();
    if (!m_writable) {
        throw StoreError(u"could not write %1: the file there could not be read or moved aside "
                         u"when Zorv started, so it is left untouched"_s.arg(fileName));
    }
    const auto bytes = writeJson(json, JsonFormat::pretty());
    if (!bytes) {
        throw StoreError(
            u"could not write %1: the value holds a number that is not finite"_s.arg(fileName));
    }
    // The folder may have been removed while Zorv runs; a failure shows in the write below.
    QDir().mkpath(m_directory);
    if (const auto failure = writeFileAtomically(m_path, *bytes, FileDurability::Synced)) {
        throw StoreError(u"could not write %1: %2"_s.arg(fileName, *failure));
    }
}

QCoro::Task<> JSONStoreBase::writeAfterQuietPeriod(CancellationToken cancellation) {
    const SleepOutcome outcome = co_await m_clock.sleep(m_debounce, cancellation);
    // A cancelled write was superseded, or its store is gone: it must not touch `this`.
    if (outcome == SleepOutcome::Cancelled || cancellation.isCancelled()) {
        co_return;
    }
    writeNow();
}

void JSONStoreBase::writeNow() {
    try {
        writeOrThrow(currentJson());
    } catch (const StoreError &) {
        // Dropped on purpose: the value is still in memory and the next change writes again.
    }
}

} // namespace zorv
