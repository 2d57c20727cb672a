#include "files/model_file.h"

#include <fcntl.h>
#include <locale.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "files/preferences.h"
#include "files/text_io.h"
#include "model/tables.h"
#include "model/templates.h"
#include "platform/number_text.h"
#include "platform/platform.h"
#include "platform/safe_file.h"
#include "platform/unreadable_file.h"
#include "state/files_globals.h"
#include "state/frame_globals.h"
#include "state/view_globals.h"

void (*g_pfnResizeViewportToView)() = nullptr;

namespace {

constexpr size_t kMaxTitle = 255;         // longest first line taken
constexpr size_t kMaxName = 55;           // longest shape or material name

// ---------------------------------------------------------------- writing

// Gathers the file's lines in memory; the file is then saved whole, so a
// failed save keeps the old file. A number line whose value is not finite
// ("nan", "inf") is refused: no reader could take it back.
class CModelFileWriter {
public:
    explicit CModelFileWriter(std::string& text) : m_text(text) {}
    // One line of numbers; the format has no line end, CR LF is added.
    bool Line(const char* fmt, ...) __attribute__((format(printf, 2, 3)));
    // A text line: the title, a shape or material name.
    bool Name(const char* name)
    {
        m_text.append(name, strnlen(name, kMaxName));
        m_text.append("\r\n");
        return true;
    }

private:
    std::string& m_text;
};

bool CModelFileWriter::Line(const char* fmt, ...)
{
    char small[512];
    va_list args;
    va_start(args, fmt);
    int n = vsnprintf(small, sizeof small, fmt, args);
    va_end(args);
    if (n < 0) return false;
    std::string text;
    const char* data = small;
    if (static_cast<size_t>(n) >= sizeof small) {
        text.resize(static_cast<size_t>(n) + 1);
        va_start(args, fmt);
        vsnprintf(&text[0], text.size(), fmt, args);
        va_end(args);
        data = text.c_str();
    }
    // Finite numbers never print a letter ("nan", "inf").
    for (int i = 0; i < n; ++i) {
        if (isalpha(static_cast<unsigned char>(data[i]))) return false;
    }
    m_text.append(data, static_cast<size_t>(n));
    m_text.append("\r\n");
    return true;
}

inline int Bit(int v) { return v != 0 ? 1 : 0; }
inline int One(int v) { return v == 1 ? 1 : 0; }

bool WriteTables(CModelFileWriter& out, const ModelTextOptions& options)
{
    if (!out.Name("Trussforge3D") || !out.Line("%f", 4.0) ||
        !out.Line("%hd %hd %hd %hd %hd", (short)USER_TABLE_ROWS, (short)USER_TABLE_ROWS, g_nJoints, g_nMembers,
                  (short)g_bMetricUnits))
        return false;

    for (int i = 1; i <= g_nJoints; ++i) {
        const JointRec& j = g_Joints[i];
        if (!out.Line("%hd %f %f %f %hd %hd %hd %hd %hd %hd %hd %hd", (short)i, j.x, j.y, j.z, j.restraintTX,
                      j.restraintTY, j.restraintTZ, j.restraintRX, j.restraintRY, j.restraintRZ, j.fileWord1,
                      j.fileWord2))
            return false;
    }
    for (int i = 1; i <= g_nMembers; ++i) {
        const MemberRec& m = g_Members[i];
        const bool computed = options.computedEffectiveLengths;
        const float effYY = m.userEffYY || computed ? m.effLengthYY : 0.0f;
        const float effZZ = m.userEffZZ || computed ? m.effLengthZZ : 0.0f;
        if (!out.Line("%hd %hd %hd %f %f %hd %hd %f %f %hd %hd %hd %f %hd %hd %hd %hd %hd %f %f %f", (short)i,
                      m.jointA, m.jointB, effYY, effZZ, (short)Bit(m.userEffYY),
                      (short)Bit(m.userEffZZ), m.offsetY, m.offsetZ, m.shape, m.material, m.runner, m.rollAngle,
                      m.useTorsion, m.momentYY1, m.momentZZ1, m.momentYY2, m.momentZZ2, m.colorR, m.colorG,
                      m.colorB))
            return false;
    }
    for (int i = 1; i <= g_nJoints; ++i) {
        const JointRec& j = g_Joints[i];
        if (!out.Line("%hd %f %f %f %f %f %f %hd %hd %hd", (short)i, j.momentX, j.momentY, j.momentZ, j.forceX,
                      j.forceY, j.forceZ, (short)One(j.translatedX), (short)One(j.translatedY),
                      (short)One(j.translatedZ)))
            return false;
    }

    // Section and material values in fixed point (every reader takes it), with
    // as many decimals as it takes to read back as the same float.
    for (int r = 1; r <= USER_TABLE_ROWS; ++r) {
        const ShapeRec& s = g_Shapes[r];
        if (!out.Line("%hd", (short)r) || !out.Name(s.name) ||
            !out.Line("%hd %hd %s %s %s", (short)One(s.metricRow), (short)One(s.sectionKind),
                      RoundTripText(s.height, 'f', 6).c_str(), RoundTripText(s.width, 'f', 6).c_str(),
                      RoundTripText(s.area, 'f', 6).c_str()) ||
            !out.Line("%s %s %s %s %s %s", RoundTripText(s.torsionConst, 'f', 11).c_str(),
                      RoundTripText(s.inertiaYY, 'f', 11).c_str(), RoundTripText(s.inertiaZZ, 'f', 11).c_str(),
                      RoundTripText(s.modulusYY, 'f', 10).c_str(), RoundTripText(s.modulusZZ, 'f', 10).c_str(),
                      RoundTripText(s.spacing, 'f', 6).c_str()))
            return false;
    }
    for (int r = 1; r <= USER_TABLE_ROWS; ++r) {
        const MaterialRec& m = g_Materials[r];
        if (!out.Line("%hd", (short)r) || !out.Name(m.name) ||
            !out.Line("%s %s %s", RoundTripText(m.colorR, 'f', 6).c_str(), RoundTripText(m.colorG, 'f', 6).c_str(),
                      RoundTripText(m.colorB, 'f', 6).c_str()) ||
            !out.Line("%hd %s %s %s", (short)One(m.metricRow), RoundTripText(m.youngsModulus, 'f', 6).c_str(),
                      RoundTripText(m.shearModulus, 'f', 6).c_str(), RoundTripText(m.density, 'f', 6).c_str()) ||
            !out.Line("%s %s %s %s", RoundTripText(m.ultTensionStress, 'f', 6).c_str(),
                      RoundTripText(m.ultCompressionStress, 'f', 6).c_str(),
                      RoundTripText(m.ultBendingStress, 'f', 6).c_str(),
                      RoundTripText(m.ultShearStress, 'f', 6).c_str()))
            return false;
    }
    return true;
}

// A workspace side as a model is saved with it: at most the largest for the
// model's units.
short SavedWorkspaceSide(short side)
{
    const int limit = LargestWorkspace();
    return side > limit ? static_cast<short>(limit) : side;
}

void ClampWorkspace()
{
    g_nWorkspaceX = SavedWorkspaceSide(g_nWorkspaceX);
    g_nWorkspaceY = SavedWorkspaceSide(g_nWorkspaceY);
    g_nWorkspaceZ = SavedWorkspaceSide(g_nWorkspaceZ);
}

bool WriteSettings(CModelFileWriter& out, const ModelTextOptions& options)
{
    const bool camera = options.camera;
    return out.Line("%hd %hd %hd", SavedWorkspaceSide(g_nWorkspaceX), SavedWorkspaceSide(g_nWorkspaceY),
                    SavedWorkspaceSide(g_nWorkspaceZ)) &&
           out.Line("%f %f %hd", g_fAngularSpeed, g_fLinearSpeed, (short)Bit(g_bSoundOn)) &&
           out.Line("%hd %hd %hd %hd %hd %hd %hd %hd %hd", (short)Bit(g_bShowJoints), (short)Bit(g_bShowLoads),
                    (short)Bit(g_bShowSupports), (short)Bit(g_bShowXYBasePlane), (short)Bit(g_bShowYZBasePlane),
                    (short)Bit(g_bShowXZBasePlane), (short)Bit(g_bShowRulers), (short)Bit(g_bShowOrigin),
                    (short)Bit(g_bShowFocus)) &&
           out.Line("%f %f %f %f %f %f %f %f %f %f %f %f", g_fJointSize, g_fOriginX, g_fOriginY, g_fOriginZ,
                    camera ? g_dEyeX : 0.0, camera ? g_dEyeY : 0.0, camera ? g_dEyeZ : 0.0,
                    camera ? g_dCenterX : 0.0, camera ? g_dCenterY : 0.0, camera ? g_dCenterZ : 0.0,
                    camera ? g_fOrbitAngle : 0.0f, camera ? g_fOrbitAngleB : 0.0f) &&
           out.Line("%f %f %f", g_fGuidePlaneY, g_fGuidePlaneX, g_fGuidePlaneZ) &&
           out.Line("%hd %hd", g_nDefaultShape, g_nDefaultMaterial) &&
           out.Line("%f %f %f", g_fDefaultRotation, g_fDefaultOffsetY, g_fDefaultOffsetZ) &&
           out.Line("%hd %hd %hd", (short)Bit(g_bShowGuideXY), (short)Bit(g_bShowGuideXZ),
                    (short)Bit(g_bShowGuideYZ)) &&
           out.Line("%f %f %f %f %f %f %f %f %f", g_fAmbientLightR, g_fAmbientLightG, g_fAmbientLightB,
                    g_fDirectLightR, g_fDirectLightG, g_fDirectLightB, g_fBackgroundR, g_fBackgroundG,
                    g_fBackgroundB) &&
           out.Line("%f %f %f %f %f %f", g_fDisplacementLimits[0], g_fDisplacementLimits[1],
                    g_fDisplacementLimits[2], g_fDisplacementLimits[3], g_fDisplacementLimits[4],
                    g_fDisplacementLimits[5]) &&
           out.Line("%f %f", g_fFrontAxleLoad, g_fRearAxleLoad) &&
           out.Line("%hd %hd %hd %hd %hd %hd %hd %hd %hd %hd", (short)Bit(g_bOutBillOfMaterials),
                    (short)Bit(g_bOutJointData), (short)Bit(g_bOutMemberData), (short)Bit(g_bOutLoadData),
                    (short)Bit(g_bOutMaterialData), (short)Bit(g_bOutReserved), (short)Bit(g_bOutShapeData),
                    (short)Bit(g_bOutStrengthRatios), (short)Bit(g_bOutUltimateForces),
                    (short)Bit(g_bOutActualForces)) &&
           out.Line("%hd %hd %hd %hd %hd %hd %hd", (short)Bit(g_bMagnifyNone), (short)Bit(g_bMagnify2),
                    (short)Bit(g_bMagnify5), (short)Bit(g_bMagnify10), (short)Bit(g_bMagnify20),
                    (short)Bit(g_bMagnify50), (short)Bit(g_bMagnify100)) &&
           out.Line("%hd %hd %hd %hd", (short)Bit(g_bConsiderAxial), (short)Bit(g_bConsiderBending),
                    (short)Bit(g_bConsiderShear), (short)Bit(g_bConsiderTorsion)) &&
           out.Line("%hd %hd %hd %hd %hd %hd", (short)Bit(g_bColorAxialStresses),
                    (short)Bit(g_bColorBendingStresses), (short)Bit(g_bColorFailedMembers),
                    (short)Bit(g_bNoAnimation), (short)Bit(g_bAnimateDisplacement), (short)Bit(g_bAnimateCollapse)) &&
           out.Line("%hd", (short)Bit(g_bBridgeProject)) &&
           out.Line("%hd %f", (short)Bit(g_bTowerProject), g_fWindSpeed);
}

const char* const kAccessDenied = "Access Denied!\nYour file was not saved.";

void ShowAccessDenied() { platform::MessageBox(kAccessDenied, g_szAppTitle, platform::MB_OK | platform::MB_ICONSTOP); }

// ---------------------------------------------------------------- reading

// What a version's body holds.
struct FileLayout {
    bool shortIntegers;  // 4.0 scans 16-bit integers, 3.x plain ints
    bool memberOffsets;  // member lines carry offsetY and offsetZ (3.1 on)
    bool sectionKind;    // shape line c carries sectionKind (4.0)
    int lastSetting;     // 1, 15 or 17
    bool towerOptional;  // the S17 line may be missing (3.2, 3.3)
};

std::string MalformedText(int line)
{
    return "The file is malformed or ends early at line " + std::to_string(line) + ".";
}

// Reads a version's body into a pending model; nothing of the model changes.
class CBodyReader {
public:
    CBodyReader(CNumberScanner& s, const FileLayout& layout, CPendingModel& out)
        : m_s(s), m_layout(layout), m_out(out)
    {
    }
    // "" when the body was read through, else why not.
    std::string Read();

private:
    bool Int(int& v)
    {
        if (!m_layout.shortIntegers) return m_s.ReadInt(v);
        short t = 0;
        if (!m_s.ReadShort(t)) return false;
        v = t;
        return true;
    }
    // A flag as the version stores it: 4.0 keeps 1 for a 1, else 0; 3.x keeps the number.
    bool StoredFlag(int& v)
    {
        if (!Int(v)) return false;
        if (m_layout.shortIntegers) v = (v == 1);
        return true;
    }
    bool Flags(int* const* dst, int n);
    bool Floats(float* const* dst, int n);
    bool Fail(std::string why)
    {
        m_why = std::move(why);
        return false;
    }
    bool Malformed() { return Fail(MalformedText(m_s.Line())); }

