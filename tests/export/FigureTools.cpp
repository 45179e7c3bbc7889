#include "tests/export/FigureTools.h"

#include "tests/export/ReadBack.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>

ToolRun Command(const std::string& line, const std::string& errors) {
    ToolRun run;
    std::FILE* pipe = popen((line + " 2>" + errors).c_str(), "r");
    if (!pipe)
        return run;
    char buffer[4096];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof(buffer), pipe)) > 0)
        run.output.append(buffer, got);
    run.ok = pclose(pipe) == 0;
    return run;
}

std::string FileText(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

void Save(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

bool HaveTool(const std::string& tool, const std::string& package) {
    const bool found = std::system(("command -v " + tool + " >/dev/null 2>&1").c_str()) == 0;
    EXPECT_TRUE(found) << tool << " is missing: install the Debian package " << package
                       << " (scripts/install-deps.sh)";
    return found;
}

RgbaPicture DrawSvg(const std::string& svg, const std::string& png) {
    const std::string errors = png + ".err";
    const ToolRun run = Command("rsvg-convert -o '" + png + "' '" + svg + "'", errors);
    EXPECT_TRUE(run.ok) << "rsvg-convert: " << FileText(errors);
    return run.ok ? ReadPng(png) : RgbaPicture();
}

RgbaPicture DrawPdf(const std::string& pdf, const std::string& pngStem, int width, int height) {
    const std::string errors = pngStem + ".err";
    const ToolRun run = Command("pdftoppm -png -r 72 -scale-to-x " + std::to_string(width) + " -scale-to-y " +
                                    std::to_string(height) + " -singlefile '" + pdf + "' '" + pngStem + "'",
                                errors);
    EXPECT_TRUE(run.ok) << "pdftoppm: " << FileText(errors);
    return run.ok ? ReadPng(pngStem + ".png") : RgbaPicture();
}

RgbaPicture DrawTikz(const std::string& folder, const std::string& tikz, int width, int height) {
    Save(folder + "figure.tex", tikz);
    Save(folder + "page.tex",
         "\\documentclass{article}\\usepackage{tikz}\\pagestyle{empty}\n\\paperwidth=" +
             std::to_string(width) + "pt\\paperheight=" + std::to_string(height) +
             "pt\\hoffset=-1in\\voffset=-1in\\oddsidemargin=0pt\\topmargin=0pt\\headheight=0pt"
             "\\headsep=0pt\\topskip=0pt\\parindent=0pt\\textwidth=" +
             std::to_string(width) + "pt\\textheight=" + std::to_string(height) +
             "pt\n\\begin{document}\\input{figure.tex}\\end{document}\n");
    const std::string in = "cd '" + folder + "' && ";
    if (std::system(
            (in + "pdflatex -interaction=batchmode -halt-on-error page.tex >/dev/null 2>&1").c_str()) != 0)
        return {};
    return DrawPdf(folder + "page.pdf", folder + "page", width, height);
}
