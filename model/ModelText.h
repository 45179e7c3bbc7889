// The small pieces of text every model writer needs: numbers that read back as exactly the value
// written, and the view's text escaped for JSON and XML.
#pragma once

#include <cstdint>
#include <string>

class ModelText {
public:
    // The shortest decimal that reads back as exactly `value`.
    static std::string Exact(double value);
    // `value` with `decimals` digits after the point, trailing zeros dropped ("12.5", "-0.25", "3").
    static std::string Fixed(double value, int decimals);
    // The decimals that write the coordinates of an object `size` across (in the file's unit) to a
    // ten-millionth of its size, as finely as a float holds them: 5 for 100 mm, 8 for 0.1 m.
    static int DecimalsFor(double size);
    // The text between the quotes of a JSON string.
    static std::string Json(const std::string& text);
    // The text of an XML element or attribute.
    static std::string Xml(const std::string& text);
    // "Tessary 0.1": the program and its version, which every model names.
    static std::string Program();
};