    bool ReadCounts();
    bool ReadJoints();
    bool ReadMembers();
    bool ReadLoads();
    bool ReadShapes();
    bool ReadMaterials();
    bool ReadSettings();
    void Finish();

    CNumberScanner& m_s;
    const FileLayout& m_layout;
    CPendingModel& m_out;
    std::string m_why;
    int m_nShapeRows = 0;
    int m_nMaterialRows = 0;
    int m_nJoints = 0;
    int m_nMembers = 0;
};

bool CBodyReader::Flags(int* const* dst, int n)
{
    int t[16] = {};
    for (int i = 0; i < n; ++i)
        if (!Int(t[i])) return Malformed();
    for (int i = 0; i < n; ++i) m_out.Put(*dst[i], t[i] != 0 ? 1 : 0);
    return true;
}

bool CBodyReader::Floats(float* const* dst, int n)
{
    float t[16] = {};
    for (int i = 0; i < n; ++i)
        if (!m_s.ReadFloat(t[i])) return Malformed();
    for (int i = 0; i < n; ++i) m_out.Put(*dst[i], t[i]);
    return true;
}

bool CBodyReader::ReadCounts()
{
    short shapes = 0, materials = 0, joints = 0, members = 0, units = 0;
    if (!m_s.ReadShort(shapes) || !m_s.ReadShort(materials) || !m_s.ReadShort(joints) ||
        !m_s.ReadShort(members) || !m_s.ReadShort(units) || shapes < 0 || materials < 0 || joints < 0 ||
        members < 0)
        return Malformed();
    if (joints > MAX_JOINTS) return Fail("The model has more than " + std::to_string(MAX_JOINTS) + " joints.");
    if (members > MAX_MEMBERS) return Fail("The model has more than " + std::to_string(MAX_MEMBERS) + " members.");
    if (shapes > USER_TABLE_ROWS) return Fail("The model has more than " + std::to_string(USER_TABLE_ROWS) + " shapes.");
    if (materials > USER_TABLE_ROWS)
        return Fail("The model has more than " + std::to_string(USER_TABLE_ROWS) + " materials.");
    m_nShapeRows = shapes;
    m_nMaterialRows = materials;
    m_nJoints = joints;
    m_nMembers = members;
    m_out.Then([=] {
        g_nFileShapes = shapes;
        g_nFileMaterials = materials;
        g_nFileUnits = units;
        g_nJoints = joints;
        g_nMembers = members;
        SetMetricUnits(units != 0);
    });
    return true;
}

bool CBodyReader::ReadJoints()
{
    for (int k = 1; k <= m_nJoints; ++k) {
        int row = 0;
        float x = 0, y = 0, z = 0;
        short r[6] = {}, w1 = 0, w2 = 0;
        bool ok = Int(row) && m_s.ReadFloat(x) && m_s.ReadFloat(y) && m_s.ReadFloat(z);
        for (int i = 0; i < 6 && ok; ++i) ok = m_s.ReadShort(r[i]);
        if (!ok || !m_s.ReadShort(w1) || !m_s.ReadShort(w2)) return Malformed();
        m_out.Then([=] {
            JointRec& j = g_Joints[k];
            j.x = x;
            j.y = y;
            j.z = z;
            SetRestraints(j, r);
            j.fileWord1 = w1;
            j.fileWord2 = w2;
        });
    }
    return true;
}

bool CBodyReader::ReadMembers()
{
    const bool offsets = m_layout.memberOffsets;
    for (int k = 1; k <= m_nMembers; ++k) {
        int row = 0, userYY = 0, userZZ = 0;
        short a = 0, b = 0, shape = 0, material = 0, runner = 0, torsion = 0, yy1 = 0, zz1 = 0, yy2 = 0, zz2 = 0;
        float effYY = 0, effZZ = 0, offY = 0, offZ = 0, roll = 0, r = 0, g = 0, bl = 0;
        bool ok = Int(row) && m_s.ReadShort(a) && m_s.ReadShort(b) && m_s.ReadFloat(effYY) &&
                  m_s.ReadFloat(effZZ) && Int(userYY) && Int(userZZ);
        if (ok && offsets) ok = m_s.ReadFloat(offY) && m_s.ReadFloat(offZ);
        ok = ok && m_s.ReadShort(shape) && m_s.ReadShort(material) && m_s.ReadShort(runner) &&
             m_s.ReadFloat(roll) && m_s.ReadShort(torsion) && m_s.ReadShort(yy1) && m_s.ReadShort(zz1) &&
             m_s.ReadShort(yy2) && m_s.ReadShort(zz2) && m_s.ReadFloat(r) && m_s.ReadFloat(g) &&
             m_s.ReadFloat(bl);
        if (!ok) return Malformed();
        const char* missing = nullptr;
        if (a < 1 || a > m_nJoints || b < 1 || b > m_nJoints)
            missing = "joint";
        else if (shape < 1 || shape > USER_TABLE_ROWS)
            missing = "shape";
        else if (material < 1 || material > USER_TABLE_ROWS)
            missing = "material";
        if (missing) return Fail("Member " + std::to_string(k) + " refers to a missing " + missing + ".");
        m_out.Then([=] {
            MemberRec& m = g_Members[k];
            m.jointA = a;
            m.jointB = b;
            m.effLengthYY = effYY;
            m.effLengthZZ = effZZ;
            m.userEffYY = (userYY == 1);
            m.userEffZZ = (userZZ == 1);
            if (offsets) {
                m.offsetY = offY;
                m.offsetZ = offZ;
            }
            m.shape = shape;
            m.material = material;
            m.runner = runner;
            m.rollAngle = roll;
            m.useTorsion = torsion;
            m.momentYY1 = yy1;
            m.momentZZ1 = zz1;
            m.momentYY2 = yy2;
            m.momentZZ2 = zz2;
            m.colorR = r;
            m.colorG = g;
            m.colorB = bl;
        });
    }
    return true;
}

bool CBodyReader::ReadLoads()
{
    for (int k = 1; k <= m_nJoints; ++k) {
        int row = 0, tx = 0, ty = 0, tz = 0;
        float mx = 0, my = 0, mz = 0, fx = 0, fy = 0, fz = 0;
        if (!(Int(row) && m_s.ReadFloat(mx) && m_s.ReadFloat(my) && m_s.ReadFloat(mz) && m_s.ReadFloat(fx) &&
              m_s.ReadFloat(fy) && m_s.ReadFloat(fz) && StoredFlag(tx) && StoredFlag(ty) && StoredFlag(tz)))
            return Malformed();
        m_out.Then([=] {
            JointRec& j = g_Joints[k];
            j.momentX = mx;
            j.momentY = my;
            j.momentZ = mz;
            j.forceX = fx;
            j.forceY = fy;
            j.forceZ = fz;
            j.translatedX = tx;
            j.translatedY = ty;
            j.translatedZ = tz;
        });
    }
    return true;
}

bool CBodyReader::ReadShapes()
{
    const bool hasKind = m_layout.sectionKind;
    for (int k = 1; k <= m_nShapeRows; ++k) {
        ShapeRec s;
        int row = 0, metric = 0, kind = 0;
        if (!Int(row) || !m_s.ReadNameLine(s.name, sizeof s.name, kMaxName) || !StoredFlag(metric) ||
            (hasKind && !Int(kind)))
            return Malformed();
        float* const values[] = {&s.height, &s.width, &s.area, &s.torsionConst, &s.inertiaYY,
                                 &s.inertiaZZ, &s.modulusYY, &s.modulusZZ, &s.spacing};
        for (float* v : values)
            if (!m_s.ReadFloat(*v)) return Malformed();
        m_out.Then([=] {
            ShapeRec& t = g_Shapes[k];
            std::memcpy(t.name, s.name, sizeof t.name);
            t.metricRow = metric;
            if (hasKind) t.sectionKind = kind;
            t.height = s.height;
            t.width = s.width;
            t.area = s.area;
            t.torsionConst = s.torsionConst;
            t.inertiaYY = s.inertiaYY;
            t.inertiaZZ = s.inertiaZZ;
            t.modulusYY = s.modulusYY;
            t.modulusZZ = s.modulusZZ;
            t.spacing = s.spacing;
        });
    }
    return true;
}

bool CBodyReader::ReadMaterials()
{
    for (int k = 1; k <= m_nMaterialRows; ++k) {
        MaterialRec m;
        int row = 0, metric = 0;
        if (!Int(row) || !m_s.ReadNameLine(m.name, sizeof m.name, kMaxName)) return Malformed();
        float* const colors[] = {&m.colorR, &m.colorG, &m.colorB};
        for (float* v : colors)
            if (!m_s.ReadFloat(*v)) return Malformed();
        if (!StoredFlag(metric)) return Malformed();
        float* const values[] = {&m.youngsModulus,        &m.shearModulus,     &m.density,
                                 &m.ultTensionStress,     &m.ultCompressionStress,
                                 &m.ultBendingStress,     &m.ultShearStress};
        for (float* v : values)
            if (!m_s.ReadFloat(*v)) return Malformed();
        m_out.Then([=] {
            MaterialRec& t = g_Materials[k];
            std::memcpy(t.name, m.name, sizeof t.name);
            t.colorR = m.colorR;
            t.colorG = m.colorG;
            t.colorB = m.colorB;
            t.metricRow = metric;
            t.youngsModulus = m.youngsModulus;
            t.shearModulus = m.shearModulus;
            t.density = m.density;
            t.ultTensionStress = m.ultTensionStress;
            t.ultCompressionStress = m.ultCompressionStress;
            t.ultBendingStress = m.ultBendingStress;
            t.ultShearStress = m.ultShearStress;
        });
    }
    return true;
}

bool CBodyReader::ReadSettings()
{
    // S1: workspace, as read
    short ws[3] = {};
    if (!m_s.ReadShort(ws[0]) || !m_s.ReadShort(ws[1]) || !m_s.ReadShort(ws[2])) return Malformed();
    m_out.Then([=] { SetWorkspaceSize(ws[0], ws[1], ws[2]); });
    if (m_layout.lastSetting < 2) return true;

    // S2: speeds and sound
    float angular = 0, linear = 0;
    int sound = 0;
    if (!m_s.ReadFloat(angular) || !m_s.ReadFloat(linear) || !Int(sound)) return Malformed();
    m_out.Put(g_fAngularSpeed, angular);
    m_out.Put(g_fLinearSpeed, linear);
    m_out.Put(g_bSoundOn, sound != 0 ? 1 : 0);

    // S3: view switches
    int* const view[] = {&g_bShowJoints,      &g_bShowLoads,  &g_bShowSupports,
                         &g_bShowXYBasePlane, &g_bShowYZBasePlane, &g_bShowXZBasePlane,
                         &g_bShowRulers,      &g_bShowOrigin, &g_bShowFocus};
    if (!Flags(view, 9)) return false;

    // S4: joint size, origin, camera
    float jointSize = 0, origin[3] = {}, orbit[2] = {};
    double eye[3] = {}, center[3] = {};
    bool ok = m_s.ReadFloat(jointSize);
    for (int i = 0; i < 3 && ok; ++i) ok = m_s.ReadFloat(origin[i]);
    for (int i = 0; i < 3 && ok; ++i) ok = m_s.ReadDouble(eye[i]);
    for (int i = 0; i < 3 && ok; ++i) ok = m_s.ReadDouble(center[i]);
    for (int i = 0; i < 2 && ok; ++i) ok = m_s.ReadFloat(orbit[i]);
    if (!ok) return Malformed();
    m_out.Then([=] {
        g_fJointSize = jointSize;
        g_fOriginX = origin[0];
        g_fOriginY = origin[1];
        g_fOriginZ = origin[2];
        g_dEyeX = eye[0];
        g_dEyeY = eye[1];
        g_dEyeZ = eye[2];
        g_dCenterX = center[0];
        g_dCenterY = center[1];
        g_dCenterZ = center[2];
        g_fOrbitAngle = orbit[0];
        g_fOrbitAngleB = orbit[1];
        g_bJointSizeSmall = (jointSize == 0.1f);
        g_bJointSizeDefault = (jointSize == 0.26f);
        g_bJointSizeLarge = (jointSize == 0.375f);
    });

    // S5: guide planes
    float* const guides[] = {&g_fGuidePlaneY, &g_fGuidePlaneX, &g_fGuidePlaneZ};
    if (!Floats(guides, 3)) return false;

    // S6: default shape and material rows, which new members index by
    short defShape = 0, defMaterial = 0;
    if (!m_s.ReadShort(defShape) || !m_s.ReadShort(defMaterial) || defShape < 1 ||
        defShape > USER_TABLE_ROWS || defMaterial < 1 || defMaterial > USER_TABLE_ROWS)
        return Malformed();
    m_out.Put(g_nDefaultShape, defShape);
    m_out.Put(g_nDefaultMaterial, defMaterial);

    // S7 to S11
    float* const defaults[] = {&g_fDefaultRotation, &g_fDefaultOffsetY, &g_fDefaultOffsetZ};
    if (!Floats(defaults, 3)) return false;
    int* const guideShown[] = {&g_bShowGuideXY, &g_bShowGuideXZ, &g_bShowGuideYZ};
    if (!Flags(guideShown, 3)) return false;
    float* const lights[] = {&g_fAmbientLightR, &g_fAmbientLightG, &g_fAmbientLightB,
                             &g_fDirectLightR,  &g_fDirectLightG,  &g_fDirectLightB,
                             &g_fBackgroundR,   &g_fBackgroundG,   &g_fBackgroundB};
    if (!Floats(lights, 9)) return false;
    float* const limits[] = {&g_fDisplacementLimits[0], &g_fDisplacementLimits[1], &g_fDisplacementLimits[2],
                             &g_fDisplacementLimits[3], &g_fDisplacementLimits[4], &g_fDisplacementLimits[5]};
    if (!Floats(limits, 6)) return false;
    float* const axles[] = {&g_fFrontAxleLoad, &g_fRearAxleLoad};
    if (!Floats(axles, 2)) return false;

    // S12: report sections
    int* const sections[] = {&g_bOutBillOfMaterials, &g_bOutJointData,       &g_bOutMemberData,
                             &g_bOutLoadData,        &g_bOutMaterialData,    &g_bOutReserved,
                             &g_bOutShapeData,       &g_bOutStrengthRatios,  &g_bOutUltimateForces,
                             &g_bOutActualForces};
    if (!Flags(sections, 10)) return false;

    // S13: magnification radio; the last item set decides the magnification
    int picked[7] = {};
    for (int i = 0; i < 7; ++i)
        if (!Int(picked[i])) return Malformed();
    m_out.Then([=] {
        int* const magnify[] = {&g_bMagnifyNone, &g_bMagnify2,  &g_bMagnify5,  &g_bMagnify10,
                                &g_bMagnify20,   &g_bMagnify50, &g_bMagnify100};
        const float magnification[] = {1, 2, 5, 10, 20, 50, 100};
        for (int i = 0; i < 7; ++i) *magnify[i] = 0;
        for (int i = 0; i < 7; ++i) {
            if (picked[i]) {
                *magnify[i] = 1;
                g_fMagnification = magnification[i];
            }
        }
    });

    // S14, S15
    int* const consider[] = {&g_bConsiderAxial, &g_bConsiderBending, &g_bConsiderShear, &g_bConsiderTorsion};
    if (!Flags(consider, 4)) return false;
    int* const results[] = {&g_bColorAxialStresses, &g_bColorBendingStresses, &g_bColorFailedMembers,
                            &g_bNoAnimation,        &g_bAnimateDisplacement,  &g_bAnimateCollapse};
    if (!Flags(results, 6)) return false;
    if (m_layout.lastSetting < 16) return true;

    // S16: bridge project
    int bridge = 0;
    if (!Int(bridge)) return Malformed();
    m_out.Then([=] {
        if (bridge) {
            g_bTruckActive = g_bUseTruck = g_bBridgeProject = 1;
            g_bFindBreakingForces = g_bBreakingForcesActive = 0;  // the analysis reads the second
            FindDeckExtent();
            PlaceTruckAtStart();
            g_bShowLoads = 0;
            g_bShowSupports = 1;
        } else {
            g_bTruckActive = g_bUseTruck = g_bBridgeProject = 0;
        }
    });

    // S17: tower project and wind speed
    if (m_layout.towerOptional && m_s.AtEnd()) return true;
    int tower = 0;
    float wind = 0;
    if (!Int(tower) || !m_s.ReadFloat(wind)) return Malformed();
    const bool magnify2 = m_layout.towerOptional;
    if (tower) {
        m_out.Then([=] {
            SetMetricUnits(0);  // a tower project is always in U.S. units
            g_fWindSpeed = wind;
            g_bUseFan = g_bTowerProject = 1;
            if (magnify2) SetMagnificationRadio(2);
        });
    }
    return true;
}

void CBodyReader::Finish()
{
    m_out.Then([] {
        int* const lists[] = {&g_bListTruckBuilt,       &g_bListFanBuilt,         &g_bListXZBasePlaneBuilt,
                              &g_bListYZBasePlaneBuilt, &g_bListXYBasePlaneBuilt, &g_bListXZGuideBuilt,
                              &g_bListYZGuide1Built,    &g_bListYZGuide2Built,    &g_bListYZGuide3Built,
                              &g_bListYZGuide4Built,    &g_bListXYGuide1Built,    &g_bListXYGuide2Built,
                              &g_bListRuler1Built,      &g_bListRuler2Built,      &g_bListRuler3Built};
        for (int* f : lists) *f = 0;
        if (g_pfnResizeViewportToView) g_pfnResizeViewportToView();
        if (g_pfnSetClearColor) g_pfnSetClearColor(g_fBackgroundR, g_fBackgroundG, g_fBackgroundB, 1.0f);
    });
}

std::string CBodyReader::Read()
{
    if (!ReadCounts() || !ReadJoints() || !ReadMembers() || !ReadLoads() || !ReadShapes() || !ReadMaterials() ||
        !ReadSettings())
        return m_why.empty() ? MalformedText(m_s.Line()) : m_why;
    Finish();
    return "";
}

std::string ReadModelFileV30(CNumberScanner& s, CPendingModel& out)
{
    const FileLayout layout = {false, false, false, 1, false};
    return CBodyReader(s, layout, out).Read();
}

std::string ReadModelFileV31(CNumberScanner& s, CPendingModel& out)
{
    const FileLayout layout = {false, true, false, 15, false};
    return CBodyReader(s, layout, out).Read();
}

// Versions 3.2 and 3.3.
std::string ReadModelFileV32(CNumberScanner& s, CPendingModel& out)
{
    const FileLayout layout = {false, true, false, 17, true};
    return CBodyReader(s, layout, out).Read();
}

std::string ReadModelFileV40(CNumberScanner& s, CPendingModel& out)
{
    const FileLayout layout = {true, true, true, 17, false};
    return CBodyReader(s, layout, out).Read();
}

}  // namespace

