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

#include "files/files_globals.h"
#include "files/text_io.h"
#include "frame/frame_globals.h"
#include "model/tables.h"
#include "model/templates.h"
#include "platform/platform.h"
#include "platform/safe_file.h"
#include "view/view_globals.h"

void (*g_pfnResizeViewportToView)() = nullptr;

namespace {

constexpr size_t kMaxTitle = 255;         // longest first line taken
constexpr size_t kMaxName = 55;           // longest shape or material name
constexpr size_t kMaxToken = 512;         // longest number

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
    bool NonFinite() const { return m_nonFinite; }

private:
    std::string& m_text;
    bool m_nonFinite = false;
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
        if (isalpha(static_cast<unsigned char>(data[i]))) {
            m_nonFinite = true;
            return false;
        }
    }
    m_text.append(data, static_cast<size_t>(n));
    m_text.append("\r\n");
    return true;
}

// v in fixed point with at least the given decimals, and as many more as it
// takes to read back as the same float (every reader takes fixed point).
std::string Exact(float v, int decimals) { return RoundTripText(v, 'f', decimals); }

inline int Bit(int v) { return v != 0 ? 1 : 0; }
inline int One(int v) { return v == 1 ? 1 : 0; }

bool WriteTables(CModelFileWriter& out)
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
        if (!out.Line("%hd %hd %hd %f %f %hd %hd %f %f %hd %hd %hd %f %hd %hd %hd %hd %hd %f %f %f", (short)i,
                      m.jointA, m.jointB, m.effLengthYY, m.effLengthZZ, (short)Bit(m.userEffYY),
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

    for (int r = 1; r <= USER_TABLE_ROWS; ++r) {
        const ShapeRec& s = g_Shapes[r];
        if (!out.Line("%hd", (short)r) || !out.Name(s.name) ||
            !out.Line("%hd %hd %s %s %s", (short)One(s.metricRow), (short)One(s.sectionKind),
                      Exact(s.height, 6).c_str(), Exact(s.width, 6).c_str(), Exact(s.area, 6).c_str()) ||
            !out.Line("%s %s %s %s %s %s", Exact(s.torsionConst, 11).c_str(), Exact(s.inertiaYY, 11).c_str(),
                      Exact(s.inertiaZZ, 11).c_str(), Exact(s.modulusYY, 10).c_str(),
                      Exact(s.modulusZZ, 10).c_str(), Exact(s.spacing, 6).c_str()))
            return false;
    }
    for (int r = 1; r <= USER_TABLE_ROWS; ++r) {
        const MaterialRec& m = g_Materials[r];
        if (!out.Line("%hd", (short)r) || !out.Name(m.name) ||
            !out.Line("%s %s %s", Exact(m.colorR, 6).c_str(), Exact(m.colorG, 6).c_str(),
                      Exact(m.colorB, 6).c_str()) ||
            !out.Line("%hd %s %s %s", (short)One(m.metricRow), Exact(m.youngsModulus, 6).c_str(),
                      Exact(m.shearModulus, 6).c_str(), Exact(m.density, 6).c_str()) ||
            !out.Line("%s %s %s %s", Exact(m.ultTensionStress, 6).c_str(), Exact(m.ultCompressionStress, 6).c_str(),
                      Exact(m.ultBendingStress, 6).c_str(), Exact(m.ultShearStress, 6).c_str()))
            return false;
    }
    return true;
}

// The workspace a model can be saved with: 48 inches or 120 cm a side.
void ClampWorkspace()
{
    const short limit = g_bMetricUnits ? 120 : 48;
    if (g_nWorkspaceX > limit) g_nWorkspaceX = limit;
    if (g_nWorkspaceY > limit) g_nWorkspaceY = limit;
    if (g_nWorkspaceZ > limit) g_nWorkspaceZ = limit;
}

bool WriteSettings(CModelFileWriter& out)
{
    return out.Line("%hd %hd %hd", g_nWorkspaceX, g_nWorkspaceY, g_nWorkspaceZ) &&
           out.Line("%f %f %hd", g_fAngularSpeed, g_fLinearSpeed, (short)Bit(g_bSoundOn)) &&
           out.Line("%hd %hd %hd %hd %hd %hd %hd %hd %hd", (short)Bit(g_bShowJoints), (short)Bit(g_bShowLoads),
                    (short)Bit(g_bShowSupports), (short)Bit(g_bShowXYBasePlane), (short)Bit(g_bShowYZBasePlane),
                    (short)Bit(g_bShowXZBasePlane), (short)Bit(g_bShowRulers), (short)Bit(g_bShowOrigin),
                    (short)Bit(g_bShowFocus)) &&
           out.Line("%f %f %f %f %f %f %f %f %f %f %f %f", g_fJointSize, g_fOriginX, g_fOriginY, g_fOriginZ,
                    g_dEyeX, g_dEyeY, g_dEyeZ, g_dCenterX, g_dCenterY, g_dCenterZ, g_fOrbitAngle, g_fOrbitAngleB) &&
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

void ShowAccessDenied()
{
    platform::MessageBox("Access Denied!\nYour file was not saved.", g_szAppTitle,
                         platform::MB_OK | platform::MB_ICONSTOP);
}

// ---------------------------------------------------------------- reading

// Blank-separated numbers and whole lines of a model file. CR LF reads as
// LF. Every read refuses (returns false) on a missing, malformed, out of
// range or non-finite value instead of leaving a stale one behind.
class CModelFileScanner {
public:
    explicit CModelFileScanner(FILE* file) : m_file(file) {}

    bool SkipLine(size_t maxLength);
    // The row number's line end, then the rest of the next line as a name.
    bool ReadNameLine(char* name, size_t size);
    bool AtEnd();

    bool ReadShort(short& v);
    bool ReadInt(int& v);
    bool ReadFloat(float& v);
    bool ReadDouble(double& v);

private:
    static constexpr int kNone = -2;
    static bool IsBlank(int c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

    int Get();
    void Unget(int c) { m_pushed = c; }
    bool NextToken();
    bool ReadLong(long& v, long lo, long hi);

    FILE* m_file;
    int m_pushed = kNone;
    char m_token[kMaxToken + 1];
    size_t m_length = 0;
};

int CModelFileScanner::Get()
{
    if (m_pushed != kNone) {
        int c = m_pushed;
        m_pushed = kNone;
        return c;
    }
    int c = getc(m_file);
    if (c == '\r') {
        int d = getc(m_file);
        if (d == '\n') return '\n';
        if (d != EOF) ungetc(d, m_file);
    }
    return c;
}

bool CModelFileScanner::SkipLine(size_t maxLength)
{
    for (size_t n = 0;; ++n) {
        int c = Get();
        if (c == '\n') return true;
        if (c == EOF || n >= maxLength) return false;
    }
}

bool CModelFileScanner::ReadNameLine(char* name, size_t size)
{
    if (Get() == EOF) return false;  // the line end after the row number
    size_t n = 0;
    for (;;) {
        int c = Get();
        if (c == '\n') break;
        if (c == EOF || n >= kMaxName || n + 1 >= size) return false;
        name[n++] = static_cast<char>(c);
    }
    name[n] = '\0';
    return true;
}

bool CModelFileScanner::AtEnd()
{
    int c;
    do c = Get();
    while (IsBlank(c));
    if (c == EOF) return true;
    Unget(c);
    return false;
}

bool CModelFileScanner::NextToken()
{
    int c;
    do c = Get();
    while (IsBlank(c));
    m_length = 0;
    while (c != EOF && !IsBlank(c)) {
        if (m_length >= kMaxToken) return false;
        m_token[m_length++] = static_cast<char>(c);
        c = Get();
    }
    if (c != EOF) Unget(c);  // the blank after a number stays in the stream
    m_token[m_length] = '\0';
    return m_length > 0;
}

bool CModelFileScanner::ReadLong(long& v, long lo, long hi)
{
    if (!NextToken()) return false;
    char* end = nullptr;
    errno = 0;
    v = strtol(m_token, &end, 10);
    return errno == 0 && end == m_token + m_length && v >= lo && v <= hi;
}

bool CModelFileScanner::ReadShort(short& v)
{
    long t;
    if (!ReadLong(t, SHRT_MIN, SHRT_MAX)) return false;
    v = static_cast<short>(t);
    return true;
}

bool CModelFileScanner::ReadInt(int& v)
{
    long t;
    if (!ReadLong(t, INT_MIN, INT_MAX)) return false;
    v = static_cast<int>(t);
    return true;
}

bool CModelFileScanner::ReadFloat(float& v)
{
    if (!NextToken()) return false;
    char* end = nullptr;
    float t = strtof(m_token, &end);
    if (end != m_token + m_length || !std::isfinite(t)) return false;
    v = t;
    return true;
}

bool CModelFileScanner::ReadDouble(double& v)
{
    if (!NextToken()) return false;
    char* end = nullptr;
    double t = strtod(m_token, &end);
    if (end != m_token + m_length || !std::isfinite(t)) return false;
    v = t;
    return true;
}

// What a version's body holds.
struct FileLayout {
    bool shortIntegers;  // 4.0 scans 16-bit integers, 3.x plain ints
    bool memberOffsets;  // member lines carry offsetY and offsetZ (3.1 on)
    bool sectionKind;    // shape line c carries sectionKind (4.0)
    int lastSetting;     // 1, 15 or 17
    bool towerOptional;  // the S17 line may be missing (3.2, 3.3)
};

class CBodyReader {
public:
    CBodyReader(CModelFileScanner& s, const FileLayout& layout) : m_s(s), m_layout(layout) {}
    int Read();  // 0 read through, 1 refused

private:
    bool Int(int& v)
    {
        if (!m_layout.shortIntegers) return m_s.ReadInt(v);
        short t;
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

    bool ReadCounts();
    bool ReadJoints();
    bool ReadMembers();
    bool ReadLoads();
    bool ReadShapes();
    bool ReadMaterials();
    bool ReadSettings();
    void Finish();

    CModelFileScanner& m_s;
    const FileLayout& m_layout;
    int m_nShapeRows = 0;
    int m_nMaterialRows = 0;
};

bool CBodyReader::Flags(int* const* dst, int n)
{
    int t[16];
    for (int i = 0; i < n; ++i)
        if (!Int(t[i])) return false;
    for (int i = 0; i < n; ++i) *dst[i] = t[i] != 0;
    return true;
}

bool CBodyReader::Floats(float* const* dst, int n)
{
    float t[16];
    for (int i = 0; i < n; ++i)
        if (!m_s.ReadFloat(t[i])) return false;
    for (int i = 0; i < n; ++i) *dst[i] = t[i];
    return true;
}

bool CBodyReader::ReadCounts()
{
    short shapes, materials, joints, members, units;
    if (!m_s.ReadShort(shapes) || !m_s.ReadShort(materials) || !m_s.ReadShort(joints) ||
        !m_s.ReadShort(members) || !m_s.ReadShort(units))
        return false;
    if (shapes < 0 || shapes > USER_TABLE_ROWS || materials < 0 || materials > USER_TABLE_ROWS || joints < 0 ||
        joints > MAX_JOINTS || members < 0 || members > MAX_MEMBERS)
        return false;
    m_nShapeRows = shapes;
    m_nMaterialRows = materials;
    g_nFileShapes = shapes;
    g_nFileMaterials = materials;
    g_nFileUnits = units;
    g_nJoints = joints;
    g_nMembers = members;
    SetMetricUnits(units != 0);
    return true;
}

bool CBodyReader::ReadJoints()
{
    for (int k = 1; k <= g_nJoints; ++k) {
        int row;
        float x, y, z;
        short r[6], w1, w2;
        bool ok = Int(row) && m_s.ReadFloat(x) && m_s.ReadFloat(y) && m_s.ReadFloat(z);
        for (int i = 0; i < 6 && ok; ++i) ok = m_s.ReadShort(r[i]);
        ok = ok && m_s.ReadShort(w1) && m_s.ReadShort(w2);
        if (!ok) {
            // keep the joints read through; no member refers to the rest
            g_nJoints = static_cast<short>(k - 1);
            g_nMembers = 0;
            return false;
        }
        JointRec& j = g_Joints[k];
        j.x = x;
        j.y = y;
        j.z = z;
        SetRestraints(j, r);
        j.fileWord1 = w1;
        j.fileWord2 = w2;
    }
    return true;
}

bool CBodyReader::ReadMembers()
{
    for (int k = 1; k <= g_nMembers; ++k) {
        MemberRec& m = g_Members[k];
        int row, userYY, userZZ;
        short a, b, shape, material, runner, torsion, yy1, zz1, yy2, zz2;
        float effYY, effZZ, roll, r, g, bl;
        float offY = m.offsetY, offZ = m.offsetZ;
        bool ok = Int(row) && m_s.ReadShort(a) && m_s.ReadShort(b) && m_s.ReadFloat(effYY) &&
                  m_s.ReadFloat(effZZ) && Int(userYY) && Int(userZZ);
        if (ok && m_layout.memberOffsets) ok = m_s.ReadFloat(offY) && m_s.ReadFloat(offZ);
        ok = ok && m_s.ReadShort(shape) && m_s.ReadShort(material) && m_s.ReadShort(runner) &&
             m_s.ReadFloat(roll) && m_s.ReadShort(torsion) && m_s.ReadShort(yy1) && m_s.ReadShort(zz1) &&
             m_s.ReadShort(yy2) && m_s.ReadShort(zz2) && m_s.ReadFloat(r) && m_s.ReadFloat(g) &&
             m_s.ReadFloat(bl);
        ok = ok && a >= 1 && a <= g_nJoints && b >= 1 && b <= g_nJoints && shape >= 1 &&
             shape <= USER_TABLE_ROWS && material >= 1 && material <= USER_TABLE_ROWS;
        if (!ok) {
            g_nMembers = static_cast<short>(k - 1);
            return false;
        }
        m.jointA = a;
        m.jointB = b;
        m.effLengthYY = effYY;
        m.effLengthZZ = effZZ;
        m.userEffYY = (userYY == 1);
        m.userEffZZ = (userZZ == 1);
        m.offsetY = offY;
        m.offsetZ = offZ;
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
    }
    return true;
}

bool CBodyReader::ReadLoads()
{
    for (int k = 1; k <= g_nJoints; ++k) {
        int row, tx, ty, tz;
        float mx, my, mz, fx, fy, fz;
        if (!(Int(row) && m_s.ReadFloat(mx) && m_s.ReadFloat(my) && m_s.ReadFloat(mz) && m_s.ReadFloat(fx) &&
              m_s.ReadFloat(fy) && m_s.ReadFloat(fz) && StoredFlag(tx) && StoredFlag(ty) && StoredFlag(tz)))
            return false;
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
    }
    return true;
}

bool CBodyReader::ReadShapes()
{
    for (int k = 1; k <= m_nShapeRows; ++k) {
        ShapeRec s = g_Shapes[k];
        int row, metric, kind = s.sectionKind;
        if (!Int(row) || !m_s.ReadNameLine(s.name, sizeof s.name) || !StoredFlag(metric)) return false;
        if (m_layout.sectionKind && !Int(kind)) return false;
        float* const values[] = {&s.height, &s.width, &s.area, &s.torsionConst, &s.inertiaYY,
                                 &s.inertiaZZ, &s.modulusYY, &s.modulusZZ, &s.spacing};
        if (!Floats(values, 9)) return false;
        s.metricRow = metric;
        s.sectionKind = kind;
        g_Shapes[k] = s;
    }
    return true;
}

bool CBodyReader::ReadMaterials()
{
    for (int k = 1; k <= m_nMaterialRows; ++k) {
        MaterialRec m = g_Materials[k];
        int row, metric;
        if (!Int(row) || !m_s.ReadNameLine(m.name, sizeof m.name)) return false;
        float* const colors[] = {&m.colorR, &m.colorG, &m.colorB};
        if (!Floats(colors, 3) || !StoredFlag(metric)) return false;
        float* const values[] = {&m.youngsModulus,        &m.shearModulus,     &m.density,
                                 &m.ultTensionStress,     &m.ultCompressionStress,
                                 &m.ultBendingStress,     &m.ultShearStress};
        if (!Floats(values, 7)) return false;
        m.metricRow = metric;
        g_Materials[k] = m;
    }
    return true;
}

bool CBodyReader::ReadSettings()
{
    // S1: workspace, as read
    short ws[3];
    if (!m_s.ReadShort(ws[0]) || !m_s.ReadShort(ws[1]) || !m_s.ReadShort(ws[2])) return false;
    SetWorkspaceSize(ws[0], ws[1], ws[2]);
    if (m_layout.lastSetting < 2) return true;

    // S2: speeds and sound
    float angular, linear;
    int sound;
    if (!m_s.ReadFloat(angular) || !m_s.ReadFloat(linear) || !Int(sound)) return false;
    g_fAngularSpeed = angular;
    g_fLinearSpeed = linear;
    g_bSoundOn = sound != 0;

    // S3: view switches
    int* const view[] = {&g_bShowJoints,      &g_bShowLoads,  &g_bShowSupports,
                         &g_bShowXYBasePlane, &g_bShowYZBasePlane, &g_bShowXZBasePlane,
                         &g_bShowRulers,      &g_bShowOrigin, &g_bShowFocus};
    if (!Flags(view, 9)) return false;

    // S4: joint size, origin, camera
    float jointSize, origin[3], orbit[2];
    double eye[3], center[3];
    bool ok = m_s.ReadFloat(jointSize);
    for (int i = 0; i < 3 && ok; ++i) ok = m_s.ReadFloat(origin[i]);
    for (int i = 0; i < 3 && ok; ++i) ok = m_s.ReadDouble(eye[i]);
    for (int i = 0; i < 3 && ok; ++i) ok = m_s.ReadDouble(center[i]);
    for (int i = 0; i < 2 && ok; ++i) ok = m_s.ReadFloat(orbit[i]);
    if (!ok) return false;
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

    // S5: guide planes
    float* const guides[] = {&g_fGuidePlaneY, &g_fGuidePlaneX, &g_fGuidePlaneZ};
    if (!Floats(guides, 3)) return false;

    // S6: default shape and material rows, which new members index by
    short defShape, defMaterial;
    if (!m_s.ReadShort(defShape) || !m_s.ReadShort(defMaterial) || defShape < 1 ||
        defShape > USER_TABLE_ROWS || defMaterial < 1 || defMaterial > USER_TABLE_ROWS)
        return false;
    g_nDefaultShape = defShape;
    g_nDefaultMaterial = defMaterial;

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
    int* const magnify[] = {&g_bMagnifyNone, &g_bMagnify2,  &g_bMagnify5,  &g_bMagnify10,
                            &g_bMagnify20,   &g_bMagnify50, &g_bMagnify100};
    const float magnification[] = {1, 2, 5, 10, 20, 50, 100};
    int picked[7];
    for (int i = 0; i < 7; ++i)
        if (!Int(picked[i])) return false;
    for (int i = 0; i < 7; ++i) *magnify[i] = 0;
    for (int i = 0; i < 7; ++i) {
        if (picked[i]) {
            *magnify[i] = 1;
            g_fMagnification = magnification[i];
        }
    }

    // S14, S15
    int* const consider[] = {&g_bConsiderAxial, &g_bConsiderBending, &g_bConsiderShear, &g_bConsiderTorsion};
    if (!Flags(consider, 4)) return false;
    int* const results[] = {&g_bColorAxialStresses, &g_bColorBendingStresses, &g_bColorFailedMembers,
                            &g_bNoAnimation,        &g_bAnimateDisplacement,  &g_bAnimateCollapse};
    if (!Flags(results, 6)) return false;
    if (m_layout.lastSetting < 16) return true;

    // S16: bridge project
    int bridge;
    if (!Int(bridge)) return false;
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

    // S17: tower project and wind speed
    if (m_layout.towerOptional && m_s.AtEnd()) return true;
    int tower;
    float wind;
    if (!Int(tower) || !m_s.ReadFloat(wind)) return false;
    if (tower) {
        SetMetricUnits(0);  // a tower project is always in U.S. units
        g_fWindSpeed = wind;
        g_bUseFan = g_bTowerProject = 1;
        if (m_layout.towerOptional) SetMagnificationRadio(2);
    }
    return true;
}

void CBodyReader::Finish()
{
    int* const lists[] = {&g_bListTruckBuilt,    &g_bListFanBuilt,       &g_bListXZBasePlaneBuilt,
                          &g_bListYZBasePlaneBuilt, &g_bListXYBasePlaneBuilt, &g_bListXZGuideBuilt,
                          &g_bListYZGuide1Built, &g_bListYZGuide2Built,  &g_bListYZGuide3Built,
                          &g_bListYZGuide4Built, &g_bListXYGuide1Built,  &g_bListXYGuide2Built,
                          &g_bListRuler1Built,   &g_bListRuler2Built,    &g_bListRuler3Built};
    for (int* f : lists) *f = 0;
    if (g_pfnResizeViewportToView) g_pfnResizeViewportToView();
    if (g_pfnSetClearColor) g_pfnSetClearColor(g_fBackgroundR, g_fBackgroundG, g_fBackgroundB, 1.0f);
}

int CBodyReader::Read()
{
    if (!ReadCounts() || !ReadJoints() || !ReadMembers() || !ReadLoads() || !ReadShapes() || !ReadMaterials() ||
        !ReadSettings())
        return 1;
    Finish();
    return 0;
}

int ReadModelFileV30(CModelFileScanner& s)
{
    const FileLayout layout = {false, false, false, 1, false};
    return CBodyReader(s, layout).Read();
}

int ReadModelFileV31(CModelFileScanner& s)
{
    const FileLayout layout = {false, true, false, 15, false};
    return CBodyReader(s, layout).Read();
}

// Versions 3.2 and 3.3.
int ReadModelFileV32(CModelFileScanner& s)
{
    const FileLayout layout = {false, true, false, 17, true};
    return CBodyReader(s, layout).Read();
}

int ReadModelFileV40(CModelFileScanner& s)
{
    const FileLayout layout = {true, true, true, 17, false};
    return CBodyReader(s, layout).Read();
}

}  // namespace

int WriteModelFile(const std::string& path)
{
    CLocaleScopeC cLocale;  // numbers in the C locale whatever the user's
    if (path.empty() || platform::IsSpecialFile(path)) {
        ShowAccessDenied();
        return 0;
    }
    std::string text;
    CModelFileWriter out(text);
    g_nFileShapes = g_nFileMaterials = USER_TABLE_ROWS;
    // The workspace is clamped in memory only by a save that succeeds.
    const short x = g_nWorkspaceX, y = g_nWorkspaceY, z = g_nWorkspaceZ;
    ClampWorkspace();
    const bool written = WriteTables(out) && WriteSettings(out);
    const platform::SaveResult saved = written ? platform::SafeSaveFile(path, text) : platform::SaveResult::NotSaved;
    if (saved == platform::SaveResult::Saved) {
        if (g_nWorkspaceX != x || g_nWorkspaceY != y || g_nWorkspaceZ != z) InvalidateWorkspaceLists();
        return 1;
    }
    g_nWorkspaceX = x;
    g_nWorkspaceY = y;
    g_nWorkspaceZ = z;
    if (saved == platform::SaveResult::MayBeDamaged)
        platform::MessageBox(platform::MayBeDamagedText(path), g_szAppTitle, platform::MB_OK | platform::MB_ICONSTOP);
    else if (out.NonFinite())
        platform::MessageBox("The model holds a number that is not finite.\nYour file was not saved.",
                             g_szAppTitle, platform::MB_OK | platform::MB_ICONSTOP);
    else
        ShowAccessDenied();
    return 0;
}

std::string ModelFileText()
{
    CLocaleScopeC cLocale;  // numbers in the C locale whatever the user's
    std::string text;
    CModelFileWriter out(text);
    const short x = g_nWorkspaceX, y = g_nWorkspaceY, z = g_nWorkspaceZ;
    ClampWorkspace();
    const bool ok = WriteTables(out) && WriteSettings(out);
    g_nWorkspaceX = x;
    g_nWorkspaceY = y;
    g_nWorkspaceZ = z;
    return ok ? text : std::string();
}

int OpenModelFile(const std::string& path)
{
    CReadFile in;
    if (!in.Open(path)) return 0;
    CLocaleScopeC cLocale;  // numbers in the C locale whatever the user's
    CModelFileScanner s(in.File());
    int failed = 1;
    float version;
    if (s.SkipLine(kMaxTitle) && s.ReadFloat(version)) {
        if (version == 3.0f)
            failed = ReadModelFileV30(s);
        else if (version == 3.1f)
            failed = ReadModelFileV31(s);
        else if (version == 3.2f || version == 3.3f)
            failed = ReadModelFileV32(s);
        else if (version == 4.0f)
            failed = ReadModelFileV40(s);
    }
    return failed ? 0 : 1;
}
