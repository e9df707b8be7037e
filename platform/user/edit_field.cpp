#include "platform/user/edit_field.h"

#include <algorithm>

namespace platform {

void EditField::SetText(std::string_view text)
{
    text_ = limit_ > 0 ? text.substr(0, limit_) : text;
    caret_ = text_.size();
    firstShown_ = 0;
}

void EditField::Type(char character)
{
    if (limit_ > 0 && text_.size() >= limit_) return;
    text_.insert(caret_++, 1, character);
}

void EditField::Backspace()
{
    if (caret_ > 0) text_.erase(--caret_, 1);
}

void EditField::Delete()
{
    if (caret_ < text_.size()) text_.erase(caret_, 1);
}

void EditField::Left()
{
    if (caret_ > 0) --caret_;
}

void EditField::Right()
{
    if (caret_ < text_.size()) ++caret_;
}

void EditField::Home() { caret_ = 0; }

void EditField::End() { caret_ = text_.size(); }

void EditField::KeepCaretInView(const std::function<int(std::string_view)>& measure, int width)
{
    firstShown_ = std::min(firstShown_, caret_);
    while (firstShown_ < caret_
           && measure(std::string_view(text_).substr(firstShown_, caret_ - firstShown_)) > width) {
        ++firstShown_;
    }
}

} // namespace platform
