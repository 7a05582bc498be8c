// A piece of music as parts on the chip's voices, and the sequencer that renders it.
#include "music.h"

#include <cmath>
#include <stdexcept>

#include "score.h"

namespace soundgen {

Part Melody(Instrument instrument, std::string notes, float echo, float level) {
    Part part;
    part.kind = PartKind::Melody;
    part.instrument = instrument;
    part.notes = std::move(notes);
    part.echo = echo;
    part.level = level;
    return part;
}

Part BrokenChords(Instrument instrument, std::string chart, std::string pattern, double stepBeats,
                  std::string lowest, float echo, float level) {
    Part part;
    part.kind = PartKind::BrokenChords;
    part.instrument = instrument;
    part.notes = std::move(chart);
    part.pattern = std::move(pattern);
    part.stepBeats = stepBeats;
    part.lowest = std::move(lowest);
    part.echo = echo;
    part.level = level;
    return part;
}

Part DrumLane(Drum drum, std::string lane, float level) {
    Part part;
    part.kind = PartKind::DrumLane;
    part.drum = drum;
    part.notes = std::move(lane);
    part.level = level;
    return part;
}

std::string Repeat(const std::string& bars, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) out += bars;
    return out;
}

double TempoOf(const Piece& piece, long samples) {
    if (piece.bpm > 0.0) return piece.bpm;
    return 60.0 * kSampleRate * piece.bars * piece.beatsPerBar / static_cast<double>(samples);
}

namespace {

long SampleAt(double beat, double samplesPerBeat) { return std::lround(beat * samplesPerBeat); }

void RenderNotes(const Part& part, const std::vector<NoteEvent>& notes, double samplesPerBeat,
                 Canvas& dry, Canvas& echo) {
    const double gate = GateOf(part.instrument);
    for (const NoteEvent& note : notes) {
        const long start = SampleAt(note.beat, samplesPerBeat);
        const long held = SampleAt(note.beat + note.length * gate, samplesPerBeat) - start;
        RenderNote(dry, start, held, note.midi, part.level, part.instrument);
        if (part.echo > 0.0f) RenderNote(echo, start, held, note.midi, part.level * part.echo, part.instrument);
    }
}

void RenderPart(const Part& part, int index, const Piece& piece, double samplesPerBeat, Canvas& dry,
                Canvas& echo) {
    if (CountBars(part.notes) != piece.bars) {
        throw std::runtime_error("part " + std::to_string(index + 1) + " has " +
                                 std::to_string(CountBars(part.notes)) + " bars, the piece " +
                                 std::to_string(piece.bars));
    }
    switch (part.kind) {
        case PartKind::Melody:
            RenderNotes(part, ParseMelody(part.notes, piece.beatsPerBar), samplesPerBeat, dry, echo);
            break;
        case PartKind::BrokenChords: {
            const auto chords = ParseChords(part.notes, piece.beatsPerBar);
            const auto notes = ExpandChords(chords, part.pattern, part.stepBeats, ParseNoteName(part.lowest));
            RenderNotes(part, notes, samplesPerBeat, dry, echo);
            break;
        }
        case PartKind::DrumLane: {
            std::uint32_t seed = 0x5EED0000u + static_cast<std::uint32_t>(index) * 7919u;
            for (const DrumEvent& hit : ParseDrumLane(part.notes, piece.beatsPerBar, part.drum)) {
                RenderDrum(dry, SampleAt(hit.beat, samplesPerBeat), hit.drum, hit.velocity * part.level, ++seed);
            }
            break;
        }
    }
}

// Repeats of the echo bus, each quieter than the last; on a loop they wrap round like every other tail.
void AddEcho(Canvas& out, const Signal& send, long delay, float feedback) {
    float gain = 1.0f;
    for (long tap = 1; gain > 0.002f; ++tap, gain *= feedback) {
        for (std::size_t i = 0; i < send.size(); ++i) {
            if (send[i] != 0.0f) out.Add(static_cast<long>(i) + tap * delay, gain * send[i]);
        }
    }
}

// A raised-cosine fade from `fromSample` to silence at the very end.
void FadeOut(Signal& signal, long fromSample) {
    const long n = static_cast<long>(signal.size());
    for (long i = std::max(0L, fromSample); i < n; ++i) {
        const double x = static_cast<double>(i - fromSample) / static_cast<double>(n - 1 - fromSample);
        signal[static_cast<std::size_t>(i)] *= static_cast<float>(0.5 + 0.5 * std::cos(kPi * x));
    }
}

}  // namespace

Signal RenderPiece(const Piece& piece, long samples) {
    const double samplesPerBeat = 60.0 * kSampleRate / TempoOf(piece, samples);
    Canvas dry(static_cast<std::size_t>(samples), piece.loops);
    Canvas echo(static_cast<std::size_t>(samples), piece.loops);
    for (std::size_t i = 0; i < piece.parts.size(); ++i) {
        RenderPart(piece.parts[i], static_cast<int>(i), piece, samplesPerBeat, dry, echo);
    }
    const long delay = SampleAt(piece.echoBeats, samplesPerBeat);
    if (delay > 0) AddEcho(dry, echo.Samples(), delay, piece.echoFeedback);
    Signal out = std::move(dry.Samples());
    if (piece.loops) RemoveDc(out);
    if (piece.fadeFromBeat >= 0.0) FadeOut(out, SampleAt(piece.fadeFromBeat, samplesPerBeat));
    return out;
}

}  // namespace soundgen
