// Everything that happens in a stage: its records, tables and routines, by area of the game.
#pragma once

#include <cstdint>

#include "render/render.h"

// A hit rectangle in whole pixels; two collide when their intersection is not empty.
struct HitRect {
  int32_t left, top, right, bottom;
};

// True when a and b overlap; rectangles that only touch along an edge do not.
bool RectsOverlap(const HitRect& a, const HitRect& b);

// The record of the ship, its exhaust, the player shots and the enemy bullets.
struct SpriteObject {
  SpriteQuad quad;   // the picture; its vertex 0 is the object's position
  int32_t active;    // nonzero while in play
  int32_t dx;        // x step in pixels per frame
  int32_t dy;        // y step in pixels per frame
  HitRect hitRect;   // for the collision passes
  int32_t type;      // the ship and player shots: a direction 0..7; enemy bullets: the bullet type
};

// An enemy bullet has the same fields as the ship's record.
using EnemyShot = SpriteObject;

// Directions of play: 0 up, 1 right, 2 down, 3 left, 4 up-left, 5 up-right, 6 down-right, 7 down-left.
constexpr int kDirections = 8;

// ---- Run state ----

extern int32_t g_Life;          // -2 before the first frame, -1 on the title, 1..32 in a run, 0 game over
extern int32_t g_ClearPhase;    // 0 playing, 1 stage-clear wait, 2 ending
extern int32_t g_FrameCount;    // the stage clock: play frames since the stage started
extern float g_ScrollV;         // background's v offset; during game over the shutter's
extern float g_ScrollSpeed;     // added to g_ScrollV every play frame: -0.0001
extern int32_t g_GraphShown;    // 1 once this game over has recorded its run and shows the graph
extern int32_t g_PlayCount;     // runs recorded in the results graph, 0 to 9
extern int32_t g_ScoreHistory[9];   // graph height in pixels of each recorded run
extern SpriteQuad g_DotQuads[9];    // one dot per recorded run
struct GraphPoint {
  float x, y;
};
extern GraphPoint g_GraphPoints[9];  // centres of the dots, joined by the graph line
extern SpriteQuad g_GraphQuad;       // the results graph picture
extern SpriteQuad g_ShutterQuad;     // the game-over shutter
extern SpriteQuad g_EndingQuad;      // the ending picture
extern SpriteQuad g_Background;      // the stage background, as tall as its picture

// ---- Player ship (the player's array: ship, exhaust, then 18 shots) ----

constexpr int kPlayerShots = 18;
extern SpriteObject g_PlayerObjects[2 + kPlayerShots];
extern SpriteObject& g_Player;          // the ship
extern SpriteObject& g_PlayerGas;       // its exhaust flame
extern SpriteObject* const g_PlayerShots;  // the 18 shots, records 2.. of the array
extern int32_t& g_PlayerAlive;          // the ship's active: 1 flying, 0 destroyed
extern int32_t& g_PlayerDX;             // the ship's step in x: -6, 0 or 6
extern int32_t& g_PlayerDY;             // the ship's step in y
extern int32_t& g_PlayerFrame;          // the ship's facing 0..7
extern HitRect& g_PlayerHitRect;        // the ship's hit rectangle
extern int32_t g_DeathTimer;            // frames since the ship was destroyed; -1 while it flies
extern int32_t g_ShownShipFrame;        // the facing the ship's picture shows
extern int32_t g_ExhaustTimer;          // frames since the exhaust last changed picture row
extern uint8_t g_ExhaustRow;            // 0 or 1, toggled at every exhaust picture change

extern const int32_t g_ExhaustOffset[kDirections][2];  // exhaust x, y from the ship, by facing
extern const int32_t g_ExhaustSize[kDirections][2];    // exhaust width, height, by facing
extern const float g_ExhaustUV[2][kDirections][4];     // rows A and B: left u, top v, right u, bottom v

void ResetPlayer();
void UpdatePlayer();
void ClampToPlayfield(SpriteQuad& quad);
void AnimateExhaust();

// ---- Player shots ----

extern const int32_t g_MuzzleOffset[2][kDirections][2];  // first and second shot's offset from the ship
extern const int32_t g_ShotVelocity[kDirections][2];     // step per frame
extern const int32_t g_ShotSize[kDirections][2];         // quad width, height
extern const int32_t g_ShotHitSize[kDirections][2];      // hit width, height

void FireVolley();
void UpdatePlayerShots();

// ---- Score bar ----

struct DigitRecord {
  SpriteQuad quad;
  int32_t digit;
};
extern SpriteQuad g_ScoreBar;        // the bar over the top 32 rows
extern DigitRecord g_Digits[10];     // 0..2 score, 3..6 hit ratio, 7..9 best score
extern SpriteQuad g_GaugeQuad;       // one segment of the gauge of ships lost, moved per segment
extern int32_t g_BestTotal;          // best score of the program run
extern int32_t g_RatioShown[4];      // the hit-ratio digits last shown
extern int32_t& g_EndingAlpha;       // fade of the ending picture, 0..256 (the same int as g_RatioShown[0])
extern int32_t& g_EndingTick;        // frame divider of the fade (g_RatioShown[1])
extern int32_t& g_ClearWait;         // frames of the stage-clear wait (g_RatioShown[2])
extern int32_t g_KillCount;          // enemies destroyed by shots in this run

