// Reads the text notation the scores are written in: melodies, chord charts with broken-chord patterns, drum lanes.
#include "score.h"

#include <cctype>
#include <cmath>
#include <map>
#include <sstream>
#include <stdexcept>

namespace soundgen {

namespace {

std::vector<std::string> SplitBars(std::string_view text) {
    std::vector<std::string> bars;
    std::string current;
    for (char c : text) {
        if (c == '|') {
            bars.push_back(current);
            current.clear();
        } else {
            current += c;
        }
    }
    bool trailing = false;
    for (char c : current) trailing = trailing || !std::isspace(static_cast<unsigned char>(c));
    if (trailing) bars.push_back(current);
    return bars;
}

std::vector<std::string> Words(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> words;
    for (std::string word; in >> word;) words.push_back(word);
    return words;
}

void RequireFullBar(double filled, int beatsPerBar, std::size_t barIndex, const std::string& bar) {
    if (std::fabs(filled - beatsPerBar) > 1e-9) {
        throw std::runtime_error("bar " + std::to_string(barIndex + 1) + " holds " + std::to_string(filled) +
                                 " beats instead of " + std::to_string(beatsPerBar) + ": '" + bar + "'");
    }
}

int PitchClass(char letter) {
    static const std::map<char, int> classes = {{'C', 0}, {'D', 2}, {'E', 4}, {'F', 5},
                                                {'G', 7}, {'A', 9}, {'B', 11}};
    const auto it = classes.find(letter);
    if (it == classes.end()) throw std::runtime_error(std::string("not a note letter: ") + letter);
    return it->second;
}

// Reads "C", "F#", "Bb" from the front of `text`, leaving the rest.
int TakeRoot(std::string_view& text) {
    if (text.empty()) throw std::runtime_error("missing note name");
    int pitch = PitchClass(text[0]);
    text.remove_prefix(1);
    if (!text.empty() && (text[0] == '#' || text[0] == 'b')) {
        pitch += text[0] == '#' ? 1 : -1;
        text.remove_prefix(1);
    }
    return pitch;
}

std::vector<int> ChordIntervals(std::string_view quality) {
    static const std::map<std::string_view, std::vector<int>> qualities = {
        {"", {0, 4, 7, 12}},      {"m", {0, 3, 7, 12}},     {"7", {0, 4, 7, 10}},
        {"m7", {0, 3, 7, 10}},    {"maj7", {0, 4, 7, 11}},  {"dim", {0, 3, 6, 9}},
        {"sus4", {0, 5, 7, 12}},  {"add9", {0, 4, 7, 14}},
    };
    const auto it = qualities.find(quality);
    if (it == qualities.end()) throw std::runtime_error("unknown chord quality '" + std::string(quality) + "'");
    return it->second;
}

// Splits "E5/8" into the part before the last "/" and the length after it.
std::pair<std::string, double> SplitToken(const std::string& token) {
    const auto slash = token.rfind('/');
    if (slash == std::string::npos) throw std::runtime_error("token without a length: '" + token + "'");
    return {token.substr(0, slash), ParseLength(std::string_view(token).substr(slash + 1))};
}

}  // namespace

int ParseNoteName(std::string_view name) {
    std::string_view rest = name;
    const int pitch = TakeRoot(rest);
    if (rest.size() != 1 || !std::isdigit(static_cast<unsigned char>(rest[0]))) {
        throw std::runtime_error("bad note name '" + std::string(name) + "'");
    }
    return 12 * (rest[0] - '0' + 1) + pitch;  // C4 is MIDI 60
}

double ParseLength(std::string_view text) {
    double total = 0.0;
    bool more = true;  // an empty text, or one ending in "+", still owes a note value
    while (more) {
        const auto plus = text.find('+');
        std::string_view part = text.substr(0, plus);
        const bool dotted = !part.empty() && part.back() == '.';
        if (dotted) part.remove_suffix(1);
        const std::string digits(part);
        const int value = !digits.empty() && digits.find_first_not_of("0123456789") == std::string::npos
                              ? std::stoi(digits) : 0;
        if (value != 1 && value != 2 && value != 4 && value != 8 && value != 16 && value != 32) {
            throw std::runtime_error("bad note value '" + std::string(text) + "'");
        }
        total += (4.0 / value) * (dotted ? 1.5 : 1.0);
        more = plus != std::string_view::npos;
        if (more) text = text.substr(plus + 1);
    }
    return total;
}

std::vector<NoteEvent> ParseMelody(std::string_view text, int beatsPerBar) {
    std::vector<NoteEvent> notes;
    double beat = 0.0;
    bool tied = false;
    const auto bars = SplitBars(text);
    for (std::size_t b = 0; b < bars.size(); ++b) {
        const double barStart = beat;
        for (const auto& word : Words(bars[b])) {
            const bool tiesOn = word.back() == '~';
            const auto [pitch, length] = SplitToken(tiesOn ? word.substr(0, word.size() - 1) : word);
            if (pitch != "r") {
                const int midi = ParseNoteName(pitch);
                if (tied && (notes.empty() || notes.back().midi != midi)) {
                    throw std::runtime_error("tie to a different pitch at '" + word + "'");
                }
                if (tied) notes.back().length += length;
                else notes.push_back({beat, length, static_cast<double>(midi)});
            }
            tied = tiesOn;
            beat += length;
        }
        RequireFullBar(beat - barStart, beatsPerBar, b, bars[b]);
    }
    return notes;
}

std::vector<Chord> ParseChords(std::string_view text, int beatsPerBar) {
    std::vector<Chord> chords;
    double beat = 0.0;
    const auto bars = SplitBars(text);
    for (std::size_t b = 0; b < bars.size(); ++b) {
        const double barStart = beat;
        for (const auto& word : Words(bars[b])) {
            const auto [symbol, length] = SplitToken(word);
            beat += length;
            if (symbol == "x") continue;  // no chord: the part rests
            std::string_view rest = symbol;
            const int root = TakeRoot(rest);
            chords.push_back({beat - length, length, (root + 12) % 12, ChordIntervals(rest)});
        }
        RequireFullBar(beat - barStart, beatsPerBar, b, bars[b]);
    }
    return chords;
}

std::vector<NoteEvent> ExpandChords(const std::vector<Chord>& chords, std::string_view pattern,
                                    double stepBeats, int lowest) {
    const auto steps = Words(std::string(pattern));
    if (steps.empty()) throw std::runtime_error("empty broken-chord pattern");
    std::vector<NoteEvent> notes;
    for (const Chord& chord : chords) {
        long step = std::lround(chord.beat / stepBeats);  // steps count from the top of the piece
        const int rootMidi = lowest + ((chord.root - lowest) % 12 + 12) % 12;
        const long count = std::lround(chord.length / stepBeats);
        bool holding = false;  // a held tone must not leak into the next chord
        for (long i = 0; i < count; ++i, ++step) {
            const std::string& s = steps[static_cast<std::size_t>(step) % steps.size()];
            const double beat = chord.beat + i * stepBeats;
            if (s == "-") {
                if (holding) notes.back().length += stepBeats;
                continue;
            }
            holding = s != ".";
            if (!holding) continue;
            const int tone = s[0] - '0';
            if (tone < 0 || tone > 3) throw std::runtime_error("bad pattern step '" + s + "'");
            int midi = rootMidi + chord.intervals[static_cast<std::size_t>(tone)];
            for (char mark : s.substr(1)) midi += mark == '\'' ? 12 : mark == ',' ? -12 : 0;
            notes.push_back({beat, stepBeats, static_cast<double>(midi)});
        }
    }
    return notes;
}

std::vector<DrumEvent> ParseDrumLane(std::string_view text, int beatsPerBar, Drum drum) {
    std::vector<DrumEvent> hits;
    const auto bars = SplitBars(text);
    for (std::size_t b = 0; b < bars.size(); ++b) {
        std::string cells;
        for (char c : bars[b]) {
            if (!std::isspace(static_cast<unsigned char>(c))) cells += c;
        }
        RequireFullBar(cells.size() / 4.0, beatsPerBar, b, bars[b]);
        for (std::size_t i = 0; i < cells.size(); ++i) {
            const double beat = static_cast<double>(b) * beatsPerBar + i * 0.25;
            const char c = cells[i];
            if (c == 'x') hits.push_back({beat, drum, 1.0f});
            else if (c == 'X') hits.push_back({beat, drum, 1.3f});
            else if (c == 'g') hits.push_back({beat, drum, 0.45f});
            else if (c != '.') throw std::runtime_error(std::string("bad drum cell '") + c + "'");
        }
    }
    return hits;
}

int CountBars(std::string_view text) { return static_cast<int>(SplitBars(text).size()); }

}  // namespace soundgen
