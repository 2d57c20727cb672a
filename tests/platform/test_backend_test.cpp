#include "tests/common/test_env.h"

using namespace platform;

TEST_F(Tf3dTest, ScriptedBoxesAnswerInOrderThenDefault)
{
    backend.ScriptAnswers({IDCANCEL, IDNO});
    EXPECT_EQ(MessageBox("a", "T", MB_OKCANCEL), IDCANCEL);
    EXPECT_EQ(MessageBox("b", "T", MB_YESNO), IDNO);
    EXPECT_EQ(backend.unscriptedBoxes, 0);
    EXPECT_EQ(MessageBox("c", "T", MB_YESNO | MB_DEFBUTTON2), IDNO);
    EXPECT_EQ(MessageBox("d", "T", MB_OKCANCEL), IDOK);
    EXPECT_EQ(backend.unscriptedBoxes, 2);
    auto boxes = backend.Boxes();
    ASSERT_EQ(boxes.size(), 4u);
    EXPECT_EQ(boxes[1].text, "b");
    EXPECT_EQ(boxes[1].flags, MB_YESNO);
}

TEST_F(Tf3dTest, CursorTimersAndSoundsAreRecorded)
{
    EXPECT_EQ(SetCursor(CURSOR_WAIT), CURSOR_ARROW);
    EXPECT_EQ(SetCursor(CURSOR_ARROW), CURSOR_WAIT);
    SetViewTimer(3, 10);
    KillViewTimer(3);
    PlaySoundResource("IDR_WAVE_CHEERS");
    ASSERT_EQ(backend.Timers().size(), 1u);
    EXPECT_EQ(backend.Timers()[0].id, 3);
    EXPECT_EQ(backend.Timers()[0].flags, 10u);
    EXPECT_EQ(backend.Sounds()[0].text, "IDR_WAVE_CHEERS");
}
