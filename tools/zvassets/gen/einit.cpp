// einit.dat from assets/enemies/einit.txt.
#include <fstream>
#include <stdexcept>

#include "common/einitsource.h"
#include "common/registry.h"
#include "common/textsource.h"

namespace {
void GenerateEinit(const zvtools::GenContext& ctx) {
    const auto src = ctx.assets / "enemies" / "einit.txt";
    const auto table = zvtools::ParseEnemySource(zvtools::ReadTextFile(src.string()), src.string());
    const auto path = ctx.out / EnemyTypeFileName;
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(table.data()), EnemyTypeFileSize);
    if (!out) throw std::runtime_error(path.string() + ": cannot be written");
}
}  // namespace

ZV_GENERATOR("einit", GenerateEinit);
