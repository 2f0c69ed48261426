// The script reader on files written by hand: what each line yields, and how
// the playback ends.
#include <climits>
#include <string>

#include "script/script_fixture.h"

namespace tovik::test {
namespace {

constexpr const char* END = "EOF encountered in script file TOVIK.SCR";

class ReaderTest : public ScriptFixture {
protected:
    void SetUp() override {
        ScriptFixture::SetUp();
        start();
    }

    // Starts a playback of `content` as the Playback Script command does.
    void play(std::string_view content) {
        write_script(content);
        run_command(CMD_PLAYBACK);
    }

    // One read, with the event data cleared first as a wait clears them.
    int read(Event& event) {
        fw.pending_kind = NO_EVENT;
        fw.event_x = fw.event_y = 0;
        fw.event_key = 0;
        const int result = read_script_event();
        event = {static_cast<EventKind>(fw.pending_kind), fw.event_x, fw.event_y, fw.event_key};
        return result;
    }

    Event next() {
        Event event;
        EXPECT_EQ(read(event), 1) << "no event; last message: " << last_message();
        return event;
    }

    // The reader gives no event, says `message` and ends the playback.
    void expect_stop(const std::string& message) {
        Event event;
        EXPECT_EQ(read(event), 0);
        EXPECT_EQ(last_message(), message);
        EXPECT_EQ(fw.playing_back, 0);
        EXPECT_FALSE(checked(CMD_PLAYBACK));
    }

    // What the reader says of line `number`, expecting `what`.
    static std::string unrecognised(int number, const char* what = ANY_LINE) {
        return "Unrecognised line " + std::to_string(number) + " in script file TOVIK.SCR: expected " +
               what;
    }
    static constexpr const char* ANY_LINE = "TOVIK_MOUSE, TOVIK_KBD or TOVIK_PERIODIC";

