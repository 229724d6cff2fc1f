#pragma once
// Opens the music library on a thread of its own, so that the synthesizer loading its SoundFont
// does not hold up the first frames. A song asked for meanwhile is remembered: the last one
// asked for starts as soon as the library is ready, and a stop asked for after it cancels it.
// Only Finish waits for the loading.
#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>

class MusicLoader {
  public:
    struct Calls {
        // Opens the library and loads the songs, on the loader's thread. `quitting` turns true
        // when Finish is called: what is left of the loading may be skipped.
        std::function<void(const std::atomic<bool>& quitting)> open;
        // Starts song n (0 stops the music); called on the loader's thread for the remembered
        // song, else on the thread calling Play.
        std::function<void(int32_t n)> play;
    };

    MusicLoader() = default;
    MusicLoader(const MusicLoader&) = delete;
    MusicLoader& operator=(const MusicLoader&) = delete;
    ~MusicLoader() { Finish(); }

    // Starts the loading (once; later calls until Finish do nothing).
    void Start(Calls calls);
    // Song n (0 stops): played now when no loading is under way, else remembered.
    void Play(int32_t n);
    // True once the loading has ended (and the remembered song started).
    bool Ready();
    // Tells the loading to quit, waits for its thread and forgets the remembered song. Calls
    // made after it go straight to the library.
    void Finish();

  private:
    std::mutex lock_;
    std::thread thread_;
    std::atomic<bool> quitting_{false};
    Calls calls_;             // set by Start before the thread runs
    bool loading_ = false;    // guarded by lock_: the library is not to be called yet
    int32_t remembered_ = 0;  // guarded by lock_: the song to start when ready, 0 none
};
