#include "model/StlWriter.h"

#include "model/ModelText.h"

#include <cmath>
#include <cstring>

namespace {

using Point = std::array<double, 3>;

void AppendFloats(std::string& out, const Point& p) {
    const float values[3] = {static_cast<float>(p[0]), static_cast<float>(p[1]), static_cast<float>(p[2])};
    char bytes[12];
    std::memcpy(bytes, values, 12); // little-endian, as STL is and every build's target
    out.append(bytes, 12);
}

void AppendPart(std::string& out, const MeshPart& part) {
    for (size_t i = 0; i < part.indices.size(); i += 3) {
        Point corner[3];
        for (int k = 0; k < 3; ++k)
            corner[k] = ModelPlacement::ZUp(part.positions[part.indices[i + static_cast<size_t>(k)]]);
        const Point d = {corner[1][0] - corner[0][0], corner[1][1] - corner[0][1],
                         corner[1][2] - corner[0][2]};
        const Point e = {corner[2][0] - corner[0][0], corner[2][1] - corner[0][1],
                         corner[2][2] - corner[0][2]};
        Point normal = {d[1] * e[2] - d[2] * e[1], d[2] * e[0] - d[0] * e[2], d[0] * e[1] - d[1] * e[0]};
        const double length =
            std::sqrt(normal[0] * normal[0] + normal[1] * normal[1] + normal[2] * normal[2]);
        for (double& value : normal)
            value /= length;
        AppendFloats(out, normal);
        for (const Point& p : corner)
            AppendFloats(out, p);
        out.append(2, '\0');
    }
}

} // namespace

std::string StlWriter::Write(const ModelMesh& mesh) {
    // A binary STL must not begin with "solid", which readers take for the text form.
    std::string header = ModelText::Program() + ", struts and balls, millimetres, z up";
    header.resize(80, ' ');
    std::string stl = header;
    const uint32_t count = static_cast<uint32_t>(mesh.struts.TriangleCount() + mesh.balls.TriangleCount());
    char bytes[4];
    std::memcpy(bytes, &count, 4);
    stl.append(bytes, 4);
    stl.reserve(stl.size() + 50 * static_cast<size_t>(count));
    AppendPart(stl, mesh.struts);
    AppendPart(stl, mesh.balls);
    return stl;
}
