// The OpenGL 1.1 and GLU entry points the program calls, and no others, each forwarded to the
// current context's pipeline. Without a current context a call does nothing, as on the desktop.
#include "platform/webgl/GlCurrent.h"

#include <GL/gl.h>
#include <GL/glu.h>

namespace webgl {
namespace {
GlPipeline* current = nullptr;
} // namespace
void MakeCurrent(GlPipeline* pipeline) {
    current = pipeline;
}
GlPipeline* Current() {
    return current;
}
} // namespace webgl

#define WITH_PIPELINE(call)                                                                                  \
    do {                                                                                                     \
        if (webgl::GlPipeline* p = webgl::Current())                                                         \
            p->call;                                                                                         \
    } while (0)

extern "C" {

void glMatrixMode(GLenum mode) {
    WITH_PIPELINE(MatrixMode(mode));
}
void glLoadIdentity() {
    WITH_PIPELINE(LoadIdentity());
}
void glPushMatrix() {
    WITH_PIPELINE(PushMatrix());
}
void glPopMatrix() {
    WITH_PIPELINE(PopMatrix());
}
void glOrtho(GLdouble l, GLdouble r, GLdouble b, GLdouble t, GLdouble n, GLdouble f) {
    WITH_PIPELINE(MultMatrix(webgl::GlMatrix::Ortho(l, r, b, t, n, f)));
}
void gluOrtho2D(GLdouble l, GLdouble r, GLdouble b, GLdouble t) {
    glOrtho(l, r, b, t, -1.0, 1.0);
}
void gluPerspective(GLdouble fovy, GLdouble aspect, GLdouble zNear, GLdouble zFar) {
    WITH_PIPELINE(MultMatrix(webgl::GlMatrix::Perspective(fovy, aspect, zNear, zFar)));
}
void gluLookAt(GLdouble ex, GLdouble ey, GLdouble ez, GLdouble cx, GLdouble cy, GLdouble cz, GLdouble ux,
               GLdouble uy, GLdouble uz) {
    const double eye[3] = {ex, ey, ez}, centre[3] = {cx, cy, cz}, up[3] = {ux, uy, uz};
    WITH_PIPELINE(MultMatrix(webgl::GlMatrix::LookAt(eye, centre, up)));
}

void glEnable(GLenum capability) {
    WITH_PIPELINE(Enable(capability, true));
}
void glDisable(GLenum capability) {
    WITH_PIPELINE(Enable(capability, false));
}
// Vertex arrays are switched on at start-up but never drawn from; hints change nothing here.
void glEnableClientState(GLenum) {}
void glHint(GLenum, GLenum) {}
void glBlendFunc(GLenum source, GLenum destination) {
    WITH_PIPELINE(BlendFunc(source, destination));
}
void glFogf(GLenum parameter, GLfloat value) {
    WITH_PIPELINE(Fog(parameter, &value));
}
void glFogi(GLenum parameter, GLint value) {
    const GLfloat v = static_cast<GLfloat>(value);
    WITH_PIPELINE(Fog(parameter, &v));
}
void glFogfv(GLenum parameter, const GLfloat* values) {
    WITH_PIPELINE(Fog(parameter, values));
}
void glLineWidth(GLfloat width) {
    WITH_PIPELINE(LineWidth(width));
}
void glViewport(GLint x, GLint y, GLsizei width, GLsizei height) {
    WITH_PIPELINE(Viewport(x, y, width, height));
}
void glScissor(GLint x, GLint y, GLsizei width, GLsizei height) {
    WITH_PIPELINE(Scissor(x, y, width, height));
}
void glCullFace(GLenum mode) {
    WITH_PIPELINE(CullFace(mode));
}
void glFrontFace(GLenum mode) {
    WITH_PIPELINE(FrontFace(mode));
}
void glClearColor(GLclampf r, GLclampf g, GLclampf b, GLclampf a) {
    WITH_PIPELINE(ClearColor(r, g, b, a));
}
void glClear(GLbitfield mask) {
    WITH_PIPELINE(Clear(mask));
}

void glBegin(GLenum mode) {
    WITH_PIPELINE(Begin(mode));
}
void glEnd() {
    WITH_PIPELINE(End());
}
void glVertex2i(GLint x, GLint y) {
    WITH_PIPELINE(Vertex(static_cast<float>(x), static_cast<float>(y), 0.0f));
}
void glVertex2fv(const GLfloat* v) {
    WITH_PIPELINE(Vertex(v[0], v[1], 0.0f));
}
void glVertex3fv(const GLfloat* v) {
    WITH_PIPELINE(Vertex(v[0], v[1], v[2]));
}
void glColor3f(GLfloat r, GLfloat g, GLfloat b) {
    WITH_PIPELINE(Color(r, g, b, 1.0f));
}
void glColor4f(GLfloat r, GLfloat g, GLfloat b, GLfloat a) {
    WITH_PIPELINE(Color(r, g, b, a));
}
void glColor4fv(const GLfloat* c) {
    WITH_PIPELINE(Color(c[0], c[1], c[2], c[3]));
}
void glTexCoord2f(GLfloat s, GLfloat t) {
    WITH_PIPELINE(TexCoord(s, t));
}
void glTexCoord2i(GLint s, GLint t) {
    WITH_PIPELINE(TexCoord(static_cast<float>(s), static_cast<float>(t)));
}

void glGenTextures(GLsizei n, GLuint* names) {
    for (GLsizei i = 0; i < n; ++i)
        names[i] = webgl::Current() ? webgl::Current()->GenTexture() : 0;
}
void glDeleteTextures(GLsizei n, const GLuint* names) {
    for (GLsizei i = 0; i < n; ++i)
        WITH_PIPELINE(DeleteTexture(names[i]));
}
void glBindTexture(GLenum target, GLuint name) {
    if (target == GL_TEXTURE_2D)
        WITH_PIPELINE(BindTexture(name));
}
void glTexParameteri(GLenum target, GLenum parameter, GLint value) {
    if (target == GL_TEXTURE_2D)
        WITH_PIPELINE(TexParameter(parameter, value));
}
// Rows of RGBA bytes are whole words, so only the default alignment of 4 ever reaches the upload.
void glPixelStorei(GLenum, GLint) {}
void glTexImage2D(GLenum target, GLint, GLint internalFormat, GLsizei width, GLsizei height, GLint,
                  GLenum format, GLenum type, const GLvoid* pixels) {
    if (target == GL_TEXTURE_2D)
        WITH_PIPELINE(
            TexImage(internalFormat, width, height, format, type, static_cast<const uint8_t*>(pixels)));
}

} // extern "C"
