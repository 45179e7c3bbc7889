// The program's first frame made with FreeType and OpenGL alone, the reference for the start-up
// figure. Before the frame, the panel's texts are rasterised (AR PL UMing, the font "宋体" maps to,
// emboldened as the program's bold text is) into textures of the sizes the program makes; the frame
// then issues the same primitives with the same state: the empty 3-D pass, the overlay state, the
// prompt, the entry field's frame and its empty text, the button, the checked check box, the three
// help lines and the frame counter's "0". On llvmpipe the first use of each state combination
// compiles a shader, so only a frame with the same state is a fair comparison.
#pragma once

#include "bench/GlyphRaster.h"
#include "bench/LabelFace.h"
#include "hypercube/WindowLens.h"
#include "platform/Gl.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace bench {

class RawPanel {
public:
    RawPanel() { FT_Init_FreeType(&library); }
    ~RawPanel() {
        for (const Text* text :
             {&prompt, &field, &caption, &checkCaption, &help[0], &help[1], &help[2], &counter})
            glDeleteTextures(1, &text->name);
        if (face)
            FT_Done_Face(face);
        FT_Done_FreeType(library);
    }
    RawPanel(const RawPanel&) = delete;
    RawPanel& operator=(const RawPanel&) = delete;

    // What the program does before its first frame: the font, every text texture, the fixed GL state.
    bool Build() {
        face = OpenFace(library, "AR PL UMing CN", 13);
        if (!face)
            return false;
        // 10 points at 96 dots per inch are 13 pixels, 9 points 12.
        prompt = Make(L"请输入超立方体维度：", 13);
        field = Make(L"", 13);
        caption = Make(L"马上生成～～", 13);
        checkCaption = Make(L"线框渲染", 13);
        help[0] = Make(L"操作：主键盘上0控制坐标X,1控制坐标Y,2控制坐标Z,3控制坐标W...于此类推。", 13);
        help[1] =
            Make(L"按住两个坐标键，即可以让物体在这2个坐标组成的平面上旋转，再按住shift键旋转方向相反", 13);
        help[2] = Make(L"按住鼠标键，移动鼠标可以从其它角度观察,鼠标滚轮控制镜头远近", 13);
        counter = Make(L"0", 12);
        glViewport(0, 0, WindowLens::windowWidth, WindowLens::windowHeight);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        gluPerspective(WindowLens::fieldOfViewDegrees, WindowLens::aspect, WindowLens::nearPlane,
                       WindowLens::farPlane);
        glEnableClientState(GL_VERTEX_ARRAY);
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        glCullFace(GL_BACK);
        glFrontFace(GL_CW);
        glMatrixMode(GL_MODELVIEW);
        return true;
    }

    // The first frame, not swapped.
    void Draw() const {
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        // The 3-D pass before any hypercube: the camera and nothing else.
        glLoadIdentity();
        glDisable(GL_CULL_FACE);
        gluLookAt(0.0, 0.0, 150.0, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0);

        glMatrixMode(GL_PROJECTION);
        glPushMatrix();
        glLoadIdentity();
        glOrtho(0, WindowLens::windowWidth, WindowLens::windowHeight, 0, 1, -1);
        glMatrixMode(GL_MODELVIEW);
        glPushMatrix();
        glLoadIdentity();
        glDisable(GL_MULTISAMPLE);
        glDisable(GL_DEPTH_TEST);
        glDisable(GL_LIGHTING);
        glDisable(GL_TEXTURE_2D);
        glDisable(GL_CULL_FACE);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glEnable(GL_LINE_SMOOTH);
        glHint(GL_LINE_SMOOTH_HINT, GL_NICEST);
        glEnable(GL_POINT_SMOOTH);
        glHint(GL_POINT_SMOOTH_HINT, GL_NICEST);
        glEnable(GL_POLYGON_SMOOTH);
        glHint(GL_POLYGON_SMOOTH_HINT, GL_NICEST);

        Quad(prompt, 20, 20, 1.0f);
        // The entry field: frame, then its (empty) text clipped to the interior.
        glColor3f(0.0f, 0.4f, 1.0f);
        glLineWidth(2.0f);
        Outline(160, 15, 260, 35);
        glEnable(GL_SCISSOR_TEST);
        glScissor(162, 735, 96, 16);
        Quad(field, 162, 18, 1.0f);
        glDisable(GL_SCISSOR_TEST);
        // The button at (874, 20), 100 x 30, its caption centred on the measured text.
        ButtonFrame(874, 20, 100, 30);
        Quad(caption, 924 - caption.width / 2, 35 - caption.height / 2, 1.0f);
        // The check box at (400, 18), 21 x 21, checked.
        ButtonFrame(400, 18, 21, 21);
        glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
        glLineWidth(3.0f);
        glBegin(GL_LINES);
        glVertex2i(405, 23);
        glVertex2i(416, 34);
        glVertex2i(416, 23);
        glVertex2i(405, 34);
        glEnd();
        Quad(checkCaption, 423, 28 - checkCaption.height / 2, 1.0f);
        for (int i = 0; i < 3; ++i)
            Quad(help[i], 10, 708 + 20 * i, 1.0f);
        Quad(counter, 0, 0, 0.8f);

        glDisable(GL_LINE_SMOOTH);
        glDisable(GL_POINT_SMOOTH);
        glDisable(GL_POLYGON_SMOOTH);
        glDisable(GL_BLEND);
        glPopMatrix();
        glMatrixMode(GL_PROJECTION);
        glPopMatrix();
        glMatrixMode(GL_MODELVIEW);
        glEnable(GL_DEPTH_TEST);
        glEnable(GL_LIGHTING);
        glEnable(GL_MULTISAMPLE);
        glEnable(GL_TEXTURE_2D);
        glEnable(GL_CULL_FACE);
    }

private:
    struct Text {
        GLuint name = 0;
        int width = 0, height = 0;               // the measured text
        int textureWidth = 0, textureHeight = 0; // powers of two
    };

