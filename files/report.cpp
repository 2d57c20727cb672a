#include "files/report.h"

#include <cstdarg>
#include <cstring>
#include <sys/stat.h>
#include <utility>

#include "model/model_ops.h"
#include "model/solver.h"
#include "model/tables.h"
#include "model/units.h"
#include "state/files_globals.h"
#include "state/frame_globals.h"


// ---------------------------------------------------------------------------
// Report buffer

namespace {

constexpr std::size_t kSizeLimit = 65000;
constexpr int kRowsPerHeader = 7;

std::size_t s_nReportLen = 0;

ReportClock s_clock;

void ClearBuffer()
{
    s_nReportLen = 0;
    g_szReportBuffer[0] = '\0';
}

// Appends without ever passing the end of the buffer.
void Append(const char* text, std::size_t n)
{
    const std::size_t room = REPORT_BUFFER_SIZE - 1 - s_nReportLen;
    if (n > room) n = room;
    std::memcpy(g_szReportBuffer + s_nReportLen, text, n);
    s_nReportLen += n;
    g_szReportBuffer[s_nReportLen] = '\0';
}

void Append(const char* text) { Append(text, std::strlen(text)); }
void Append(const std::string& text) { Append(text.data(), text.size()); }

void AppendF(const char* format, ...) __attribute__((format(printf, 1, 2)));
void AppendF(const char* format, ...)
{
    char text[512];
    va_list args;
    va_start(args, format);
    const int n = std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    if (n > 0) Append(text, static_cast<std::size_t>(n) < sizeof text ? n : sizeof text - 1);
}

void AppendDashes(int count)
{
    std::string line(static_cast<std::size_t>(count), '-');
    line += '\n';
    Append(line);
}

// ---------------------------------------------------------------------------
// Rows

enum CellKind { PLAIN, BLANKING };

// Right-aligned cell: a blanking cell whose text fills or overflows the
// column is all blanks; a plain cell is never padded below zero.
void Cell(std::string& row, const char* text, int width, CellKind kind)
{
    const int n = static_cast<int>(std::strlen(text));
    const int pad = width - n;
    if (kind == BLANKING && pad < 1) {
        row.append(static_cast<std::size_t>(width > 0 ? width : 0), ' ');
        return;
    }
    if (pad > 0) row.append(static_cast<std::size_t>(pad), ' ');
    row += text;
}

void LeftCell(std::string& row, const std::string& text, int width)
{
    row += text;
    const int pad = width - static_cast<int>(text.size());
    if (pad > 0) row.append(static_cast<std::size_t>(pad), ' ');
}

void IntCell(std::string& row, const char* format, int value, int width)
{
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    Cell(row, text, width, PLAIN);
}

void FloatCell(std::string& row, const char* format, double value, int width)
{
    char text[128];
    std::snprintf(text, sizeof text, format, value);
    Cell(row, text, width, BLANKING);
}

std::string NamePrefix(const char* name, std::size_t chars)
{
    std::size_t n = 0;
    while (n < chars && n < 56 && name[n] != '\0') ++n;
    return std::string(name, n);
}

void NameCell(std::string& row, const char* name, std::size_t chars, int width)
{
    Cell(row, NamePrefix(name, chars).c_str(), width, PLAIN);
}

// Rows that point outside the shape or material table read a default row.
const ShapeRec& ShapeOf(const MemberRec& m)
{
    static const ShapeRec s_none;
    return m.shape >= 0 && m.shape < TABLE_ROWS ? g_Shapes[m.shape] : s_none;
}

const MaterialRec& MaterialOf(const MemberRec& m)
{
    static const MaterialRec s_none;
    return m.material >= 0 && m.material < TABLE_ROWS ? g_Materials[m.material] : s_none;
}

// ---------------------------------------------------------------------------
// Sections

struct SectionLayout {
    const char* title;
    const char* first;
    const char* second;       // or nullptr
    const char* unitsUS;      // or nullptr
    const char* unitsMetric;  // or nullptr
    int dashes;
    const char* repeated;
    int blankLinesAfterTitle;
};

class SectionWriter {
public:
    explicit SectionWriter(const SectionLayout& layout) : m_layout(layout)
    {
        AppendF("\n\n%s\n", layout.title);
        for (int i = 0; i < layout.blankLinesAfterTitle; ++i) Append("\n");
        Append(layout.first);
        if (layout.second) Append(layout.second);
        const char* units = g_bMetricUnits ? layout.unitsMetric : layout.unitsUS;
        if (units) Append(units);
        AppendDashes(layout.dashes);
    }

