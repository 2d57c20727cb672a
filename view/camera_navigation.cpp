#include "view/camera_navigation.h"

#include <algorithm>
#include <cmath>

#include "model/tables.h"
#include "platform/platform.h"
#include "printing/plane_print.h"
#include "state/frame_globals.h"
#include "state/view_globals.h"
#include "view/mouse_editing.h"
#include "view/pick_dialogs.h"
#include "view/picking.h"
#include "view/status_prompt.h"

namespace {

void Redraw()
{
    platform::InvalidateView(false);
}

void SetAngles(float angle)
{
    g_fOrbitAngle = g_fOrbitAngleB = angle;
}

// Horizontal distance (in x and z) from the centre to the eye.
double HorizontalEyeDistance()
{
    return std::hypot(g_dEyeX - g_dCenterX, g_dEyeZ - g_dCenterZ);
}

// The eye on the horizontal orbit at distance r; its height unchanged.
void PlaceEye(double r)
{
    g_dEyeX = g_dCenterX - std::cos(g_fOrbitAngle) * r;
    g_dEyeZ = g_dCenterZ + std::sin(g_fOrbitAngle) * r;
}

void MoveCentreForward(double s)
{
    g_dCenterX += std::cos(g_fOrbitAngle) * s;
    g_dCenterZ -= std::sin(g_fOrbitAngle) * s;
}

// The eye's height moved along its line of sight after a dolly to r.
void TiltEyeAfterDolly(double r, double s, int sign)
{
    if (r == 0 || s == 0) return;
    g_dEyeY += sign * (g_dEyeY - g_dCenterY) / (r / s);
}

void LookFrom(float angle, double ex, double ey, double ez, double cx, double cy, double cz)
{
    SetAngles(angle);
    g_dEyeX = ex, g_dEyeY = ey, g_dEyeZ = ez;
    g_dCenterX = cx, g_dCenterY = cy, g_dCenterZ = cz;
}

void HomeView()
{
    g_bFollowTruckCamera = 0;
    SetInitialCamera();
}

struct PresetView {
    float angle;
    double eye[3], centre[3];
};

// F2 to F10 (F10 repeats F9).
const PresetView kPresets[] = {
    {0.0f, {-30, 12, 10}, {22, 12, 10}},       {1.57f, {20, 50, 14}, {20, 0, 12}},
    {1.57f, {19, -25, 23}, {19, 12, 12}},      {2.29f, {58.6, 35, 53.4}, {22.3, 12, 12}},
    {0.0f, {-25, 12, 14}, {36, 12, 14}},       {4.77f, {20, 12, -36}, {20, 12, 24}},
    {1.57f, {22, 12, 83}, {22, 12, 12}},       {2.29f, {35.3, 16, 29.9}, {20.8, 9, 13.3}},
    {2.29f, {35.3, 16, 29.9}, {20.8, 9, 13.3}},
};

void ShowLayers(int on)
{
    int* layers[] = {&g_bShowXYBasePlane, &g_bShowYZBasePlane, &g_bShowXZBasePlane, &g_bShowRulers,
                     &g_bShowJoints,      &g_bShowLoads,       &g_bShowGuideXY,      &g_bShowGuideXZ,
                     &g_bShowGuideYZ};
    for (int* layer : layers) *layer = on;
    if (on) g_bShowSupports = 1;
}

void StoreSlot(CameraSlot& slot)
{
    slot.angleB = g_fOrbitAngleB;
    slot.angle = g_fOrbitAngle;
    slot.eyeX = g_dEyeX, slot.eyeY = g_dEyeY, slot.eyeZ = g_dEyeZ;
    slot.centerX = g_dCenterX, slot.centerY = g_dCenterY, slot.centerZ = g_dCenterZ;
}

void RestoreSlot(const CameraSlot& slot)
{
    g_fOrbitAngleB = slot.angleB;
    g_fOrbitAngle = slot.angle;
    g_dEyeX = slot.eyeX, g_dEyeY = slot.eyeY, g_dEyeZ = slot.eyeZ;
    g_dCenterX = slot.centerX, g_dCenterY = slot.centerY, g_dCenterZ = slot.centerZ;
}

void EscapeKey()
{
    g_bOrbitDragging = 0;
    g_bOrbitLockHorizontal = g_bOrbitLockVertical = 0;
    CancelDrags();
    EndGuidePlaneTools();
    g_bModeAddJoint = g_bModeSetOrigin = g_bCursorOnPlane = 0;
    g_nPickedMember = g_nPickedJoint = 0;
    // The prompt names the tool still in force, or "Ready".
    UpdateStatusPrompt();
    platform::MessageBeep(0);
}

void DriverViewKey()
{
    if (g_bFollowTruckCamera) {
        HomeView();
        return;
    }
    g_bFollowTruckCamera = 1;
    LookFrom(0, g_fTruckX - 0.75f, g_fTruckY + 1.8125f, 12, g_fTruckX + 5.25f, g_fTruckY - 0.1875f, 12);
}

// Keys that move the camera; false for any other key.
bool CameraKey(int key)
{
    const double s = g_fLinearSpeed, w = g_fAngularSpeed, r = HorizontalEyeDistance();
    const double b = 1.571 - g_fOrbitAngleB;
    switch (key) {
    case VIEW_KEY_NUMPAD0 + 4:
    case '.':
        g_dEyeX -= std::cos(b) * s, g_dCenterX -= std::cos(b) * s;
        g_dEyeZ -= std::sin(b) * s, g_dCenterZ -= std::sin(b) * s;
        return true;
    case VIEW_KEY_NUMPAD0 + 6:
    case ',':
        g_dEyeX += std::cos(b) * s, g_dCenterX += std::cos(b) * s;
        g_dEyeZ += std::sin(b) * s, g_dCenterZ += std::sin(b) * s;
        return true;
    case VIEW_KEY_NUMPAD0 + 8:
    case 'D': g_dEyeY += s, g_dCenterY += s; return true;
    case VIEW_KEY_NUMPAD0 + 2:
    case 'U': g_dEyeY -= s, g_dCenterY -= s; return true;
    case VIEW_KEY_NUMPAD0 + 5: g_dCenterY = g_dEyeY; return true;
    case VIEW_KEY_NUMPAD0 + 9: g_dCenterX += s; return true;
    case VIEW_KEY_NUMPAD0 + 7: g_dCenterX -= s; return true;
    case VIEW_KEY_NUMPAD0 + 1: g_dCenterY -= s; return true;
    case VIEW_KEY_NUMPAD0 + 3: g_dCenterY += s; return true;
    case VIEW_KEY_UP:
        PlaceEye(r - s);
        if (r - s < 6) MoveCentreForward(s);
        return true;
    case VIEW_KEY_DOWN: PlaceEye(r + s); return true;
    case VIEW_KEY_LEFT:
        g_fOrbitAngle -= static_cast<float>(w), g_fOrbitAngleB -= static_cast<float>(w);
        PlaceEye(r);
        return true;
    case VIEW_KEY_RIGHT:
        g_fOrbitAngle += static_cast<float>(w), g_fOrbitAngleB += static_cast<float>(w);
        PlaceEye(r);
        return true;
    case VIEW_KEY_NUMPAD_ADD:
    case '=': g_dEyeY += s; return true;
    case VIEW_KEY_NUMPAD_SUBTRACT:
    case '-': g_dEyeY -= s; return true;
    case VIEW_KEY_NUMPAD_DIVIDE:
    case '/':
        PlaceEye(r - s);
        if (r - s > 1)
            TiltEyeAfterDolly(r - s, s, -1);
        else
            MoveCentreForward(s);
        return true;
    case VIEW_KEY_NUMPAD_MULTIPLY:
    case '8':
        PlaceEye(r + s);
        TiltEyeAfterDolly(r + s, s, +1);
        return true;
    default: return false;
    }
}

}  // namespace

