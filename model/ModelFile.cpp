#include "model/ModelFile.h"

#include "model/FoldedShadow.h"
#include "model/GlbWriter.h"
#include "model/ModelMesh.h"
#include "model/ModelPlacement.h"
#include "model/ObjWriter.h"
#include "model/StlWriter.h"
#include "model/ThreeMfWriter.h"

std::string ModelFile::Write(const FileKind& kind, const ModelSource& source, double size, double strut,
                             std::string* summary) {
    const FoldedShadow shadow(source);
    if (summary)
        *summary = shadow.Summary();
    const ModelPlacement placement(shadow, size, strut);
    const ModelMesh mesh(source, shadow, placement);
    switch (kind.format) {
    case FileFormat::stl:
        return StlWriter::Write(mesh);
    case FileFormat::threeMf:
        return ThreeMfWriter::Write(source, mesh, size);
    case FileFormat::obj:
        return ObjWriter::Write(source, mesh, size);
    default:
        return GlbWriter::Write(source, mesh, placement);
    }
}
