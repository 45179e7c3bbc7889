// What each writer puts in its file, read back from the bytes: the frame, the units and the parts
// its format promises. The outside tools of `make test-models` check the files against the formats.
#include "model/ModelFile.h"
#include "model/ZipArchive.h"
#include "tests/model/ModelSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

std::string Write(FileFormat format, const ModelSource& source, double size = 100.0, double strut = 2.5) {
    for (const FileKind& kind : FileKinds::all)
        if (kind.format == format)
            return ModelFile::Write(kind, source, size, strut, nullptr);
    ADD_FAILURE() << "no kind";
    return "";
}

uint32_t Read32(const std::string& bytes, size_t at) {
    uint32_t value;
    std::memcpy(&value, bytes.data() + at, 4);
    return value;
}

TEST(ModelFileTest, AnStlIsInMillimetresWithZUpRestingOnTheFloor) {
    const std::string stl = Write(FileFormat::stl, CubeSource(4, true, {{0, 3}}, 0.3), 80.0, 2.0);
    ASSERT_GE(stl.size(), 84u);
    EXPECT_NE(stl.rfind("solid", 0), 0u) << "a binary STL that begins with \"solid\" reads as text";
    EXPECT_NE(stl.find("Tessary"), std::string::npos) << "the header names the program";
    const uint32_t triangles = Read32(stl, 80);
    ASSERT_EQ(stl.size(), 84u + 50u * triangles);
    float low[3] = {HUGE_VALF, HUGE_VALF, HUGE_VALF}, high[3] = {-HUGE_VALF, -HUGE_VALF, -HUGE_VALF};
    for (uint32_t t = 0; t < triangles; ++t)
        for (int corner = 1; corner <= 3; ++corner)
            for (int axis = 0; axis < 3; ++axis) {
                float value;
                std::memcpy(&value, stl.data() + 84 + 50 * t + 12 * corner + 4 * axis, 4);
                low[axis] = std::min(low[axis], value);
                high[axis] = std::max(high[axis], value);
            }
    EXPECT_NEAR(low[2], 0.0f, 1e-4f) << "resting on z = 0";
    EXPECT_NEAR(std::max({high[0] - low[0], high[1] - low[1], high[2] - low[2]}), 80.0f, 1e-4f) << "80 mm";
    EXPECT_NEAR(low[0] + high[0], 0.0f, 1e-4f);
    EXPECT_NEAR(low[1] + high[1], 0.0f, 1e-4f);
}

TEST(ModelFileTest, AGlbIsOneBinaryBufferThatCarriesTheViewAndTheProgram) {
    const std::string glb = Write(FileFormat::glb, CubeSource(4, true));
    ASSERT_GE(glb.size(), 28u);
    EXPECT_EQ(glb.substr(0, 4), "glTF");
    EXPECT_EQ(Read32(glb, 4), 2u) << "glTF 2";
    EXPECT_EQ(Read32(glb, 8), glb.size()) << "the header's length";
    const uint32_t jsonLength = Read32(glb, 12);
    EXPECT_EQ(jsonLength % 4, 0u);
    const std::string json = glb.substr(20, jsonLength);
    EXPECT_NE(json.find("\"extras\":{\"view\":\"v1.test\"}"), std::string::npos) << json.substr(0, 200);
    EXPECT_NE(json.find("\"generator\":\"Tessary "), std::string::npos);
    for (const char* node :
         {"\"name\":\"edges\"", "\"name\":\"vertices\"", "\"name\":\"faces\"", "\"camera\":0"})
        EXPECT_NE(json.find(node), std::string::npos) << node;
    EXPECT_EQ(glb.substr(20 + jsonLength + 4, 4), std::string("BIN\0", 4));
    EXPECT_EQ(20 + jsonLength + 8 + Read32(glb, 20 + jsonLength), glb.size())
        << "the binary chunk ends the file";
    // The wireframe has no faces node.
    const std::string wire = Write(FileFormat::glb, CubeSource(4, false));
    EXPECT_EQ(wire.find("\"name\":\"faces\""), std::string::npos);
}

TEST(ModelFileTest, AnObjHasItsGroupsAndColoursAndNoCompanionFile) {
    const std::string obj = Write(FileFormat::obj, CubeSource(4, true));
    for (const char* group : {"\ng edges\n", "\ng vertices\n", "\ng faces\n"})
        EXPECT_EQ(std::count(obj.begin(), obj.end(), '\n') > 0 && obj.find(group) != std::string::npos, true)
            << group;
    EXPECT_EQ(obj.find("mtllib"), std::string::npos);
    // Every vertex line has three coordinates and three colour components.
    const size_t v = obj.find("\nv ");
    ASSERT_NE(v, std::string::npos);
    const std::string line = obj.substr(v + 1, obj.find('\n', v + 1) - v - 1);
    EXPECT_EQ(std::count(line.begin(), line.end(), ' '), 6) << line;

    // A model a hundredth of a millimetre across keeps its size in the text's decimals.
    const std::string tiny = Write(FileFormat::obj, CubeSource(4, true, {{0, 3}}, 0.3), 0.01, 0.0005);
    double low = HUGE_VAL, high = -HUGE_VAL;
    for (size_t at = tiny.find("\nv "); at != std::string::npos; at = tiny.find("\nv ", at + 1)) {
        const double x = std::strtod(tiny.c_str() + at + 3, nullptr);
        low = std::min(low, x);
        high = std::max(high, x);
    }
    EXPECT_GT(high - low, 0.0) << "every x written as the same number";
    EXPECT_LE(high - low, 1e-5 * (1 + 1e-6)) << "wider than 0.01 mm";
}

TEST(ModelFileTest, A3mfIsAZipOfTheModelInMillimetres) {
    EXPECT_EQ(ZipArchive::Crc32("123456789"), 0xCBF43926u) << "CRC-32's check value";
    const std::string zip = Write(FileFormat::threeMf, CubeSource(4, true));
    EXPECT_EQ(Read32(zip, 0), 0x04034b50u) << "a local file header first";
    for (const char* name : {"[Content_Types].xml", "_rels/.rels", "3D/3dmodel.model"})
        EXPECT_NE(zip.find(name), std::string::npos) << name;
    EXPECT_EQ(Read32(zip, zip.size() - 22), 0x06054b50u) << "the end of the central directory last";
}

} // namespace
