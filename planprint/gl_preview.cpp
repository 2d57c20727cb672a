// The preview's GL drawing: the guide plane, its tiles and grid, and the
// member outlines, on whatever context is current.
#include <GL/gl.h>
#include <GL/glu.h>

#include "planprint/model_data.h"
#include "planprint/outline.h"
#include "planprint/scene.h"
#include "planprint/settings.h"
#include "planprint/tile_view.h"

namespace {

constexpr int kListCount = 20;
constexpr int kOutlineListIndex = 2;  // the third name
GLuint s_outlineList = 0;

// Lines across the guide plane every step, from 0 while within it.
void GridLines(float step)
{
    glBegin(GL_LINES);
    for (int i = 0;; ++i) {
        const float x = i * step;
        if (x > g_fGuidePlaneX) break;
        glVertex2f(x, 0);
        glVertex2f(x, g_fGuidePlaneY);
    }
    for (int i = 0;; ++i) {
        const float y = i * step;
        if (y > g_fGuidePlaneY) break;
        glVertex2f(0, y);
        glVertex2f(g_fGuidePlaneX, y);
    }
    glEnd();
}

void Grid(float minorStep)
{
    glPushMatrix();
    glTranslatef(0, 0, 0.01f);
    glColor3f(0.75f, 0.75f, 0.75f);
    GridLines(minorStep);
    glTranslatef(0, 0, 0.01f);
    glColor3f(0.5f, 0.5f, 0.5f);
    GridLines(1);
    glPopMatrix();
}

// All edges in one primitive, then the dots of selected corners.
void CompileOutlines()
{
    glNewList(s_outlineList, GL_COMPILE);
    glLineWidth(1);
    glBegin(GL_LINES);
    for (int k = 1; k <= g_pModel->nMembers; ++k) {
        const CMember& m = g_pMembers[k];
        if (m.nOffPlane != 0) continue;
        for (int i = 0; i < 4; ++i) {
            if (m.nEdgeMark[i] != 1 && m.nEdgeMark[i] != 2) continue;
            const int j = (i + 1) % 4;
            if (m.nEdgeMark[i] == 1)
                glColor3f(0, 0, 0);
            else
                glColor3f(1, 0, 0);
            glVertex3f(m.fCornerX[i], m.fCornerY[i], 0);
            glVertex3f(m.fCornerX[j], m.fCornerY[j], 0);
        }
    }
    glEnd();
    GLUquadric* sphere = gluNewQuadric();
    glColor3f(1, 0, 0);
    for (int k = 1; k <= g_pModel->nMembers; ++k) {
        const CMember& m = g_pMembers[k];
        if (m.nOffPlane != 0) continue;
        for (int i = 0; i < 4; ++i) {
            if (m.nEndMark[i] != 2) continue;
            glPushMatrix();
            glTranslatef(m.fCornerX[i], m.fCornerY[i], 0);
            gluSphere(sphere, 0.025, 8, 8);
            glPopMatrix();
        }
    }
    gluDeleteQuadric(sphere);
    glEndList();
}

}  // namespace

void CGLScene::SetupContext()
{
    m_nListBase = glGenLists(kListCount);
    s_outlineList = m_nListBase + kOutlineListIndex;
    g_bOutlineListBuilt = 0;

    glClearColor(fClearR, fClearG, fClearB, 1);
    glClearDepth(1);
    glShadeModel(GL_SMOOTH);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    glFrontFace(GL_CCW);

    const GLfloat ambient[] = {fAmbientR, fAmbientG, fAmbientB, 1};
    const GLfloat emission[] = {0.3f, 0.3f, 0.3f, 1};
    const GLfloat black[] = {0, 0, 0, 1};
    const GLfloat diffuse[] = {fDiffuseR, fDiffuseG, fDiffuseB, 1};
    const GLfloat position[] = {48, 96, 84, 0};
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, ambient);
    glEnable(GL_COLOR_MATERIAL);
    glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
    glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, emission);
    glLightfv(GL_LIGHT0, GL_AMBIENT, black);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
    glLightfv(GL_LIGHT0, GL_POSITION, position);
    glEnable(GL_LIGHT0);
    glEnable(GL_LIGHTING);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDisable(GL_BLEND);
}

void CGLScene::ReleaseContext()
{
    if (m_nListBase) glDeleteLists(m_nListBase, kListCount);
    m_nListBase = 0;
    s_outlineList = 0;
    g_bOutlineListBuilt = 0;
}

void CGLScene::LoadProjection()
{
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluOrtho2D(fLeft, fRight, fBottom, fTop);
    if (nWidth > 0 && nHeight > 0) glViewport(0, 0, nWidth, nHeight);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void CGLScene::DrawDetail()
{
    LoadProjection();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    glPushMatrix();
    g_Overlay.Draw();
    if (g_bShowGridLines) {
        if (g_bSIUnits)
            g_Overlay.DrawGridSI();
        else
            g_Overlay.DrawGridEnglish();
    }
    DrawOutlines2d();
    glPopMatrix();
    glFinish();
}

void CTileOverlay::Draw()
{
    glTranslatef(fViewOffsetX, fViewOffsetY, -0.01f);
    glColor3f(1, 1, 1);
    glBegin(GL_QUADS);
    glNormal3f(0, 0, 1);
    glVertex2f(0, 0);
    glVertex2f(g_fGuidePlaneX, 0);
    glVertex2f(g_fGuidePlaneX, g_fGuidePlaneY);
    glVertex2f(0, g_fGuidePlaneY);
    glEnd();

    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    glColor3f(0, 0, 0);
    const bool portrait = g_nPageOrient == kPortrait;
    const float w = portrait ? g_fPrintablePageW : g_fPrintablePageH;
    const float h = portrait ? g_fPrintablePageH : g_fPrintablePageW;
    for (int i = 1; i <= g_nRows; ++i) {
        for (int j = 1; j <= g_nCols; ++j) {
            glPushMatrix();
            glTranslatef((j - 1) * w, (i - 1) * h, 0.02f);
            glBegin(GL_QUADS);
            glVertex2f(0, 0);
            glVertex2f(w, 0);
            glVertex2f(w, h);
            glVertex2f(0, h);
            glEnd();
            glPopMatrix();
        }
    }
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
}

void CTileOverlay::DrawGridEnglish() { Grid(0.125f); }

void CTileOverlay::DrawGridSI() { Grid(0.2f); }

void DrawOutlines2d()
{
    if (g_pModel->nMembers == 0 || s_outlineList == 0) return;
    glPushMatrix();
    glTranslatef(g_pModel->fOffsetX, g_pModel->fOffsetY, g_pModel->fLiftZ);
    if (!g_bOutlineListBuilt) {
        g_bOutlineListBuilt = 1;
        CompileOutlines();
    }
    glCallList(s_outlineList);
    glPopMatrix();
}
