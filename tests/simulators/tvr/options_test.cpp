#include "simulators/tvr/options.h"

#include <gtest/gtest.h>

using namespace tvrsim;

namespace {

QStringList args(const char* line) {
    return QString::fromUtf8(line).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

}  // namespace

TEST(Options, DefaultsWithoutArguments) {
    QString error;
    const auto o = parseOptions({}, &error);
    ASSERT_TRUE(o) << error.toStdString();
    EXPECT_EQ(o->addresses, std::vector<int>{101});
    EXPECT_EQ(o->version, 60);
    EXPECT_TRUE(o->pacing);
    EXPECT_EQ(o->faults.turnaroundMs, 5);
    EXPECT_EQ(o->faults.loss, 0.0);
    EXPECT_EQ(o->seed, 1u);
}

TEST(Options, TakesEveryOption) {
    QString error;
    const auto o =
        parseOptions(args("--link /tmp/tty --units 101,121,130 --image 121=/tmp/a.bin --version 59 "
                          "--loss 0.1 --corrupt=0.05 --noise 0.2 --zeros 0.01 --turnaround 12 "
                          "--jitter 3 --seed 4294967295 --no-pacing --log /tmp/l.txt "
                          "--firmware-id TVR-TEST --identification Unit"),
                     &error);
    ASSERT_TRUE(o) << error.toStdString();
    EXPECT_EQ(o->linkPath, QStringLiteral("/tmp/tty"));
    EXPECT_EQ(o->addresses, (std::vector<int>{101, 121, 130}));
    EXPECT_EQ(o->images.at(121), QStringLiteral("/tmp/a.bin"));
    EXPECT_EQ(o->version, 59);
    EXPECT_DOUBLE_EQ(o->faults.loss, 0.1);
    EXPECT_DOUBLE_EQ(o->faults.corrupt, 0.05);
    EXPECT_DOUBLE_EQ(o->faults.noise, 0.2);
    EXPECT_DOUBLE_EQ(o->faults.zeros, 0.01);
    EXPECT_EQ(o->faults.turnaroundMs, 12);
    EXPECT_EQ(o->faults.jitterMs, 3);
    EXPECT_EQ(o->seed, 4294967295u);
    EXPECT_FALSE(o->pacing);
    EXPECT_EQ(o->logPath, QStringLiteral("/tmp/l.txt"));
    EXPECT_EQ(o->firmwareId, QByteArray("TVR-TEST"));
    EXPECT_EQ(o->identification, QStringLiteral("Unit"));
}

TEST(Options, RefusesWhatItCannotUse) {
    const struct {
        const char* line;
        const char* error;
    } cases[] = {
        {"--units 101,0", "\"0\" is not an address"},
        {"--units 101,256", "\"256\" is not an address"},
        {"--units 101,abc", "\"abc\" is not an address"},
        {"--units 101,101", "101 appears twice"},
        {"--units", "needs a list"},
        {"--image 121=/tmp/a.bin", "no unit 121"},
        {"--image /tmp/a.bin", "ADDRESS=FILE"},
        {"--image 101=", "ADDRESS=FILE"},
        {"--version 256", "--version needs"},
        {"--loss 1.5", "--loss needs a probability"},
        {"--noise -0.1", "--noise needs a probability"},
        {"--corrupt x", "--corrupt needs a probability"},
        {"--turnaround -1", "--turnaround needs milliseconds"},
        {"--seed 4294967296", "--seed needs"},
        {"--firmware-id ABCDEFGHIJKLMNOPQRST", "1 to 19 characters"},
        {"--link", "--link needs a path"},
        {"--baud 9600", "unknown argument \"--baud\""},
    };
    for (const auto& c : cases) {
        QString error;
        EXPECT_FALSE(parseOptions(args(c.line), &error)) << c.line;
        EXPECT_TRUE(error.contains(QLatin1String(c.error)))
            << c.line << " → " << error.toStdString();
    }
}

TEST(Options, HelpIsNotAnError) {
    QString error = QStringLiteral("x");
    QString help;
    EXPECT_FALSE(parseOptions(args("--help"), &error, &help));
    EXPECT_TRUE(error.isEmpty());
    EXPECT_TRUE(help.contains(QLatin1String("--units")));
}
