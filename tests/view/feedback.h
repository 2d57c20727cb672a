// Geometry read back in GL feedback mode, for the drawing tests.
#pragma once

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

#include <GL/gl.h>
#include <gtest/gtest.h>

struct FbVertex { float x, y, z, r, g, b; };
struct FbPrimitive { GLenum token; std::vector<FbVertex> vertices; };  // token: GL_POLYGON_TOKEN, ...

using FbPrims = std::vector<FbPrimitive>;
using FbKeep = std::function<bool(const FbVertex&)>;

// Runs draw() through an orthographic box of +-half across and +-deep in
// depth, seen turned by `turn` degrees about y, lighting and culling off.
inline void InOrtho(float half, float deep, float turn, const std::function<void()>& draw)
{
    glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_CULL_FACE);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(-half, half, -half, half, -deep, deep);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glRotatef(turn, 0, 1, 0);
    draw();
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopAttrib();
}

// The primitives draw() makes through the box of half-size `half`, read in
// feedback mode, with their vertices in model units.
inline FbPrims Feedback(const std::function<void()>& draw, float half = 1)
{
    std::vector<GLfloat> buffer(1 << 22);
    GLint vp[4];
    glGetIntegerv(GL_VIEWPORT, vp);
    glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D_COLOR, buffer.data());
    glRenderMode(GL_FEEDBACK);
    InOrtho(half, half, 0, draw);
    const GLint count = glRenderMode(GL_RENDER);
    FbPrims prims;
    for (GLint i = 0; i < count;) {
        const GLenum token = static_cast<GLenum>(buffer[i++]);
        int n = token == GL_POINT_TOKEN ? 1 : token == GL_LINE_TOKEN || token == GL_LINE_RESET_TOKEN ? 2 : 0;
        if (token == GL_POLYGON_TOKEN) n = static_cast<int>(buffer[i++]);
        if (token == GL_PASS_THROUGH_TOKEN && ++i) continue;
        FbPrimitive p{token, {}};
        for (int k = 0; k < n; ++k, i += 7) {  // x, y, z, r, g, b, a
            const GLfloat* v = &buffer[i];
            p.vertices.push_back({((v[0] - vp[0]) / vp[2] * 2 - 1) * half, ((v[1] - vp[1]) / vp[3] * 2 - 1) * half,
                                  -(v[2] * 2 - 1) * half, v[3], v[4], v[5]});
        }
        prims.push_back(p);
    }
    return prims;
}

inline bool IsLine(const FbPrimitive& p) { return p.token == GL_LINE_TOKEN || p.token == GL_LINE_RESET_TOKEN; }

inline int Polygons(const FbPrims& prims)
{
    return static_cast<int>(
        std::count_if(prims.begin(), prims.end(), [](const FbPrimitive& p) { return p.token == GL_POLYGON_TOKEN; }));
}

inline bool IsColour(const FbVertex& v, float r, float g, float b)
{
    return std::fabs(v.r - r) < 0.01f && std::fabs(v.g - g) < 0.01f && std::fabs(v.b - b) < 0.01f;
}

inline FbKeep Colour(float r, float g, float b)
{
    return [=](const FbVertex& v) { return IsColour(v, r, g, b); };
}

// Some primitives, every vertex in the colour (r, g, b).
inline bool AllIn(const FbPrims& prims, float r, float g, float b)
{
    for (const auto& p : prims)
        for (const auto& v : p.vertices)
            if (!IsColour(v, r, g, b)) return false;
    return !prims.empty();
}

struct FbBox { float lo[3] = {1e9f, 1e9f, 1e9f}, hi[3] = {-1e9f, -1e9f, -1e9f}; int count = 0; };

// Extent of the vertices that keep() accepts (all without it).
inline FbBox BoxOf(const FbPrims& prims, const FbKeep& keep = nullptr)
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
