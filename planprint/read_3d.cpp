// Import of TF3D's 3D model file (version 4.0), flattened onto its front
// plane.
#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

#include "planprint/model_data.h"
#include "planprint/outline.h"
#include "planprint/reader_common.h"
#include "planprint/settings.h"
#include "planprint/text_scanner.h"
#include "planprint/tile_view.h"
#include "platform/number_text.h"

namespace {

const char* const kNot3dFile = "ERROR - Not a Trussforge3D File";

constexpr std::size_t kLongestLine = 79;

// The model as the file gives it, taken into the tables only when the whole
// file has been read and checked. Rows start as copies of the table rows they
// replace, so fields the file does not carry keep their values.
struct Model3d {
    int nSections = 0, nMaterials = 0, nJoints = 0, nMembers = 0;
    bool english = true;
    std::vector<CJoint> joints;
    std::vector<CMember> members;
    std::vector<CSection> sections;
    std::vector<CMaterial> materials;
};

class C3dReader {
public:
    explicit C3dReader(const std::string& text) : m_in(text) {}
    // "" when the body was read, else why not.
    std::string ReadBody(Model3d& model);
    CTextScanner& Scanner() { return m_in; }

private:
    bool Ints(std::initializer_list<int*> values)
    {
        for (int* v : values)
            if (!m_in.ReadInt(*v)) return false;
        return true;
    }
    bool Floats(std::initializer_list<float*> values)
    {
        for (float* v : values)
            if (!m_in.ReadFloat(*v)) return false;
        return true;
    }
    // The row number's line, then the name line.
    bool Name(std::string& name)
    {
        int row;
        std::string rest;
        return m_in.ReadInt(row) && m_in.ReadLine(rest, kLongestLine) && m_in.ReadLine(name, kLongestLine);
    }
    std::string Malformed() const
    {
        char text[96];
        std::snprintf(text, sizeof text, "The file is malformed or ends early at line %d.", m_in.Line());
        return text;
    }

    CTextScanner m_in;
};

std::string C3dReader::ReadBody(Model3d& model)
{
    int units;
    if (!Ints({&model.nSections, &model.nMaterials, &model.nJoints, &model.nMembers, &units})) return Malformed();
    if (model.nSections < 0 || model.nMaterials < 0 || model.nJoints < 0 || model.nMembers < 0) return Malformed();
    char limit[96] = "";
    if (model.nJoints > kMaxJoints)
        std::snprintf(limit, sizeof limit, "The model has more than %d joints.", kMaxJoints);
    else if (model.nMembers > kMaxMembers)
        std::snprintf(limit, sizeof limit, "The model has more than %d members.", kMaxMembers);
    else if (model.nSections > kMaxTableRows)
        std::snprintf(limit, sizeof limit, "The model has more than %d shapes.", kMaxTableRows);
    else if (model.nMaterials > kMaxTableRows)
        std::snprintf(limit, sizeof limit, "The model has more than %d materials.", kMaxTableRows);
    if (limit[0]) return limit;
    model.english = units == 0;

    model.joints.assign(g_pJoints + 1, g_pJoints + 1 + model.nJoints);
    model.members.assign(g_pMembers + 1, g_pMembers + 1 + model.nMembers);
    model.sections.assign(g_pSections + 1, g_pSections + 1 + model.nSections);
    model.materials.resize(model.nMaterials);
    for (int k = 1; k <= model.nMaterials; ++k)
        model.materials[k - 1] = model.english ? g_pMaterials[k] : g_pMaterialPairs[k].si;

    int row, word;
    float ignored;
    for (CJoint& j : model.joints)
        if (!Ints({&row}) || !Floats({&j.x, &j.y, &j.z}) ||
            !Ints({&j.nRestrainTX, &j.nRestrainTY, &j.nRestrainTZ, &j.nRestrainRX, &j.nRestrainRY, &j.nRestrainRZ,
                   &word, &word}))
            return Malformed();
    for (CMember& m : model.members)
        if (!Ints({&row, &m.nJointA, &m.nJointB}) ||
            !Floats({&m.fEffLengthYY, &m.fEffLengthZZ, &m.fUserEffYY, &m.fUserEffZZ, &m.fOffsetY, &m.fOffsetZ}) ||
            !Ints({&m.nSection, &m.nMaterial, &m.bRunner}) || !Floats({&m.fRoll}) ||
            !Ints({&m.bUseTorsion, &m.bMomentYY1, &m.bMomentZZ1, &m.bMomentYY2, &m.bMomentZZ2}) ||
            !Floats({&m.fColorR, &m.fColorG, &m.fColorB}))
            return Malformed();
    for (CJoint& j : model.joints)
        if (!Ints({&row}) || !Floats({&ignored, &ignored, &ignored, &j.fForceX, &j.fForceY, &j.fForceZ}) ||
            !Ints({&j.bTranslatedX, &j.bTranslatedY, &j.bTranslatedZ}))
            return Malformed();
    for (CSection& s : model.sections)
        if (!Name(s.strName) || !Ints({&word, &s.nKind}) || !Floats({&s.fHeight, &s.fWidth, &s.fArea}) ||
            !Floats({&s.fJ, &s.fIy, &s.fIz, &s.fSy, &s.fSz, &s.fSpacing}))
            return Malformed();
    for (CMaterial& m : model.materials)
        if (!Name(m.strName) || !Floats({&m.fColorR, &m.fColorG, &m.fColorB}) || !Ints({&word}) ||
            !Floats({&m.fE, &m.fG, &m.fDensity}) ||
            !Floats({&m.fUltTension, &m.fUltCompression, &m.fUltBending, &m.fUltShear}))
            return Malformed();

    for (int k = 1; k <= model.nJoints; ++k) {
        const CJoint& j = model.joints[k - 1];
        const std::string far = FarJointText(k, j.x, j.y, j.z);
        if (!far.empty()) return far;
    }
    for (int k = 1; k <= model.nSections; ++k) {
        const std::string large = LargeShapeText(k, model.sections[k - 1].fHeight);
        if (!large.empty()) return large;
    }

    // Every member joins two of the file's joints and uses its shapes and materials.
    for (int k = 1; k <= model.nMembers; ++k) {
        const CMember& m = model.members[k - 1];
        const char* missing = nullptr;
        if (m.nJointA < 1 || m.nJointA > model.nJoints || m.nJointB < 1 || m.nJointB > model.nJoints)
            missing = "joint";
        else if (m.nSection < 1 || m.nSection > model.nSections)
            missing = "shape";
        else if (m.nMaterial < 1 || m.nMaterial > model.nMaterials)
            missing = "material";
        if (missing) {
            std::snprintf(limit, sizeof limit, "Member %d refers to a missing %s.", k, missing);
            return limit;
        }
    }
    return "";
}

}  // namespace

