// The runner's --help: everything a test writer or a bug reporter needs without reading the code.
#include <cstdio>

#include "platform/faults.h"
#include "tools/headless/options.h"
#include "tools/headless/variables.h"

namespace {

constexpr const char* kUsage =
    R"(Usage: hoshikuzu-headless [--seed N] [--frames N] [--input FILE] [--state TICKS] [--state-every N]
                          [--shot TICK:FILE.png]... [--wav FILE] [--fail NAME]... [--quiet] [--help]
                          [--timing FILE]

Runs ほしくずぼうや without a window or a sound device: the game's own start-up, frames, key handlers
and teardown, frames back to back. The same seed and input give the same run on every machine, so a
run is a test, a benchmark or a bug report that anyone can replay.

A tick is one step of the frame loop, one frame of the game (1/60 s of play), counted from 0 at
program start. Tick 0 runs the title set-up.

Options (a value may also follow '=', as in --seed=7):
  --seed N              the seed of the game's random generator, 0 to 4294967295 (default 1): the
                        millisecond clock the game seeds from reads N
  --frames N            ticks to run (default 600); then the window is closed as by its close box
  --input FILE          deliver the events of the input script FILE (below)
  --state TICKS         after the frame of each of TICKS (comma-separated, such as 0,100,250) print a
                        state line (below); may be repeated
  --state-every N       print a state line after every tick that is a multiple of N: 0, N, 2N, ...
  --shot TICK:FILE.png  after that tick's frame write the 640 × 480 picture as a PNG; may be repeated
  --wav FILE            write the whole sound mix of the run as a WAV file (16-bit stereo, 11025 Hz)
  --fail NAME           make a part of the machine fail, to see how the game copes; may be repeated.
                        NAME is one of:
%s
  --quiet               do not copy message boxes to standard error (state lines still list them)
  --help                print this help and exit
  --timing FILE         write how long each tick took, by the scene it started in (ticks, median, 99th
                        percentile and worst, in milliseconds), and the peak resident memory with the
                        bytes of pictures and sounds the game held then, as "name value" lines

Input script: one event a line; '#' starts a comment; blank lines are ignored. An event is delivered
before the tick it names runs; the events of one tick in file order. Ticks must not decrease.
  TICK char C           the typed character C: one character, such as S, z or 8
  TICK keyup KEY        the release of KEY: Z, KP2, KP4, KP6, KP8 (the keypad's keys), or a virtual
                        key code such as 0x41
  TICK close            the window's close request (Q does the same through the game's handler)
  TICK set NAME VALUE   set the game variable NAME to VALUE, to reach a situation quickly (jump to
                        the boss, keep a run alive). NAME and the values it takes:
)";

constexpr const char* kScriptEnd =
    R"(                        (The game never stores other values; a combination it never reaches, such
                        as a wave ahead of the stage clock, may still upset it.)
A bad line stops the program with exit status 2 and the message FILE:LINE: what is wrong.

The game's keys: on the title K chooses the next stage and S starts it. In play the characters 2, 4,
6 and 8 press down, left, right and up, and the releases of KP2, KP4, KP6 and KP8 let them go; Z
fires a volley, and the next needs a release of Z first. Y plays again after game over; Q quits.

