// Tone lists, tone codes and channel names of the channel window.

#include "ToneCodes.h"

#include <gtest/gtest.h>

using namespace zr50;

TEST(ToneCodes, ListsNumberEveryToneAndCode) {
    const QStringList ctcss = CtcssList(), dcs = DcsList(), shown = ToneShowList("Off");
    ASSERT_EQ(ctcss.size(), kCtcssTones);
    EXPECT_EQ(QStringList({ctcss.first(), ctcss[11], ctcss.last()}),
              QStringList({"C_001(67.0Hz)", "C_012(100.0Hz)", "C_038(250.3Hz)"}));
    ASSERT_EQ(dcs.size(), kDcsCodes);
    EXPECT_EQ(QStringList({dcs.first(), dcs.last()}), QStringList({"D_001(023N)", "D_104(754N)"}));
    ASSERT_EQ(shown.size(), 143);
    EXPECT_EQ(QStringList({shown[0], shown[1], shown[39]}), QStringList({"Off", "67.0", "D023N"}));
}

TEST(ToneCodes, CodeAndDisplayTextConvertBothWays) {
    const QString off = "Off";
    const std::pair<QString, const char*> codes[] = {
        {"8754", "D754N"}, {"8023", "D023N"}, {"0670", "67.0"}, {"1000", "100.0"}, {QString("0670") + QChar(0), "67.0"},
        {"067", "Off"},    {"0", "Off"},      {"", "Off"},      {"abcd", "Off"},    {"8x12", "Off"}, {"86700", "Off"}};
    for (const auto& [code, show] : codes) EXPECT_EQ(ToneShowOfCode(code, off), show) << code.toStdString();
    const std::pair<const char*, const char*> shows[] = {{"250.3", "2503"}, {"67.0", "0670"}, {"D023N", "8023"},
                                                         {"Off", "0"},      {"Dxyz", "0"},    {"C_001", "0"},
                                                         {"", "0"},         {"99999", "0"}};
    for (const auto& [show, code] : shows) EXPECT_EQ(ToneCodeOfShow(show, off), code) << show;
}

TEST(ToneCodes, ChannelNames) {
    EXPECT_EQ(ChannelNameOf(40) + ChannelNameOf(41), "40M1");
    const std::pair<const char*, int> names[] = {{"M6", 46}, {"7", 7}, {"", 0}, {"M", 0}, {"Mx", 0}, {"M32767", 0}};
    for (const auto& [name, id] : names) EXPECT_EQ(ChannelIdOfName(name), id) << name;
}
