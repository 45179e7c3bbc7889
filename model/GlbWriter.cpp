#include "model/GlbWriter.h"

#include "hypercube/WindowLens.h"
#include "model/ModelColours.h"
#include "model/ModelText.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

// glTF's codes for component types and buffer targets.
constexpr int floatType = 5126;
constexpr int shortIndexType = 5123;
constexpr int indexType = 5125;
constexpr int arrayBuffer = 34962;
constexpr int elementBuffer = 34963;

std::string List(const double* values, int count) {
    std::string text = "[";
    for (int i = 0; i < count; ++i) {
        // Appended in two steps: GCC 12 takes a literal joined to a temporary for an overlapping copy.
        if (i)
            text += ',';
        text += ModelText::Exact(values[i]);
    }
    return text + "]";
}

std::string Colour(const std::array<float, 4>& rgba) {
    const double values[4] = {rgba[0], rgba[1], rgba[2], rgba[3]};
    return List(values, 4);
}

// The binary chunk and the JSON arrays that describe it, filled part by part.
class Buffer {
public:
    // A view of `bytes` with its accessor; returns the accessor's index.
    int Add(const void* bytes, size_t size, int target, const std::string& accessor) {
        while (data.size() % 4)
            data.push_back('\0');
        const size_t offset = data.size();
        data.append(static_cast<const char*>(bytes), size);
        const int index = views++;
        bufferViews +=
            std::string(index ? "," : "") + "{\"buffer\":0,\"byteOffset\":" + std::to_string(offset) +
            ",\"byteLength\":" + std::to_string(size) + ",\"target\":" + std::to_string(target) + "}";
        accessors +=
            std::string(index ? "," : "") + "{\"bufferView\":" + std::to_string(index) + "," + accessor + "}";
        return index;
    }

    // Positions or normals as floats, with their exact bounds for positions.
    int AddVectors(const std::vector<MeshPart::Point>& points, bool bounds) {
        std::vector<float> values;
        values.reserve(points.size() * 3);
        double low[3] = {HUGE_VAL, HUGE_VAL, HUGE_VAL}, high[3] = {-HUGE_VAL, -HUGE_VAL, -HUGE_VAL};
        for (const MeshPart::Point& point : points)
            for (int axis = 0; axis < 3; ++axis) {
                const float value = static_cast<float>(point[static_cast<size_t>(axis)]);
                values.push_back(value);
                low[axis] = std::min(low[axis], static_cast<double>(value));
                high[axis] = std::max(high[axis], static_cast<double>(value));
            }
        std::string accessor = "\"componentType\":" + std::to_string(floatType) +
                               ",\"count\":" + std::to_string(points.size()) + ",\"type\":\"VEC3\"";
        if (bounds)
            accessor += ",\"min\":" + List(low, 3) + ",\"max\":" + List(high, 3);
        return Add(values.data(), values.size() * sizeof(float), arrayBuffer, accessor);
    }

    // Indices in 16 bits where the part has few enough vertices, which is most of the time.
    int AddIndices(const MeshPart& part) {
        const std::string count =
            ",\"count\":" + std::to_string(part.indices.size()) + ",\"type\":\"SCALAR\"";
        if (part.VertexCount() <= 65535) {
            std::vector<uint16_t> shorts(part.indices.begin(), part.indices.end());
            return Add(shorts.data(), shorts.size() * 2, elementBuffer,
                       "\"componentType\":" + std::to_string(shortIndexType) + count);
        }
        return Add(part.indices.data(), part.indices.size() * 4, elementBuffer,
                   "\"componentType\":" + std::to_string(indexType) + count);
    }

    std::string Primitive(const MeshPart& part, int material) {
        const int position = AddVectors(part.positions, true);
        const int normal = AddVectors(part.normals, false);
        const int indices = AddIndices(part);
        return "{\"attributes\":{\"POSITION\":" + std::to_string(position) +
               ",\"NORMAL\":" + std::to_string(normal) + "},\"indices\":" + std::to_string(indices) +
               ",\"material\":" + std::to_string(material) + "}";
    }

