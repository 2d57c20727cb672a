#include "view/gl_setup.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include "state/view_globals.h"

void InitGLState()
{
    glClearColor(g_fBackgroundR, g_fBackgroundG, g_fBackgroundB, 1.0f);
    glShadeModel(GL_FLAT);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_CULL_FACE);
    glFrontFace(GL_CCW);
}

void SetupLighting()
{
    const GLfloat ambient[] = {g_fAmbientLightR, g_fAmbientLightG, g_fAmbientLightB, 1.0f};
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, ambient);

    const GLfloat material[] = {0.3f, 0.3f, 0.3f, 1.0f};
    // Called again on every resize: with colour material still on, the
    // material would be set while the current colour tracks it.
    glDisable(GL_COLOR_MATERIAL);
    glColorMaterial(GL_FRONT, GL_AMBIENT_AND_DIFFUSE);
    glMaterialfv(GL_FRONT, GL_AMBIENT_AND_DIFFUSE, material);
    glMaterialfv(GL_FRONT, GL_EMISSION, material);
    glEnable(GL_COLOR_MATERIAL);

    const GLfloat lightAmbient[] = {0.0f, 0.0f, 0.0f, 1.0f};
    const GLfloat lightDiffuse[] = {g_fDirectLightR, g_fDirectLightG, g_fDirectLightB, 1.0f};
    const GLfloat lightPosition[] = {48.0f, 96.0f, 84.0f, 0.0f};  // directional
    glLightfv(GL_LIGHT0, GL_AMBIENT, lightAmbient);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, lightDiffuse);
    glLightfv(GL_LIGHT0, GL_POSITION, lightPosition);

    glEnable(GL_LIGHT0);
    glEnable(GL_LIGHTING);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDisable(GL_BLEND);
}

double ViewAspect(int width, int height)
{
    if (width <= 0 || height <= 0) return 1.0;
    return width > height ? static_cast<double>(width) / height : static_cast<double>(height) / width;
}

void MultiplyViewPerspective(int width, int height)
{
    gluPerspective(g_dFieldOfView, ViewAspect(width, height), g_dNearPlane, g_dFarPlane);
}

void LoadViewProjection(int width, int height)
{
    if (width <= 0 || height <= 0) return;
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    MultiplyViewPerspective(width, height);
    glViewport(0, 0, width, height);
}

void ResizeGLViewport(int width, int height)
{
    g_nViewWidth = width;
    g_nViewHeight = height;
    if (width <= 0 || height <= 0) return;
    LoadViewProjection(width, height);
    SetupLighting();
}

void SetGLClearColor(float r, float g, float b, float a)
{
    glClearColor(r, g, b, a);
}
