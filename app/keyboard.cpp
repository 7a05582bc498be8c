// Keyboard input: typed characters press directions and commands, key releases let directions go.
#include "app/app.h"
#include "game/game.h"
#include "title/title.h"

uint8_t g_KeyDirs = 0;

const int32_t g_KeyMoveTable[13][3] = {
    // dx  dy  facing     directions held
    {0, 0, 0},          // none
    {0, -6, 0},         // up
    {6, 0, 1},          // right
    {6, -6, 5},         // up and right
    {0, 6, 2},          // down
    {0, 0, 0},          // up and down: never applied
    {6, 6, 6},          // right and down
    {0, 0, 0},          // up, right and down: never applied
    {-6, 0, 3},         // left
    {-6, -6, 4},        // up and left
    {0, 0, 0},          // right and left: never applied
    {0, 0, 0},          // up, right and left: never applied
    {-6, 6, 7},         // down and left
};

namespace {

constexpr uint8_t kUp = 1, kRight = 2, kDown = 4, kLeft = 8;

// Moving ship, lives left, and the stage not yet in its ending.
bool InPlay() { return g_Life >= 1 && g_ClearPhase <= 1; }

bool IsMoveOrFire(uint32_t c) { return c == '2' || c == '4' || c == '6' || c == '8' || c == 'Z' || c == 'z'; }

void Press(uint8_t direction) {
  if (InPlay()) g_KeyDirs |= direction;
}

}  // namespace

void ApplyKeyDirs() {
  // Opposite directions held together keep whatever step was in force.
  if (g_KeyDirs > 12 || g_KeyDirs == 5 || g_KeyDirs == 7 || g_KeyDirs == 10 || g_KeyDirs == 11) return;
  g_PlayerDX = g_KeyMoveTable[g_KeyDirs][0];
  g_PlayerDY = g_KeyMoveTable[g_KeyDirs][1];
  g_PlayerFrame = g_KeyMoveTable[g_KeyDirs][2];
}

void CMainWindow::OnChar(uint32_t c) {
  switch (c) {
    case '2': Press(kDown); break;
    case '4': Press(kLeft); break;
    case '6': Press(kRight); break;
    case '8': Press(kUp); break;
    case 'K': case 'k':
      if (g_Life == -1) {
        SelectNextStage();
        return;
      }
      break;
    case 'S': case 's':
      if (g_Life == -1) StartChosenStage();
      break;
    case 'Y': case 'y':
      if (g_Life == 0 && g_ClearPhase <= 0) {
        if (g_PlayCount > 8) g_PlayCount = 0;  // the graph was full: the next game over starts a new one
        g_FrameNo = 10;
        return;
      }
      break;
    case 'Z': case 'z':
      if (InPlay() && m_FireArmed != 0) {
        FireVolley();
        m_FireArmed = 0;  // one volley per press: the key's auto-repeat must not fire again
      }
      break;
    case 'Q': case 'q':
      PostClose();
      break;
    default:
      break;
  }
  if (g_Life > 0 && IsMoveOrFire(c) && g_KeyDirs <= 12) ApplyKeyDirs();
}

void CMainWindow::OnKeyUp(uint32_t virtualKey) {
  if (g_Life < 1 || g_ClearPhase > 1) return;
  switch (virtualKey) {
    case kVkZ:
      m_FireArmed = 1;
      return;
    case kVkNumpad2: g_KeyDirs &= ~kDown; g_PlayerDY = 0; break;
    case kVkNumpad4: g_KeyDirs &= ~kLeft; g_PlayerDX = 0; break;
    case kVkNumpad6: g_KeyDirs &= ~kRight; g_PlayerDX = 0; break;
    case kVkNumpad8: g_KeyDirs &= ~kUp; g_PlayerDY = 0; break;
    default:
      return;
  }
  if (g_KeyDirs <= 12) ApplyKeyDirs();
}
