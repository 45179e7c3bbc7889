#include "model/ThreeMfWriter.h"

#include "model/ModelText.h"
#include "model/ZipArchive.h"

namespace {

const char contentTypes[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
    "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
    "<Default Extension=\"model\" ContentType=\"application/vnd.ms-package.3dmanufacturing-3dmodel+xml\"/>"
    "</Types>\n";

const char relationships[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Target=\"/3D/3dmodel.model\" Id=\"rel0\" "
    "Type=\"http://schemas.microsoft.com/3dmanufacturing/2013/01/3dmodel\"/>"
    "</Relationships>\n";

void AppendPart(std::string& vertices, std::string& triangles, const MeshPart& part, int decimals,
                size_t* before) {
    for (const MeshPart::Point& mm : part.positions) {
        const MeshPart::Point p = ModelPlacement::ZUp(mm);
        vertices += "<vertex x=\"" + ModelText::Fixed(p[0], decimals) + "\" y=\"" +
                    ModelText::Fixed(p[1], decimals) + "\" z=\"" + ModelText::Fixed(p[2], decimals) +
                    "\"/>\n";
    }
    for (size_t i = 0; i < part.indices.size(); i += 3)
        triangles += "<triangle v1=\"" + std::to_string(*before + part.indices[i]) + "\" v2=\"" +
                     std::to_string(*before + part.indices[i + 1]) + "\" v3=\"" +
                     std::to_string(*before + part.indices[i + 2]) + "\"/>\n";
    *before += part.VertexCount();
}

} // namespace

std::string ThreeMfWriter::Write(const ModelSource& source, const ModelMesh& mesh, double size) {
    std::string vertices, triangles;
    size_t before = 0;
    const int decimals = ModelText::DecimalsFor(size);
    AppendPart(vertices, triangles, mesh.struts, decimals, &before);
    AppendPart(vertices, triangles, mesh.balls, decimals, &before);
    std::string model = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                        "<model unit=\"millimeter\" xml:lang=\"en-US\" "
                        "xmlns=\"http://schemas.microsoft.com/3dmanufacturing/core/2015/02\">\n";
    model += "<metadata name=\"Title\">" + std::to_string(source.dimension) + "-cube</metadata>\n";
    model += "<metadata name=\"Application\">" + ModelText::Xml(ModelText::Program()) + "</metadata>\n";
    model += "<metadata name=\"Description\">" + ModelText::Xml(source.view) + "</metadata>\n";
    model += "<resources>\n<object id=\"1\" type=\"model\" name=\"struts and balls\">\n<mesh>\n<vertices>\n";
    model += vertices;
    model += "</vertices>\n<triangles>\n";
    model += triangles;
    model += "</triangles>\n</mesh>\n</object>\n</resources>\n<build>\n<item "
             "objectid=\"1\"/>\n</build>\n</model>\n";
    ZipArchive zip;
    zip.Add("[Content_Types].xml", contentTypes, false);
    zip.Add("_rels/.rels", relationships, false);
    zip.Add("3D/3dmodel.model", model, true);
    return zip.Finish();
}
