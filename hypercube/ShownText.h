// The text of the view the hypercube screen was last given, for as long as the screen still shows
// exactly what that text gave it. Reading a view back from the vertices and straightening it can
// land an entry one rounding step of the text away from the text that was shown, so a view read
// twice, or read after a link was opened, would come back as another text: the text the screen was
// given stays the answer until something moves.
#pragma once

#include "hypercube/View.h"

#include <string>
#include <vector>

class CTessary;

class ShownText {
public:
    // Keeps `text` as the text of what `screen` shows now.
    void Remember(const CTessary& screen, const std::string& text);
    // The text kept, or null once anything that makes the picture has changed since: a vertex, the
    // camera, the mode, the fog or the dimension.
    const std::string* Recall(const CTessary& screen) const;

private:
    // Everything of the screen that a view's text decides, as it stands.
    struct Snapshot {
        View view; // all but the orientation, which the vertices stand for
        std::vector<float> vertices;
        bool operator==(const Snapshot& other) const;
    };
    static Snapshot Take(const CTessary& screen);

    std::string text;
    Snapshot taken;
};
