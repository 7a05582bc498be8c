// picturegen: paints every picture of the game and writes it into res/, plus icons and a review sheet.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "art.h"
#include "catalogue.h"
#include "contact_sheet.h"
#include "palette.h"
#include "writers.h"

namespace {

struct Options {
  std::string resDir = "res";
  std::string iconDir = "desktop/icons";
  std::string contactSheet;          // empty: none
  std::set<std::string> only;        // empty: every picture
};

Options parseOptions(int argc, char** argv) {
  Options o;
  for (int i = 1; i + 1 < argc; i += 2) {
    std::string key = argv[i], value = argv[i + 1];
    if (key == "--res") o.resDir = value;
    else if (key == "--icons") o.iconDir = value;
    else if (key == "--contact-sheet") o.contactSheet = value;
    else if (key == "--only") o.only.insert(value);
    else {
      std::fprintf(stderr,
                   "usage: picturegen [--res DIR] [--icons DIR] [--contact-sheet FILE] "
                   "[--only FILE]...\n");
      std::exit(2);
    }
  }
  return o;
}

[[noreturn]] void reject(const Picture& p, const std::string& why) {
  std::fprintf(stderr, "picturegen: %s %s\n", p.file.c_str(), why.c_str());
  std::exit(1);
}

// The game relies on each picture's exact size, and keyed ones on exact black around sprites.
void check(const Picture& p, const Image& img) {
  if (img.w != p.w || img.h != p.h) reject(p, "has the wrong size");
  int bx = 0, by = 0;
  if (p.keyed && !keyedPictureIsClean(img, &bx, &by))
    reject(p, "has a near-black or translucent pixel at " + std::to_string(bx) + "," +
                  std::to_string(by));
}

std::vector<uint8_t> encode(const Picture& p, const Image& img) {
  switch (p.format) {
    case Format::PngRgb: return encodePng(img, false);
    case Format::PngRgba: return encodePng(img, true);
    case Format::Jpeg: return encodeJpeg(img, p.jpegQuality);
  }
  return {};
}

void writeIcons(const Options& o) {
  writeFile(o.resDir + "/icon.ico", encodeIco({paintIcon(16), paintIcon(32)}));
  for (int size : {16, 32, 48, 64, 128, 256})
    writeFile(o.iconDir + "/hoshikuzu-" + std::to_string(size) + ".png",
              encodePng(paintIcon(size), true));
  std::printf("  icon.ico and launcher icons\n");
}

}  // namespace

int main(int argc, char** argv) {
  Options o = parseOptions(argc, argv);
  std::vector<Shown> shown;
  for (const Picture& p : pictureCatalogue()) {
    if (!o.only.empty() && !o.only.count(p.file)) continue;
    auto start = std::chrono::steady_clock::now();
    Image img = p.paint();
    check(p, img);
    std::vector<uint8_t> bytes = encode(p, img);
    writeFile(o.resDir + "/" + p.file, bytes);
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("  %-18s %7zu bytes  %5.2f s\n", p.file.c_str(), bytes.size(), seconds);
    std::fflush(stdout);
    if (!o.contactSheet.empty()) shown.push_back(previewOf(p, img));
  }
  if (o.only.empty() || o.only.count("icon.ico")) writeIcons(o);
  if (!o.contactSheet.empty()) writeFile(o.contactSheet, encodePng(makeContactSheet(shown), false));
  return 0;
}
