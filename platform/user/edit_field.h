#pragma once
// Inside the platform layer: the text of a single-line edit field, its caret and its scrolling.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace platform {

class EditField {
public:
    explicit EditField(std::size_t limit = 0) : limit_(limit) {}

    const std::string& Text() const { return text_; }
    std::size_t Caret() const { return caret_; }
    // The first character shown: the field scrolls so the caret stays in view.
    std::size_t FirstShown() const { return firstShown_; }

    void SetText(std::string_view text);
    // A typed character goes in at the caret while the field has room.
    void Type(char character);
    void Backspace();
    void Delete();
    void Left();
    void Right();
    void Home();
    void End();

    // Scrolls so the caret lies within width pixels, text measured by measure.
    void KeepCaretInView(const std::function<int(std::string_view)>& measure, int width);

private:
    std::string text_;
    std::size_t caret_ = 0;
    std::size_t firstShown_ = 0;
    std::size_t limit_; // 0: none
};

} // namespace platform
