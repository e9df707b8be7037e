#pragma once
// The page's files, read once at start into memory: a request names an entry of this table,
// never a path on the disk.

#include <map>
#include <optional>
#include <string>

namespace server {

struct PageFile {
    std::string bytes;
    std::string contentType;
    std::string etag;
};

class PageFiles {
public:
    // Reads every file under `folder`; false, with the reason, when it cannot or the folder is
    // larger than a page can be.
    bool Load(const std::string& folder, std::string& error);
    bool Empty() const { return files.empty(); }
    // The file at the request path `path` ("/" is "/index.html"), or none.
    const PageFile* Find(const std::string& path) const;

private:
    std::map<std::string, PageFile> files;
};

} // namespace server
