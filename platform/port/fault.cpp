// Armed failures, counted down call by call or chosen by a call's size.

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
    bool (*fails)(DWORD size) = nullptr;
};

std::vector<ArmedFailure> armed;

} // namespace

void FailOperation(const char* operation, HRESULT code, DWORD times, DWORD skip)
{
    armed.push_back({operation, code, times, skip});
}

void FailOperationWhen(const char* operation, HRESULT code, bool (*fails)(DWORD size))
{
    armed.push_back({operation, code, ALWAYS, 0, fails});
}

void ClearFailures() { armed.clear(); }

HRESULT InjectedFailure(const char* operation, DWORD size)
{
    for (auto it = armed.begin(); it != armed.end(); ++it) {
        if (it->operation != operation) continue;
        if (it->fails != nullptr) {
            if (it->fails(size)) return it->code;
            continue;
        }
        if (it->skip > 0) {
            --it->skip;
            return 0;
        }
        const HRESULT code = it->code;
        if (it->times != ALWAYS && --it->times == 0) armed.erase(it);
        return code;
    }
    return 0;
}

} // namespace platform
