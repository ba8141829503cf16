// The plain rules of the shell and the port: stored values read back, titles, the wheel.
#include "configurator/config/constant_rows.h"
#include "configurator/app/navigation.h"
#include "configurator/link/line_parameters.h"

#include <gtest/gtest.h>

using namespace veldar;

TEST(StoredPort, TheNumberAfterTheFirstThreeCharactersSelectsTheListEntry) {
    const struct {
        const char* stored;
        int index;
    } cases[] = {
        {"COM1", 0}, {"COM3", 2}, {"COM12", 11}, {"COM15", 14}, {"COM07", 6},
        {"n/a", -1}, {"", -1},    {"COM0", -1},  {"COM16", -1}, {"COMx", -1},
    };
    for (const auto& c : cases) EXPECT_EQ(portIndexOf(QString::fromLatin1(c.stored)), c.index) << c.stored;
}

TEST(StoredBaudRate, AnIndexOutsideTheListOrNotANumberGivesNineThousandSixHundred) {
    const struct {
        const char* stored;
        int index;
    } cases[] = {{"0", 0}, {"6", 6}, {"7", 7}, {" 3 ", 3}, {"8", 3}, {"-1", 3}, {"", 3}, {"fast", 3}, {"6.0", 3}};
    for (const auto& c : cases) EXPECT_EQ(baudIndexOf(QString::fromLatin1(c.stored)), c.index) << c.stored;
    EXPECT_EQ(kBaudRates[kDefaultBaudIndex], 9600);
    EXPECT_EQ(kBaudRates[6], 57600);
}

TEST(StoredAnswerTimeout, WholeSecondsFromOneToADayAreTaken) {
    const struct {
        const char* text;
        std::optional<int> seconds;
    } cases[] = {{"60", 60},          {"5", 5},
                 {"1", 1},            {"86400", 86400},
                 {"86401", std::nullopt}, {"0", std::nullopt},
                 {"-5", std::nullopt},  {"", std::nullopt},
                 {"abc", std::nullopt}, {"2.5", std::nullopt},
                 {"99999999999", std::nullopt}};
    for (const auto& c : cases) EXPECT_EQ(waitAnsewerSeconds(QString::fromLatin1(c.text)), c.seconds) << c.text;
}

TEST(PortSettings, EveryOpenUsesTheFixedTimeoutsAndNoHandshakeLines) {
    const platform::Timeouts t = portTimeouts();
    EXPECT_EQ(t.readIntervalMs, 10);
    EXPECT_EQ(t.readTotalMultiplierMs, 0);
    EXPECT_EQ(t.readTotalConstantMs, 1);
    EXPECT_EQ(t.writeTotalMultiplierMs, 0);
    EXPECT_EQ(t.writeTotalConstantMs, 1500);
    const platform::LineSettings line = lineSettings(57600);
    EXPECT_EQ(line.baud, 57600);
    EXPECT_FALSE(line.dtr);
    EXPECT_FALSE(line.rts);
}

TEST(WorkspaceTitle, FiveBlanksThenThePathJoinedByArrows) {
    EXPECT_EQ(workspaceTitle({QStringLiteral("Терминал")}), QStringLiteral("     Терминал"));
    EXPECT_EQ(workspaceTitle({QStringLiteral("VELDAR"), QStringLiteral("TVR (101)"),
                              QStringLiteral("Измерительные каналы"), QStringLiteral("Канал 3")}),
              QStringLiteral("     VELDAR->TVR (101)->Измерительные каналы->Канал 3"));
}

TEST(ConstantRowsWheel, FivePerNotchDownForNegativeDeltasWithinTheRange) {
    const struct {
        int position, delta, maximum, expected;
    } cases[] = {
        {0, -120, 100, 5},  {5, 120, 100, 0},   {0, 120, 100, 0},    {98, -120, 100, 100},
        {50, -240, 100, 60}, {50, -30, 100, 55}, {50, 30, 100, 45},   {50, 0, 100, 50},
        {0, -120, 0, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(wheelScrolled(c.position, c.delta, c.maximum), c.expected)
            << c.position << " " << c.delta << " " << c.maximum;
}
