// Geometry read back in GL feedback mode, for the drawing tests.
#pragma once

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

#include <GL/gl.h>
#include <gtest/gtest.h>

struct FbVertex {
    float x, y, z, r, g, b;
};

struct FbPrimitive {
    GLenum token;  // GL_POLYGON_TOKEN, GL_LINE_TOKEN, GL_POINT_TOKEN, ...
    std::vector<FbVertex> vertices;
};

using FbKeep = std::function<bool(const FbVertex&)>;

// Runs draw() in feedback mode through an orthographic box of half-size
// `half` with an identity model-view, lighting and culling off, and returns
// the primitives with their vertices in model units. With tilt the scene is
// seen from that many degrees above the front and culling stays on.
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

inline bool IsLine(const FbPrimitive& p) { return p.token == GL_LINE_TOKEN || p.token == GL_LINE_RESET_TOKEN; }

inline bool IsColour(const FbVertex& v, float r, float g, float b)
{
    return std::fabs(v.r - r) < 0.01f && std::fabs(v.g - g) < 0.01f && std::fabs(v.b - b) < 0.01f;
}

// Some primitives, every vertex in the colour (r, g, b).
inline bool AllIn(const std::vector<FbPrimitive>& prims, float r, float g, float b)
{
    for (const auto& p : prims)
        for (const auto& v : p.vertices)
            if (!IsColour(v, r, g, b)) return false;
    return !prims.empty();
}

struct FbBox {
    float lo[3] = {1e9f, 1e9f, 1e9f}, hi[3] = {-1e9f, -1e9f, -1e9f};
    int count = 0;
};

// Extent of the vertices that keep() accepts (all without it).
inline FbBox BoxOf(const std::vector<FbPrimitive>& prims, const FbKeep& keep = nullptr)
{
    FbBox b;
    for (const auto& p : prims)
        for (const auto& v : p.vertices) {
            if (keep && !keep(v)) continue;
            const float c[3] = {v.x, v.y, v.z};
            for (int k = 0; k < 3; ++k) b.lo[k] = std::min(b.lo[k], c[k]), b.hi[k] = std::max(b.hi[k], c[k]);
            ++b.count;
        }
    return b;
}

// want: x0, x1, y0, y1, z0, z1. Depth comes back with at least 1e-3 of error.
inline void ExpectBox(const FbBox& b, const std::vector<float>& want, float tol)
{
    ASSERT_GT(b.count, 0);
    for (int k = 0; k < 6; ++k)
        EXPECT_NEAR(want[k], k % 2 ? b.hi[k / 2] : b.lo[k / 2], k < 4 ? tol : std::max(tol, 1e-3f)) << "bound " << k;
}
