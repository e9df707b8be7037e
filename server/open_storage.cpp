#include <libpq-fe.h>

#include <algorithm>
#include <cctype>

#include "server/storage.h"

namespace server {

bool IsPostgres(const std::string& where)
{
    if (where.starts_with("postgresql://") || where.starts_with("postgres://")) return true;
    // "key=value" words start with a keyword of lower-case letters and '_'.
    const std::size_t equals = where.find('=');
    if (equals == std::string::npos) return false;
    std::string key = where.substr(0, equals);
    key.erase(0, key.find_first_not_of(' '));
    while (!key.empty() && key.back() == ' ') key.pop_back();
    return !key.empty() && std::all_of(key.begin(), key.end(), [](unsigned char c) {
        return std::islower(c) != 0 || c == '_';
    });
}

std::string StorageName(const std::string& where)
{
    if (!IsPostgres(where)) return "the database " + where;
    PQconninfoOption* options = PQconninfoParse(where.c_str(), nullptr);
    std::string name = "the PostgreSQL database";
    for (auto* option = options; option != nullptr && option->keyword != nullptr; ++option) {
        const std::string key = option->keyword;
        if (option->val == nullptr || option->val[0] == '\0') continue;
        if (key == "dbname") name += std::string(" ") + option->val;
        if (key == "host") name += std::string(" on ") + option->val;
    }
    PQconninfoFree(options);
    return name;
}

std::unique_ptr<Storage> OpenStorage(const std::string& where, std::string& error)
{
    return IsPostgres(where) ? OpenPostgresStorage(where, error) : OpenSqliteStorage(where, error);
}

} // namespace server