    std::string data;
    std::string bufferViews;
    std::string accessors;
    int views = 0;
};

// The window's camera as a node: at the eye, looking at the target with the camera's up, which
// glTF's camera does along its -z axis with y up; as a unit quaternion (x, y, z, w).
std::string CameraNode(const ModelSource& source, const ModelPlacement& placement) {
    using Point = std::array<double, 3>;
    const auto unit = [](Point v) {
        const double length = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
        return Point{v[0] / length, v[1] / length, v[2] / length};
    };
    const auto cross = [](const Point& a, const Point& b) {
        return Point{a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
    };
    const Point forward = unit({source.target[0] - source.eye[0], source.target[1] - source.eye[1],
                                source.target[2] - source.eye[2]});
    const Point side = unit(cross(forward, {source.up[0], source.up[1], source.up[2]}));
    const Point up = cross(side, forward);
    const Point back = {-forward[0], -forward[1], -forward[2]};
    // The rotation whose columns are side, up and back.
    const double m[3][3] = {{side[0], up[0], back[0]}, {side[1], up[1], back[1]}, {side[2], up[2], back[2]}};
    double q[4]; // x, y, z, w
    const double trace = m[0][0] + m[1][1] + m[2][2];
    if (trace > 0.0) {
        const double s = 0.5 / std::sqrt(trace + 1.0);
        q[3] = 0.25 / s;
        q[0] = (m[2][1] - m[1][2]) * s;
        q[1] = (m[0][2] - m[2][0]) * s;
        q[2] = (m[1][0] - m[0][1]) * s;
    } else if (m[0][0] > m[1][1] && m[0][0] > m[2][2]) {
        const double s = 2.0 * std::sqrt(1.0 + m[0][0] - m[1][1] - m[2][2]);
        q[3] = (m[2][1] - m[1][2]) / s;
        q[0] = 0.25 * s;
        q[1] = (m[0][1] + m[1][0]) / s;
        q[2] = (m[0][2] + m[2][0]) / s;
    } else if (m[1][1] > m[2][2]) {
        const double s = 2.0 * std::sqrt(1.0 + m[1][1] - m[0][0] - m[2][2]);
        q[3] = (m[0][2] - m[2][0]) / s;
        q[0] = (m[0][1] + m[1][0]) / s;
        q[1] = 0.25 * s;
        q[2] = (m[1][2] + m[2][1]) / s;
    } else {
        const double s = 2.0 * std::sqrt(1.0 + m[2][2] - m[0][0] - m[1][1]);
        q[3] = (m[1][0] - m[0][1]) / s;
        q[0] = (m[0][2] + m[2][0]) / s;
        q[1] = (m[1][2] + m[2][1]) / s;
        q[2] = 0.25 * s;
    }
    const double length = std::sqrt(q[0] * q[0] + q[1] * q[1] + q[2] * q[2] + q[3] * q[3]);
    for (double& value : q)
        value /= length;
    const Point eye = ModelPlacement::Metres(placement.Place({source.eye[0], source.eye[1], source.eye[2]}));
    return "{\"name\":\"camera\",\"camera\":0,\"translation\":" + List(eye.data(), 3) +
           ",\"rotation\":" + List(q, 4) + "}";
}

std::string Material(const std::string& name, const std::array<float, 4>& colour, bool blended) {
    return "{\"name\":\"" + name + "\",\"pbrMetallicRoughness\":{\"baseColorFactor\":" + Colour(colour) +
           ",\"metallicFactor\":0,\"roughnessFactor\":0.6}" +
           (blended ? ",\"alphaMode\":\"BLEND\",\"doubleSided\":true" : "") + "}";
}

// A part in metres.
MeshPart InMetres(const MeshPart& part) {
    MeshPart metres = part;
    for (MeshPart::Point& point : metres.positions)
        point = ModelPlacement::Metres(point);
    return metres;
}

void Append32(std::string& out, uint32_t value) {
    char bytes[4];
    std::memcpy(bytes, &value, 4); // glTF is little-endian, as every build's target is
    out.append(bytes, 4);
}

} // namespace

