#include "jsonstorebase.h"

#include "atomicfile.h"
#include "jsonwriter.h"
#include "storeerror.h"
#include "wholefile.h"

#include <QDir>
#include <QFile>
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
    // The file left in place is not the store's value: putting it back would only lose that
    // value again at the next start.
    m_fileCurrent = outcome != StoreLoadOutcome::LeftInPlace;
}

JSONStoreBase::FileImage JSONStoreBase::fileImage() const {
    if (!m_fileCurrent) {
        return {};
    }
    const QFileInfo info(m_path);
    if (!info.exists() && !info.isSymLink()) {
        return FileImage{true, std::nullopt};
    }
    if (auto bytes = readWholeFile(m_path)) {
        return FileImage{true, std::move(bytes)};
    }
    return {};
}

void JSONStoreBase::scheduleWrite() {
    m_fileCurrent = false;
    m_pendingWrite.start(
        [this](CancellationToken cancellation) { return writeAfterQuietPeriod(cancellation); });
}

void JSONStoreBase::cancelPendingWrite() {
    m_pendingWrite.cancel();
}

void JSONStoreBase::writeOrThrow(const QJsonValue &json) {
    const QString fileName = QFileInfo(m_path).fileName();
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
    m_fileCurrent = true;
}

void JSONStoreBase::restoreOrThrow(const FileImage &image) {
    const QString fileName = QFileInfo(m_path).fileName();
    if (!image.exact) {
        throw StoreError(u"could not restore %1: its earlier content is unknown"_s.arg(fileName));
    }
    if (image.bytes) {
        QDir().mkpath(m_directory);
        if (const auto failure =
                writeFileAtomically(m_path, *image.bytes, FileDurability::Synced)) {
            throw StoreError(u"could not restore %1: %2"_s.arg(fileName, *failure));
        }
    } else if (QFileInfo(m_path).exists() || QFileInfo(m_path).isSymLink()) {
        QFile file(m_path);
        if (!file.remove()) {
            throw StoreError(u"could not remove %1: %2"_s.arg(fileName, file.errorString()));
        }
    }
    m_fileCurrent = true;
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
        m_fileCurrent = false;
    }
}

} // namespace zorv
