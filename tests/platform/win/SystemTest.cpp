#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>


#include "platform/core/FloatConvert.h"
#include "platform/win/Beep.h"
#include "platform/win/Locale.h"
#include "platform/win/Process.h"

TEST(System, BeepsAreRecorded)
{
    ClearRecordedBeeps();
    MessageBeep(0x30);
    Beep();
    EXPECT_EQ(RecordedBeeps(), (std::vector<unsigned>{0x30, 0}));
    ClearRecordedBeeps();
    EXPECT_TRUE(RecordedBeeps().empty());
}

TEST(System, PriorityIsBestEffort)
{
    SetPriorityClass(HIGH_PRIORITY_CLASS); // refused without rights, and that is fine
    EXPECT_TRUE(SetPriorityClass(NORMAL_PRIORITY_CLASS));
}

TEST(System, LocaleQueryLeavesTheProgramFormatsAlone)
{
    setenv("LC_ALL", "C", 1);
    TSystemNumberFormat c = GetSystemNumberFormat();
    EXPECT_EQ(c.DecimalSeparator, '.');
    EXPECT_EQ(c.ThousandSeparator, ',');

    setenv("LC_ALL", "no_SUCH.locale", 1);
    EXPECT_EQ(GetSystemNumberFormat().DecimalSeparator, '.');

    // A German locale compiled into the test's prefix when the tools are there.
    std::string locales = std::string(std::getenv("ZORVANE_PREFIX")) + "/locales";
    std::string compile = "mkdir -p '" + locales + "' && localedef -i de_DE -f ISO-8859-1 '" + locales +
                          "/de_DE.ISO-8859-1' >/dev/null 2>&1";
    if (std::system(("command -v localedef >/dev/null && " + compile).c_str()) == 0) {
        setenv("LOCPATH", locales.c_str(), 1);
        setenv("LC_ALL", "de_DE.ISO-8859-1", 1);
        TSystemNumberFormat de = GetSystemNumberFormat();
        EXPECT_EQ(de.DecimalSeparator, ',');
        EXPECT_EQ(de.ThousandSeparator, '.');
        unsetenv("LOCPATH");
    }
    unsetenv("LC_ALL");
    EXPECT_STREQ(std::setlocale(LC_NUMERIC, nullptr), "C");
    EXPECT_EQ(FloatToStr(1.5), "1.5");
}

TEST(System, DefaultLanguageFollowsTheLocaleNames)
{
    struct Case { const char* Name; unsigned short Id; };
    const Case cases[] = {
        {"zh_CN.GBK", 0x0804}, {"zh_TW.Big5", 0x0404}, {"zh_HK.UTF-8", 0x0C04}, {"zh_SG", 0x1004},
        {"zh_MO@x", 0x1404},   {"zh", 0x0804},          {"en_US.UTF-8", 0x0409}, {"de_DE", 0x0407},
        {"C", 0x0409},         {"", 0x0409},
    };
    unsetenv("LC_MESSAGES");
    unsetenv("LANG");
    for (const Case& c : cases) {
        setenv("LC_ALL", c.Name, 1);
        EXPECT_EQ(GetSystemDefaultLangID(), c.Id) << c.Name;
    }
    unsetenv("LC_ALL");
}