int CModelData::Read3dFile(const std::string& path)
{
    std::string text;
    if (!ReadModelFileText(path, text)) return 0;
    C3dReader reader(text);
    CTextScanner& in = reader.Scanner();

    std::string title;
    if (!in.ReadLine(title, kLongestLine + 1) || (title != "Trussforge 3d" && title != "Trussforge3D"))
        return RefuseModelFile(kNot3dFile);
    float version;
    if (!in.ReadFloat(version)) return RefuseModelFile(RefusalText(kNot3dFile, "The version line is malformed."));
    if (version != 4.0f)
        return RefuseModelFile("Cannot load version " + platform::VersionText(version) + " file.");

    Model3d model;
    const std::string why = reader.ReadBody(model);
    if (!why.empty()) return RefuseModelFile(RefusalText(kNot3dFile, why));

    nSections = model.nSections;
    nMaterials = model.nMaterials;
    nJoints = model.nJoints;
    nMembers = model.nMembers;
    bEnglish = model.english ? 1 : 0;
    SetEnglishUnits(model.english);
    for (int k = 1; k <= nJoints; ++k) g_pJoints[k] = model.joints[k - 1];
    for (int k = 1; k <= nMembers; ++k) g_pMembers[k] = model.members[k - 1];
    for (int k = 1; k <= nSections; ++k) g_pSections[k] = model.sections[k - 1];
    for (int k = 1; k <= nMaterials; ++k)
        (model.english ? g_pMaterials[k] : g_pMaterialPairs[k].si) = model.materials[k - 1];

    // Flattened onto the front plane (the largest z), lower left corner at
    // the origin.
    ComputeExtents3d();
    fOffsetX = fOffsetY = 0.5f;
    fLiftZ = 0.02f;
    for (int k = 1; k <= nJoints; ++k) {
        CJoint& j = g_pJoints[k];
        j.x -= fMinX;
        j.y -= fMinY;
        j.z -= fMaxZ;
        j.nPlane = j.z == 0 ? 0 : j.z == -fMaxZ ? 1 : 2;
    }
    for (int k = 1; k <= nMembers; ++k) {
        CMember& m = g_pMembers[k];
        const int front = (g_pJoints[m.nJointA].z == 0) + (g_pJoints[m.nJointB].z == 0);
        m.nOffPlane = front == 2 ? 0 : front == 1 ? 2 : 1;
    }
    FinishImport();
    return 1;
}

void CModelData::ComputeExtents3d()
{
    if (nJoints < 1) {
        fMaxX = fMinX = fRangeX = fMaxY = fMinY = fRangeY = fMaxZ = fMinZ = fRangeZ = 0;
        return;
    }
    fMaxX = fMinX = g_pJoints[1].x;
    fMaxY = fMinY = g_pJoints[1].y;
    fMaxZ = fMinZ = g_pJoints[1].z;
    for (int k = 2; k <= nJoints; ++k) {
        const CJoint& j = g_pJoints[k];
        fMaxX = std::fmax(fMaxX, j.x), fMinX = std::fmin(fMinX, j.x);
        fMaxY = std::fmax(fMaxY, j.y), fMinY = std::fmin(fMinY, j.y);
        fMaxZ = std::fmax(fMaxZ, j.z), fMinZ = std::fmin(fMinZ, j.z);
    }
    fRangeX = fMaxX - fMinX;
    fRangeY = fMaxY - fMinY;
    fRangeZ = fMaxZ - fMinZ;
}

// The steps both readers end with: outlines, tiles laid out for the model
// and its outlines, and the preview shown afresh.
void CModelData::FinishImport()
{
    for (int k = 1; k <= nMembers; ++k) {
        ComputeMemberOutline(k);
        ComputeEdgeMidpoints(k);
    }
    if (g_bEnglishUnits)
        LayoutTilesInch();
    else
        LayoutTilesCm();
    ResetPreviewAfterImport();
}
