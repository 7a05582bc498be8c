// Lookup of the pictures, sounds and icon built into the program, by resource type and id.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

// One row of the table generated from res/resources.list at build time.
struct EmbeddedResource {
  const char* type;             // "RCDATA" (pictures), "WAVE" (sounds) or "ICON"
  int id;                       // the number the game asks for it by
  const char* name;             // file name under res/, for messages and tools
  const unsigned char* begin;   // first byte
  const unsigned char* end;     // one past the last byte
};

extern const EmbeddedResource kEmbeddedResources[];
extern const int kEmbeddedResourceCount;

// The bytes of resource (type, id), or an empty span when there is none.
std::span<const uint8_t> FindResource(std::string_view type, int id);

// The table row of resource (type, id), or null.
const EmbeddedResource* FindResourceEntry(std::string_view type, int id);

// Tests and fault injection replace a resource's bytes (or remove it with an empty span that is marked
// missing) for the rest of the process; the bytes must outlive their use.
void OverrideResource(std::string_view type, int id, std::span<const uint8_t> bytes);
void RemoveResource(std::string_view type, int id);
void ClearResourceOverrides();
