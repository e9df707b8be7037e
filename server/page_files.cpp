#include "server/page_files.h"

#include <filesystem>
#include <fstream>
#include <iterator>

#include "server/sha256.h"

namespace server {
namespace {

constexpr std::uintmax_t largestPage = std::uintmax_t {128} << 20;
constexpr std::size_t mostFiles = 1000;

std::string ContentType(const std::filesystem::path& path)
{
    static const std::map<std::string, std::string> types = {
        {".html", "text/html; charset=utf-8"},
        {".js", "text/javascript; charset=utf-8"},
        {".mjs", "text/javascript; charset=utf-8"},
        {".css", "text/css; charset=utf-8"},
        {".json", "application/json"},
        {".webmanifest", "application/manifest+json"},
        {".wasm", "application/wasm"},
        {".png", "image/png"},
        {".svg", "image/svg+xml"},
        {".ico", "image/x-icon"},
        {".txt", "text/plain; charset=utf-8"},
    };
    const auto found = types.find(path.extension().string());
    return found != types.end() ? found->second : "application/octet-stream";
}

} // namespace

bool PageFiles::Load(const std::string& folder, std::string& error)
{
    namespace fs = std::filesystem;
    std::error_code failure;
    std::uintmax_t total = 0;
    const fs::path root = fs::weakly_canonical(folder, failure);
    if (failure || !fs::is_directory(root, failure)) {
        error = "the page's folder " + folder + " cannot be read";
        return false;
    }
    for (auto it = fs::recursive_directory_iterator(root, failure);
         !failure && it != fs::recursive_directory_iterator(); it.increment(failure)) {
        if (!it->is_regular_file(failure)) continue;
        total += it->file_size(failure);
        if (total > largestPage || files.size() >= mostFiles) {
            error = "the page's folder " + folder + " is larger than a page";
            return false;
        }
        std::ifstream in(it->path(), std::ios::binary);
        PageFile file {{std::istreambuf_iterator<char>(in), {}}, ContentType(it->path()), {}};
        file.etag = "\"" + Sha256Hex(file.bytes).substr(0, 32) + "\"";
        files["/" + fs::relative(it->path(), root).generic_string()] = std::move(file);
    }
    if (failure) {
        error = "the page's folder " + folder + " cannot be read: " + failure.message();
        return false;
    }
    return true;
}

const PageFile* PageFiles::Find(const std::string& path) const
{
    const auto found = files.find(path == "/" ? "/index.html" : path);
    return found != files.end() ? &found->second : nullptr;
}

} // namespace server