    // False when the buffer has passed the size limit: the message is
    // appended and the section ends.
    bool HasRoom()
    {
        if (s_nReportLen <= kSizeLimit) return true;
        Append("\n\nData Size Limit Exceeded!");
        return false;
    }

    void AddRow(const std::string& row)
    {
        if (m_rows == kRowsPerHeader) {
            AppendDashes(m_layout.dashes);
            Append(m_layout.repeated);
            AppendDashes(m_layout.dashes);
            m_rows = 0;
        }
        Append(row);
        Append("\n");
        ++m_rows;
    }

private:
    const SectionLayout& m_layout;
    int m_rows = 0;
};

std::string RowNumber(int i)
{
    std::string row;
    IntCell(row, "%3.3d", i, 4);
    return row;
}

const char* const kJointFirst = "Joint      X         Y        Z         TX   TY   TZ   RX   RY   RZ\n";
const SectionLayout kJointLayout = {
    "JOINT DATA", kJointFirst, nullptr,
    " no.      (in)      (in)     (in)                                     \n",
    " no.      (cm)      (cm)     (cm)                                     \n",
    67, kJointFirst, 1};

const char* const kMaterialSecond =
    " no.     desc     Density        E         G         Tension    Compression   Bending      Shear    \n";
const SectionLayout kMaterialLayout = {
    "MEMBER MATERIAL",
    "Memb.    Matl.                                      Ultimate     Ultimate     Ultimate   Ultimate   \n",
    kMaterialSecond,
    "   #                 pcf        (psi)     (psi)        (psi)        (psi)       (psi)       (psi)    \n",
    "   #               N/cm^3      (N/cm^2)  (N/cm^2)     (N/cm^2)     (N/cm^2)    (N/cm^2)    (N/cm^2)   \n",
    100, kMaterialSecond, 1};

const char* const kShapeFirst =
    "Memb.   Shape  Height  Width  Dbl Spacing   Area        Ix          Iy           Iz           Sy        Sz   \n";
const SectionLayout kShapeLayout = {
    "MEMBER SHAPE", kShapeFirst, nullptr,
    " no.    desc    (in)   (in)   flg  (in)    (sqin)     (in^4)      (in^4)       (in^4)       (in^3)    (in^3) \n",
    " no.    desc    (cm)   (cm)   flg  (cm)    (cm^2)     (cm^4)      (cm^4)       (cm^4)       (cm^3)    (cm^3) \n",
    110, kShapeFirst, 1};

const char* const kLoadFirst = "Load        Fx      Fy       Fz      Tx   Ty   Tz    \n";
const SectionLayout kLoadLayout = {
    "LOAD DATA", kLoadFirst, nullptr,
    " no.       (lbs.)  (lbs.)   (lbs.)  (flg)(flg)(flg)  \n",
    " no.        (N)     (N)      (N)    (flg)(flg)(flg)  \n",
    51, kLoadFirst, 1};

const char* const kBillFirst = "Shape                     Material                 Length\n";
const SectionLayout kBillLayout = {
    "Bill of Materials", kBillFirst, nullptr,
    "No.  Desc.                No.  Desc.                (in) \n",
    "No.  Desc.                No.  Desc.                (cm) \n",
    59, kBillFirst, 2};

const char* const kUltimateSecond =
    " no.      desc      desc        L       Lxx      Lyy     Tension   Comp.   BendZZ   BendYY   Shear  Torsion \n";
const SectionLayout kUltimateLayout = {
    "ULTIMATE FORCES",
    "Memb.     Matl.     Shape                                ---------------------- Ultimate Force -------------\n",
    kUltimateSecond,
    "  #                            (in)     (in)     (in)     (lbs)    (lbs)  (in-lbs) (in-lbs)  (lbs)  (in-lbs)\n",
    "  #                            (cm)     (cm)     (cm)      (N)      (N)    (N-cm)   (N-cm)    (N)    (N-cm) \n",
    108, kUltimateSecond, 1};

const char* const kActualSecond =
    " no.   Jt1  Jt2   Axial1 ShearZZ ShearYY Torsion   M1yy    M1zz    Axial2 ShearZZ ShearYY  Torsion  M2yy    M2zz  \n";
const SectionLayout kActualLayout = {
    "ACTUAL FORCES",
    "Memb.            |--------------Actual Forces @ Jt1--------------|--------------Actual Forces @ Jt2--------------|\n",
    kActualSecond,
    " no.    #    #    (lbs)   (lbs)   (lbs)  (in-lbs)(in-lbs)(in-lbs)  (lbs)   (lbs)   (lbs)  (in-lbs)(in-lbs)(in-lbs)\n",
    " no.    #    #     (N)     (N)     (N)    (N-cm)  (N-cm)  (N-cm)    (N)     (N)     (N)    (N-cm)  (N-cm)  (N-cm) \n",
    113, kActualSecond, 1};

const char* const kRatioSecond =
    " no.    A1    Mzz1  Myy1  Vzz1  Vyy1   T1   AM1   VT1        A2   Mzz2  Myy2  Vzz2  Vyy2   T2   AM2   VT2\n";
const SectionLayout kRatioLayout = {
    "STRENGTH RATIOS",
    "Memb.   ------ Efficency Ratios @ 1------------------        ----------- Efficency Ratios @ 2------------\n",
    kRatioSecond, nullptr, nullptr, 105, kRatioSecond, 1};

std::tm SystemLocalTime()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}

