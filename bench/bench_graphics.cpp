// The drawing operations every frame leans on: keyed sprite copies, fills, and the palette
// expansion the platform does at present.
#include <benchmark/benchmark.h>

#include <vector>

#include "base/graphics.h"
#include "platform/platform.h"

namespace {

TSurface MakeSheet(int w, int h) {
    TSurface s;
    SetSize(s, w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            s.Row(y)[x] = static_cast<uint8_t>((x * 7 + y * 13) % 5 == 0 ? 0 : x ^ y);
    SetColorKey(s, 0);
    return s;
}

void BM_DrawKeyed(benchmark::State& state) {
    const int size = static_cast<int>(state.range(0));
    TSurface screen;
    SetSize(screen, 320, 240);
    TSurface sheet = MakeSheet(256, 256);
    int x = 0;
    for (auto _ : state) {
        Draw(screen, x % 300, (x * 7) % 220, sheet, Bounds(0, 0, size, size), true);
        ++x;
        benchmark::DoNotOptimize(screen.Pixels.data());
    }
}
BENCHMARK(BM_DrawKeyed)->Arg(16)->Arg(64);

void BM_FillScreen(benchmark::State& state) {
    TSurface screen;
    SetSize(screen, 320, 240);
    uint8_t v = 0;
    for (auto _ : state) {
        Fill(screen, v++);
        benchmark::DoNotOptimize(screen.Pixels.data());
    }
}
BENCHMARK(BM_FillScreen);

void BM_ExpandFrame(benchmark::State& state) {
    TSurface screen = MakeSheet(320, 240);
    std::vector<uint8_t> palette(1024);
    for (int i = 0; i < 1024; ++i) palette[i] = static_cast<uint8_t>(i * 37);
    std::vector<uint32_t> out(320 * 240);
    for (auto _ : state) {
        plat::ExpandFrame(screen.Pixels.data(), 320, 240, 320, palette.data(), out.data());
        benchmark::DoNotOptimize(out.data());
    }
}
BENCHMARK(BM_ExpandFrame);

}  // namespace
