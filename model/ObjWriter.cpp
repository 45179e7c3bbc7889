#include "model/ObjWriter.h"

#include "model/ModelColours.h"
#include "model/ModelText.h"

#include <initializer_list>

namespace {

// Lines are put together by appending, piece after piece: GCC 12 takes a literal joined to a
// temporary for an overlapping copy and stops the optimised builds.
void Append(std::string& out, std::initializer_list<std::string> pieces) {
    for (const std::string& piece : pieces)
        out += piece;
}

void AppendPart(std::string& out, const MeshPart& part, const std::array<float, 4>& colour, int decimals,
                size_t* verticesBefore) {
    std::string rgb;
    Append(rgb, {" ", ModelText::Fixed(colour[0], 4), " ", ModelText::Fixed(colour[1], 4), " ",
                 ModelText::Fixed(colour[2], 4), "\n"});
    for (const MeshPart::Point& mm : part.positions) {
        const MeshPart::Point p = ModelPlacement::Metres(mm);
        Append(out, {"v ", ModelText::Fixed(p[0], decimals), " ", ModelText::Fixed(p[1], decimals), " ",
                     ModelText::Fixed(p[2], decimals), rgb});
    }
    for (size_t i = 0; i < part.indices.size(); i += 3)
        Append(out, {"f ", std::to_string(*verticesBefore + part.indices[i] + 1), " ",
                     std::to_string(*verticesBefore + part.indices[i + 1] + 1), " ",
                     std::to_string(*verticesBefore + part.indices[i + 2] + 1), "\n"});
    *verticesBefore += part.VertexCount();
}

// A comment line of `text`: its line breaks would end the comment.
std::string OneLine(std::string text) {
    for (char& c : text)
        if (c == '\n' || c == '\r')
            c = ' ';
    return text;
}

} // namespace

std::string ObjWriter::Write(const ModelSource& source, const ModelMesh& mesh, double size) {
    const int decimals = ModelText::DecimalsFor(0.001 * size);
    std::string obj;
    Append(obj, {"# ", ModelText::Program(), ": the view as struts and balls, in metres, y up\n"});
    Append(obj, {"# view: ", OneLine(source.view), "\n"});
    obj += "o tessary\n";
    size_t vertices = 0;
    const std::array<float, 4> edges = ModelColours::Edges(source.light);
    if (!mesh.struts.Empty()) {
        obj += "g edges\n";
        AppendPart(obj, mesh.struts, edges, decimals, &vertices);
    }
    if (!mesh.balls.Empty()) {
        obj += "g vertices\n";
        AppendPart(obj, mesh.balls, edges, decimals, &vertices);
    }
    bool faces = false;
    for (size_t tint = 0; tint < mesh.faces.size(); ++tint) {
        if (mesh.faces[tint].Empty())
            continue;
        if (!faces)
            obj += "g faces\n";
        faces = true;
        AppendPart(obj, mesh.faces[tint], ModelColours::Face(static_cast<int>(tint)), decimals, &vertices);
    }
    return obj;
}
