#include "appmodel/terminationflush.h"
#include "manualclock.h"
#include "recordingsystemlog.h"
#include "settings/settings.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFile>
#include <QSemaphore>
#include <QTemporaryDir>

using namespace std::chrono_literals;
using namespace Qt::StringLiterals;

namespace zorv {
namespace {

struct Stores {
    QTemporaryDir folder;
    ManualClock clock;
    RecordingSystemLog log;
    JSONStore<Settings> settings{u"settings.json"_s, Settings{}, 400ms, folder.path(), clock, log};

    [[nodiscard]] bool written() const {
        QFile file(settings.path());
        return file.open(QIODevice::ReadOnly) && file.readAll().contains("42");
    }
};

TEST(TerminationFlush, StopsWaitingAtTheLimitWhenTheWriteCannotFinish) {
    Stores stores;
    Settings changed;
    changed.autoRehideSeconds = 42;
    stores.settings.set(changed);
    QThreadPool pool;
    pool.setMaxThreadCount(1);
    // The one worker is stuck, as on a disk that does not answer.
    auto gate = std::make_shared<QSemaphore>(0);
    pool.start([gate] { gate->acquire(); });
    TerminationFlush flush(&pool);
    flush.add(stores.settings);
    QElapsedTimer timer;
    timer.start();
    EXPECT_FALSE(flush.run(0.02));
    EXPECT_GE(timer.elapsed(), 19);
    EXPECT_LT(timer.elapsed(), 1000);
    stores.clock.advance(1s);
    EXPECT_FALSE(stores.written()) << "the store's own debounced write was dropped";
    gate->release();
    pool.waitForDone();
    EXPECT_TRUE(stores.written()) << "the write goes on after the wait gave up";
}

} // namespace
} // namespace zorv
