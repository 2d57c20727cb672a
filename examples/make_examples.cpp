// Writes the example models in examples/ with the program's own writer:
//   make_examples <folder>
#include <cstdio>
#include <string>

#include "files/model_file.h"
#include "frame/analysis_command.h"
#include "frame/file_commands.h"
#include "model/defaults.h"
#include "model/tables.h"
#include "model/templates.h"
#include "state/frame_globals.h"
#include "state/view_globals.h"

namespace {

int AddJoint(float x, float y, float z, int tx, int ty, int tz, int rx, int ry, int rz)
{
    JointRec& j = g_Joints[++g_nJoints];
    j = JointRec();
    j.x = x; j.y = y; j.z = z;
    j.restraintTX = tx; j.restraintTY = ty; j.restraintTZ = tz;
    j.restraintRX = rx; j.restraintRY = ry; j.restraintRZ = rz;
    return g_nJoints;
}

void AddMember(int a, int b, int shape, int material)
{
    MemberRec& m = g_Members[++g_nMembers];
    m = MemberRec();
    m.jointA = a; m.jointB = b;
    m.shape = shape; m.material = material;
    m.colorR = g_Materials[material].colorR;
    m.colorG = g_Materials[material].colorG;
    m.colorB = g_Materials[material].colorB;
}

bool Save(const std::string& dir, const char* name)
{
    const std::string path = dir + "/" + name;
    const bool ok = WriteModelFile(path) == 1;
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", path.c_str());
    return ok;
}

// The bridge project as File/New/Bridge Project makes it.
bool Bridge(const std::string& dir)
{
    FileNewBridgeProject();
    return Save(dir, "bridge.3dd");
}

// The tower project with four legs and braced faces under the fan's platform.
bool Tower(const std::string& dir)
{
    FileNewUSCustomaryUnits();  // the start-up workspace, not the bridge's
    FileNewTowerProject();
    const int legs[4][2] = {{1, 5}, {2, 6}, {3, 7}, {4, 8}};
    const int braces[8][2] = {{1, 6}, {2, 5}, {3, 8}, {4, 7}, {1, 7}, {3, 5}, {2, 8}, {4, 6}};
    for (const auto& l : legs) AddMember(l[0], l[1], 5, 7);
    for (const auto& b : braces) AddMember(b[0], b[1], 4, 7);
    // The guide planes on the front face (z = 12) and the left face (x = 18),
    // so that Print XY Plane and Print YZ Plane print them.
    g_fGuidePlaneZ = 12;
    g_fGuidePlaneX = 18;
    return Save(dir, "tower.3dd");
}

// A metric Warren truss of 40 cm span loaded at its top chord.
bool Metric(const std::string& dir)
{
    FileNewMetricUnits();
    const float z = 12;
    int bottom[5], top[4];
    for (int i = 0; i < 5; ++i) {
        const int pinned = (i == 0), roller = (i == 4);
        bottom[i] = AddJoint(4 + 10.0f * i, 6, z, pinned || roller ? pinned : 0, pinned || roller, 1, 1, 1, 0);
    }
    for (int i = 0; i < 4; ++i) top[i] = AddJoint(9 + 10.0f * i, 14, z, 0, 0, 1, 1, 1, 0);
    for (int i = 0; i < 4; ++i) AddMember(bottom[i], bottom[i + 1], 4, 4);
    for (int i = 0; i < 3; ++i) AddMember(top[i], top[i + 1], 4, 4);
    for (int i = 0; i < 4; ++i) {
        AddMember(bottom[i], top[i], 2, 4);
        AddMember(top[i], bottom[i + 1], 2, 4);
    }
    for (int i = 0; i < 4; ++i) g_Joints[top[i]].forceY = -5;
    // The XY guide plane through the truss: it prints, and it no longer
    // stands in front of the truss in the opening view. The other two stay
    // on the workspace's walls.
    g_fGuidePlaneX = g_fGuidePlaneY = 0;
    g_fGuidePlaneZ = z;
    return Save(dir, "metric_truss.3dd");
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string dir = argc > 1 ? argv[1] : "examples";
    const bool ok = Bridge(dir) && Tower(dir) && Metric(dir);
    return ok ? 0 : 1;
}
