#include "audio/music_loader.h"

void MusicLoader::Start(Calls calls) {
    std::lock_guard<std::mutex> hold(lock_);
    if (thread_.joinable()) return;
    calls_ = std::move(calls);
    quitting_ = false;
    remembered_ = 0;
    loading_ = true;
    thread_ = std::thread([this] {
        if (calls_.open) calls_.open(quitting_);
        std::lock_guard<std::mutex> done(lock_);
        // Under the lock, so that a Play arriving now waits for this start and follows it.
        if (remembered_ != 0 && !quitting_ && calls_.play) calls_.play(remembered_);
        remembered_ = 0;
        loading_ = false;
    });
}

void MusicLoader::Play(int32_t n) {
    {
        std::lock_guard<std::mutex> hold(lock_);
        if (loading_) {
            // Nothing plays before the library is ready, so a stop only cancels the song.
            remembered_ = n;
            return;
        }
    }
    // The loader's thread made its last call before loading_ fell, under the same lock.
    if (calls_.play) calls_.play(n);
}

bool MusicLoader::Ready() {
    std::lock_guard<std::mutex> hold(lock_);
    return !loading_;
}

void MusicLoader::Finish() {
    quitting_ = true;
    if (thread_.joinable()) thread_.join();
    std::lock_guard<std::mutex> hold(lock_);
    remembered_ = 0;
    loading_ = false;
}