    static Event key(int code) { return {TOVIK_KBD, 0, 0, static_cast<signed char>(code)}; }
    static Event mouse(std::int32_t x, std::int32_t y) { return {TOVIK_MOUSE, x, y, 0}; }
    static Event tick() { return {TOVIK_PERIODIC, 0, 0, 0}; }
};

TEST_F(ReaderTest, PeriodicLineGivesItsCountThenTheNextLine) {
    play("TOVIK_PERIODIC(5);\nTOVIK_PERIODIC(0);\nTOVIK_KBD(1);\n");
    for (int i = 0; i < 5; ++i) EXPECT_EQ(next(), tick()) << i;
    EXPECT_EQ(next(), tick()) << "a count of 0 gives one event";
    EXPECT_EQ(next(), key(1));
}

TEST_F(ReaderTest, MouseNumbersCarryTheirSign) {
    play("TOVIK_MOUSE(-5, 7);\nTOVIK_MOUSE(1-2, -);\nTOVIK_MOUSE(0, -0);\n");
    EXPECT_EQ(next(), mouse(-5, 7));
    EXPECT_EQ(next(), mouse(1, 0)) << "a run is read up to its first non-digit; a lone - is 0";
    EXPECT_EQ(next(), mouse(0, 0));
}

TEST_F(ReaderTest, KeyIsTheLowEightBitsOfItsSignedValue) {
    play("TOVIK_KBD(300);\nTOVIK_KBD(-23);\nTOVIK_KBD(-128);\nTOVIK_KBD(255);\nTOVIK_KBD(- 5);\n");
    EXPECT_EQ(next(), key(44));
    EXPECT_EQ(next(), key(-23));
    EXPECT_EQ(next(), key(-128));
    EXPECT_EQ(next(), key(-1));
    EXPECT_EQ(next(), key(5)) << "only a minus right before the digits counts";
}

TEST_F(ReaderTest, NumbersBeyondTheRangeAreClampedAndLeadingZerosCountForNothing) {
    play("TOVIK_MOUSE(2147483648, -2147483649);\n"
         "TOVIK_MOUSE(99999999999999999999999999, -99999999999999999999999999);\n"
         "TOVIK_MOUSE(0000000000000000000000042, -000000000000000000000000007);\n"
         "TOVIK_MOUSE(2147483647, -2147483648);\n"
         "TOVIK_KBD(99999999999999999999);\n"
         "TOVIK_PERIODIC(99999999999999999999);\n");
    EXPECT_EQ(next(), mouse(INT32_MAX, INT32_MIN));
    EXPECT_EQ(next(), mouse(INT32_MAX, INT32_MIN));
    EXPECT_EQ(next(), mouse(42, -7));
    EXPECT_EQ(next(), mouse(INT32_MAX, INT32_MIN));
    EXPECT_EQ(next(), key(-1));
    EXPECT_EQ(next(), tick());
    EXPECT_EQ(fw.periodic_count, INT32_MAX - 1);
}

TEST_F(ReaderTest, EmptyLinesAreSkippedAndTheEndClosesTheFile) {
    play("\n\nTOVIK_KBD(5);\n\r\n\nTOVIK_KBD(6);\n\n");
    EXPECT_EQ(next(), key(5));
    EXPECT_EQ(next(), key(6));
    expect_stop(END);
    EXPECT_FALSE(fw.script_file);

    // So the next playback starts again from the first line.
    run_command(CMD_PLAYBACK);
    EXPECT_EQ(next(), key(5));
}

TEST_F(ReaderTest, LastLineWithoutLineEndIsPlayed) {
    play("TOVIK_KBD(5);\nTOVIK_MOUSE(3, 4);");
    EXPECT_EQ(next(), key(5));
    EXPECT_EQ(next(), mouse(3, 4));
    expect_stop(END);
}

TEST_F(ReaderTest, WindowsLineEndsRead) {
    play("TOVIK_KBD(1);\r\n\r\nTOVIK_MOUSE(2, 3);\r\nTOVIK_PERIODIC(1);\r\n");
    EXPECT_EQ(next(), key(1));
    EXPECT_EQ(next(), mouse(2, 3));
    EXPECT_EQ(next(), tick());
    expect_stop(END);
}

TEST_F(ReaderTest, LoneCarriageReturnsEndLinesAmongTheOtherLineEnds) {
    play("TOVIK_KBD(1);\rTOVIK_MOUSE(2, 3);\r\rTOVIK_KBD(4);\r\nTOVIK_PERIODIC(1);\n\r"
         "TOVIK_KBD(5);\rTOVIK_KBD(6);");
    EXPECT_EQ(next(), key(1));
    EXPECT_EQ(next(), mouse(2, 3));
    EXPECT_EQ(next(), key(4));
    EXPECT_EQ(next(), tick());
    EXPECT_EQ(next(), key(5));
    EXPECT_EQ(next(), key(6));
    expect_stop(END);
}

TEST_F(ReaderTest, UnrecognisedLineIsNamedEndsThePlaybackAndTheNextGoesOnAfterIt) {
    play("\r\n\rTOVIK_KBD(4);\n          \nTOVIK_KBD(5);\n");
    EXPECT_EQ(next(), key(4));
    expect_stop(unrecognised(4));
    run_command(CMD_PLAYBACK);
    EXPECT_EQ(next(), key(5));
}

TEST_F(ReaderTest, Utf8ByteOrderMarkIsSkippedAndUtf16IsRefused) {
    play("\xEF\xBB\xBFTOVIK_KBD(5);\n\xEF\xBB\xBFTOVIK_KBD(6);\n");
    EXPECT_EQ(next(), key(5));
    expect_stop(unrecognised(2));  // a mark counts only at the very start
    close_script();

    for (const char* utf16 : {"\xFF\xFET\0O\0", "\xFE\xFF\0T\0O"}) {
        play(std::string_view(utf16, 6));
        expect_stop("Cannot play script file TOVIK.SCR: it is UTF-16 text; save it as UTF-8 or "
                    "ANSI text and play it again");
        EXPECT_FALSE(fw.script_file);
    }
    play("TO");  // shorter than a mark: read as it is
    expect_stop(unrecognised(1));
}

// Every line here lacks the decision character or a number it needs.  None
// may borrow from the line before it, which left "K" and digits in the buffer.
TEST_F(ReaderTest, LinesWithoutWhatTheyNeedAreUnrecognised) {
    constexpr const char* KEY = "a key code, as in TOVIK_KBD(97);";
    constexpr const char* XY = "two coordinates, as in TOVIK_MOUSE(10, -20);";
    constexpr const char* COUNT = "a count, as in TOVIK_PERIODIC(3);";
    const std::pair<const char*, const char*> bad_lines[] = {
        {"TOVIK", ANY_LINE},          {"TOVIK_", ANY_LINE},     {"T", ANY_LINE},
        {"TOVIK_KBD();", KEY},        {"TOVIK_KBD(-);", KEY},   {"TOVIK_MOUSE(5);", XY},
        {"TOVIK_MOUSE();", XY},       {"TOVIK_M-", XY},         {"TOVIK_PERIODIC();", COUNT},
        {"TOVIK_P", COUNT},           {"TOVIK_QUIT(1);", ANY_LINE}, {"tovik_kbd(1);", ANY_LINE},
    };
    std::string content;
    for (const auto& bad : bad_lines) content += std::string("TOVIK_KBD(77);\n") + bad.first + "\n";
    play(content + "TOVIK_KBD(77);\nTOVIK_M-");  // the last, without its line end

    int number = 0;
    for (const auto& [bad, expected] : bad_lines) {
        SCOPED_TRACE(bad);
        EXPECT_EQ(next(), key(77));
        number += 2;
        expect_stop(unrecognised(number, expected));
        run_command(CMD_PLAYBACK);
    }
    EXPECT_EQ(next(), key(77));
    expect_stop(unrecognised(number + 2, XY));
}

TEST_F(ReaderTest, OnlyTheSeventhCharacterOfThePrefixIsExamined) {
    play("XXXXXXK(65);\nabcdefM 1 2\n");
    EXPECT_EQ(next(), key(65));
    EXPECT_EQ(next(), mouse(1, 2));
}

TEST_F(ReaderTest, LongLinesAreReadInPiecesOf511Characters) {
    std::string first = "TOVIK_KBD(65);";
    first.resize(511, ' ');
    std::string cut = "TOVIK_KBD(";
    cut.resize(509, ' ');
    cut += "12";  // the piece ends here; "34);" begins the next one
    play(first + "TOVIK_KBD(66);\n" + cut + "34);\nTOVIK_KBD(3);\n");
    EXPECT_EQ(next(), key(65));
    EXPECT_EQ(next(), key(66));
    EXPECT_EQ(next(), key(12)) << "a number ends with its piece";
    expect_stop(unrecognised(2));  // "34);", the rest of line 2, is too short for a line
    run_command(CMD_PLAYBACK);
    EXPECT_EQ(next(), key(3));
}

TEST_F(ReaderTest, MissingFileIsReported) {
    run_command(CMD_PLAYBACK);
    expect_stop("Cannot open script file TOVIK.SCR for reading");
}

TEST_F(ReaderTest, UnreadableFileIsReported) {
    std::filesystem::create_directory(SCRIPT_FILE_NAME);
    run_command(CMD_PLAYBACK);
    Event event;
    EXPECT_EQ(read(event), 0);
    // Windows does not open a directory; elsewhere it opens and is refused.
    EXPECT_TRUE(last_message() == "Cannot use script file TOVIK.SCR: it is not a regular file" ||
                last_message() == "Cannot open script file TOVIK.SCR for reading")
        << last_message();
    EXPECT_EQ(fw.playing_back, 0);
    EXPECT_FALSE(fw.script_file);
}

}  // namespace
}  // namespace tovik::test