    static int PowerOfTwo(int n) {
        int power = n > 0 ? 1 : 0;
        while (power > 0 && power < n)
            power <<= 1;
        return power;
    }

    // One text drawn into a coverage buffer glyph by glyph (no cache), turned into white glyphs whose
    // alpha is the coverage and uploaded. The cell height comes from the font's Windows metrics, as a
    // GDI text cell's does.
    Text Make(const std::wstring& string, int pixelsPerEm) {
        FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixelsPerEm));
        const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
        auto scaled = [&](long units) {
            return static_cast<int>((units * pixelsPerEm + face->units_per_EM / 2) / face->units_per_EM);
        };
        const int ascent =
            os2 ? scaled(os2->usWinAscent) : static_cast<int>(face->size->metrics.ascender >> 6);
        const int descent =
            os2 ? scaled(os2->usWinDescent) : static_cast<int>(-face->size->metrics.descender >> 6);
        Text text;
        text.height = string.empty() ? 0 : ascent + descent;
        text.width = TextWidth(face, string, 0);
        text.textureWidth = PowerOfTwo(text.width);
        text.textureHeight = PowerOfTwo(text.height);
        std::vector<uint8_t> coverage(static_cast<size_t>(text.textureWidth) * text.textureHeight, 0);
        DrawGlyphs(face, string, pixelsPerEm, ascent, 0, coverage, text.textureWidth, text.textureHeight);
        std::vector<uint8_t> texels(coverage.size() * 4);
        for (size_t i = 0; i < coverage.size(); ++i) {
            texels[4 * i] = texels[4 * i + 1] = texels[4 * i + 2] = coverage[i] ? 255 : 0;
            texels[4 * i + 3] = coverage[i];
        }
        glGenTextures(1, &text.name);
        glBindTexture(GL_TEXTURE_2D, text.name);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
        glTexImage2D(GL_TEXTURE_2D, 0, 4, text.textureWidth, text.textureHeight, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                     texels.data());
        glBindTexture(GL_TEXTURE_2D, 0);
        return text;
    }

    // Like the program's text, the quad covers the whole texture and texturing stays switched on.
    static void Quad(const Text& text, int x, int y, float alpha) {
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, text.name);
        glColor4f(1.0f, 1.0f, 1.0f, alpha);
        glBegin(GL_QUADS);
        glTexCoord2f(0.0f, 0.0f);
        glVertex2i(x, y);
        glTexCoord2f(0.0f, 1.0f);
        glVertex2i(x, y + text.textureHeight);
        glTexCoord2f(1.0f, 1.0f);
        glVertex2i(x + text.textureWidth, y + text.textureHeight);
        glTexCoord2f(1.0f, 0.0f);
        glVertex2i(x + text.textureWidth, y);
        glEnd();
        glBindTexture(GL_TEXTURE_2D, 0);
    }

    static void Outline(int left, int top, int right, int bottom) {
        glBegin(GL_LINE_STRIP);
        glVertex2i(left, top);
        glVertex2i(right, top);
        glVertex2i(right, bottom);
        glVertex2i(left, bottom);
        glVertex2i(left, top);
        glEnd();
    }

    // A button's translucent fill inset by 2 pixels and its 4-pixel blue outline, not hovered.
    static void ButtonFrame(int x, int y, int w, int h) {
        glColor4f(0.05f, 0.05f, 0.5f, 0.5f);
        glBegin(GL_QUADS);
        glVertex2i(x + 2, y + 2);
        glVertex2i(x + w - 2, y + 2);
        glVertex2i(x + w - 2, y + h - 2);
        glVertex2i(x + 2, y + h - 2);
        glEnd();
        glLineWidth(4.0f);
        glColor3f(0.0f, 0.4f, 1.0f);
        Outline(x + 2, y + 2, x + w - 2, y + h - 2);
    }

    FT_Library library = nullptr;
    FT_Face face = nullptr;
    Text prompt, field, caption, checkCaption, help[3], counter;
};

} // namespace bench
