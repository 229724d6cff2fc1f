// StageN.map from every assets/stages/stageN.txt.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "common/registry.h"
#include "common/stagesource.h"
#include "common/textsource.h"

namespace {
void GenerateStages(const zvtools::GenContext& ctx) {
    std::vector<std::filesystem::path> sources;
    for (const auto& e : std::filesystem::directory_iterator(ctx.assets / "stages")) {
        const std::string file = e.path().filename().string();
        if (file.rfind("stage", 0) == 0 && e.path().extension() == ".txt")
            sources.push_back(e.path());
    }
    std::sort(sources.begin(), sources.end());
    if (sources.empty()) throw std::runtime_error("no stage sources in assets/stages");
    for (const auto& src : sources) {
        const std::string number = src.stem().string().substr(5);
        if (number.empty() || number.find_first_not_of("0123456789") != std::string::npos) {
            throw std::runtime_error(src.string() + ": a stage source is named stageN.txt");
        }
        const auto bytes =
            zvtools::CompileStageSource(zvtools::ReadTextFile(src.string()), src.string());
        const auto path = ctx.out / ("Stage" + std::to_string(std::stoi(number)) + ".map");
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        if (!out) throw std::runtime_error(path.string() + ": cannot be written");
    }
}
}  // namespace

ZV_GENERATOR("stages", GenerateStages);
