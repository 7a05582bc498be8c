// Lookup of the built-in resources, with the overrides that tests use to feed the game other bytes.
#include "platform/resources.h"

#include <string>
#include <vector>

namespace {

struct Override {
  std::string type;
  int id;
  bool missing;
  std::span<const uint8_t> bytes;
};

std::vector<Override>& Overrides() {
  static std::vector<Override> overrides;
  return overrides;
}

Override* FindOverride(std::string_view type, int id) {
  for (Override& o : Overrides()) {
    if (o.type == type && o.id == id) return &o;
  }
  return nullptr;
}

void SetOverride(std::string_view type, int id, bool missing, std::span<const uint8_t> bytes) {
  if (Override* o = FindOverride(type, id)) {
    *o = Override{o->type, id, missing, bytes};
    return;
  }
  Overrides().push_back(Override{std::string(type), id, missing, bytes});
}

}  // namespace

const EmbeddedResource* FindResourceEntry(std::string_view type, int id) {
  for (int i = 0; i < kEmbeddedResourceCount; ++i) {
    const EmbeddedResource& r = kEmbeddedResources[i];
    if (r.id == id && type == r.type) return &r;
  }
  return nullptr;
}

std::span<const uint8_t> FindResource(std::string_view type, int id) {
  if (const Override* o = FindOverride(type, id)) {
    return o->missing ? std::span<const uint8_t>() : o->bytes;
  }
  const EmbeddedResource* r = FindResourceEntry(type, id);
  if (r == nullptr) return {};
  return {r->begin, static_cast<size_t>(r->end - r->begin)};
}

void OverrideResource(std::string_view type, int id, std::span<const uint8_t> bytes) {
  SetOverride(type, id, false, bytes);
}

void RemoveResource(std::string_view type, int id) { SetOverride(type, id, true, {}); }

void ClearResourceOverrides() { Overrides().clear(); }
