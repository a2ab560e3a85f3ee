// kyrfontgen SOURCE.ttf OUTDIR: renders the terminal's two character sets from an outline
// font into the program's raster font files OUTDIR/kyrfont.fon and OUTDIR/kyrfontr.fon.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "GlyphRaster.h"
#include "TerminalGlyphs.h"
#include "model/TerminalFontFile.h"

namespace {

using namespace kyr;

bool writeFile(const std::filesystem::path& path, const Bytes& data) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data.data()),
              static_cast<std::streamsize>(data.size()));
    out.close();
    if (out) return true;
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
    return false;
}

bool writeSet(CharSet set, fontgen::GlyphRaster& raster, const std::filesystem::path& dir) {
    const auto data = encodeTerminalFont(fontgen::makeTerminalFont(set, raster));
    const auto path = dir / terminalFontFile(set);
    if (data && writeFile(path, *data)) return true;
    std::fprintf(stderr, "kyrfontgen: cannot write %s\n", path.string().c_str());
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: kyrfontgen SOURCE.ttf OUTDIR\n");
        return 2;
    }
    fontgen::GlyphRaster raster(argv[1], TerminalCellWidth, TerminalCellHeight);
    if (!raster.ok()) {
        std::fprintf(stderr, "kyrfontgen: %s\n", raster.error().c_str());
        return 1;
    }
    const std::filesystem::path dir(argv[2]);
    std::error_code error;
    std::filesystem::create_directories(dir, error);
    if (error) {
        std::fprintf(stderr, "kyrfontgen: cannot create %s\n", dir.string().c_str());
        return 1;
    }
    const bool latin = writeSet(CharSet::Latin, raster, dir);
    const bool cyrillic = writeSet(CharSet::Cyrillic, raster, dir);
    return latin && cyrillic ? 0 : 1;
}
