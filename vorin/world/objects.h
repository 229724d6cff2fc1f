#pragma once
// The world's entity tables: the two ships, the object table, the particle effects and the
// path ring. Fixed capacities; a slot is free when its kind is 0.
#include <cstddef>
#include <cstdint>
#include <utility>

#include "krdxlib/geometry.h"
#include "world/kinds.h"

// Capacities and slot ranges.
constexpr int32_t PlayerCount = 2;
constexpr int32_t ObjectCount = 258;      // slots 0..257
constexpr int32_t ShotSlotsPerShip = 32;  // ship p: slots p*32 .. p*32+31
constexpr int32_t FirstShotSlot = 0;
constexpr int32_t LastShotSlot = 63;
constexpr int32_t FirstWorldSlot = 64;  // enemies, bullets, items, explosions, pop-ups
constexpr int32_t LastWorldSlot = 256;
constexpr int32_t WorldSlotCount = LastWorldSlot - FirstWorldSlot + 1;  // 193
constexpr int32_t SpareSlot = 257;  // catches spawns into a full table; never visited
constexpr int32_t EffectCount = 129;
constexpr int32_t LastSpawnableEffect = 127;  // slot 128 is updated but never handed out
constexpr int32_t PathRingSize = 1024;

// Ship states.
constexpr uint8_t ShipEntering = 0;
constexpr uint8_t ShipFlying = 1;
constexpr uint8_t ShipShotDown = 2;
constexpr uint8_t ShipLeaving = 3;
constexpr uint8_t ShipGameOver = 4;

// Minimum x, maximum x, minimum y, maximum y; outside them an object is removed.
struct TBounds {
    int32_t MinX = 0, MaxX = 0, MinY = 0, MaxY = 0;
};

struct TPlayer {
    int32_t X = 0, Y = 0;              // ship position, pixels
    int32_t OriginX = 0, OriginY = 0;  // start of the scripted entry, death and exit flights
    int32_t AnchorX = 0, AnchorY = 0;  // anchor position, pixels
    int32_t AnchorHeading = 0;         // angle the anchor points and flies in
    int32_t AnchorDistance = 0;        // from the launch point (flight) or ship (spin)
    int32_t OrbitAngle = 0;            // ship-to-anchor angle while carried
    int32_t HeldObject = 0;            // slot the anchor holds, -1 none
    int32_t LaunchX = 0, LaunchY = 0;  // ship position when the anchor was launched
    int32_t AnchorFrames = 0;          // frames since the launch
    int32_t SavedHeading = 0;          // heading before the launch, restored on docking
    uint8_t AnchorWeaponLevel = 0;     // UpgradeTable row of the anchor weapon
    uint8_t MainShotLevel = 0;         // UpgradeTable row of the main shot
    int32_t PanelValues[6] = {};       // character select panel (not read by the world)
    uint8_t AnchorState = 0;           // 0 carried, 1 thrown, 2 returning, 3 spinning, 4 holding
    uint8_t AnchorLock = 0;            // 0 or 1, toggled by button C
    int32_t Invulnerable = 0;          // frames of invulnerability left
    uint8_t SpeedMode = 0;             // 0..3, index into MoveSpeeds this frame
    int32_t MoveSpeeds[4] = {};        // pixels per frame per speed mode
    int32_t HeadingTurnSpeed = 0;      // AnchorJiten
    int32_t OrbitTurnSpeed = 0;        // AnchorKouten
    int32_t Character = 0;             // 0, 1 or 2
    int32_t SpriteFrame = 0;           // ship animation frame
    int32_t Multiplier = 0;            // 1..10
    int32_t Score = 0;                 // points of this play
    int32_t Lives = 0;                 // spare ships left
    int32_t Gauge = 0;                 // shown by the status display only
    int32_t GaugeMax = 0;
    uint8_t ShipState = 0;             // ShipEntering .. ShipGameOver
    int32_t StateFrames = 0;           // frames since the ship state changed
    int32_t FireFrames = 0;            // frames of fire left
    int32_t ChargeA = 0, ChargeB = 0;  // frames button A / B has been held
    int32_t MainCooldown = 0;          // frames until the main shot may fire
    int32_t AnchorCooldown = 0;        // frames until the anchor weapon may fire
    int32_t Volleys = 0;               // main-shot volleys fired this life
};