std::string GlbWriter::Write(const ModelSource& source, const ModelMesh& mesh,
                             const ModelPlacement& placement) {
    Buffer buffer;
    std::string materials = Material("edges", ModelColours::Edges(source.light), false);
    std::string meshes, nodes;
    int meshCount = 0, materialCount = 1;
    const auto addNode = [&](const std::string& name, const std::string& primitives) {
        meshes += std::string(meshCount ? "," : "") + "{\"name\":\"" + name + "\",\"primitives\":[" +
                  primitives + "]}";
        nodes += "{\"name\":\"" + name + "\",\"mesh\":" + std::to_string(meshCount++) + "},";
    };
    if (!mesh.struts.Empty())
        addNode("edges", buffer.Primitive(InMetres(mesh.struts), 0));
    if (!mesh.balls.Empty())
        addNode("vertices", buffer.Primitive(InMetres(mesh.balls), 0));
    std::string faces;
    for (size_t tint = 0; tint < mesh.faces.size(); ++tint) {
        if (mesh.faces[tint].Empty())
            continue;
        materials += ',';
        materials +=
            Material("faces " + std::to_string(tint), ModelColours::Face(static_cast<int>(tint)), true);
        if (!faces.empty())
            faces += ',';
        faces += buffer.Primitive(InMetres(mesh.faces[tint]), materialCount++);
    }
    if (!faces.empty())
        addNode("faces", faces);
    nodes += CameraNode(source, placement);
    std::string sceneNodes;
    for (int i = 0; i <= meshCount; ++i) {
        if (i)
            sceneNodes += ',';
        sceneNodes += std::to_string(i);
    }

    const double metresPerUnit = 0.001 * placement.Scale();
    std::string json = "{\"asset\":{\"version\":\"2.0\",\"generator\":\"" +
                       ModelText::Json(ModelText::Program()) + "\",\"extras\":{\"view\":\"" +
                       ModelText::Json(source.view) + "\"}}";
    json += ",\"scene\":0,\"scenes\":[{\"name\":\"tessary\",\"nodes\":[" + sceneNodes + "]}]";
    json += ",\"nodes\":[" + nodes + "]";
    json += ",\"cameras\":[{\"name\":\"window\",\"type\":\"perspective\",\"perspective\":{\"aspectRatio\":" +
            ModelText::Exact(WindowLens::aspect) +
            ",\"yfov\":" + ModelText::Exact(2.0 * WindowLens::halfFieldRadians) +
            ",\"znear\":" + ModelText::Exact(WindowLens::nearPlane * metresPerUnit) +
            ",\"zfar\":" + ModelText::Exact(WindowLens::farPlane * metresPerUnit) + "}}]";
    if (meshCount) {
        json += ",\"meshes\":[" + meshes + "],\"materials\":[" + materials + "]";
        json += ",\"accessors\":[" + buffer.accessors + "],\"bufferViews\":[" + buffer.bufferViews + "]";
        while (buffer.data.size() % 4)
            buffer.data.push_back('\0');
        json += ",\"buffers\":[{\"byteLength\":" + std::to_string(buffer.data.size()) + "}]";
    }
    json += "}";
    while (json.size() % 4)
        json.push_back(' ');

    std::string glb = "glTF";
    Append32(glb, 2);
    const size_t total = 12 + 8 + json.size() + (meshCount ? 8 + buffer.data.size() : 0);
    Append32(glb, static_cast<uint32_t>(total));
    Append32(glb, static_cast<uint32_t>(json.size()));
    glb += "JSON";
    glb += json;
    if (meshCount) {
        Append32(glb, static_cast<uint32_t>(buffer.data.size()));
        glb.append("BIN\0", 4);
        glb += buffer.data;
    }
    return glb;
}