int Finish() { return static_cast<int>(s_nReportLen); }

}  // namespace

void SetReportClock(ReportClock clock)
{
    s_clock = std::move(clock);
}

int FormatReportHeader()
{
    CLocaleScopeC cLocale;
    ClearBuffer();

    const std::tm now = s_clock ? s_clock() : SystemLocalTime();
    char date[128];
    if (std::strftime(date, sizeof date, "%A, %B %d, %Y - %I:%M %p", &now) == 0) date[0] = '\0';
    Append("Trussforge3D - Numerical Results - ");
    AppendF("%s\n", date);
    Append("\n");

    Append("Filename: ");
    Append(g_strModelFileName);
    Append("\n");
    Append("\n");

    const double grams = static_cast<double>(TotalWeight()) * (g_bUnitsUS ? kGramsPerPound : kGramsPerNewton);
    AppendF("Model Weight (excluding glue): %5.2f grams\n", grams);
    Append("\n");

    float sumX = 0, sumY = 0, sumZ = 0;
    for (int j = 1; j <= JointCount(); ++j) {
        sumY += g_Joints[j].forceY;
        sumX += g_Joints[j].forceX;
        sumZ += g_Joints[j].forceZ;
    }
    const char* unit = g_bMetricUnits ? "N" : "lbs";
    AppendF("Total Vertical Load(Y): %5.2f %s\n", sumY, unit);
    AppendF(" Total Lateral Load(X): %5.2f %s\n", sumX, unit);
    AppendF(" Total Lateral Load(Z): %5.2f %s\n", sumZ, unit);
    Append("\n");

    if (g_bMemberResultsValid) {
        if (g_bModelFailed == 1)
            Append("-- Model Failed Latest Analysis --\n");
        else
            Append("**** Model Passed Latest Analysis! ****\n");
    }
    Append("\n\n");
    return Finish();
}

int FormatJointData()
{
    CLocaleScopeC cLocale;
    ClearBuffer();
    if (JointCount() <= 0) return 0;
    SectionWriter section(kJointLayout);
    for (int j = 1; j <= JointCount(); ++j) {
        if (!section.HasRoom()) break;
        const JointRec& jt = g_Joints[j];
        std::string row = RowNumber(j);
        FloatCell(row, "%4.2f", jt.x, 10);
        FloatCell(row, "%4.2f", jt.y, 10);
        FloatCell(row, "%4.2f", jt.z, 10);
        IntCell(row, "%1.1d", jt.restraintTX, 8);
        IntCell(row, "%1.1d", jt.restraintTY, 5);
        IntCell(row, "%1.1d", jt.restraintTZ, 5);
        IntCell(row, "%1.1d", jt.restraintRX, 5);
        IntCell(row, "%1.1d", jt.restraintRY, 5);
        IntCell(row, "%1.1d", jt.restraintRZ, 5);
        section.AddRow(row);
    }
    return Finish();
}