// Shows digit d on a digit record.
void SetDigitPicture(DigitRecord& record, int32_t d);
void UpdateHitRatio();
void UpdateBestScore();
void DrawScoreBar();
void DrawScorePanel();

// ---- Enemies ----

struct Enemy {
  SpriteQuad quad;      // position: the stored top-left vertex
  int32_t active;       // 1 in play
  int32_t dx;           // step in x per frame
  int32_t dy;           // step in y per frame
  int32_t animFrame;    // animation frame of types 0 to 5
  HitRect hitRect;
  int32_t pathStep;     // next pair in the slot's row of g_MovePatterns: 0, 2, .. 18
  int32_t pathWait;     // frames left of the current step; above 9000 an evasive step
  int32_t animPeriod;   // animation period; 999 while exploding
  int32_t animCount;    // animation or explosion counter; type 6: its facing
  int32_t type;         // 0..7, 7 the boss
  int32_t firePeriod;   // frames between shots; 30001 keeps it silent
};

constexpr int kEnemySlots = 10;
constexpr int kEnemyShots = 40;
constexpr int32_t kExploding = 999;      // animPeriod of an exploding enemy
constexpr int32_t kSilent = 30001;       // firePeriod of an enemy kept from firing
constexpr int32_t kEvasiveStep = 9001;   // pathWait of a one-frame evasive step
constexpr int32_t kBurstHeld = 7777;     // dx of a missile slot held after a shot-down missile
constexpr float kNewShotMarker = 9999;   // added to x to park a new shot until its first update

extern Enemy g_Enemies[kEnemySlots];
extern int32_t g_EnemyCount;            // slots in play, from slot 0
extern int32_t g_WaveNo;                // 0..4
extern const int32_t g_WaveSizes[5];    // slots in play per wave
extern int32_t g_EnemiesAppeared;       // enemies that entered play this stage
extern const int32_t g_Type5Frames[4];  // sheet column of the beam enemy's frames
extern SpriteQuad g_BurstQuad;          // the burst of the last missile shot down
struct HitSpark {
  SpriteQuad quad;
  int32_t active;
};
extern HitSpark g_HitSparks[6];         // sparks where shots hit the boss, shown for one frame

void UpdateEnemies();

// ---- Enemy movement and aiming ----

extern int32_t g_MovePatterns[kEnemySlots][20];  // per slot ten pairs: pattern direction, duration
extern const int32_t g_PathStepX[9];              // step by pattern direction
extern const int32_t g_PathStepY[9];

void MoveEnemies();
void EvadePlayerShots();
void FaceEnemiesToPlayer();
int AimDirection(int index, int offsetX, int offsetY, int fromShot);

// ---- Enemy fire ----

extern EnemyShot g_EnemyShots[kEnemyShots];
extern int32_t g_ShotDir[kEnemyShots];    // direction of a missile or chain bullet; spiral ring step
extern int32_t g_ShotStep[kEnemyShots];   // curve step of a type-1 bullet; turn timer of a missile
extern float g_ShotSlope[kEnemyShots];    // aim slope of types 2, 3 and 5
extern int32_t g_DirStepX[kEnemyShots];   // steps by direction (0..7), or aim signs by slot
extern int32_t g_DirStepY[kEnemyShots];
extern int32_t g_FireWork[kEnemyShots];   // work values of the current attack phase
extern const int32_t g_SpiralRing[12][2];  // ring steps of the spiral bullets
extern const int32_t g_QuarterCircle[45];  // curve steps of a type-1 bullet

void UpdateEnemyShots();
void FireEnemyShots();
void AimShot(int slot, int type, int half);

// ---- The boss ----

extern int32_t g_ChainDir;                           // direction of the current salvo
extern const int32_t g_PupilOffset[kDirections][2];  // pupil from the body's corner
extern const int32_t g_ChainLaunch[kDirections][2];  // chain bullet from the pupil's corner

void PlaceBossPupil();
void FireChainShot(int enemySlot, int shotSlot);
// One frame of chain bullet slot; false when the salvo ended and the bullet pass must stop.
bool StepChainShot(int slot);
void HitBoss();
void EndSalvo();

// ---- Collisions ----

extern const int32_t g_EnemyPoints[8];   // score per destroyed enemy, by type

void HitEnemies();
void HitPlayerByShots();
void HitPlayerByEnemies();

// ---- Enemy animation ----

void AnimateEnemies();

// ---- Stage set-up and run phases ----

void SetUpStage();
void ResetStage();
void ResetStageTables();
void PlayFrame();
void StepShutter(float step);
void RecordScore();

// Switches off all 40 enemy bullets.
void ClearEnemyShots();
// A beam ended: every bullet goes and the other beam enemy takes the turn.
void EndBeam();
