// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <vector>

namespace morse {

// A stretch of a recording's first channel, for listening to one frame again.
struct AudioStretch {
    std::vector<float> samples;
    double sampleRate = 0;
};

// The samples from fromSeconds to toSeconds (clipped to the recording). Throws AudioError
// when the file cannot be read as audio.
AudioStretch readStretch(const std::string& path, double fromSeconds, double toSeconds);

// Keeps the band of widthHz around centreHz (a two-pole band-pass, run forwards and then
// backwards so that the dits keep their place), which leaves the tone and little noise.
void bandPass(AudioStretch& stretch, double centreHz, double widthHz);

// Raises the level so that the loudest sample reaches peak.
void normalise(AudioStretch& stretch, float peak = 0.7F);

}  // namespace morse
