// make-assets OUTDIR: writes every data file the game reads into OUTDIR.

#include <cstdio>
#include <string>

#include "tools/make_assets/error_texts.h"

namespace {

constexpr BYTE catalogueMajor = 1;
constexpr BYTE catalogueMinor = 0;

bool WriteCatalogue(const std::string& folder)
{
    const std::string path = folder + "/error.dat";
    const auto records = GameErrorTexts();
    return WriteErrorCatalogue(path.c_str(), catalogueMajor, catalogueMinor, records.data(),
                               records.size(), UNLISTED_ERROR_TEXT);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-assets OUTDIR\n");
        return 2;
    }
    if (!WriteCatalogue(argv[1])) {
        std::fprintf(stderr, "make-assets: cannot write %s/error.dat\n", argv[1]);
        return 1;
    }
    return 0;
}