void CameraOnRButtonDown(int x, int y)
{
    g_bOrbitDragging = 1;
    g_bOrbitLockHorizontal = g_bOrbitLockVertical = 0;
    g_fOrbitStartAngle = g_fOrbitAngle;
    g_fOrbitStartAngleB = g_fOrbitAngleB;
    g_fOrbitPressX = static_cast<float>(x);
    g_fOrbitPressY = static_cast<float>(y);
}

void CameraOnRButtonUp()
{
    g_bOrbitDragging = 0;
    g_bOrbitLockHorizontal = g_bOrbitLockVertical = 0;
}

bool CameraOrbitOnMouseMove(int x, int y)
{
    if (!g_bOrbitDragging) return false;
    const float dx = x - g_fOrbitPressX, dy = y - g_fOrbitPressY;
    if (!g_bOrbitLockHorizontal && !g_bOrbitLockVertical) {
        // The first movement away from the press fixes the axis.
        if (dx == 0 && dy == 0) return true;
        g_fOrbitFirstDX = dx;
        g_fOrbitFirstDY = dy;
        if (std::fabs(g_fOrbitFirstDX) > std::fabs(g_fOrbitFirstDY))
            g_bOrbitLockHorizontal = 1;
        else
            g_bOrbitLockVertical = 1;
    }
    if (g_bOrbitLockHorizontal) {
        const double r = HorizontalEyeDistance();
        const float delta = dx / (std::max(g_nScreenWidth, 1) * 0.5f) * 1.5708f;
        g_fOrbitAngle = g_fOrbitStartAngle - delta;
        g_fOrbitAngleB = g_fOrbitStartAngleB - delta;
        PlaceEye(r);
    } else {
        const double r = std::hypot(g_dEyeY - g_dCenterY, g_dEyeZ - g_dCenterZ);
        const float delta = dy / (std::max(g_nScreenHeight, 1) * 0.5f) * 1.5708f;
        g_fOrbitAngle = g_fOrbitStartAngle - delta;
        g_fOrbitAngleB = g_fOrbitStartAngleB - delta;
        g_dEyeY = g_dCenterY - std::cos(g_fOrbitAngle) * r;
        g_dEyeZ = g_dCenterZ + std::sin(g_fOrbitAngle) * r;
    }
    Redraw();
    return true;
}

