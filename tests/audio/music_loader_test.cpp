// The music library opened off the main thread: songs asked for while it loads, and quitting
// before it is ready. The loading is held by the test, so no case depends on timing.
#include "audio/music_loader.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <thread>
#include <vector>

namespace {

// A loading that ends when the test says so, and a record of the songs started.
class HeldLoading {
  public:
    MusicLoader::Calls Calls() {
        return {[this](const std::atomic<bool>& quitting) {
                    // Finish sets `quitting` without this lock, so the wait looks again
                    // every millisecond rather than wait for a wake-up.
                    std::unique_lock<std::mutex> hold(lock_);
                    while (!changed_.wait_for(hold, std::chrono::milliseconds(1),
                                              [&] { return released_ || quitting; })) {
                    }
                    sawQuitting_ = quitting;
                },
                [this](int32_t n) {
                    std::lock_guard<std::mutex> hold(lock_);
                    played_.push_back(n);
                }};
    }
    void Release() {
        {
            std::lock_guard<std::mutex> hold(lock_);
            released_ = true;
        }
        changed_.notify_all();
    }
    std::vector<int32_t> Played() {
        std::lock_guard<std::mutex> hold(lock_);
        return played_;
    }
    bool SawQuitting() {
        std::lock_guard<std::mutex> hold(lock_);
        return sawQuitting_;
    }

  private:
    std::mutex lock_;
    std::condition_variable changed_;
    bool released_ = false;
    bool sawQuitting_ = false;
    std::vector<int32_t> played_;
};

// Waits for the loader to report ready; a generous bound, not a timing assumption.
bool WaitReady(MusicLoader& loader) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!loader.Ready()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

TEST(MusicLoader, TheLastSongAskedForStartsWhenReadyAndLaterOnesAtOnce) {
    HeldLoading held;
    MusicLoader loader;
    loader.Start(held.Calls());
    loader.Play(1);
    loader.Play(3);  // replaces the song waiting
    EXPECT_FALSE(loader.Ready());
    EXPECT_TRUE(held.Played().empty()) << "nothing may reach the library while it loads";
    held.Release();
    ASSERT_TRUE(WaitReady(loader));
    EXPECT_EQ(held.Played(), std::vector<int32_t>({3}));
    loader.Play(4);
    loader.Play(0);
    EXPECT_EQ(held.Played(), std::vector<int32_t>({3, 4, 0}));
    loader.Finish();
    EXPECT_FALSE(held.SawQuitting());
}

TEST(MusicLoader, AStopWhileLoadingCancelsTheSongWaiting) {
    HeldLoading held;
    MusicLoader loader;
    loader.Start(held.Calls());
    loader.Play(2);
    loader.Play(0);
    held.Release();
    ASSERT_TRUE(WaitReady(loader));
    EXPECT_TRUE(held.Played().empty());
}

TEST(MusicLoader, QuittingBeforeTheLoadEndsStartsNothingAndWaitsForTheThread) {
    HeldLoading held;
    {
        MusicLoader loader;
        loader.Start(held.Calls());
        loader.Play(5);
        // The loading only ends on seeing `quitting`, so Finish must tell it and then wait.
        loader.Finish();
        EXPECT_TRUE(held.SawQuitting());
        EXPECT_TRUE(held.Played().empty()) << "the song waiting is dropped at shut-down";
        loader.Play(2);  // after Finish, straight through
        EXPECT_EQ(held.Played(), std::vector<int32_t>({2}));
    }
}

TEST(MusicLoader, TheDestructorJoinsALoadingStillRunning) {
    HeldLoading held;
    {
        MusicLoader loader;
        loader.Start(held.Calls());
    }  // no Finish: a thread left running would end the program (std::terminate)
    EXPECT_TRUE(held.SawQuitting());
}

}  // namespace
