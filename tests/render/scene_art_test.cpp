// The scene on the build's own pictures: a bullet's look moves its picture into another
// colour group of the bullet colours, four entries per look.
#include <gtest/gtest.h>

#include <cstring>

#include "base/paths.h"
#include "render/assets.h"
#include "render/display.h"
#include "render/scene.h"
#include "render/scene_fixture.h"
#include "shell/shell.h"
#include "world/objects.h"
#include "world/state.h"

namespace {

class SceneArtTest : public scenetest::BuildPicturesTest {
  protected:
    void SetUp() override {
        BuildPicturesTest::SetUp();
        StageNo = 1;
        DXDraw1RestoreSurface();
        SetSize(Display.BackBuffer, 320, 240);
    }
    // The pixels one bullet leaves on a black screen.
    static std::vector<uint8_t> DrawBullet(int kind, int age, uint32_t look) {
        Fill(Display.BackBuffer, 0);
        TWorldObject& o = Objects[100];
        o = {};
        o.Kind = kind;
        o.X = 160;
        o.Y = 120;
        o.Age = age;
        std::memcpy(&o.State, &look, sizeof look);
        TSurfaceDesc d;
        EXPECT_TRUE(Lock(Display.BackBuffer, nullptr, &d));
        DrawPixelPass(d);
        Unlock(Display.BackBuffer);
        return Display.BackBuffer.Pixels;
    }
};

TEST_F(SceneArtTest, EachLookShowsTheBulletInItsOwnColourGroup) {
    for (int kind : {48, 49, 50, 51, 53}) {
        const std::vector<uint8_t> plain = DrawBullet(kind, 4, 0);
        int drawn = 0;
        for (uint8_t v : plain)
            if (v != 0) {
                ++drawn;
                EXPECT_GE(v, 48);
                EXPECT_LE(v, 79) << "bullet pictures use the bullet colours";
            }
        ASSERT_GT(drawn, 4) << "kind " << kind;
        for (uint32_t look = 1; look < 8; ++look) {
            const std::vector<uint8_t> shown = DrawBullet(kind, 4, look);
            for (size_t i = 0; i < shown.size(); ++i) {
                if (plain[i] == 0) {
                    ASSERT_EQ(shown[i], 0);
                } else {
                    ASSERT_EQ(shown[i], plain[i] + 4 * look) << "kind " << kind << " look " << look;
                }
            }
        }
    }
}

}  // namespace
