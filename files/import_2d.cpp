#include "files/import_2d.h"

#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>


#include "files/text_io.h"
#include "model/defaults.h"
#include "model/tables.h"
#include "platform/number_text.h"
#include "platform/safe_file.h"
#include "platform/unreadable_file.h"
#include "state/frame_globals.h"

namespace {

// Numbers as "%d" and "%f" read them from a stream, in the C conventions
// whatever the user's locale (platform/number_text.h); fails instead of
// guessing on anything malformed.
class NumberScanner {
public:
    explicit NumberScanner(const std::string& text) : text_(text) {}

    // The line the scanner stands on, from 1.
    int Line() const { return line_; }

    // Skips to just past the next '\n'; false when the file ends first.
    bool SkipLine()
    {
        const std::size_t end = text_.find('\n', pos_);
        if (end == std::string::npos) return false;
        pos_ = end + 1;
        ++line_;
        return true;
    }

    bool Int(int& out)
    {
        SkipBlanks();
        long v = 0;
        const std::size_t n = platform::ParseLongPrefix(text_.data() + pos_, text_.size() - pos_, INT_MIN, INT_MAX, v);
        if (n == 0) return false;
        pos_ += n;
        out = static_cast<int>(v);
        return true;
    }

    bool Float(float& out)
    {
        SkipBlanks();
        const std::size_t n = platform::ParseFloatPrefix(text_.data() + pos_, text_.size() - pos_, out);
        pos_ += n;
        return n > 0;
    }

private:
    void SkipBlanks()
    {
        for (; pos_ < text_.size() && platform::IsNumberBlank(static_cast<unsigned char>(text_[pos_])); ++pos_)
            if (text_[pos_] == '\n') ++line_;
    }

    const std::string& text_;
    std::size_t pos_ = 0;
    int line_ = 1;
};

struct Joint2D {
    int x, y;
    int s1, s2, s3;
};

struct Member2D {
    int jointA, jointB;
    float effLength;
    int typeCode;
};

struct Load2D {
    float forceY, forceX;
};

struct Restraints {
    short tx, ty, tz, rx, ry, rz;
};

Restraints RestraintsFromSupport(int s1, int s2, int s3)
{
    if (s1 == 1 && s2 == 1 && s3 == 1) return {1, 1, 1, 1, 1, 1};
    if (s1 == 0 && s2 == 1 && s3 == 1) return {1, 1, 1, 0, 0, 0};
    if (s1 == 0 && s2 == 1 && s3 == 0) return {0, 1, 1, 1, 0, 0};
    if (s1 == 0 && s2 == 0 && s3 == 1) return {1, 0, 1, 0, 1, 0};
    return {0, 0, 0, 0, 0, 0};
}

// Material and shape rows of a member type code.
void RowsFromTypeCode(int code, short& material, short& shape)
{
    struct Entry { int code; short material, shape; };
    static const Entry kTypes[] = {
        {136, 8, 2}, {257, 7, 2}, {260, 1, 2}, {261, 4, 2}, {262, 8, 1},
        {265, 1, 4}, {266, 4, 4}, {267, 7, 4}, {279, 10, 1}, {280, 10, 2},
        {296, 1, 3}, {297, 4, 3}, {298, 7, 3},
    };
    for (const Entry& e : kTypes) {
        if (e.code == code) {
            material = e.material;
            shape = e.shape;
            return;
        }
    }
    material = 1;
    shape = 2;
}

// Stores a 2D model that was read through into the cleared tables.
void Store2DModel(const std::vector<Joint2D>& joints, const std::vector<Member2D>& members,
                  const std::vector<Load2D>& loads, int metric, float factor)
{
    const int memberCount = static_cast<int>(members.size()), jointCount = static_cast<int>(joints.size());
    g_nMembers = static_cast<short>(memberCount);
    g_nJoints = static_cast<short>(jointCount);
    SetMetricUnits(metric);

    float largestY = 0;
    for (int i = 1; i <= jointCount; ++i) {
        const Joint2D& src = joints[i - 1];
        JointRec& j = g_Joints[i];
        j.x = static_cast<float>(src.x);
        j.y = static_cast<float>(src.y);
        j.z = k2DImportPlaneZ;
        j.fileWord1 = 0;
        j.fileWord2 = 0;
        Restraints r = RestraintsFromSupport(src.s1, src.s2, src.s3);
        j.restraintTX = r.tx;
        j.restraintTY = r.ty;
        j.restraintTZ = r.tz;
        j.restraintRX = r.rx;
        j.restraintRY = r.ry;
        j.restraintRZ = r.rz;
        if (j.y > largestY) largestY = j.y;
    }
    // Drawing y grows downwards: flip, scale, and lift the model 4 units.
    for (int i = 1; i <= jointCount; ++i) {
        JointRec& j = g_Joints[i];
        j.y = largestY - j.y;
        j.x = j.x * factor;
        j.y = j.y * factor;
        j.y = j.y + 4;
    }

    for (int i = 1; i <= memberCount; ++i) {
        const Member2D& src = members[i - 1];
        MemberRec& m = g_Members[i];
        m.jointA = static_cast<short>(src.jointA);
        m.jointB = static_cast<short>(src.jointB);
        RowsFromTypeCode(src.typeCode, m.material, m.shape);
        m.rollAngle = 0;
        m.runner = 0;
        m.colorR = g_fDefaultColorR;
        m.colorG = g_fDefaultColorG;
        m.colorB = g_fDefaultColorB;
        m.useTorsion = 1;
        m.momentYY1 = 1;
        m.momentZZ1 = 1;
        m.momentYY2 = 1;
        m.momentZZ2 = 1;
        m.effLengthYY = src.effLength;
        m.userEffYY = (src.effLength != 0) ? 1 : 0;
        m.userEffZZ = 0;
        m.effLengthZZ = 0;
        m.intact = 1;
    }

    for (int i = 1; i <= jointCount; ++i) {
        JointRec& j = g_Joints[i];
        j.forceY = loads[i - 1].forceY;
        j.forceX = loads[i - 1].forceX;
        j.translatedX = 1;
        j.translatedY = 1;
    }

    ResetAllShapes();
    ResetAllMaterials();
}

}  // namespace

