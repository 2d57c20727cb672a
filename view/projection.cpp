#include "view/projection.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include "model/tables.h"
#include "state/view_globals.h"
#include "view/member_solids.h"

int ProjectToWindow(float x, float y, float z, float& windowX, float& windowY)
{
    GLfloat buffer[128];
    glFeedbackBuffer(128, GL_3D, buffer);
    glRenderMode(GL_FEEDBACK);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(g_dEyeX, g_dEyeY, g_dEyeZ, g_dCenterX, g_dCenterY, g_dCenterZ, 0, g_dUpY, 0);
    glBegin(GL_POINTS);
    glVertex3f(x, y, z);
    glEnd();
    const GLint count = glRenderMode(GL_RENDER);
    glMatrixMode(GL_PROJECTION);
    // A point token and its three coordinates; anything else (clipped, or an
    // overflow reported as -1) is no projection.
    if (count < 4 || buffer[0] != static_cast<GLfloat>(GL_POINT_TOKEN)) return 0;
    windowX = buffer[1];
    windowY = static_cast<float>(g_nViewHeight) - buffer[2];
    return 1;
}

int ProjectJoint(int j, short& windowX, short& windowY)
{
    if (j < 1 || j > g_nJoints || j > MAX_JOINTS) return 0;
    const JointRec& p = g_Joints[j];
    float x, y;
    if (!ProjectToWindow(p.x, p.y, p.z, x, y)) return 0;
    windowX = static_cast<short>(x);
    windowY = static_cast<short>(y);
    return 1;
}

int ProjectMember(int m, short& windowX, short& windowY)
{
    int a, b;
    if (!MemberJoints(m, a, b)) return 0;
    float xa, ya, xb, yb;
    const JointRec& ja = g_Joints[a];
    const JointRec& jb = g_Joints[b];
    if (!ProjectToWindow(ja.x, ja.y, ja.z, xa, ya) || !ProjectToWindow(jb.x, jb.y, jb.z, xb, yb)) return 0;
    windowX = static_cast<short>((xa + xb) / 2);
    windowY = static_cast<short>((ya + yb) / 2);
    return 1;
}