int WriteModelFile(const std::string& path)
{
    if (path.empty() || platform::IsSpecialFile(path)) {
        ShowAccessDenied();
        return 0;
    }
    g_nFileShapes = g_nFileMaterials = USER_TABLE_ROWS;
    const std::string text = ModelFileText();
    if (text.empty()) {
        platform::MessageBox("The model holds a number that is not finite.\nYour file was not saved.", g_szAppTitle,
                             platform::MB_OK | platform::MB_ICONSTOP);
        return 0;
    }
    const platform::SaveResult saved = platform::SafeSaveFile(path, text);
    if (saved != platform::SaveResult::Saved) {
        platform::MessageBox(platform::SaveFailureText(saved, path, kAccessDenied), g_szAppTitle,
                             platform::MB_OK | platform::MB_ICONSTOP);
        return 0;
    }
    // The workspace is clamped in memory only by a save that succeeds.
    const short x = g_nWorkspaceX, y = g_nWorkspaceY, z = g_nWorkspaceZ;
    ClampWorkspace();
    if (g_nWorkspaceX != x || g_nWorkspaceY != y || g_nWorkspaceZ != z) InvalidateWorkspaceLists();
    return 1;
}

std::string ModelFileText(const ModelTextOptions& options)
{
    CLocaleScopeC cLocale;  // numbers in the C locale whatever the user's
    std::string text;
    CModelFileWriter out(text);
    const bool ok = WriteTables(out, options) && WriteSettings(out, options);
    return ok ? text : std::string();
}

