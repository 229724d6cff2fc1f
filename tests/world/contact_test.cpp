// The contact pass: bullets against the anchor and the ship (absorption, hits, scratches),
// the anchor hook, item pick-up, push-outs, body contact, and the ship shots against
// enemies (reflection, grounding, damage by hit group, destruction).
#include "audio/audio.h"
#include "fight_fixture.h"
#include "world/passes.h"

namespace {
constexpr int32_t ShipX = 60, ShipY = 200;
constexpr int32_t Slot = 100;  // where the tests put the bullet or item

class ContactTest : public FightTest {
  protected:
    // An enemy of the Target kind at (x, y) with the given responses.
    int32_t Body(int32_t x, int32_t y, uint8_t contact, uint8_t response = ShotsDamage) {
        const int32_t s = Enemy(Target, x, y);
        Objects[s].ContactKind = contact;
        Objects[s].ShotResponse = response;
        return s;
    }
};
}  // namespace

// ---- Bullets against the anchor and the ship ----

TEST_F(ContactTest, BulletCases) {
    struct Case {
        const char* name;
        int32_t kind;
        uint32_t look;
        int32_t dx, dy;              // bullet from the ship
        int32_t anchorDx, anchorDy;  // anchor from the ship
        uint8_t anchorState;
        int32_t invulnerable;
        int32_t kindAfter, score, scratches;
        bool shotDown;
    };
    const Case cases[] = {
        {"look 8 passes the anchor, is scratched", 48, 8, 10, 0, 20, 0, 2, 0, 48, 10, 1, false},
        {"look 8 passes the anchor, hits", 48, 8, 2, 0, 10, 0, 2, 0, 73, 0, 0, true},
        {"absorbed, then scratched as well", 48, 0, 10, 0, 20, 0, 2, 0, 64, 40, 1, false},
        {"absorbed, then vanishes at the invulnerable ship", 50, 1, 3, 0, 10, 0, 2, 5, 64, 60, 0,
         false},
        {"absorbed, then still hits the ship", 50, 1, 3, 0, 10, 0, 2, 0, 73, 30, 0, true},
        {"within 5 is a hit, never a scratch", 48, 0, 4, -4, 48, 0, 0, 0, 73, 0, 0, true},
        {"5 away is a scratch", 48, 0, 5, 0, 48, 0, 0, 0, 48, 10, 1, false},
        {"15 away on both axes is a scratch", 52, 0, -15, 15, 48, 0, 0, 0, 52, 10, 1, false},
        {"16 away is nothing", 48, 0, 16, 0, 48, 0, 0, 0, 48, 0, 0, false},
        {"invulnerable: vanishes for 30, no scratch", 57, 0, 0, 0, 48, 0, 0, 1, 64, 30, 0, false},
        {"carried anchor absorbs kind 55", 55, 3, 48, 15, 48, 0, 0, 0, 64, 30, 0, false},
        {"kind 56 passes the anchor", 56, 0, 48, 0, 48, 0, 0, 0, 56, 0, 0, false},
        {"holding anchor absorbs nothing", 48, 0, 48, 0, 48, 0, 4, 0, 48, 0, 0, false},
        {"thrown anchor absorbs", 49, 0, 100, -50, 100, -40, 1, 0, 64, 30, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StartFlying(ShipX, ShipY);
        TPlayer& p = Ship();
        p.Score = 0;
        p.Invulnerable = c.invulnerable;
        p.AnchorState = c.anchorState;
        p.AnchorX = ShipX + c.anchorDx;
        p.AnchorY = ShipY + c.anchorDy;
        for (TEffect& e : Effects) e.Kind = 0;
        Bullet(Slot, ShipX + c.dx, ShipY + c.dy, c.look, c.kind);
        ScratchCounter = 0;
        ClearPlayReport();
        ContactPass();
        const TWorldObject& b = Objects[Slot];
        EXPECT_EQ(b.Kind, c.kindAfter);
        EXPECT_EQ(p.Score, c.score);
        EXPECT_EQ(ScratchCounter, c.scratches);
        EXPECT_EQ(CountEffects(2), c.scratches);
        EXPECT_EQ(p.ShipState, c.shotDown ? ShipShotDown : ShipFlying);
        EXPECT_EQ(CountSounds(Sfx::Explosion), c.shotDown ? 1 : 0);
        if (c.kindAfter == EffectKind::Vanish) {
            EXPECT_EQ(BulletLook(b), 0u);
            EXPECT_EQ(b.Age, 0);
        }
        if (c.shotDown) {
            EXPECT_EQ(p.OriginX, ShipX);
            EXPECT_EQ(p.StateFrames, 0);
            EXPECT_EQ(b.FineX, b.X * 16);
            EXPECT_EQ(b.VelocityX, 0);
            EXPECT_EQ(b.Parent, 0);
            EXPECT_EQ(b.Param, 0);
        }
    }
}

TEST_F(ContactTest, ScratchSparkFliesAwayFromTheShip) {
    Bullet(Slot, ShipX + 12, ShipY - 7);
    Bullet(Slot + 1, ShipX - 3, ShipY + 9);
    ContactPass();
    EXPECT_EQ(ScratchCounter, 2);
    EXPECT_EQ(Ship().Score, 20);
    int32_t sparks = 0;
    for (const TEffect& e : Effects) {
        if (e.Kind != 2) continue;
        const int32_t dx = e.FineX / 16 - ShipX, dy = e.FineY / 16 - ShipY;
        EXPECT_GE(e.VelocityX, 2 * dx - 2);
        EXPECT_LE(e.VelocityX, 2 * dx + 2);
        EXPECT_GE(e.VelocityY, 2 * dy - 2);
        EXPECT_LE(e.VelocityY, 2 * dy + 2);
        ++sparks;
    }
    EXPECT_EQ(sparks, 2);
    // The bullet stays and scratches again in the next pass.
    ScratchCounter = 0;
    ContactPass();
    EXPECT_EQ(ScratchCounter, 2);
}

TEST_F(ContactTest, AShipInGameOverIsOutOfPlay) {
    Ship().ShipState = ShipGameOver;
    Bullet(Slot, ShipX, ShipY);
    Body(ShipX, ShipY, ContactDeadly);
    ContactPass();
    EXPECT_EQ(Objects[Slot].Kind, BulletKind::SmallBall);
    EXPECT_EQ(Ship().ShipState, ShipGameOver);
    EXPECT_EQ(Ship().Score, 0);
}

// ---- Items ----

TEST_F(ContactTest, ItemPickUp) {
    struct Case {
        const char* name;
        int32_t kind, colour;
        uint8_t main, anchor;
        int32_t dx;
        int32_t kindAfter, score, coins;
        uint8_t mainAfter, anchorAfter;
    };
    const Case cases[] = {
        {"power-up raises the main shot", ItemKind::PowerUp, 1, 4, 28, 19, 0, 0, 0, 8, 28},
        {"power-up raises the anchor weapon", ItemKind::PowerUp, 2, 3, 18, -19, 0, 0, 0, 3, 25},
        {"end of both rows: 5000 and a pop-up", ItemKind::PowerUp, 0, 7, 28, 0,
         EffectKind::ScorePopUp, 5000, 0, 7, 28},
        {"end of both rows, character 1", ItemKind::PowerUp, 2, 2, 17, 3, EffectKind::ScorePopUp,
         5000, 0, 2, 17},
        {"medal", ItemKind::Medal, 0, 4, 28, 10, 0, 100, 1, 4, 28},
        {"20 away is not picked up", ItemKind::PowerUp, 1, 4, 28, 20, ItemKind::PowerUp, 0, 0, 4,
         28},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StartFlying(ShipX, ShipY, c.main, c.anchor);
        Ship().Score = 0;
        Stats.CoinCount = 0;
        Objects[Slot] = TWorldObject{};
        Objects[Slot].Kind = c.kind;
        Objects[Slot].Param = c.colour;
        Objects[Slot].Age = 30;
        Objects[Slot].X = ShipX + c.dx;
        Objects[Slot].Y = ShipY - c.dx;
        ClearPlayReport();
        ContactPass();
        EXPECT_EQ(Objects[Slot].Kind, c.kindAfter);
        EXPECT_EQ(Ship().Score, c.score);
        EXPECT_EQ(Stats.CoinCount, c.coins);
        EXPECT_EQ(Ship().MainShotLevel, c.mainAfter);
        EXPECT_EQ(Ship().AnchorWeaponLevel, c.anchorAfter);
        EXPECT_EQ(CountSounds(Sfx::Item), c.kindAfter == c.kind ? 0 : 1);
        if (c.kindAfter == EffectKind::ScorePopUp) {
            EXPECT_EQ(Objects[Slot].Param, 2);
            EXPECT_EQ(Objects[Slot].Age, 0);
        }
    }
}

// ---- Solid and deadly bodies, the anchor hook ----

TEST_F(ContactTest, PushOutAtMostFourPixelsPerAxis) {
    // A solid body with box (-20, -20, 20, 20) at (200, 100): it covers 181..219 by 81..119.
    const struct {
        int32_t x, y, xAfter, yAfter;
    } cases[] = {
        {175, 100, 172, 100},  // right edge point 3 deep: pushed out by exactly 3
        {180, 100, 176, 100},  // 8 deep: 4 this frame
        {225, 115, 228, 115},  // left edge point inside from the right
        {200, 77, 200, 73},    // from above
        {200, 123, 200, 127},  // from below
        {190, 100, 190, 100},  // deep inside: each push undone by the opposite test
        {185, 85, 181, 81},    // near a corner: both axes
        {178, 78, 178, 78},    // at the corner all four points are outside
        {173, 100, 172, 100},  // right point at 181, strictly inside by one: out by 1
        {172, 100, 172, 100},  // right point on the edge: outside
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
        for (int32_t k = FirstWorldSlot; k <= LastWorldSlot; ++k) Objects[k].Kind = KindFree;
        const int32_t s = Body(200, 100, ContactSolid, ShotsStopped);
        Objects[s].HitBox = {-20, -20, 20, 20};
        Ship().X = c.x;
        Ship().Y = c.y;
        ContactPass();
        EXPECT_EQ(Ship().X, c.xAfter);
        EXPECT_EQ(Ship().Y, c.yAfter);
        EXPECT_EQ(Ship().ShipState, ShipFlying);
    }
}

TEST_F(ContactTest, DeadlyBodyHitsAVulnerableShip) {
    const int32_t s = Body(ShipX + 9, ShipY - 9, ContactDeadly);
    Ship().Invulnerable = 1;
    ContactPass();
    EXPECT_EQ(Ship().ShipState, ShipFlying);
    Ship().Invulnerable = 0;
    ClearPlayReport();
    ContactPass();
    EXPECT_EQ(Ship().ShipState, ShipShotDown);
    EXPECT_EQ(Objects[s].Kind, Target);  // the body stays
    EXPECT_EQ(CountSounds(Sfx::Explosion), 1);
    // A large explosion marks the ship's position.
    const TWorldObject& e = Objects[s + 1];
    EXPECT_EQ(e.Kind, EffectKind::LargeExplosion);
    EXPECT_EQ(e.X, ShipX);
    EXPECT_EQ(e.Y, ShipY);
    EXPECT_EQ(e.FineX, ShipX * 16);
    EXPECT_EQ(e.VelocityX, 0);
    EXPECT_EQ(e.VelocityY, 0);
    EXPECT_EQ(e.Parent, 0);
    // On the box's edge the ship is outside.
    StartFlying(ShipX - 1, ShipY);
    Objects[s].X = ShipX + 9;
    Objects[s].Y = ShipY;
    ContactPass();
    EXPECT_EQ(Ship().ShipState, ShipFlying);
}

TEST_F(ContactTest, GravityAnchorHooksADamageableEnemy) {
    const struct {
        const char* name;
        uint8_t level, anchorState, response, state;
        int32_t dx;
        bool hooked;
    } cases[] = {
        {"thrown gravity anchor", 17, AnchorThrown, ShotsDamage, StateActive, 25, true},
        {"boxes only touch", 17, AnchorThrown, ShotsDamage, StateActive, 26, false},
        {"spinning", 17, AnchorSpinning, ShotsDamage, StateActive, 0, false},
        {"another weapon", 16, AnchorThrown, ShotsDamage, StateActive, 0, false},
        {"armoured", 17, AnchorThrown, ShotsStopped, StateActive, 0, false},
        {"entering", 17, AnchorThrown, ShotsDamage, StateEntering, 0, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        for (int32_t k = FirstWorldSlot; k <= LastWorldSlot; ++k) Objects[k].Kind = KindFree;
        StartFlying(ShipX, ShipY, 0, c.level);
        Ship().AnchorState = c.anchorState;
        Ship().AnchorX = 150;
        Ship().AnchorY = 100;
        const int32_t s = Body(150 + c.dx, 100, ContactHarmless, c.response);
        Objects[s].State = c.state;
        ContactPass();
        EXPECT_EQ(Ship().AnchorState, c.hooked ? AnchorHolding : c.anchorState);
        EXPECT_EQ(Ship().HeldObject, c.hooked ? s : -1);
    }
}

// ---- Ship shots against enemies ----

TEST_F(ContactTest, OneHitPerGroupPerObjectPerFrame) {
    const struct {
        const char* name;
        int32_t groupA, groupB;
        int32_t hpAfter, score;
        bool secondShotLeft;
    } cases[] = {
        {"one volley", 3, 3, 93, 10, true},
        {"two groups", 3, 4, 86, 20, false},
        {"negative group numbers count too", -10, -10, 93, 10, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        for (int32_t k = FirstWorldSlot; k <= LastWorldSlot; ++k) Objects[k].Kind = KindFree;
        for (TEffect& e : Effects) e.Kind = 0;
        Ship().Score = 0;
        const int32_t s = Body(200, 100, ContactHarmless);
        Objects[s].HitPoints = 100;
        Shot(2, ShotKind::Main, 205, 100, c.groupA);
        Shot(5, ShotKind::Main, 195, 102, c.groupB);
        ContactPass();
        EXPECT_EQ(Objects[s].HitPoints, c.hpAfter);
        EXPECT_EQ(Ship().Score, c.score);
        EXPECT_EQ(Objects[s].Flash, 3);
        EXPECT_EQ(CountEffects(1), c.score / 10);
        EXPECT_EQ(Objects[2].Kind, KindFree);
        EXPECT_EQ(Objects[5].Kind, c.secondShotLeft ? ShotKind::Main : KindFree);
        // A new frame forgets the groups.
        if (c.secondShotLeft) {
            ContactPass();
            EXPECT_EQ(Objects[s].HitPoints, c.hpAfter - 7);
        }
        Objects[2].Kind = Objects[5].Kind = KindFree;
    }
}

TEST_F(ContactTest, HitTakingHitPointsToZeroDestroys) {
    const int32_t s = Body(200, 100, ContactHarmless);
    Objects[s].HitPoints = 14;
    Shot(0, ShotKind::Main, 200, 100, 0);  // damage 7
    ContactPass();
    EXPECT_EQ(Objects[s].Kind, Target);
    EXPECT_EQ(Objects[s].HitPoints, 7);
    Shot(0, ShotKind::Main, 200, 100, 0);
    ContactPass();
    EXPECT_EQ(Objects[s].Kind, EffectKind::LargeExplosion);
    EXPECT_EQ(Stats.ShootDownCount, 1);
    EXPECT_EQ(Ship().Score, 10 + 10 + 100);
    EXPECT_EQ(Objects[0].Kind, KindFree);
}

TEST_F(ContactTest, DeathKindZeroIsDestroyedByEveryFurtherHit) {
    EnemyTypes[Target].DeathKind = 0;
    const int32_t s = Body(200, 100, ContactHarmless);
    Objects[s].HitPoints = 1;
    Shot(0, ShotKind::Main, 200, 100, 0);
    Shot(1, ShotKind::Main, 200, 100, 1);
    Shot(16, ShotKind::Trail, 200, 100, 16);  // pierces; an anchor kill
    ContactPass();
    EXPECT_EQ(Objects[s].Kind, Target);
    EXPECT_EQ(Stats.ShootDownCount, 3);
    EXPECT_EQ(Ship().Score, 3 * 10 + 100 + 100 + 100);
    EXPECT_EQ(Ship().Multiplier, 2);
    EXPECT_EQ(Objects[16].Kind, ShotKind::Trail);
}

TEST_F(ContactTest, ArmourStopsShotsWithoutDamage) {
    const int32_t s = Body(200, 100, ContactHarmless, ShotsStopped);
    Objects[s].HitPoints = 50;
    Shot(0, ShotKind::Main, 200, 100, 0);
    Shot(16, ShotKind::Trail, 200, 100, 16);
    Shot(20, ShotKind::Bomb, 200, 100, 20, 30, 40);
    Objects[20].Age = 5;
    ContactPass();
    EXPECT_EQ(Objects[s].HitPoints, 50);
    EXPECT_EQ(Objects[s].Flash, 0);
    EXPECT_EQ(Ship().Score, 0);
    EXPECT_EQ(Objects[0].Kind, KindFree);
    EXPECT_EQ(Objects[16].Kind, ShotKind::Trail);
    const TWorldObject& blast = Objects[20];
    EXPECT_EQ(blast.Kind, ShotKind::Blast);
    EXPECT_EQ(blast.Age, 0);
    EXPECT_EQ(blast.VelocityX, 0);
    EXPECT_EQ(blast.VelocityY, 0);
    EXPECT_EQ(blast.HitBox.Right, 24);
    // Shots pass objects that are not active or let them through.
    Objects[s].State = StateEntering;
    Shot(0, ShotKind::Main, 200, 100, 0);
    ContactPass();
    EXPECT_EQ(Objects[0].Kind, ShotKind::Main);
    Objects[s].State = StateActive;
    Objects[s].ShotResponse = ShotsPass;
    ContactPass();
    EXPECT_EQ(Objects[0].Kind, ShotKind::Main);
}

TEST_F(ContactTest, BoundShotsReflectOffArmourOnBothAxes) {
    // Armour with box +-10 at (200, 100); probes 8 pixels ahead of the shot.
    const struct {
        const char* name;
        int32_t x, y, vx, vy;
        int32_t vxAfter, vyAfter, bouncesLost;
    } cases[] = {
        {"moving right into it", 195, 100, 96, 0, -96, 0, 1},
        {"moving left into it", 205, 100, -96, 0, 96, 0, 1},
        {"moving down into it", 200, 95, 0, 96, 0, -96, 1},
        {"moving up into it", 200, 105, 0, -96, 0, 96, 1},
        {"corner, both axes", 195, 95, 50, 50, -50, -50, 2},
        {"moving away", 205, 100, 96, 0, 96, 0, 0},
        {"probe outside", 180, 100, 96, 0, 96, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        for (int32_t k = FirstWorldSlot; k <= LastWorldSlot; ++k) Objects[k].Kind = KindFree;
        const int32_t s = Body(200, 100, ContactHarmless, ShotsStopped);
        TWorldObject& shot = Shot(10, ShotKind::Bound, c.x, c.y, 10, c.vx, c.vy);
        shot.Param = 8;
        ContactPass();
        EXPECT_EQ(shot.Kind, ShotKind::Bound);  // never stopped by armour
        EXPECT_EQ(shot.VelocityX, c.vxAfter);
        EXPECT_EQ(shot.VelocityY, c.vyAfter);
        EXPECT_EQ(shot.Param, 8 - c.bouncesLost);
        EXPECT_EQ(Objects[s].HitPoints, 10);
    }
    // Kind 80 itself is not "above 80": its armour stops the bound shot instead.
    for (int32_t k = FirstWorldSlot; k <= LastWorldSlot; ++k) Objects[k].Kind = KindFree;
    EnemyTypes[KindFirstEnemy] = EnemyTypes[Target];
    const int32_t s = Enemy(KindFirstEnemy, 200, 100);
    Objects[s].ShotResponse = ShotsStopped;
    Shot(10, ShotKind::Bound, 195, 100, 10, 96, 0);
    ContactPass();
    EXPECT_EQ(Objects[10].Kind, KindFree);
}

TEST_F(ContactTest, GroundMissileLandsOnArmour) {
    const int32_t s = Body(200, 100, ContactHarmless, ShotsStopped);
    TWorldObject& m = Shot(6, ShotKind::GroundMissile, 200, 80, 0, 32, 64);
    m.Param = 3;
    ContactPass();
    EXPECT_EQ(m.Param, 3);  // probe at y 88: outside
    m.Y = 95;
    ContactPass();
    EXPECT_EQ(m.Param, 3 | 256);
    EXPECT_EQ(m.Kind, ShotKind::GroundMissile);  // inside the box, yet never stopped
    m.Param = 13;
    m.VelocityY = -64;
    m.Y = 115;
    ContactPass();
    EXPECT_EQ(m.Param, 13 | 256);
    EXPECT_EQ(Objects[s].HitPoints, 10);
}
