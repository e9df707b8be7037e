// Armed failures, counted down call by call.

#include "platform/fault.h"

#include <string>
#include <vector>

namespace platform {
namespace {

struct ArmedFailure {
    std::string operation;
    HRESULT code;
    DWORD times;
    DWORD skip;
};

std::vector<ArmedFailure> armed;

} // namespace

void FailOperation(const char* operation, HRESULT code, DWORD times, DWORD skip)
{
    armed.push_back({operation, code, times, skip});
}

void ClearFailures() { armed.clear(); }

HRESULT InjectedFailure(const char* operation)
{
    for (auto it = armed.begin(); it != armed.end(); ++it) {
        if (it->operation != operation) continue;
        if (it->skip > 0) {
            --it->skip;
            return 0;
        }
        const HRESULT code = it->code;
        if (--it->times == 0) armed.erase(it);
        return code;
    }
    return 0;
}

} // namespace platform
