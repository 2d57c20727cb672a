#include <string>
#include <vector>

#include "frame/dialog_ids.h"
#include "frame/file_commands.h"
#include "frame/property_dialogs.h"
#include "frame/results_dialogs.h"
#include "frame/table_editors.h"
#include "model/defaults.h"
#include "model/loads.h"
#include "model/model_ops.h"
#include "model/tables.h"
#include "model/templates.h"
#include "state/frame_globals.h"
#include "state/view_globals.h"
#include "tests/common/test_env.h"
#include "tests/frame/fake_controls.h"
#include "view/status_prompt.h"

namespace {

template <class Row> std::string Bytes(const Row& row)
{
    return std::string(reinterpret_cast<const char*>(&row), sizeof row);
}

class PropertyDialogsTest : public Tf3dTest {
protected:
    void SetUp() override
    {
        Tf3dTest::SetUp();
        ResetFileCommandState();
        ResetAllShapes();
        ResetAllMaterials();
        BuildBridgeTemplate();
        MarkModelSaved();
    }
    void TearDown() override
    {
        ResetFileCommandState();
        Tf3dTest::TearDown();
    }
    FakeControls c;
};

TEST_F(PropertyDialogsTest, JointNumbersWrapAndStayWithinTheLiveRows)
{
    EXPECT_EQ(ClampRow(500, 20), 20);
    EXPECT_EQ(ClampRow(-3, 20), 1);
    EXPECT_EQ(ClampRow(5, 0), 0);
    EXPECT_EQ(WrapRow(20, 1, 20), 1);
    EXPECT_EQ(WrapRow(1, -1, 20), 20);

    g_nPickedJoint = 2;
    JointPropertiesEditor e(c);
    ASSERT_TRUE(e.Create());
    e.ShowForPick();
    EXPECT_EQ(g_bModeJointProperties, 1);
    EXPECT_EQ(c.Text(IDC_JNT_NUMBER), "2");
    c.SetText(IDC_JNT_NUMBER, "500");  // Enter on a number past the last joint
    e.ShowTyped();
    EXPECT_EQ(e.Number(), g_nJoints);
    EXPECT_EQ(g_nPickedJoint, g_nJoints);
    e.Next();
    EXPECT_EQ(e.Number(), 1);
    e.Previous();
    EXPECT_EQ(e.Number(), g_nJoints);
    // What is shown is stored into the joint shown, never into a number typed;
    // Apply then shows the joint typed, Next the one after it (kept within the rows).
    c.SetText(IDC_JNT_NUMBER, "28");
    e.ShowTyped();
    const JointRec j27 = g_Joints[27], j28 = g_Joints[28];
    c.SetText(IDC_JNT_NUMBER, "27");
    c.SetText(IDC_JNT_FORCE_Y, "-2.5");
    e.Apply();
    EXPECT_TRUE(g_Joints[28].forceY == -2.5f && g_Joints[28].x == j28.x);
    EXPECT_TRUE(g_Joints[27].forceY == j27.forceY && g_Joints[27].x == j27.x && g_Joints[27].y == j27.y);
    EXPECT_TRUE(e.Number() == 27 && c.Text(IDC_JNT_NUMBER) == "27" && g_nPickedJoint == 27);
    c.SetText(IDC_JNT_NUMBER, "9999");
    c.SetText(IDC_JNT_FORCE_Z, "4");
    e.Next();
    EXPECT_TRUE(g_Joints[27].forceZ == 4 && g_Joints[30].forceZ == 0 && e.Number() == 1);
    EXPECT_EQ(g_nJoints, 30);
    EXPECT_EQ(g_bModelSaved, 0);

    // Members alike: roll 45 applied to member 40, then 39 typed and Next.
    ASSERT_GT(g_nMembers, 40);
    g_nPickedMember = 40;
    MemberPropertiesEditor m(c);
    ASSERT_TRUE(m.Create());
    const float roll39 = g_Members[39].rollAngle;
    c.SetText(IDC_MEM_ROLL, "45");
    m.Apply();
    c.SetText(IDC_MEM_NUMBER, "39");
    m.Next();
    EXPECT_TRUE(g_Members[40].rollAngle == 45 && g_Members[39].rollAngle == roll39 && m.Number() == 40);

    // Next and Previous of the property and results dialogs visit every row
    // in order from row 1 and wrap round, in tables of 1, 2, 3 and 7 rows.
    const short joints = g_nJoints, members = g_nMembers;
    for (int rows : {1, 2, 3, 7}) {
        std::string expect;
        for (int k = 1; k <= rows; ++k) expect += std::to_string(k % rows + 1) + " ";
        for (int k = rows; k >= 1; --k) expect += std::to_string(k) + " ";
        const auto visit = [&](auto& dialog, short& count, const char* name) {
            g_nJoints = joints, g_nMembers = members;
            count = static_cast<short>(rows);
            g_nPickedJoint = g_nPickedMember = 1;
            dialog.Create();
            std::string seen;
            for (int k = 0; k < rows; ++k) dialog.Next(), seen += std::to_string(dialog.Number()) + " ";
            for (int k = 0; k < rows; ++k) dialog.Previous(), seen += std::to_string(dialog.Number()) + " ";
            EXPECT_EQ(seen, expect) << name << ", " << rows << " rows";
        };
        FakeControls c1, c2, c3, c4;
        JointPropertiesEditor jp(c1);
        visit(jp, g_nJoints, "Joint Properties");
        MemberPropertiesEditor mp(c2);
        visit(mp, g_nMembers, "Member Properties");
        JointResultsViewer jr(c3);
        visit(jr, g_nJoints, "Joint Results");
        MemberResultsViewer mr(c4);
        visit(mr, g_nMembers, "Member Results");
    }
}

TEST_F(PropertyDialogsTest, JointApplyRefusalsOriginAndAddJoint)
{
    g_nPickedJoint = 3;
    JointPropertiesEditor e(c);
    ASSERT_TRUE(e.Create());
    const JointRec before = g_Joints[3];
    // Out of range: message, nothing stored.
    c.SetText(IDC_JNT_X, "1001");
    e.Apply();
    EXPECT_EQ(backend.Boxes().size(), 1u);
    EXPECT_EQ(g_Joints[3].x, before.x);
    EXPECT_FALSE(e.Ok());
    // Onto another joint: put back where it was loaded.
    c.SetText(IDC_JNT_X, std::to_string(g_Joints[4].x));
    c.SetText(IDC_JNT_Y, std::to_string(g_Joints[4].y));
    c.SetText(IDC_JNT_Z, std::to_string(g_Joints[4].z));
    e.Apply();
    EXPECT_TRUE(g_Joints[3].x == before.x && g_Joints[3].y == before.y && g_Joints[3].z == before.z);
    // The origin moved while the dialog is open: the joint is stored against
    // the origin it was shown with.
    c.SetText(IDC_JNT_X, "1");
    const float shownY = static_cast<float>(c.Number(IDC_JNT_Y));
    g_fOriginX = 5;
    g_fOriginY = 7;
    e.Apply();
    EXPECT_EQ(g_Joints[3].x, 1.0f);
    EXPECT_EQ(g_Joints[3].y, shownY);
    // Add Joint: a cleared row after the last, until 399 joints.
    const short n = g_nJoints;
    e.AddJoint();
    EXPECT_TRUE(g_nJoints == n + 1 && g_nPickedJoint == n + 1 && e.Number() == n + 1);
    EXPECT_TRUE(g_Joints[n + 1].restraintTX == 0 && g_Joints[n + 1].x == 0);
    g_nJoints = 399;
    e.Refresh();
    e.AddJoint();
    EXPECT_EQ(g_nJoints, 399);
    // Cancel drops the tool and the open flag, and the prompt names no tool.
    g_bJointDialogOpen = g_bModeJointProperties = 1;
    UpdateStatusPrompt();
    e.Cancel();
    EXPECT_TRUE(g_bModeJointProperties == 0 && g_bJointDialogOpen == 0);
    EXPECT_EQ(g_strStatusPrompt, "Ready");
    FakeControls mc;
    g_nPickedMember = 2;
    MemberPropertiesEditor m(mc);
    ASSERT_TRUE(m.Create());
    g_bMemberDialogOpen = g_bModeMemberProperties = 1;
    UpdateStatusPrompt();
    m.Cancel();
    EXPECT_TRUE(g_bModeMemberProperties == 0 && g_bMemberDialogOpen == 0);
    EXPECT_EQ(g_strStatusPrompt, "Ready");
}

TEST_F(PropertyDialogsTest, AModelessDialogNeverWritesIntoAChangedRow)
{
    g_nPickedJoint = 5;
    JointPropertiesEditor joints(c);
    ASSERT_TRUE(joints.Create());
    FakeControls mc;
    g_nPickedMember = 6;
    MemberPropertiesEditor members(mc);
    ASSERT_TRUE(members.Create());
    c.SetText(IDC_JNT_FORCE_Z, "9");
    mc.SetText(IDC_MEM_OFFSET_Y, "0.5");
    // Joint 5 is replaced (a delete moves the next row up) and members renumbered.
    const JointRec next = g_Joints[6];
    for (int j = 5; j < g_nJoints; ++j) g_Joints[j] = g_Joints[j + 1];
    --g_nJoints;
    g_Members[6] = g_Members[7];
    --g_nMembers;
    joints.Apply();
    members.Apply();
    EXPECT_EQ(g_Joints[5].forceZ, next.forceZ);  // not written
    EXPECT_EQ(c.Number(IDC_JNT_FORCE_Z), next.forceZ);  // shown again from the table
    EXPECT_EQ(g_Members[6].offsetY, 0.0f);
    // No row left: the dialog closes.
    g_nJoints = 0;
    EXPECT_FALSE(joints.Refresh());
    g_nMembers = 0;
    EXPECT_FALSE(members.Refresh());
}

TEST_F(PropertyDialogsTest, MemberRollUnitsCombosAndOk)
{
    SetMetricUnits(1);
    g_bAdvancedOptions = 0;
    g_nPickedMember = 2;
    MemberPropertiesEditor e(c);
    ASSERT_TRUE(e.Create());
    EXPECT_EQ(c.Text(IDC_MEM_ROLL_UNIT), "Radian");
    EXPECT_TRUE(!c.c[IDC_MEM_MYY1].shown && !c.c[IDC_MEM_USE_TORSION].shown);
    EXPECT_EQ(c.c[IDC_MEM_SHAPE].choices.size(), 10u);
    const struct {
        const char* entered;
        float stored;
    } rolls[] = {{"1.0", 57.29578f}, {"2.0", 90}, {"-2", -90}};
    for (const auto& r : rolls) {
        c.SetText(IDC_MEM_ROLL, r.entered);
        e.Apply();
        EXPECT_FLOAT_EQ(g_Members[2].rollAngle, r.stored) << r.entered;
    }
    c.SetText(IDC_MEM_OFFSET_Z, "1.5");
    e.Apply();
    EXPECT_EQ(backend.Boxes().back().text, "Please enter a number between -1 and 1.");
    // A combo change takes at once, marks the model changed and redraws.
    MarkModelSaved();
    backend.Clear();
    c.SetSelection(IDC_MEM_MATERIAL, 8);
    e.MaterialChanged();
    EXPECT_TRUE(g_Members[2].material == 9 && g_bModelSaved == 0 && g_bListMembersBuilt == 0);
    EXPECT_EQ(backend.Count(platform::Event::InvalidateFrame), 1);
    c.SetText(IDC_MEM_OFFSET_Z, "0.25");
    g_bMemberDialogOpen = 1;
    EXPECT_TRUE(e.Ok());
    EXPECT_TRUE(g_Members[2].offsetZ == 0.25f && g_bMemberDialogOpen == 0 && g_nPickedMember == 0);
}

// Values that six digits do not hold and conversions that are not exact: a
// dialog opened and closed with OK changes no byte of its row.
TEST_F(PropertyDialogsTest, OkWithoutEditsChangesNothing)
{
    SetMetricUnits(1);  // the roll angle shown in radians
    g_Materials[1].youngsModulus = 1556360.25f;
    g_Shapes[1].inertiaYY = 1.2345678e-5f;
    g_fOriginX = 0.3f;
    g_Joints[5].x = 1.38f;  // 1.38 - 0.3 + 0.3 is not 1.38
    g_Joints[5].forceY = -1556.3602f;
    g_Members[6].effLengthZZ = 1556.3602f, g_Members[6].userEffZZ = 1;
    g_Members[6].rollAngle = 30.5f;  // nor is 30.5 / 57.29578 * 57.29578
    UpdateMemberWeights();  // as Member Properties does when it opens
    const std::string rows[4] = {Bytes(g_Materials[1]), Bytes(g_Shapes[1]), Bytes(g_Joints[5]), Bytes(g_Members[6])};
    MaterialEditor me(c);
    me.Init();
    ASSERT_TRUE(me.Ok());
    ShapeEditor se(c);
    se.Init();
    ASSERT_TRUE(se.Ok());
    g_nPickedJoint = 5;
    JointPropertiesEditor je(c);
    ASSERT_TRUE(je.Create());
    ASSERT_TRUE(je.Ok());
    g_nPickedMember = 6;
    MemberPropertiesEditor mp(c);
    ASSERT_TRUE(mp.Create());
    ASSERT_TRUE(mp.Ok());
    EXPECT_EQ(rows[0], Bytes(g_Materials[1])) << c.Text(IDC_MAT_E);
    EXPECT_EQ(rows[1], Bytes(g_Shapes[1])) << c.Text(IDC_SHP_IY);
    EXPECT_EQ(rows[2], Bytes(g_Joints[5])) << c.Text(IDC_JNT_X);
    EXPECT_EQ(rows[3], Bytes(g_Members[6])) << c.Text(IDC_MEM_ROLL);
    EXPECT_EQ(c.Text(IDC_MAT_E), "1556360.2");  // as many digits as the float needs, no more
}

TEST_F(PropertyDialogsTest, DefaultMemberAndSplitPercent)
{
    DefaultMemberEditor d(c);
    d.Init();
    EXPECT_EQ(c.Selection(IDC_DEF_MATERIAL), 3);
    EXPECT_EQ(c.Text(IDC_DEF_SHAPE_ROW), "2");
    c.SetSelection(IDC_DEF_SHAPE, 6);
    d.SelectionChanged();
    EXPECT_EQ(c.Text(IDC_DEF_SHAPE_ROW), "7");
    c.SetText(IDC_DEF_ROTATION, "120");  // beyond what Member Properties accepts
    EXPECT_FALSE(d.Ok());
    EXPECT_EQ(g_nDefaultShape, 2);
    c.SetText(IDC_DEF_ROTATION, "45");
    c.SetSelection(IDC_DEF_MATERIAL, 7);
    ASSERT_TRUE(d.Ok());
    EXPECT_TRUE(g_nDefaultShape == 7 && g_nDefaultMaterial == 8 && g_fDefaultRotation == 45);
    EXPECT_EQ(g_fDefaultColorR, g_Materials[8].colorR);
    d.Reset();  // at once, whatever ends the dialog
    EXPECT_TRUE(g_nDefaultShape == 2 && g_nDefaultMaterial == 4 && g_fDefaultRotation == 0);
    EXPECT_EQ(c.Text(IDC_DEF_MATERIAL_ROW), "4");

    const struct {
        const char* entry;
        bool ok;
        float fraction;
    } splits[] = {{"25", true, 0.25f}, {"0", false, 0.45678f}, {"100", false, 0.45678f}, {"x", false, 0.45678f}};
    for (const auto& s : splits) {
        SplitPercentEditor e(c, 0.45678f);
        e.Init();
        EXPECT_EQ(c.Text(IDC_SPLIT_PERCENT), "45.6");
        c.SetText(IDC_SPLIT_PERCENT, s.entry);
        EXPECT_EQ(e.Ok(), s.ok) << s.entry;
        EXPECT_EQ(e.Fraction(), s.fraction);
    }
    EXPECT_EQ(backend.Boxes().back().text, "Please enter a number.");
}

TEST_F(PropertyDialogsTest, ResultsAreCutNotRounded)
{
    EXPECT_EQ(CutDecimals(22.6796f, 2), 22.67f);
    EXPECT_EQ(CutDecimals(-3.2199f, 2), -3.21f);
    EXPECT_EQ(FormatNumber(CutDecimals(-0.0004f, 3)), "0");
    // The shortest text of this float that reads back through strtof, "7.038531e-26", reads
    // through a double as its neighbour: a field shows more digits, so OK keeps the value.
    for (float value : {0x1.5c87fap-84f, 0.1f, -2.5e-30f}) {
        float shown = value, read = 0;
        DataExchange(c, false).Float(IDC_SPLIT_PERCENT, shown);
        DataExchange save(c, true);
        save.Float(IDC_SPLIT_PERCENT, read);
        EXPECT_TRUE(save.Commit() && read == value) << c.Text(IDC_SPLIT_PERCENT);
    }
    MemberRec& m = g_Members[3];
    m.endForces[EF_AXIAL1] = -3.2f;
    m.endForces[EF_M2YY] = 1.239f;
    m.governingRatios[G_A] = 1.0f;
    m.governingRatios[G_MZZ] = 1.001f;
    m.governingRatios[G_AM] = 0.456f;
    g_nPickedMember = 3;
    MemberResultsViewer r(c);
    r.Create();
    EXPECT_EQ(c.Text(IDC_MRES_SENSE), "T ");
    EXPECT_EQ(c.Text(IDC_MRES_M2YY), "1.23");
    EXPECT_EQ(c.Text(IDC_MRES_STATUS_FIRST + 0), "OK");
    EXPECT_EQ(c.Text(IDC_MRES_STATUS_FIRST + 2), "NG");
    EXPECT_EQ(c.Text(IDC_MRES_RATIO_AM), "0.45");
    EXPECT_EQ(c.Text(IDC_MRES_FORCE_UNIT_FIRST + 6), "in-lbs");
    r.Previous();
    r.Previous();
    r.Previous();
    EXPECT_EQ(r.Number(), g_nMembers);
    EXPECT_EQ(g_nPickedMember, g_nMembers);

    JointResultsViewer j(c);
    g_Joints[1].dispY = -0.12345f;
    j.Create();
    EXPECT_EQ(c.Text(IDC_JRES_DISP_Y), "-0.123");
    j.Previous();
    EXPECT_EQ(j.Number(), g_nJoints);
    c.SetText(IDC_JRES_LIMIT_Y, "3");
    g_bJointResultsDlgShown = 1;
    EXPECT_TRUE(j.Ok());
    EXPECT_TRUE(g_fDisplacementLimits[1] == 3 && g_bJointResultsDlgShown == 0);
    j.Defaults();
    EXPECT_EQ(std::vector<float>(g_fDisplacementLimits, g_fDisplacementLimits + 6),
              std::vector<float>({5, 10, 5, 1.5f, 1.57f, 1.5f}));
    // A limit of 0 or less would halt every analysis: refused, nothing taken.
    for (const char* limit : {"-1", "0"}) {
        c.SetText(IDC_JRES_LIMIT_RY, limit);
        EXPECT_FALSE(j.Ok()) << limit;
        ASSERT_FALSE(backend.Boxes().empty());
        EXPECT_EQ(backend.Boxes().back().text, "Please enter a number between 0.0001 and 100000.");
    }
    EXPECT_EQ(g_fDisplacementLimits[4], 1.57f);
    SetMetricUnits(1);  // the limits in the model's length unit
    JointResultsViewer metric(c);
    metric.Create();
    EXPECT_EQ(c.Text(IDC_JRES_LIMIT_UNIT_FIRST + 2), "cm");
    SetMetricUnits(0);

    // Model Data of a U.S. model of 0.05 lbs; the total load counts the applied forces only.
    g_nJoints = 2, g_nMembers = 1;
    g_Joints[1] = JointRec(), g_Joints[2] = JointRec();
    g_Joints[2].x = 1728;
    g_Members[1].jointA = 1, g_Members[1].jointB = 2, g_Members[1].shape = 1, g_Members[1].material = 1;
    g_Shapes[1].area = 1;
    g_Materials[1].density = 0.05f;
    g_Joints[1].forceY = -2, g_Joints[2].forceY = 3, g_Joints[2].selfWeightLoad = 9;
    g_Joints[2].dispX = -4.1239f;
    FillModelData(c);
    EXPECT_EQ(c.Text(IDC_MDATA_DEFLECTION_X), "-4.123");
    EXPECT_EQ(c.Text(IDC_MDATA_LBS), "0.05");
    EXPECT_EQ(c.Text(IDC_MDATA_GRAMS), "22.67");
    EXPECT_EQ(c.Text(IDC_MDATA_LOAD_Y), "5");
    EXPECT_EQ(c.Text(IDC_MDATA_MEMBERS), "1");
    SetMetricUnits(1);  // 86.4 N
    FillModelData(c);
    EXPECT_EQ(c.Text(IDC_MDATA_GRAMS) + " " + c.Text(IDC_MDATA_LBS), "8807.61 19.417");
    SetMetricUnits(0);
    g_bHaltUnstable = 1;
    FillModelData(c);
    EXPECT_EQ(c.Text(IDC_MDATA_DEFLECTION_X), "0");
}

// Member Results labels its values in the model's units: forces, then the
// torsions and moments, then the lengths.
TEST_F(PropertyDialogsTest, MemberResultsUnitLabelsFollowTheModel)
{
    const struct {
        int metric;
        const char *force, *moment, *length;
    } units[] = {{0, "lbs", "in-lbs", "in"}, {1, "N", "N-cm", "cm"}};
    for (const auto& u : units) {
        SetMetricUnits(u.metric);
        MemberResultsViewer r(c);
        r.Create();
        for (int k = 0; k < 12; ++k)  // Axial1, Axial2, four shears; Torsion1, Torsion2, four moments
            EXPECT_EQ(c.Text(IDC_MRES_FORCE_UNIT_FIRST + k), k < 6 ? u.force : u.moment) << k;
        for (int k = 0; k < 6; ++k)  // Axial T, Axial C, Shear; Torsion, Mzz, Myy
            EXPECT_EQ(c.Text(IDC_MRES_ULT_UNIT_FIRST + k), k < 3 ? u.force : u.moment) << k;
        for (int k = 0; k < 3; ++k) EXPECT_EQ(c.Text(IDC_MRES_LENGTH_UNIT_FIRST + k), u.length) << k;
    }
}

// A results window highlights the row it shows; closing it (Close, or Joint
// Results' OK) takes the highlight away and redraws, unless a property
// dialog shows that row.
TEST_F(PropertyDialogsTest, ClosingAResultsWindowDropsItsHighlight)
{
    for (int propertiesOpen : {0, 1}) {
        for (bool ok : {false, true}) {
            g_bMemberDialogOpen = g_bJointDialogOpen = propertiesOpen;
            g_nPickedMember = 4;
            g_bMemberResultsDlgShown = g_bJointResultsDlgShown = 1;
            MemberResultsViewer m(c);
            m.Create();
            m.Next();
            JointResultsViewer j(c);
            j.Create();
            j.Next();
            ASSERT_TRUE(g_nPickedMember == 5 && g_nPickedJoint == 2);
            backend.Clear();
            m.Close();
            if (ok) ASSERT_TRUE(j.Ok());
            else j.Close();
            EXPECT_EQ(g_nPickedMember, propertiesOpen ? 5 : 0) << ok;
            EXPECT_EQ(g_nPickedJoint, propertiesOpen ? 2 : 0) << ok;
            EXPECT_TRUE(g_bMemberResultsDlgShown == 0 && g_bJointResultsDlgShown == 0);
            EXPECT_GE(backend.Count(platform::Event::InvalidateFrame), 2) << ok;
        }
    }
}

}  // namespace
