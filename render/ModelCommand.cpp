#include "render/ModelCommand.h"

#include "export/AtomicFile.h"
#include "hypercube/CTessary.h"
#include "hypercube/ViewText.h"
#include "model/ModelFile.h"
#include "render/RenderRequest.h"

#include <cstdio>

bool ModelCommand::Write(CTessary& screen, const RenderRequest& options, std::string* reason) {
    const std::string view = options.viewText.empty() ? ViewText::Format(*options.view) : options.viewText;
    std::string summary;
    const std::string bytes = ModelFile::Write(*options.kind, ModelSource::Of(screen, view, options.light),
                                               options.modelSize, options.Strut(), &summary);
    AtomicFile file(options.renderFile);
    if (!file.Open(reason) || !file.Write(bytes.data(), bytes.size(), reason) || !file.Commit(reason))
        return false;
    std::printf("tessary: %s: %s\n", options.renderFile.c_str(), summary.c_str());
    std::fflush(stdout);
    return true;
}
