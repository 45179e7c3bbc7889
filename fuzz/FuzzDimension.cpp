// libFuzzer target: the entry field's text on its way to a dimension. The bytes are typed into the
// viewer's own digits-only field (characters of every kind, Backspace, Left and Right) and the
// field's text must follow a plain string model of those edits; then the field's text, and the
// bytes read as any text at all, must read as the dimension a reading of the rule written here
// gives: leading white space, one sign, decimal digits, clamped to the range of int.
#include "app/AppContext.h"
#include "app/InputState.h"
#include "app/ScreenManager.h"
#include "app/Shell.h"
#include "fuzz/support/FuzzProgram.h"
#include "gui/QV_TextBox.h"
#include "gui/TextTexture.h"
#include "hypercube/CTessary.h"

#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

[[noreturn]] void Fail(const std::string& what) {
    std::fprintf(stderr, "fuzz_dimension: %s\n", what.c_str());
    std::abort();
}

std::string Narrow(const std::wstring& text) {
    std::string out;
    for (wchar_t c : text)
        out += c >= 0x20 && c < 0x7F ? static_cast<char>(c) : '?';
    return out;
}

int ExpectedDimension(const std::wstring& text) {
    const size_t start = text.find_first_not_of(L" \t\n\v\f\r");
    if (start == std::wstring::npos)
        return 0;
    size_t i = start;
    const bool negative = text[i] == L'-';
    if (text[i] == L'-' || text[i] == L'+')
        ++i;
    std::wstring digits;
    for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i)
        if (!digits.empty() || text[i] != L'0')
            digits += text[i];
    if (digits.size() > 10 || (digits.size() == 10 && digits > L"2147483647"))
        return negative ? INT_MIN : INT_MAX;
    long long value = 0;
    for (wchar_t d : digits)
        value = value * 10 + (d - L'0');
    return static_cast<int>(negative ? -value : value);
}

void CheckReading(const std::wstring& text) {
    const int read = CTessary::ReadDimension(text), expected = ExpectedDimension(text);
    if (read != expected)
        Fail("\"" + Narrow(text) + "\" reads as " + std::to_string(read) + ", expected " +
             std::to_string(expected));
}

TextTexture* probe = nullptr; // owned for the session: measures text in the field's font

int32_t Width(const std::wstring& text) {
    probe->Render(text.c_str());
    return probe->textWidth;
}

// The field against the model of its text and caret, after one edit.
void CheckField(const QV_TextBox& box, const std::wstring& text, int32_t caret, bool deleted) {
    if (box.text != text || box.caret != caret)
        Fail("the field holds \"" + Narrow(box.text) + "\" with the caret at " + std::to_string(box.caret) +
             ", the edits give \"" + Narrow(text) + "\" with the caret at " + std::to_string(caret));
    if (!(0 <= box.scroll && box.scroll <= box.caret))
        Fail("scroll " + std::to_string(box.scroll) + " outside 0.." + std::to_string(box.caret));
    if (box.caretX > box.width - 2 && box.scroll != box.caret)
        Fail("the caret at " + std::to_string(box.caretX) + " lies outside the frame");
    // After a deletion, no character stays hidden on the left while the rest would fit with it.
    if (deleted && box.scroll > 0 && Width(text.substr(box.scroll - 1)) + 2 <= box.width - 2)
        Fail("a hidden character would fit again after a deletion, scroll " + std::to_string(box.scroll));
}

void Press(QV_TextBox& box, int key) {
    inputState.keys[key] = true;
    box.OnKeyDown();
    inputState.keys[key] = false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (!application) {
        fuzz_program::StartOnce("fuzz_dimension");
        probe = new TextTexture();
    }
    auto* viewer = static_cast<CTessary*>(application->screenManager->ActiveScreen());
    QV_TextBox& box = *viewer->dimensionBox;
    probe->SetFont(box.fontName.c_str(), box.fontSize);
    box.text.clear();
    box.caret = box.scroll = 0;
    box.Relayout();

    std::wstring text;
    int32_t caret = 0;
    for (size_t i = 0; i < size; ++i) {
        const uint8_t b = data[i];
        bool deleted = false;
        if (b < 0xA0) {
            uint32_t c = L'0' + b % 10;
            box.OnChar(&c);
            text.insert(text.begin() + caret++, static_cast<wchar_t>(c));
        } else if (b < 0xC0) {
            uint32_t c = 8; // Backspace
            box.OnChar(&c);
            if (caret > 0)
                text.erase(--caret, 1);
            deleted = true;
        } else if (b < 0xE0) {
            // Any other code unit, which the digits-only field drops.
            uint32_t c = i + 2 < size ? (data[i + 1] << 8 | data[i + 2]) : b;
            i += 2;
            const bool digit = c >= L'0' && c <= L'9';
            box.OnChar(&c);
            if (digit)
                text.insert(text.begin() + caret++, static_cast<wchar_t>(c));
            else if (c == 8 && caret > 0)
                text.erase(--caret, 1);
            deleted = c == 8;
        } else if (b < 0xF0) {
            Press(box, VK_LEFT);
            caret = caret > 0 ? caret - 1 : 0;
        } else {
            Press(box, VK_RIGHT);
            caret = caret < static_cast<int32_t>(text.size()) ? caret + 1 : caret;
        }
        CheckField(box, text, caret, deleted);
    }
    CheckReading(box.text);

    std::wstring anyText;
    for (size_t i = 0; i + 1 < size; i += 2)
        anyText += static_cast<wchar_t>(data[i] << 8 | data[i + 1]);
    CheckReading(anyText);
    fuzz_program::InputDone();
    return 0;
}
