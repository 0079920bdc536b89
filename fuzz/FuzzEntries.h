#pragma once

#include <cstdint>
#include <span>

// The work of the sound, video, filter, XML and text fuzz harnesses, shared by their libFuzzer
// entry points and the regression test that replays saved crash inputs.
namespace quelvo::fuzz {

// Sound tag readers, the sound decoders and the mixer over one input.
void fuzzSound(std::span<const std::uint8_t> input);
// Filter records decoded, applied in turn and blended in every mode.
void fuzzFilters(std::span<const std::uint8_t> input);
// The XML reader and the script XML objects over one input read as UTF-8.
void fuzzXml(std::span<const std::uint8_t> input);
// Video tag readers, frame headers and the video decoders over one input.
void fuzzVideo(std::span<const std::uint8_t> input);
// A font tag, a static text and an edit text made from one input, played and drawn.
void fuzzText(std::span<const std::uint8_t> input);

}  // namespace quelvo::fuzz
