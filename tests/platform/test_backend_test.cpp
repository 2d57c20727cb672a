#include "tests/common/test_env.h"

using namespace platform;

TEST_F(Tf3dTest, BackendAnswersScriptedBoxesAndRecordsTimersAndSounds)
{
    backend.ScriptAnswers({IDCANCEL, IDNO});
    EXPECT_EQ(MessageBox("a", "T", MB_OKCANCEL), IDCANCEL);
    EXPECT_EQ(MessageBox("b", "T", MB_YESNO), IDNO);
    EXPECT_EQ(MessageBox("c", "T", MB_YESNO | MB_DEFBUTTON2), IDNO);  // then the default button
    EXPECT_EQ(MessageBox("d", "T", MB_OKCANCEL), IDOK);
    EXPECT_EQ(backend.unscriptedBoxes, 2);
    ASSERT_EQ(backend.Boxes().size(), 4u);
    EXPECT_TRUE(backend.Boxes()[1].text == "b" && backend.Boxes()[1].flags == MB_YESNO);
    EXPECT_EQ(SetCursor(CURSOR_WAIT), CURSOR_ARROW);
    EXPECT_EQ(SetCursor(CURSOR_ARROW), CURSOR_WAIT);
    SetViewTimer(3, 10);
    KillViewTimer(3);
    PlaySoundResource("IDR_WAVE_CHEERS");
    ASSERT_EQ(backend.Timers().size(), 1u);
    EXPECT_TRUE(backend.Timers()[0].id == 3 && backend.Timers()[0].flags == 10u);
    EXPECT_EQ(backend.Sounds().at(0).text, "IDR_WAVE_CHEERS");
}
