// The game's numbers that a script can set, each with the range of values the game itself stores there.
#pragma once

#include <span>
#include <string_view>

enum class VariableType { U8, I32, F32 };

struct GameVariable {
  const char* name;     // the game's own name, also the key of the state line
  VariableType type;    // how the game stores it
  void* address;
  double min, max;      // the values the game ever stores; others could take it outside its tables
};

// Every settable variable, in the order the state line shows them.
std::span<const GameVariable> GameVariables();
// The variable called name, or null.
const GameVariable* FindGameVariable(std::string_view name);
double ReadGameVariable(const GameVariable& variable);
// Stores value, which must lie in the variable's range.
void WriteGameVariable(const GameVariable& variable, double value);