bool Read2DModelFile(const std::string& path, CPendingModel& model, std::string& why)
{
    model.Clear();
    std::string text;
    if (!platform::ReadRegularFile(path, platform::kMaxModelFileBytes, text)) {
        why = platform::UnreadableFileReason(path, platform::kMaxModelFileBytes);
        return false;
    }
    NumberScanner in(text);
    const auto malformed = [&] {
        why = "The file is malformed or ends early at line " + std::to_string(in.Line()) + ".";
        return false;
    };

    // The whole file is read and checked before the model is touched.
    if (!in.SkipLine()) return malformed();
    int memberCount, jointCount, unused1, unused2, scaleCode;
    if (!in.Int(memberCount) || !in.Int(jointCount) || !in.Int(unused1) || !in.Int(unused2) ||
        !in.Int(scaleCode))
        return malformed();

    int metric;
    float factor;
    switch (scaleCode) {
    case 117: metric = 0; factor = 1.0f / 40.0f; break;
    case 118: metric = 0; factor = 2.0f / 40.0f; break;
    case 156: metric = 1; factor = 1.0f / 16.0f; break;
    case 157: metric = 1; factor = 1.0f / 8.0f; break;
    default:
        why = "Its scale code " + std::to_string(scaleCode) + " is not one of 117, 118, 156 and 157.";
        return false;
    }
    if (memberCount < 0 || jointCount < 0) {
        why = "The file is malformed or ends early at line 2.";
        return false;
    }
    if (jointCount > MAX_JOINTS) {
        why = "The model has more than " + std::to_string(MAX_JOINTS) + " joints.";
        return false;
    }
    if (memberCount > MAX_MEMBERS) {
        why = "The model has more than " + std::to_string(MAX_MEMBERS) + " members.";
        return false;
    }

    std::vector<Joint2D> joints(jointCount);
    for (Joint2D& j : joints) {
        int number;
        if (!in.Int(number) || !in.Int(j.x) || !in.Int(j.y) || !in.Int(j.s1) || !in.Int(j.s2) ||
            !in.Int(j.s3))
            return malformed();
    }
    std::vector<Member2D> members(memberCount);
    for (int k = 1; k <= memberCount; ++k) {
        Member2D& m = members[k - 1];
        int number, unusedInt;
        float unusedReal;
        if (!in.Int(number) || !in.Int(m.jointA) || !in.Int(m.jointB) || !in.Int(unusedInt) ||
            !in.Float(unusedReal) || !in.Float(m.effLength) || !in.Int(m.typeCode))
            return malformed();
        if (m.jointA < 1 || m.jointA > jointCount || m.jointB < 1 || m.jointB > jointCount) {
            why = "Member " + std::to_string(k) + " refers to a missing joint.";
            return false;
        }
    }
    std::vector<Load2D> loads(jointCount);
    for (Load2D& l : loads) {
        int number, unusedInt;
        float unusedReal;
        if (!in.Int(number) || !in.Int(unusedInt) || !in.Float(unusedReal) || !in.Float(l.forceY) ||
            !in.Float(l.forceX))
            return malformed();
    }
    model.Then([=] { Store2DModel(joints, members, loads, metric, factor); });
    return true;
}

int Import2DModelFile(const std::string& path, std::string* why)
{
    CPendingModel model;
    std::string reason;
    if (!Read2DModelFile(path, model, reason)) {
        if (why) *why = reason;
        return 0;
    }
    model.Apply();
    return 1;
}
