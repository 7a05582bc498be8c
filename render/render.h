// Sprite quads, the texture catalogue and the drawing of the playfield.
#pragma once

#include <cstdint>

#include "platform/gfx.h"

// ---- Sprite vertices and quads ----

// x, y in screen pixels (half-pixel rule applied), z 0, rhw 1, diffuse ARGB, u, v: 28 bytes.
using SpriteVertex = GfxVertex;

// Every visible object: vertices top-left, top-right, bottom-right, bottom-left, drawn as a fan.
struct SpriteQuad {
  SpriteVertex v[4];
};

constexpr uint32_t kOpaqueWhite = 0xFFFFFFFFu;   // shows the texture unchanged

extern float g_HalfPixel;                         // 0.5 from start-up on: lands texels on pixels
extern const float g_SpriteUVTable[22][4];        // texture rectangles: left u, top v, right u, bottom v

// Fills all four vertices of quad for the pixel rectangle and the texture rectangle of kind.
SpriteQuad& SetSpriteQuad(SpriteQuad& quad, int kind, float left, float top, float right, float bottom);
// Adds dx and dy to the positions of all four vertices.
void MoveSpriteQuad(SpriteQuad& quad, float dx, float dy);
// Draws quad with texture (nothing when the texture is missing).
void DrawSpriteQuad(const GfxTexture* texture, const SpriteQuad& quad);

// Small writers for the parts of a quad the game changes in place.
void SetQuadU(SpriteQuad& quad, float left, float right);                      // u of vertices 0, 3 and 1, 2
void SetQuadUV(SpriteQuad& quad, float left, float top, float right, float bottom);
void SetQuadPosition(SpriteQuad& quad, float left, float top, float right, float bottom);  // as given
void SetQuadColor(SpriteQuad& quad, uint32_t argb);
// A whole quad: positions as given, the texture rectangle, z 0, rhw 1 and the colour.
void SetQuad(SpriteQuad& quad, float left, float top, float right, float bottom, float u0, float v0, float u1,
             float v1, uint32_t argb = kOpaqueWhite);

// ---- Texture catalogue ----

extern GfxTexture* g_TexTitle;         // 101 title.png
extern GfxTexture* g_TexSelect;        // 103 select.png, the stage cursor
extern GfxTexture* g_TexBack;          // 107..110 the stage background
extern GfxTexture* g_TexJiki;          // 119 jiki.png, the ship in 8 facings
extern GfxTexture* g_TexGas;           // 118 gas.png, the exhaust
extern GfxTexture* g_TexTama;          // 122 tama.png, player shots
extern GfxTexture* g_TexJikiBaku;      // 120 jikibaku.png, the ship's explosion
extern GfxTexture* g_TexJikiDanBaku;   // 121 jikidanbaku.png, hit sparks on the boss
extern GfxTexture* g_TexTeki1;         // 123 teki1.png, enemy types 0 to 3
extern GfxTexture* g_TexTekiBaku1;     // 129 tekibaku1.png, enemy explosion
extern GfxTexture* g_TexTekiDan1;      // 130 tekidan1.png, enemy bullets of types 0 to 5
extern GfxTexture* g_TexTeki2;         // 124 teki2.png, spiral and beam enemies
extern GfxTexture* g_TexTeki3;         // 125 teki3.png, missile launcher in 8 facings
extern GfxTexture* g_TexTekiDan2;      // 131 tekidan2.png, missiles
extern GfxTexture* g_TexTekiDan2Baku;  // 132 tekidan2baku.png, a missile's burst
extern GfxTexture* g_TexTeki4;         // 126 teki4.png, the boss
extern GfxTexture* g_TexTeki41;        // 128 teki41.png, the boss's flash and pupil
extern GfxTexture* g_TexTeki4Baku;     // 127 teki4baku.png, the boss's final explosion
extern GfxTexture* g_TexTekiDan3;      // 133 tekidan3.png, the boss's chain bullets
extern GfxTexture* g_TexSuuji;         // 116 suuji.png, digits
extern GfxTexture* g_TexGage;          // 111 gage.png, the gauge of ships lost
extern GfxTexture* g_TexScore;         // 113 score.png, the score bar
extern GfxTexture* g_TexShutter;       // 115 shutter2.png, the game-over shutter
extern GfxTexture* g_TexGraph;         // 112 graph.png, the results graph
extern GfxTexture* g_TexTen;           // 117 ten.png, a dot of the graph
extern GfxTexture* g_TexWeather;       // 174..176 balloon, rain drop or snowflake by stage; none on stage 3
extern GfxTexture* g_TexEnding;        // 155..172 the ending picture of this program run

void LoadTitleTextures();
void ReleaseTitleTextures();
void LoadGameTextures();
void ReleaseAllTextures();
// A picture resource as a texture in the platform's default form (own size, own alpha, no key).
GfxTexture* CreateTextureFromResource(int id);

// ---- Playfield drawing ----

constexpr int kWeatherParticles = 160;
constexpr int kBalloons = 16;

extern SpriteQuad g_Weather[kWeatherParticles];     // one quad per particle
extern int32_t g_WeatherCount;                      // particles in use: 0 at stage start, then grows
extern float g_BalloonW[kBalloons];                 // width of each balloon, 6 at set-up
extern float g_BalloonH[kBalloons];                 // height of each balloon, 8 at set-up
extern int32_t g_WeatherAlpha[kWeatherParticles];   // alpha of each rain drop or snowflake
extern int32_t g_SnowSize[kWeatherParticles];       // edge length of each snowflake, 4 to 12

// Draws one frame of play, back to front, the score bar last; moves the weather.
void DrawPlayfield();
