#include <algorithm>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "tools/pack_writer/pack_writer.h"
#include "tools/pcktool/pck_commands.h"
#include "tools/pcktool/wav_reader.h"

namespace {

constexpr std::size_t IMAGE_FILE_HEADER_BYTES = 8;

struct EntrySpec {
    std::string file;
    pack_writer::EntryLabel label;
};

// FILE[:LABEL]; without a label the file's name (up to 11 characters) serves.
std::optional<EntrySpec> ParseEntry(const std::string& word)
{
    const std::size_t colon = word.rfind(':');
    EntrySpec spec {word.substr(0, colon), {}};
    if (colon == std::string::npos) {
        spec.label.text = std::filesystem::path(word).stem().string().substr(0, 11);
        return spec;
    }
    const std::string label = word.substr(colon + 1);
    if (!label.starts_with('#')) {
        spec.label.text = label;
        return spec;
    }
    WORD number = 0;
    const char* last = label.data() + label.size();
    const auto [end, error] = std::from_chars(label.data() + 1, last, number);
    if (error != std::errc {} || end != last || label.size() == 1) return std::nullopt;
    spec.label.number = number;
    return spec;
}

std::optional<std::vector<BYTE>> ReadBytes(const std::string& name)
{
    std::ifstream in(name, std::ios::binary);
    if (!in) return std::nullopt;
    return std::vector<BYTE>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string Extension(const std::string& name)
{
    std::string extension = std::filesystem::path(name).extension().string();
    std::ranges::transform(extension, extension.begin(),
                           [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

// Adds one file to the pack; the reason it could not, or empty.
std::string AddFile(pack_writer::PackWriter& writer, const EntrySpec& spec)
{
    const auto bytes = ReadBytes(spec.file);
    if (!bytes) return "cannot be read";
    const std::string extension = Extension(spec.file);
    if (extension == ".qvx") {
        if (bytes->size() < IMAGE_FILE_HEADER_BYTES
            || std::string(bytes->begin(), bytes->begin() + 4) != "QVx3")
            return "is not a QVx3 image";
        const std::span<const BYTE> stream(bytes->data() + IMAGE_FILE_HEADER_BYTES,
                                           bytes->size() - IMAGE_FILE_HEADER_BYTES);
        return writer.AddImage(stream, spec.label) ? "" : "has a label over 11 characters";
    }
    if (extension == ".wav") {
        std::string error;
        const auto sound = ReadWavSound(*bytes, error);
        if (!sound) return error;
        return writer.AddSound(*sound, spec.label)
                   ? ""
                   : "is not 8 or 16-bit mono or stereo PCM with samples, or its label is over "
                     "11 characters";
    }
    return "is neither a .qvx image nor a .wav sound";
}

} // namespace

int BuildPack(const std::string& packName, const std::vector<std::string>& entries)
{
    pack_writer::PackWriter writer;
    for (const std::string& word : entries) {
        const auto spec = ParseEntry(word);
        const std::string problem = spec ? AddFile(writer, *spec) : "has a label #N out of range";
        if (!problem.empty()) {
            std::fprintf(stderr, "pcktool: %s %s\n", word.c_str(), problem.c_str());
            return 1;
        }
    }
    if (!writer.Write(packName)) {
        std::fprintf(stderr, "pcktool: cannot write %s\n", packName.c_str());
        return 1;
    }
    return 0;
}
