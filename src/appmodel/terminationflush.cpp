#include "terminationflush.h"

#include "jsonwriter.h"
#include "storage/atomicfile.h"

#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QSemaphore>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <functional>
#include <memory>

namespace zorv {

namespace {

// Counts the jobs handed to a pool; see run().
std::atomic<quint64> g_handOvers{0};

} // namespace

void TerminationFlush::addFile(const QString &path, const QJsonValue &json) {
    if (auto bytes = writeJson(json, JsonFormat::pretty())) {
        m_files.append({path, std::move(*bytes)});
    } else {
        qWarning().noquote() << "Could not save" << path << "at quit: its value has no JSON form";
    }
}

bool TerminationFlush::run(double timeoutSeconds) {
    auto done = std::make_shared<QSemaphore>(0);
    std::function<void()> job = [files = m_files, done] {
        // Qt hands the job to the pool thread under locks ThreadSanitizer cannot see; this acquire
        // pairs with the release below, so what the job captured is visibly handed over.
        (void)g_handOvers.load(std::memory_order_acquire);
        for (const File &file : files) {
            QDir().mkpath(QFileInfo(file.path).absolutePath());
            if (const auto failure =
                    writeFileAtomically(file.path, file.bytes, FileDurability::Synced)) {
                qWarning().noquote() << "Could not save" << file.path << "at quit:" << *failure;
            }
        }
        done->release();
    };
    g_handOvers.fetch_add(1, std::memory_order_release);
    m_pool->start(std::move(job));
    // Within a day: longer limits are a caller's mistake, and milliseconds must fit an int.
    constexpr double longestWait = 86400.0;
    const double bounded =
        std::isfinite(timeoutSeconds) ? std::clamp(timeoutSeconds, 0.0, longestWait) : 0.0;
    const auto milliseconds = static_cast<int>(bounded * 1000.0);
    return done->tryAcquire(1, milliseconds);
}

} // namespace zorv
