#include "platform/notice.h"

#include <vector>

namespace platform {
namespace {

NoticeHook noticeHook = nullptr;
std::vector<std::string> unheard;

} // namespace

void SetNoticeHook(NoticeHook hook)
{
    noticeHook = hook;
    if (hook == nullptr) return;
    for (const std::string& text : unheard) hook(text.c_str());
    unheard.clear();
}

void Notice(const std::string& text)
{
    if (noticeHook != nullptr) noticeHook(text.c_str());
    else unheard.push_back(text);
}

} // namespace platform