// Member data has no section of its own: the buffer is left empty.
int FormatMemberData()
{
    ClearBuffer();
    return 0;
}

int FormatMaterialData()
{
    CLocaleScopeC cLocale;
    ClearBuffer();
    if (MemberCount() <= 0) return 0;
    SectionWriter section(kMaterialLayout);
    for (int i = 1; i <= MemberCount(); ++i) {
        if (!section.HasRoom()) break;
        const MaterialRec& mat = MaterialOf(g_Members[i]);
        std::string row = RowNumber(i);
        NameCell(row, mat.name, 8, 12);
        FloatCell(row, "%5.5f", mat.density, 9);
        FloatCell(row, "%6.2f", mat.youngsModulus, 13);
        FloatCell(row, "%6.2f", mat.shearModulus, 11);
        FloatCell(row, "%6.2f", mat.ultTensionStress, 11);
        FloatCell(row, "%6.2f", mat.ultCompressionStress, 13);
        FloatCell(row, "%6.2f", mat.ultBendingStress, 12);
        FloatCell(row, "%6.2f", mat.ultShearStress, 12);
        section.AddRow(row);
    }
    return Finish();
}

int FormatShapeData()
{
    CLocaleScopeC cLocale;
    ClearBuffer();
    if (MemberCount() <= 0) return 0;
    SectionWriter section(kShapeLayout);
    for (int i = 1; i <= MemberCount(); ++i) {
        if (!section.HasRoom()) break;
        const ShapeRec& sh = ShapeOf(g_Members[i]);
        std::string row = RowNumber(i);
        NameCell(row, sh.name, 9, 10);
        FloatCell(row, "%3.3f", sh.height, 7);
        FloatCell(row, "%3.3f", sh.width, 7);
        IntCell(row, "%1.1d", sh.spacing != 0 ? 1 : 0, 4);
        FloatCell(row, "%3.3f", sh.spacing, 8);
        FloatCell(row, "%4.4f", sh.area, 9);
        FloatCell(row, "%5.4fe-5", sh.torsionConst * 100000.0f, 13);
        FloatCell(row, "%5.4fe-5", sh.inertiaYY * 100000.0f, 13);
        FloatCell(row, "%5.4fe-5", sh.inertiaZZ * 100000.0f, 12);
        FloatCell(row, "%5.4fe-3", sh.modulusYY * 1000.0f, 12);
        FloatCell(row, "%5.4fe-3", sh.modulusZZ * 1000.0f, 11);
        section.AddRow(row);
    }
    return Finish();
}

int FormatLoadData()
{
    CLocaleScopeC cLocale;
    ClearBuffer();
    if (JointCount() <= 0) return 0;
    SectionWriter section(kLoadLayout);
    for (int j = 1; j <= JointCount(); ++j) {
        if (!section.HasRoom()) break;
        const JointRec& jt = g_Joints[j];
        std::string row = RowNumber(j);
        FloatCell(row, "%5.4f", jt.forceX, 10);
        FloatCell(row, "%5.4f", jt.forceY, 10);
        FloatCell(row, "%5.4f", jt.forceZ, 10);
        IntCell(row, "%1.1d", jt.translatedX, 5);
        IntCell(row, "%1.1d", jt.translatedY, 5);
        IntCell(row, "%1.1d", jt.translatedZ, 5);
        section.AddRow(row);
    }
    return Finish();
}

int FormatBillOfMaterials()
{
    CLocaleScopeC cLocale;
    ClearBuffer();
    if (MemberCount() <= 0) return 0;
    SectionWriter section(kBillLayout);
    for (int s = 1; s <= USER_TABLE_ROWS; ++s) {
        for (int m = 1; m <= USER_TABLE_ROWS; ++m) {
            if (!section.HasRoom()) return Finish();
            float length = 0;
            for (int i = 1; i <= MemberCount(); ++i) {
                if (g_Members[i].shape == s && g_Members[i].material == m) length += g_Members[i].length;
            }
            if (!(length > 0)) continue;
            std::string row;
            IntCell(row, "%2.2d  ", s, 4);
            LeftCell(row, NamePrefix(g_Shapes[s].name, 16), 18);
            IntCell(row, "%2.2d  ", m, 8);
            LeftCell(row, NamePrefix(g_Materials[m].name, 16), 18);
            FloatCell(row, "%5.2f", length, 8);
            section.AddRow(row);
        }
    }
    return Finish();
}

