// The Run menu as built, its commands, the Ctrl shortcuts and the logging switch.
#include "script/script_fixture.h"

namespace tovik::test {
namespace {

class MenuTest : public ScriptFixture {
protected:
    void SetUp() override {
        ScriptFixture::SetUp();
        start();
    }

    // Handles exactly the messages queued so far.
    void handle_queued() {
        while (fake.queued() > 0) pump_message();
    }

    void ctrl_down(WindowHandle window = 0) { fake.key_down(VKEY_CONTROL, 0, window); }
    void ctrl_up(WindowHandle window = 0) { fake.key_up(VKEY_CONTROL, window); }
    // A letter key as the platform sends it with Ctrl held: the virtual key is
    // the capital letter, the typed character a control code.
    void ctrl_letter(char letter, WindowHandle window = 0) {
        fake.key_down(static_cast<unsigned char>(letter), static_cast<char>(letter & 0x1F), window);
    }

    struct Flags {
        std::int32_t animating, single_step;
        std::uint8_t logging, recording, playing_back, play_one_pending;
        bool quit_posted;
        bool operator==(const Flags&) const = default;
    };
    Flags flags() const {
        return {fw.animating,        fw.single_step,  fw.logging, fw.recording,
                fw.playing_back,     fw.play_one_pending, fake.quit_posted()};
    }
};

TEST_F(MenuTest, RunMenuHoldsItsSixteenEntriesInOrder) {
    struct Expected {
        std::uint32_t flags;
        std::uintptr_t id;
        const char* label;
    };
    const Expected expected[] = {
        {MENU_STRING, CMD_ANIMATE, "&Animate\tCtrl+A"},
        {MENU_STRING, CMD_HALT, "&Halt animation\tCtrl+H"},
        {MENU_STRING, CMD_STEP, "Advance one &frame\tCtrl+F"},
        {MENU_SEPARATOR, 0, ""},
        {MENU_CHECKED, CMD_LOGGING, "&Logging\tCtrl+L"},
        {MENU_SEPARATOR, 0, ""},
        {MENU_STRING, CMD_RECORD, "&Record Script\tCtrl+R"},
        {MENU_STRING, CMD_PLAYBACK, "&Playback Script\tCtrl+P"},
        {MENU_STRING, CMD_PLAY_ONE, "Play &One Script\tCtrl+O"},
        {MENU_SEPARATOR, 0, ""},
        {MENU_STRING, CMD_QUIT, "&Quit\tCtrl+Q"},
        {MENU_SEPARATOR, 0, ""},
        {MENU_GRAYED, CMD_INFO, "Questions and reports:"},
        {MENU_GRAYED, CMD_INFO, "MAC: mac@tovik.example"},
        {MENU_GRAYED, CMD_INFO, "WINDOWS: windows@tovik.example"},
        {MENU_GRAYED, CMD_INFO, "UPDATES: updates@tovik.example"},
    };
    const std::vector<FakePlatform::MenuItem>& items = fake.menu_items(fw.run_menu);
    ASSERT_EQ(items.size(), std::size(expected));
    for (std::size_t i = 0; i < items.size(); ++i) {
        SCOPED_TRACE(i + 1);
        EXPECT_EQ(items[i].flags, expected[i].flags);
        if (expected[i].flags != MENU_SEPARATOR) {
            EXPECT_EQ(items[i].id_or_popup, expected[i].id);
            EXPECT_EQ(items[i].label, expected[i].label);
        }
    }

    const MenuHandle bar = fake.window(fw.graphics_window).menu;
    ASSERT_EQ(fake.menu_items(bar).size(), 1u);
    EXPECT_EQ(fake.menu_items(bar)[0].flags, MENU_POPUP);
    EXPECT_EQ(fake.menu_items(bar)[0].id_or_popup, fw.run_menu);
    EXPECT_EQ(fake.menu_items(bar)[0].label, "&Run");
}

TEST_F(MenuTest, AnimationCommands) {
    fake.command(CMD_ANIMATE);
    handle_queued();
    EXPECT_EQ(fw.animating, 1);
    EXPECT_EQ(fw.single_step, 0);

    fake.command(CMD_STEP);
    handle_queued();
    EXPECT_EQ(fw.animating, 0);
    EXPECT_EQ(fw.single_step, 1);

    fake.command(CMD_ANIMATE);
    fake.command(CMD_HALT);
    handle_queued();
    EXPECT_EQ(fw.animating, 0);
    EXPECT_EQ(fw.single_step, 1) << "Animate and Halt leave the single step alone";
}

TEST_F(MenuTest, ScriptCommandsSetTheirFlagsAndCheckMarks) {
    fake.command(CMD_RECORD);
    handle_queued();
    EXPECT_EQ(fw.recording, 1);
    EXPECT_TRUE(checked(CMD_RECORD));
    fake.command(CMD_RECORD);
    handle_queued();
    EXPECT_EQ(fw.recording, 0);
    EXPECT_FALSE(checked(CMD_RECORD));

    fw.animating = 1;
    fw.single_step = 1;
    fake.command(CMD_PLAYBACK);
    handle_queued();
    EXPECT_EQ(fw.playing_back, 1);
    EXPECT_TRUE(checked(CMD_PLAYBACK));
    EXPECT_EQ(fw.animating, 0);
    EXPECT_EQ(fw.single_step, 0);
    fake.command(CMD_PLAYBACK);
    handle_queued();
    EXPECT_EQ(fw.playing_back, 0);
    EXPECT_FALSE(checked(CMD_PLAYBACK));

    fw.animating = 1;
    fw.single_step = 1;
    fake.command(CMD_PLAY_ONE);
    handle_queued();
    EXPECT_EQ(fw.play_one_pending, 1);
    EXPECT_EQ(fw.animating, 0);
    EXPECT_EQ(fw.single_step, 0);
    EXPECT_FALSE(checked(CMD_PLAYBACK));
    EXPECT_FALSE(checked(CMD_PLAY_ONE));
}

TEST_F(MenuTest, QuitEndsTheWaitAndLeavesTheWindows) {
    fake.command(CMD_QUIT);
    EXPECT_EQ(next_event().kind, TOVIK_QUIT);
    EXPECT_FALSE(fake.window(fw.graphics_window).destroyed);
    EXPECT_FALSE(fake.window(fw.text_window).destroyed);
}

TEST_F(MenuTest, InformationLinesAndUnknownIdsDoNothing) {
    const Flags before = flags();
    const std::vector<FakePlatform::MenuItem> items = fake.menu_items(fw.run_menu);
    for (unsigned id : {0u, 9u, 10u, 0xFFFFu}) fake.command(id);
    handle_queued();
    EXPECT_EQ(flags(), before);
    const std::vector<FakePlatform::MenuItem>& after = fake.menu_items(fw.run_menu);
    for (std::size_t i = 0; i < items.size(); ++i) EXPECT_EQ(after[i].flags, items[i].flags);
}

TEST_F(MenuTest, SetLoggingChecksTheItemAndShowsTheTextWindowUnlikeTheCommand) {
    EXPECT_EQ(fw.logging, 1);
    EXPECT_TRUE(checked(CMD_LOGGING));
    EXPECT_EQ(TOVIK_set_logging(0), 1);
    EXPECT_EQ(fw.logging, 0);
    EXPECT_FALSE(checked(CMD_LOGGING));

    TOVIK_show_text_window(0);
    EXPECT_EQ(TOVIK_set_logging(7), 1);
    EXPECT_EQ(fw.logging, 1);
    EXPECT_TRUE(checked(CMD_LOGGING));
    EXPECT_TRUE(fake.window(fw.text_window).visible);

    TOVIK_show_text_window(0);
    fake.command(CMD_LOGGING);
    fake.command(CMD_LOGGING);
    fake.command(CMD_LOGGING);
    handle_queued();
    EXPECT_EQ(fw.logging, 0);
    EXPECT_FALSE(checked(CMD_LOGGING));
    EXPECT_FALSE(fake.window(fw.text_window).visible);
    EXPECT_EQ(TOVIK_set_logging(0), 1);
    EXPECT_FALSE(fake.window(fw.text_window).visible) << "turning logging off hides nothing";
}

TEST_F(MenuTest, CtrlWithALetterInEitherCaseRunsItsCommandAndTypesNothing) {
    ctrl_down();
    fake.key_down('a', 0);
    handle_queued();
    EXPECT_EQ(fw.animating, 1);
    ctrl_letter('H');
    handle_queued();
    EXPECT_EQ(fw.animating, 0);
    ctrl_letter('A');
    fake.timer();
    fake.timer();
    // Running now, and the control code typed with Ctrl reached no one: the
    // wait arms at a message and returns at the tick.
    EXPECT_EQ(next_event().kind, TOVIK_PERIODIC);
    EXPECT_EQ(fw.animating, 1);

    ctrl_letter('F');
    handle_queued();
    EXPECT_EQ(fw.single_step, 1);
    ctrl_letter('L');
    handle_queued();
    EXPECT_EQ(fw.logging, 0);
    ctrl_letter('r');
    handle_queued();
    EXPECT_EQ(fw.recording, 1);
    ctrl_letter('P');
    handle_queued();
    EXPECT_EQ(fw.playing_back, 1);
    ctrl_letter('o');
    handle_queued();
    EXPECT_EQ(fw.play_one_pending, 1);
    ctrl_letter('q');
    handle_queued();
    EXPECT_TRUE(fake.quit_posted());
}

TEST_F(MenuTest, LetterWithoutCtrlIsATypedCharacterForTheGame) {
    ctrl_down();
    ctrl_up();
    const Flags before = flags();
    fake.key_down('A', 'a');
    EXPECT_EQ(next_event(), (Event{TOVIK_KBD, 0, 0, 'a'}));
    fake.key_down('Q', 'Q');
    EXPECT_EQ(next_event(), (Event{TOVIK_KBD, 0, 0, 'Q'}));
    EXPECT_EQ(flags(), before);
}

TEST_F(MenuTest, ShortcutsWorkFromTheTextWindow) {
    ctrl_down(fw.text_window);
    ctrl_letter('L', fw.text_window);
    handle_queued();  // the text window forwards each key to the graphics window
    EXPECT_EQ(fw.logging, 0);
    EXPECT_FALSE(checked(CMD_LOGGING));
    ctrl_up(fw.text_window);
    handle_queued();
    EXPECT_EQ(fw.ctrl_held, 0);
}

TEST_F(MenuTest, LosingTheFocusReleasesCtrl) {
    for (WindowHandle window : {fw.graphics_window, fw.text_window}) {
        ctrl_down();
        handle_queued();
        ASSERT_EQ(fw.ctrl_held, 1);
        fake.lose_focus(window);
        handle_queued();
        EXPECT_EQ(fw.ctrl_held, 0);
    }
    // Ctrl was let go elsewhere: a plain q is a q, not Quit.
    fake.key_down('Q', 'q');
    EXPECT_EQ(next_event(), (Event{TOVIK_KBD, 0, 0, 'q'}));
    EXPECT_FALSE(fake.quit_posted());
}

TEST_F(MenuTest, AdvanceOneFrameWhileRunningGivesAtMostTwoMoreTicks) {
    TOVIK_set_animation(ANIM_RUN);
    fake.timer();
    fake.command(CMD_STEP);  // while the wait is armed
    fake.timer();
    EXPECT_EQ(next_event().kind, TOVIK_PERIODIC);  // the one it was armed for
    fake.timer();
    fake.timer();
    EXPECT_EQ(next_event().kind, TOVIK_PERIODIC);  // the single step
    for (int i = 0; i < 5; ++i) fake.timer();
    click_at(0, 0);
    EXPECT_EQ(next_event().kind, TOVIK_MOUSE);
}

class MenuBeforeStartTest : public ScriptFixture {};

TEST_F(MenuBeforeStartTest, SetLoggingBeforeStartDoesNothing) {
    EXPECT_EQ(TOVIK_set_logging(0), 0);
    EXPECT_EQ(fw.logging, 1);
    start();
    EXPECT_EQ(fw.logging, 1);
    EXPECT_TRUE(checked(CMD_LOGGING));
}

}  // namespace
}  // namespace tovik::test
