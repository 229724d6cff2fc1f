#pragma once
// Every object kind of the world by name, grouped by what it is. The kind number selects an
// object's behaviour, its enemy type record and its picture; nowhere else names a kind.
#include <cstdint>

// The roles by range.
constexpr int32_t KindFree = 0;
constexpr int32_t KindFirstItem = 1;
constexpr int32_t KindLastItem = 15;
constexpr int32_t KindFirstShot = 16;
constexpr int32_t KindLastShot = 47;
constexpr int32_t KindFirstBullet = 48;
constexpr int32_t KindFirstUnabsorbable = 56;  // bullets from here on pass through the anchor
constexpr int32_t KindLastBullet = 63;
constexpr int32_t KindFirstEffect = 64;  // flashes, pop-ups and explosions
constexpr int32_t KindFirstEnemy = 80;
constexpr int32_t KindFirstBoss = 192;

// Items the ship picks up.
namespace ItemKind {
constexpr int32_t DriftingBonus = 8;
constexpr int32_t PowerUp = 9;  // bounces about, changing colour
constexpr int32_t Medal = 12;   // what a cancelled bullet turns into
}  // namespace ItemKind

// The ships' shots.
namespace ShotKind {
constexpr int32_t Main = 16;           // main shot, levels 0 and 1
constexpr int32_t MainHeavy = 17;      // main shot, level 2
constexpr int32_t Twin = 18;           // levels 3 and 4
constexpr int32_t MissilePair = 19;    // the pair beside the ground missiles
constexpr int32_t Side = 20;           // the slanted shots of levels 1 and 2
constexpr int32_t GroundMissile = 22;  // runs along the ground
constexpr int32_t Trail = 23;          // left by a thrown or spinning anchor
constexpr int32_t AnchorShot = 24;     // base anchor weapon
constexpr int32_t Wide = 25;           // wide shot
constexpr int32_t Bound = 26;          // bounces off walls
constexpr int32_t HeldAnchor = 29;     // the gravity anchor holding an enemy
constexpr int32_t FlameSource = 32;    // makes the flames of the flamethrower
constexpr int32_t Flame = 33;
constexpr int32_t Bomb = 37;
constexpr int32_t Blast = 38;  // a bomb that met the ground
constexpr int32_t Drill = 39;
// Dropped by the plasma anchor, one per level 25..27.
constexpr int32_t PlasmaSmall = 40;
constexpr int32_t PlasmaMedium = 41;
constexpr int32_t PlasmaLarge = 42;
// The laser, one per main shot level 11..13.
constexpr int32_t LaserThin = 44;
constexpr int32_t LaserMedium = 45;
constexpr int32_t LaserThick = 46;
constexpr int32_t WallSpark = 47;  // a shot that met a wall
// Rows of the shot table that no weapon makes; the scene still has pictures for them.
constexpr int32_t Unmade21 = 21;
constexpr int32_t Unmade27 = 27;
constexpr int32_t Unmade28 = 28;
constexpr int32_t Unmade30 = 30;
constexpr int32_t Unmade31 = 31;
constexpr int32_t Unmade34 = 34;
constexpr int32_t Unmade35 = 35;
constexpr int32_t Unmade36 = 36;
constexpr int32_t Unmade43 = 43;
}  // namespace ShotKind

// Enemy bullets, 48..63, by their picture and motion.
namespace BulletKind {
// Straight rays from their origin; the anchor absorbs them.
constexpr int32_t SmallBall = 48;   // blinks; also the shoot-back bullet
constexpr int32_t SpikedBall = 49;  // four turning spikes
constexpr int32_t Needle = 50;      // points along its heading
constexpr int32_t LargeBall = 51;   // turning rim
constexpr int32_t Streak = 52;      // drawn along its heading like a trail; nothing fires it
constexpr int32_t Crystal = 53;     // free flight in fine position, with a mode
constexpr int32_t SpareRayA = 54;   // drawn with the first cell; nothing fires them
constexpr int32_t SpareRayB = 55;
// From here on the anchor does not absorb them.
constexpr int32_t TrailRay = 56;       // straight ray leaving a trail
constexpr int32_t Homing = 57;         // homing ray leaving a trail
constexpr int32_t TrailCrystal = 59;   // free flight leaving a trail
constexpr int32_t OldTrailPiece = 62;  // behaves as a trail piece; nothing makes it
constexpr int32_t TrailPiece = 63;     // a trail's piece, still until its lifetime ends
// Never moved, drawn with the first cell; nothing fires them.
constexpr int32_t StillA = 58;
constexpr int32_t StillB = 60;
constexpr int32_t StillC = 61;
}  // namespace BulletKind

