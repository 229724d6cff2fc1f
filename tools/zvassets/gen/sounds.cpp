// se.dxw: every assets/sounds/*.sound synthesised and packed into the effect collection,
// in the order of the file names.
#include <algorithm>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "common/registry.h"
#include "common/soundsynth.h"
#include "common/wavefile.h"

namespace {

void GenerateSounds(const zvtools::GenContext& ctx) {
    const auto dir = ctx.assets / "sounds";
    std::vector<std::filesystem::path> files;
    for (const auto& e : std::filesystem::directory_iterator(dir)) {
        if (e.path().extension() == ".sound") files.push_back(e.path());
    }
    std::sort(files.begin(), files.end());
    if (files.empty()) throw std::runtime_error("no .sound files in " + dir.string());

    std::vector<zvtools::CollectionItem> items;
    for (const auto& path : files) {
        std::ifstream in(path);
        std::stringstream text;
        text << in.rdbuf();
        if (!in) throw std::runtime_error("cannot read " + path.string());
        const zvtools::SoundSpec spec = zvtools::ParseSoundSpec(text.str(), path.string());
        items.push_back({spec.name, spec.looped, spec.maximum,
                         zvtools::MakeWaveImage(zvtools::Synthesize(spec), 1, spec.rate)});
    }
    zvtools::WriteFileAtomically((ctx.out / "se.dxw").string(),
                                 zvtools::WriteWaveCollection(items));
}

}  // namespace

ZV_GENERATOR("sounds", GenerateSounds);