struct TWorldObject {
    int32_t X = 0, Y = 0;          // position, pixels
    int32_t Kind = 0;              // 0 = free slot
    int32_t Param = 0;             // per-kind parameter
    int32_t Target = 0;            // enemy: ship it aims at
    int32_t Parent = 0;            // enemy: slot attached to (-1 none); shot: hit group;
                                   // explosion: shoot-back type
    int32_t WorkA = 0;             // per-kind scratch
    int32_t Layer = 0;             // draw layer
    int32_t Age = 0;               // frames since spawn or the last change of kind
    int32_t DeathTime = 0;         // length of the dying sequence
    TBox HitBox;                   // relative to X, Y
    int32_t WorkB = 0;             // per-kind scratch
    TBounds Bounds;                // outside them the object is removed
    int32_t Flash = 0;             // hit flash frames left
    int32_t FineX = 0, FineY = 0;  // 1/16 pixel, or the offset from the parent in pixels
    int32_t Aim = 0;               // auxiliary angle; a bullet's heading
    int32_t WorkC = 0;             // per-kind scratch
    int32_t VelocityX = 0;         // 1/16 pixel per frame; a ray bullet's origin x
    int32_t VelocityY = 0;         // a ray bullet's origin y
    int32_t HitPoints = 0;         // a ray bullet's distance travelled
    int32_t Frame = 0;             // animation frame; a bullet's speed
    // A bullet's look is written as one 32-bit value over these three bytes and the pad.
    uint8_t State = 0;         // StateActive, StateEntering, StateDying, StateInert
    uint8_t ContactKind = 0;   // ContactHarmless, ContactDeadly, ContactSolid
    uint8_t ShotResponse = 0;  // ShotsPass, ShotsDamage, ShotsStopped
    uint8_t StatePad = 0;
    int32_t ExtraA = 0;  // bullet: mode, or a trail's lifetime
    int32_t ExtraB = 0;  // bullet: mode value

    // An enemy bullet keeps its own values in fields that mean other things elsewhere.
    int32_t& BulletAngle() { return Aim; }  // heading 0..1023
    int32_t BulletAngle() const { return Aim; }
    int32_t& BulletSpeed() { return Frame; }  // 1/16 pixel per frame
    int32_t BulletSpeed() const { return Frame; }
    int32_t& RayOriginX() { return VelocityX; }  // where a ray started, pixels
    int32_t RayOriginX() const { return VelocityX; }
    int32_t& RayOriginY() { return VelocityY; }
    int32_t RayOriginY() const { return VelocityY; }
    int32_t& RayDistance() { return HitPoints; }  // along the ray, 1/16 pixel
    int32_t RayDistance() const { return HitPoints; }
    int32_t& BulletMode() { return ExtraA; }  // a crystal's mode; a trail piece's lifetime
    int32_t BulletMode() const { return ExtraA; }
    int32_t& BulletModeValue() { return ExtraB; }
    int32_t BulletModeValue() const { return ExtraB; }
};

// The look is stored over four consecutive bytes.
static_assert(offsetof(TWorldObject, StatePad) == offsetof(TWorldObject, State) + 3);

struct TEffect {
    int32_t Kind = 0;       // 0 free, or a ParticleKind
    int32_t Age = 0;        // frames
    int32_t Lifetime = 0;   // frames
    uint8_t Colour = 0;     // palette index at age 0
    int32_t FadeShift = 0;  // drawn colour = Colour - (Age >> FadeShift)
    int32_t FineX = 0, FineY = 0;
    int32_t VelocityX = 0, VelocityY = 0;  // 1/16 pixel per frame
};

struct TPathPoint {
    int32_t X = 0, Y = 0, Angle = 0;
};

extern TPlayer Players[PlayerCount];       // entry 0 plays; entry 1 keeps its set-up values
extern TWorldObject Objects[ObjectCount];  // shots 0..63, world 64..256, spare 257
extern TEffect Effects[EffectCount];       // particles
extern TPathPoint PathRing[PathRingSize];  // head path of the trailing boss
extern int32_t PathHead;                   // write index into PathRing, 0..1023

// An enemy bullet's look, one 32-bit value over the state bytes and the pad (read by the
// scene, written by the bullet code; both go through these two).
uint32_t BulletLook(const TWorldObject& o);
void SetBulletLook(TWorldObject& o, uint32_t look);

// Lowest free slot first..last: (slot, true); none free: (last + 1, false).
std::pair<int32_t, bool> FindFreeSlot(int32_t first, int32_t last);
// Every PathRing point becomes (x, y, 0).
void ResetPathRing(int32_t x, int32_t y);
// Particle at pixel (x, y) in the lowest free effect slot 0..127; nothing when none is free.
void SpawnEffect(int32_t x, int32_t y, int32_t velocityX, int32_t velocityY, int32_t kind);
// Ages and moves all 129 particles, freeing expired and off-screen ones.
void UpdateEffects();

// While one of these is alive, SpawnEffect starts looking after the slot it filled last
// rather than at slot 0: every slot below that one is busy, since nothing frees a particle
// meanwhile but UpdateEffects, which starts the search over. The slot found is the same.
// Outside one, each search starts at slot 0, so that the table may be changed freely between
// them (stage start, snapshot restore, tests). A frame update and the contact pass open one.
class TEffectSpawns {
  public:
    TEffectSpawns();
    ~TEffectSpawns();
    TEffectSpawns(const TEffectSpawns&) = delete;
    TEffectSpawns& operator=(const TEffectSpawns&) = delete;
};
