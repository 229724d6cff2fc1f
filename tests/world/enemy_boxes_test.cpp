// The enemy kinds' hit boxes against the pictures the scene draws for them: a box must lie
// on the visible body (inside the opaque pixels' bounds of every frame taken together) and
// cover a fair share of it, so shots hit what the player sees.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "../../tools/zvassets/common/sheetlayout.h"
#include "krdxlib/bitmap.h"
#include "krdxlib/bmpfile.h"
#include "zvcommon/enemytypes.h"

namespace {

// Where the scene takes a kind's picture: the sheet, the rectangles (labels, or label
// prefixes followed by a frame number), and the draw offset: the rectangle's top-left
// corner goes to (x - AtX, y - AtY).
struct DrawnKind {
    int Kind;
    const char* Sheet;
    std::vector<std::string> Labels;
    int AtX, AtY;
};

const std::vector<DrawnKind>& Drawn() {
    static const std::vector<DrawnKind> d = {
        {80, "enemy.bmp", {"k80-86."}, 16, 16}, {81, "enemy.bmp", {"k80-86."}, 16, 16},
        {82, "enemy.bmp", {"k80-86."}, 16, 16}, {83, "enemy.bmp", {"k80-86."}, 16, 16},
        {84, "enemy.bmp", {"k80-86."}, 16, 16}, {86, "enemy.bmp", {"k80-86."}, 16, 16},
        {87, "enemy.bmp", {"k87."}, 16, 16},    {88, "enemy1.bmp", {"k88."}, 40, 52},
        {89, "enemy2.bmp", {"k89"}, 80, 36},    {90, "enemy.bmp", {"k90"}, 8, 8},
        {91, "enemy.bmp", {"k91."}, 10, 10},    {93, "enemy2.bmp", {"k93."}, 32, 32},
        {96, "enemy1.bmp", {"k96"}, 65, 18},    {98, "enemy1.bmp", {"k98"}, 40, 20},
        {99, "enemy1.bmp", {"k99"}, 50, 20},    {100, "enemy1.bmp", {"k100."}, 15, 10},
        {101, "enemy1.bmp", {"k101."}, 14, 8},  {102, "enemy1.bmp", {"k102."}, 7, 14},
        {103, "enemy1.bmp", {"k103"}, 11, 7},   {104, "enemy1.bmp", {"k104."}, 10, 10},
        {111, "back2.bmp", {"k111"}, 0, 0},     {112, "enemy1.bmp", {"k112"}, 32, 20},
        {114, "enemy.bmp", {"k114."}, 8, 8},    {115, "enemy.bmp", {"k115."}, 8, 8},
        {116, "enemy.bmp", {"k116."}, 16, 16},  {124, "enemy5.bmp", {"k124."}, 12, 12},
        {125, "enemy2.bmp", {"k125"}, 16, 16},  {126, "enemy2.bmp", {"k126"}, 8, 8},
        {128, "enemy.bmp", {"k128."}, 20, 20},  {129, "enemy.bmp", {"k129."}, 20, 20},
        {134, "enemy.bmp", {"k134"}, 20, 20},   {192, "enemy2.bmp", {"k93.0", "k93.1"}, 32, 32},
        {193, "enemy1.bmp", {"k193"}, 65, 32},  {194, "enemy5.bmp", {"hull"}, 112, 64},
        {195, "enemy5.bmp", {"hull"}, 112, 64}, {198, "enemy2.bmp", {"k198."}, 16, 16},
    };
    return d;
}

struct Box {
    int L = 1 << 20, T = 1 << 20, R = -(1 << 20), B = -(1 << 20);
    bool Empty() const { return L > R; }
};

// The opaque pixels of a kind's pictures, relative to the object position: their bounds
// over every frame, and the count of opaque pixels inside a given box in the first frame.
struct Opaque {
    Box Bounds;
    int InBox = 0;
    int BoxArea = 0;
};

bool Matches(const std::string& label, const std::string& want) {
    if (want.back() != '.') return label == want;
    return label.compare(0, want.size(), want) == 0 && label.size() > want.size();
}

Opaque Measure(const DrawnKind& d, const TBitmap& b, int key, const TEnemyType& t) {
    Opaque o;
    bool first = true;
    o.BoxArea = (t.BoxRight - t.BoxLeft) * (t.BoxBottom - t.BoxTop);
    for (const zvtools::SheetRect& r : zvtools::SheetRects(d.Sheet)) {
        bool wanted = false;
        for (const auto& w : d.Labels) wanted = wanted || Matches(r.Label, w);
        if (!wanted) continue;
        for (int y = r.T; y < r.B; ++y) {
            for (int x = r.L; x < r.R; ++x) {
                if (b.At(x, y) == key) continue;
                const int px = x - r.L - d.AtX, py = y - r.T - d.AtY;
                o.Bounds.L = std::min(o.Bounds.L, px);
                o.Bounds.T = std::min(o.Bounds.T, py);
                o.Bounds.R = std::max(o.Bounds.R, px + 1);
                o.Bounds.B = std::max(o.Bounds.B, py + 1);
                if (first && px >= t.BoxLeft && px < t.BoxRight && py >= t.BoxTop &&
                    py < t.BoxBottom) {
                    ++o.InBox;
                }
            }
        }
        first = false;
    }
    return o;
}

TEST(EnemyBoxes, EveryDrawnKindsBoxLiesOnItsPicture) {
    auto types = std::make_unique<TEnemyType[]>(EnemyTypeCount);
    ReadEnemyTypes(std::string(ZV_BIN_DIR) + "/einit.dat", types.get());
    for (const DrawnKind& d : Drawn()) {
        SCOPED_TRACE("kind " + std::to_string(d.Kind) + " on " + d.Sheet);
        const TEnemyType& t = types[d.Kind];
        ASSERT_NE(t.InitialState, 0) << "no record";
        const auto* spec = zvtools::FindSheet(d.Sheet);
        ASSERT_NE(spec, nullptr);
        const TBitmap b = LoadBitmapFile(std::string(ZV_BIN_DIR) + "/" + d.Sheet);
        const Opaque o = Measure(d, b, spec->KeyIndex, t);
        ASSERT_FALSE(o.Bounds.Empty()) << "the picture is empty";
        const std::string seen =
            "box " + std::to_string(t.BoxLeft) + " " + std::to_string(t.BoxTop) + " " +
            std::to_string(t.BoxRight) + " " + std::to_string(t.BoxBottom) + ", picture " +
            std::to_string(o.Bounds.L) + " " + std::to_string(o.Bounds.T) + " " +
            std::to_string(o.Bounds.R) + " " + std::to_string(o.Bounds.B);
        if (t.ShotResponse == 0 && t.ContactKind == 0) continue;  // scenery: no box needed
        ASSERT_GT(o.BoxArea, 0) << seen;
        // Inside the picture's bounds.
        // (The record is packed: compare a copy of its box, not references into it.)
        const TBox box = TypeBox(t);
        EXPECT_GE(box.Left, o.Bounds.L) << seen;
        EXPECT_GE(box.Top, o.Bounds.T) << seen;
        EXPECT_LE(box.Right, o.Bounds.R) << seen;
        EXPECT_LE(box.Bottom, o.Bounds.B) << seen;
        // Mostly on the body, not on the air around it.
        EXPECT_GE(o.InBox * 2, o.BoxArea)
            << seen << ": " << o.InBox << " of " << o.BoxArea << " box pixels are opaque";
        // And not a pin-prick on a big picture: at least a third of its width and height.
        EXPECT_GE(3 * (box.Right - box.Left), o.Bounds.R - o.Bounds.L) << seen;
        EXPECT_GE(3 * (box.Bottom - box.Top), o.Bounds.B - o.Bounds.T) << seen;
    }
}

}  // namespace
