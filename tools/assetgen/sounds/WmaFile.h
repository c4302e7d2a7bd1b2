#pragma once

#include <filesystem>
#include <span>
#include <string>

namespace assetgen::sounds {

// Encodes one turn of a loop, interleaved stereo samples (-1..1), as a
// Windows Media Audio file (WMA version 2 in an ASF container) at `bitRate`
// bits a second. The file appears under its name only once it is complete.
//
// The encoder's lead-in, which a decoder drops, is filled with the end of the
// loop, so that decoding gives back the loop from its very first sample. The
// last codec frame is filled up with the loop's start; the number of samples
// so repeated is returned (0 when the loop is a whole number of frames).
int writeLoopingWma(const std::filesystem::path& path, std::span<const double> interleavedStereo,
                    int sampleRate, int bitRate, const std::string& title);

}  // namespace assetgen::sounds