void CameraOnMouseWheel(int delta)
{
    const double r = HorizontalEyeDistance(), s = g_fLinearSpeed;
    if (delta < 0) {
        PlaceEye(r + s);
        TiltEyeAfterDolly(r + s, s, +1);
    } else if (delta > 0) {
        if (r - s < 2) return;
        PlaceEye(r - s);
        TiltEyeAfterDolly(r - s, s, -1);
    }
    Redraw();
}

void CameraOnLButtonDblClk(int x, int y)
{
    const PromptFollowsTools prompt;  // Move Focus ends here too
    const int joint = PickJoint(x, y);
    if (joint == 0) return;
    const JointRec& j = g_Joints[joint];
    g_dCenterX = j.x;
    g_dCenterY = j.y;
    g_dCenterZ = j.z;
    g_bModeSetFocus = 0;
    g_nPickedJoint = 0;
    Redraw();
}

void FinishZoomGesture(int x)
{
    const double r = HorizontalEyeDistance(), s = g_fLinearSpeed;
    const double d = g_nViewWidth > 0 ? r * (x - g_nZoomPressX) / g_nViewWidth : r;
    PlaceEye(d);
    if (d <= 1)
        MoveCentreForward(s);
    else
        TiltEyeAfterDolly(d, s, -1);
    g_bZoomGestureArmed = 0;
    Redraw();
}

bool CameraOnKeyDown(int key, bool ctrl)
{
    if (!g_bCameraSlotsTaken) {
        for (CameraSlot& slot : g_CameraSlots) StoreSlot(slot);
        g_bCameraSlotsTaken = 1;
    }
    switch (key) {
    case VIEW_KEY_ESCAPE: EscapeKey(); break;
    case 'T': DriverViewKey(); break;
    case 'H':
        if (g_PickDialogs.showPixelFormat) g_PickDialogs.showPixelFormat();
        break;
    case 'Q': HomeView(); break;
    case 'G':
        g_bGuidePlaneHalfAlpha = !g_bGuidePlaneHalfAlpha;
        g_bListXYGuide1Built = g_bListXYGuide2Built = 0;
        break;
    case 'Z':
        g_bZoomGestureArmed = 1;
        g_nZoomPressX = 0;
        break;
    case 'P':
        if (!PrintMarkedSkewPlane()) return true;  // a refusal leaves the picture as it is
        break;
    case 'S': g_bUniformTestLoads = !g_bUniformTestLoads; break;
    case '1':
    case '2':
    case '3':
        if (ctrl)
            StoreSlot(g_CameraSlots[key - '1']);
        else
            RestoreSlot(g_CameraSlots[key - '1']);
        break;
    default:
        if (key == VIEW_KEY_F1) {
            HomeView();
        } else if (key >= VIEW_KEY_F1 + 1 && key <= VIEW_KEY_F1 + 9) {
            const PresetView& v = kPresets[key - VIEW_KEY_F1 - 1];
            g_bFollowTruckCamera = 0;
            LookFrom(v.angle, v.eye[0], v.eye[1], v.eye[2], v.centre[0], v.centre[1], v.centre[2]);
        } else if (key == VIEW_KEY_F1 + 10 || key == VIEW_KEY_F1 + 11) {
            g_bFollowTruckCamera = 0;
            ShowLayers(key == VIEW_KEY_F1 + 10 ? 1 : 0);
        } else if (!CameraKey(key)) {
            Redraw();
            return false;
        }
        break;
    }
    Redraw();
    return true;
}