int FormatUltimateForces()
{
    CLocaleScopeC cLocale;
    ClearBuffer();
    if (MemberCount() <= 0) return 0;
    SectionWriter section(kUltimateLayout);
    for (int i = 1; i <= MemberCount(); ++i) {
        if (!section.HasRoom()) break;
        const MemberRec& m = g_Members[i];
        std::string row = RowNumber(i);
        NameCell(row, MaterialOf(m).name, 8, 12);
        NameCell(row, ShapeOf(m).name, 9, 10);
        FloatCell(row, "%5.2f", m.length, 9);
        FloatCell(row, "%5.2f", m.effLengthZZ, 9);
        FloatCell(row, "%5.2f", m.effLengthYY, 9);
        FloatCell(row, "%5.2f", m.ultTension, 11);
        FloatCell(row, "%5.2f", m.ultCompression, 9);
        FloatCell(row, "%5.2f", m.ultBendZZ, 8);
        FloatCell(row, "%5.2f", m.ultBendYY, 9);
        FloatCell(row, "%5.2f", m.ultShear, 8);
        FloatCell(row, "%5.2f", m.ultTorsion, 8);
        section.AddRow(row);
    }
    return Finish();
}

int FormatActualForces()
{
    CLocaleScopeC cLocale;
    ClearBuffer();
    if (MemberCount() <= 0) return 0;
    SectionWriter section(kActualLayout);
    static const int kWidths[12] = {8, 8, 8, 8, 8, 9, 8, 8, 8, 8, 8, 8};
    for (int i = 1; i <= MemberCount(); ++i) {
        if (!section.HasRoom()) break;
        const MemberRec& m = g_Members[i];
        std::string row = RowNumber(i);
        IntCell(row, "%3.3d", m.jointA, 6);
        IntCell(row, "%3.3d", m.jointB, 5);
        for (int k = 0; k < 12; ++k) FloatCell(row, "%5.2f", m.endForces[k], kWidths[k]);
        section.AddRow(row);
    }
    return Finish();
}

int FormatStrengthRatios()
{
    CLocaleScopeC cLocale;
    ClearBuffer();
    if (MemberCount() <= 0) return 0;
    SectionWriter section(kRatioLayout);
    for (int i = 1; i <= MemberCount(); ++i) {
        if (!section.HasRoom()) break;
        const MemberRec& m = g_Members[i];
        std::string row = RowNumber(i);
        for (int k = 0; k < 8; ++k) FloatCell(row, "%5.2f", m.ratios1[k], k == 0 ? 8 : 6);
        for (int k = 0; k < 8; ++k) FloatCell(row, "%5.2f", m.ratios2[k], k == 0 ? 10 : 6);
        section.AddRow(row);
    }
    return Finish();
}

platform::SaveResult WriteOutputFile(const std::string& path)
{
    CLocaleScopeC cLocale;
    CTextFileWriter file;
    if (!file.Create(path)) return platform::SaveResult::NotSaved;

    // Plane printing may have left in-plane lengths behind.
    ComputeMemberGeometry();

    auto writeSection = [&file](int (*format)()) {
        const int n = format();
        file.Write(g_szReportBuffer, static_cast<std::size_t>(n));
    };
    writeSection(FormatReportHeader);
    if (g_bOutJointData) writeSection(FormatJointData);
    if (g_bOutMemberData) writeSection(FormatMemberData);
    if (g_bOutMaterialData) writeSection(FormatMaterialData);
    if (g_bOutShapeData) writeSection(FormatShapeData);
    if (g_bOutLoadData) writeSection(FormatLoadData);
    if (g_bOutBillOfMaterials) writeSection(FormatBillOfMaterials);
    if (g_bOutUltimateForces) writeSection(FormatUltimateForces);
    if (g_bMemberResultsValid) {
        if (g_bOutActualForces) writeSection(FormatActualForces);
        if (g_bOutStrengthRatios) writeSection(FormatStrengthRatios);
    } else {
        file.Write(std::string("\nNo Current Analysis\n"));
    }
    return file.Finish();
}
