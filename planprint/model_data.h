// Planprint's model: joint, member, section and material records, the heap
// tables that hold them (row 0 of each is never filled by a reader) and the
// model object with its readers and tile layout.
#pragma once

#include <string>

// Every model TF3D can save fits: 400 joints and 900 members.
constexpr int kMaxJoints = 400;
constexpr int kMaxMembers = 900;
// Section and material rows a model may use: 1 to 40.
constexpr int kMaxTableRows = 40;

constexpr int kJointRows = kMaxJoints + 1;
constexpr int kMemberRows = kMaxMembers + 1;
constexpr int kTableRows = kMaxTableRows + 1;

class CJoint {
public:
    CJoint();

    float x, y, z;
    int nRestrainRX, nRestrainRY, nRestrainRZ;
    int nRestrainTX, nRestrainTY, nRestrainTZ;
    float fForceX;
    int bTranslatedX;
    float fForceY;
    int bTranslatedY;
    float fForceZ;
    int bTranslatedZ;
    // 0 in the front plane, 1 at depth 0 in the file, 2 elsewhere.
    int nPlane;
};

class CMember {
public:
    CMember();

    int nJointA, nJointB;
    int nMaterial;
    int nSection;
    int bRunner;
    float fRoll;
    int bUseTorsion;
    int bMomentYY1, bMomentZZ1, bMomentYY2, bMomentZZ2;
    // 0: in the print plane (outlined, drawn and printed); else left out.
    int nOffPlane;
    float fColorR, fColorG, fColorB;
    float fEffLengthYY, fEffLengthZZ;
    float fUserEffYY, fUserEffZZ;
    float fOffsetY, fOffsetZ;

    // The outline in the print plane (outline.cpp).
    float fPlaneXA, fPlaneXB;
    float fPlaneYA, fPlaneYB;
    float fHalfWidth;
    // 1 vertical, 2 horizontal, 3 rising, 4 falling.
    int nOutlineKind;
    double dAngle;
    double dLength;
    // Per edge: 1 drawn black, 2 drawn red (selected), 0 not drawn.
    int nEdgeMark[4];
    float fEdgeSlope[4], fEdgeIntercept[4];
    // Per corner: 2 selected (a red dot).
    int nEndMark[4];
    float fCornerX[4], fCornerY[4];
    float fEdgeMidX[4], fEdgeMidY[4];
};

class CSection {
public:
    CSection();
    // Row index (0..10) of the English or SI standard table; any other index
    // leaves the section unchanged.
    void SetStandard(int index);
    void SetStandardMetric(int index);

    std::string strName;
    float fHeight;  // sets the printed width of a member
    float fWidth;
    int nKind;      // 0 rectangular
    float fArea, fJ, fIy, fIz, fSy, fSz;
    float fSpacing;  // 0 single member
};

class CMaterial {
public:
    CMaterial() = default;
    // English material from a density in pcf (light and heavy woods).
    void SetFromDensity(float d);
    void SetFromDensityHeavy(float d);

    std::string strName;
    float fDensity = 0;
    float fColorR = 0, fColorG = 0, fColorB = 0;
    float fE = 0, fG = 0;
    float fUltTension = 0, fUltCompression = 0, fUltBending = 0, fUltShear = 0;
};

class CMaterialPair {
public:
    // The SI half from a density in N/cm3.
    void SetMetricFromDensity(float d);
    void SetMetricFromDensityHeavy(float d);

    CMaterial us;
    CMaterial si;
};

class CModelData {
public:
    // Imports a 3D model file (version 4.0) or a 2D model file: 1 when the
    // model was taken, 0 when refused (the previous model stays whole).
    int Read3dFile(const std::string& path);
    int Read2dFile(const std::string& path);

    void ComputeExtents3d();
    void NormalizeModel2d();
    // Automatic tile layout that holds the model and its member outlines
    // (computed before): the joints at least half a model unit and the
    // outlines at least 1 mm inside every edge.
    void LayoutTilesInch();
    void LayoutTilesCm();

    int nJoints = 0;
    int nMembers = 0;
    int nSections = 10;
    int nMaterials = 10;
    int bEnglish = 1;
    float fMaxX = 0, fMinX = 0, fRangeX = 0;
    float fMaxY = 0, fMinY = 0, fRangeY = 0;
    float fMaxZ = 0, fMinZ = 0, fRangeZ = 0;
    // Lower left corner of the model on the tiled area.
    float fOffsetX = 0, fOffsetY = 0;
    // Height at which the preview draws the model over the tiles.
    float fLiftZ = 0.03f;

private:
    void LayoutTiles(double unit, int roundTo);
    // How far the outlines of the members in the plane reach beyond the
    // joints' extents (0 or more).
    float OutlineOverhang() const;
    void FinishImport();
};

extern CJoint* g_pJoints;
extern CMember* g_pMembers;
extern CSection* g_pSections;
extern CMaterial* g_pMaterials;
extern CMaterialPair* g_pMaterialPairs;
extern CModelData* g_pModel;

// Start-up: the tables, the model object and the default section and
// material rows. Called again, it starts from fresh tables.
void CreateModelTables();
void DestroyModelTables();

void LoadStandardSections();
void LoadStandardSectionsMetric();
void LoadDefaultMaterials();

// x rounded to the nearest multiple of 1/n (halves away from below).
float RoundTo(float x, int n);