namespace {

bool ReadModel(std::FILE* file, CPendingModel& model, std::string& why)
{
    CNumberScanner s(file);
    float version = 0;
    if (!s.SkipLine(kMaxTitle) || !s.ReadFloat(version))
        why = MalformedText(s.Line());
    else if (version == 3.0f)
        why = ReadModelFileV30(s, model);
    else if (version == 3.1f)
        why = ReadModelFileV31(s, model);
    else if (version == 3.2f || version == 3.3f)
        why = ReadModelFileV32(s, model);
    else if (version == 4.0f)
        why = ReadModelFileV40(s, model);
    else
        why = "Cannot load version " + platform::VersionText(version) + " file.";
    if (why.empty()) return true;
    model.Clear();
    return false;
}

}  // namespace

bool ReadModelFile(const std::string& path, CPendingModel& model, std::string& why)
{
    model.Clear();
    CReadFile in;
    if (!in.Open(path, platform::kMaxModelFileBytes)) {
        why = platform::UnreadableFileReason(path, platform::kMaxModelFileBytes);
        return false;
    }
    return ReadModel(in.File(), model, why);
}

bool ReadModelText(const std::string& text, CPendingModel& model, std::string& why)
{
    model.Clear();
    std::string bytes = text;
    std::FILE* file = bytes.empty() ? nullptr : fmemopen(bytes.data(), bytes.size(), "r");
    if (!file) {
        why = MalformedText(1);
        return false;
    }
    const bool ok = ReadModel(file, model, why);
    std::fclose(file);
    return ok;
}

int OpenModelFile(const std::string& path, std::string* why)
{
    CPendingModel model;
    std::string reason;
    if (!ReadModelFile(path, model, reason)) {
        if (why) *why = reason;
        return 0;
    }
    model.Apply();
    return 1;
}