State lines go to standard output, one JSON object a line, and nothing else does. The keys are the
game's own names:
  tick                    the tick after whose frame the state was taken
  g_FrameNo               the scene: 0 title set-up, 1 title, 10 stage set-up, 11 playing
  g_Life                  -2 before the first frame, -1 on the title, 1 to 32 in a run, 0 game over
  g_ClearPhase            0 playing, 1 stage-clear wait, 2 ending
  g_ClearWait             frames of the stage-clear wait
  g_StageNo               the chosen stage, 0 to 3
  g_FrameCount            the stage clock: play frames since the stage started
  g_ScrollV               the background's texture offset; during game over the shutter's
  g_KeyDirs               held directions: 1 up, 2 right, 4 down, 8 left
  g_PlayerAlive           1 while the ship flies, 0 after it was destroyed
  g_PlayerDX, g_PlayerDY  the ship's step in pixels per frame
  g_PlayerFrame           the ship's facing: 0 up, 1 right, 2 down, 3 left, 4 up-left, 5 up-right,
                          6 down-right, 7 down-left
  g_DeathTimer            frames since the ship was destroyed; -1 while it flies
  player                  {x, y, hitRect}: the ship; hitRect is [left, top, right, bottom]
  gas                     {active, x, y}: the ship's exhaust flame
  score, best             [hundreds, tens, ones] of the score and of the best score
  g_BestTotal             the best score of this program run
  g_RatioShown            the four digits of the hit ratio as shown
  g_KillCount             enemies destroyed by shots in this run
  g_EnemiesAppeared       enemies that entered play in this stage
  g_WaveNo                the wave, 0 to 4
  g_EnemyCount            enemy slots in play, from slot 0
  enemies                 the 10 enemy slots: {active, type, x, y, dx, dy, animFrame, animPeriod,
                          animCount, firePeriod, pathStep, pathWait, hitRect, u0}
  enemyShots              the 40 enemy bullets: {active, type, x, y, dx, dy, hitRect}
  playerShots             the 18 shots of the ship, with the same fields
  g_FireWork              the 40 work values of the current attack phase
  g_PlayCount             runs recorded in the results graph, 0 to 9
  g_ScoreHistory          the graph height of each recorded run (9 values)
  g_GraphShown            1 once this game over shows the graph
  g_EndingAlpha           the fade of the ending picture, 0 to 256
  g_WeatherCount          weather particles in use
  sounds                  the sound slot operations since the last state line (since start for the
                          first), in order: "reset N", "play N", "rewind N"
  messages                the message boxes shown in that time, as "CAPTION: TEXT"
x and y are the stored position of the top-left corner of the record's picture, u0 its left texture
coordinate. Floats print with 9 significant digits, which read back exactly; a value that is not
finite prints as null. Records the game has not written yet show zeros.

Message boxes are printed to standard error as CAPTION: TEXT and answered with OK.

Exit status: 0 after a normal run, also when the game quits early (Q or a close event), and after
--help; 1 if the program did not start or a screenshot or the WAV file could not be written; 2 for a
bad command line, an unreadable input file or a bad script line.

Example: start the second stage, fly up for half a second, fire, and look at it:
  hoshikuzu-headless --input flight.txt --frames 120 --state 2,119 --shot 119:flight.png
with flight.txt:
  1 char K        # on the title: the cursor to the second stage
  1 char S        # start it; tick 1 sets it up
  20 char 8       # up ...
  50 keyup KP8    # ... for 30 frames
  60 char z       # a volley
)";

constexpr size_t kIndent = 24;
constexpr size_t kLineWidth = 100;

// The comma-separated fault names, broken into indented lines.
std::string FaultList() {
  std::string names = FaultNames(), text, line(kIndent, ' ');
  for (size_t start = 0; start < names.size();) {
    size_t end = names.find(' ', start);
    std::string word = names.substr(start, end == std::string::npos ? end : end - start);
    if (line.size() + word.size() + 1 > kLineWidth) text += line + "\n", line.assign(kIndent, ' ');
    line += (line.size() > kIndent ? " " : "") + word;
    start = end == std::string::npos ? names.size() : end + 1;
  }
  return text + line;
}

std::string VariableList() {
  std::string list;
  for (const GameVariable& variable : GameVariables()) {
    char row[128];
    std::snprintf(row, sizeof row, "                          %-18s %.10g to %.10g%s\n", variable.name, variable.min,
                  variable.max, variable.type == VariableType::F32 ? " (a decimal)" : "");
    list += row;
  }
  return list;
}

}  // namespace

std::string HelpText() {
  std::string usage(kUsage);
  size_t at = usage.find("%s");
  usage.replace(at, 2, FaultList());
  return usage + VariableList() + kScriptEnd;
}