// Flashes, pop-ups and explosions.
namespace EffectKind {
constexpr int32_t Vanish = 64;           // a bullet's vanishing flash
constexpr int32_t ScorePopUp = 68;       // points shown by picture
constexpr int32_t MultiplierPopUp = 69;  // the multiplier a kill paid with
constexpr int32_t SmallExplosion = 72;
constexpr int32_t LargeExplosion = 73;
}  // namespace EffectKind

// Enemies, by the names of the enemy kind source.
namespace EnemyKind {
// Small craft of every stage.
constexpr int32_t Dart = 80;             // random arrival: flies left, aimed shot
constexpr int32_t Sinker = 81;           // random arrival: sinks in a saw-tooth
constexpr int32_t RearGunner = 82;       // random arrival: fires backwards
constexpr int32_t CrossGunner = 83;      // random arrival: fires up and down
constexpr int32_t TwinGunner = 84;       // a fast and a slow aimed shot
constexpr int32_t SpareCraft = 85;       // drawn as the small craft; no record, nothing sends it
constexpr int32_t RingBurster = 86;      // one ring at age 120
constexpr int32_t RotorGunship = 87;     // three aimed shots; arrives every 30 seconds
constexpr int32_t GroundStructure = 88;  // rolls in on the ground (param: its picture)
constexpr int32_t BigGunboat = 89;       // two fans
constexpr int32_t CeilingGun = 90;       // trailing ray straight down
constexpr int32_t HomingMissile = 91;    // from the heavy tank's missile hatches
constexpr int32_t Launcher = 93;         // opens, then dashes right
constexpr int32_t DistantCarrier = 94;   // scenery; sends its boat before the boss
constexpr int32_t CarrierBoat = 95;
// Stage 2 sky traffic and the turrets.
constexpr int32_t CruiserGate = 110;  // not drawn: a cruiser every 1000 frames
constexpr int32_t SlowCruiser = 111;
constexpr int32_t TransportTank = 112;   // drives right along the ground
constexpr int32_t CeilingTurret = 114;   // aims downward
constexpr int32_t FloorTurret = 115;     // aims upward
constexpr int32_t PathDart = 116;        // flies one of three paths (param)
constexpr int32_t Mine = 126;            // dropped by the trailing craft; bursts at an edge
constexpr int32_t BigFloorTurret = 128;  // aimed triple shot
constexpr int32_t HoppingGunship = 129;  // random arrival
constexpr int32_t ThrownCanister = 134;
constexpr int32_t SpareCanister = 135;  // drawn as the canister; no record, nothing sends it
}  // namespace EnemyKind

// The bosses.
namespace BossKind {
constexpr int32_t LargeCraft = 192;    // the mid-boss of stage 2, a figure eight
constexpr int32_t HeavyTank = 193;     // MERCILESS DEVASTATOR X9, the fortress of stage 1
constexpr int32_t ChainFighter = 194;  // SAI-FEN, the boss of stage 5, with twin chains
constexpr int32_t RedChains = 195;     // the mid-boss of stage 5; holds the stage clock
constexpr int32_t TrailCraft = 198;    // OLMARD, the fast craft with a trailing body
}  // namespace BossKind

// Parts of the bosses, attached to them.
namespace PartKind {
// The heavy tank's parts.
constexpr int32_t Superstructure = 96;  // armour plate
constexpr int32_t RearTrack = 98;       // armour
constexpr int32_t FrontTrack = 99;      // armour
constexpr int32_t SlidingGun = 100;
constexpr int32_t TankTurret = 101;
constexpr int32_t MissileHatch = 102;
constexpr int32_t RotatingDish = 103;  // sends rockets once the sliding gun is gone
constexpr int32_t Rocket = 104;        // rises from a dish, then flies left
// The chain bosses' chains and the trailing craft's body.
constexpr int32_t ChainSegment = 124;
constexpr int32_t BodySegment = 125;
}  // namespace PartKind

// Kinds of the particles in the Effects table (not objects).
namespace ParticleKind {
constexpr int32_t HitSpark = 1;    // a shot hit an enemy
constexpr int32_t Scratch = 2;     // a bullet grazed the ship
constexpr int32_t Debris = 3;      // from a dying enemy
constexpr int32_t ShipDebris = 4;  // nothing makes it
constexpr int32_t Sparkle = 5;     // round an invulnerable ship
}  // namespace ParticleKind
