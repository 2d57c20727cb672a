// Geometry read back in GL feedback mode, for the drawing tests.
#pragma once

#include <functional>
#include <vector>

#include <GL/gl.h>

struct FbVertex {
    float x, y, z, r, g, b;
};

struct FbPrimitive {
    GLenum token;  // GL_POLYGON_TOKEN, GL_LINE_TOKEN, GL_POINT_TOKEN, ...
    std::vector<FbVertex> vertices;
};

// Runs draw() in feedback mode through an orthographic box of half-size
// `half` with an identity model-view, lighting and culling off, and returns
// the primitives with their vertices in model units (with half = 1, the
// normalised device coordinates of an identity projection). With tilt the
// scene is seen from that many degrees above the front and culling stays on.
inline std::vector<FbPrimitive> FeedbackPrimitives(const std::function<void()>& draw, float half = 1,
                                                   float tilt = 0)
{
    std::vector<GLfloat> buffer(1 << 22);
    GLint vp[4];
    glGetIntegerv(GL_VIEWPORT, vp);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(-half, half, -half, half, -half, half);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glPushAttrib(GL_ENABLE_BIT);
    glDisable(GL_LIGHTING);
    if (tilt != 0)
        glRotatef(tilt, 1, 0, 0);
    else
        glDisable(GL_CULL_FACE);
    glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D_COLOR, buffer.data());
    glRenderMode(GL_FEEDBACK);
    draw();
    const GLint count = glRenderMode(GL_RENDER);
    glPopAttrib();
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);

    std::vector<FbPrimitive> prims;
    constexpr int kStride = 7;  // x, y, z, r, g, b, a
    for (GLint i = 0; i < count;) {
        const GLenum token = static_cast<GLenum>(buffer[i++]);
        int n = 0;
        if (token == GL_POLYGON_TOKEN)
            n = static_cast<int>(buffer[i++]);
        else if (token == GL_LINE_TOKEN || token == GL_LINE_RESET_TOKEN)
            n = 2;
        else if (token == GL_POINT_TOKEN)
            n = 1;
        else if (token == GL_PASS_THROUGH_TOKEN) {
            ++i;
            continue;
        }
        FbPrimitive p{token, {}};
        for (int k = 0; k < n; ++k, i += kStride) {
            const GLfloat* v = &buffer[i];
            p.vertices.push_back({((v[0] - vp[0]) / vp[2] * 2 - 1) * half, ((v[1] - vp[1]) / vp[3] * 2 - 1) * half,
                                  -(v[2] * 2 - 1) * half, v[3], v[4], v[5]});
        }
        prims.push_back(p);
    }
    return prims;
}
