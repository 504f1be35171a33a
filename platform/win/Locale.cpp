#include "platform/win/Locale.h"

#include <cstdlib>
#include <string>

#include <langinfo.h>
#include <locale.h>

namespace {

std::string LocaleName()
{
    for (const char* var : {"LC_ALL", "LC_NUMERIC", "LANG"}) {
        const char* v = std::getenv(var);
        if (v && *v)
            return v;
    }
    return "C";
}

} // namespace

TSystemNumberFormat GetSystemNumberFormat()
{
    TSystemNumberFormat result;
    std::string name = LocaleName();
    if (name == "C" || name == "POSIX")
        return result;
    // A locale object of our own: the process's locale stays as it is.
    locale_t loc = newlocale(LC_NUMERIC_MASK, name.c_str(), static_cast<locale_t>(nullptr));
    if (!loc)
        return result;
    const char* point = nl_langinfo_l(RADIXCHAR, loc);
    const char* sep = nl_langinfo_l(THOUSEP, loc);
    if (point && point[0] && !point[1])
        result.DecimalSeparator = point[0];
    // A multi-byte separator (a narrow no-break space) reads as a blank.
    if (sep)
        result.ThousandSeparator = !sep[0] ? '\0' : (sep[1] ? ' ' : sep[0]);
    freelocale(loc);
    return result;
}

unsigned short GetSystemDefaultLangID()
{
    std::string name;
    for (const char* var : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* v = std::getenv(var);
        if (v && *v) {
            name = v;
            break;
        }
    }
    name = name.substr(0, name.find_first_of(".@"));
    size_t u = name.find('_');
    std::string lang = name.substr(0, u);
    std::string region = u == std::string::npos ? std::string() : name.substr(u + 1);
    if (lang == "zh") {
        if (region == "TW") return 0x0404;
        if (region == "HK") return 0x0C04;
        if (region == "SG") return 0x1004;
        if (region == "MO") return 0x1404;
        return 0x0804;
    }
    struct Primary { const char* Code; unsigned short Id; };
    static const Primary table[] = {
        {"ar", 0x01}, {"bg", 0x02}, {"ca", 0x03}, {"cs", 0x05}, {"da", 0x06}, {"de", 0x07},
        {"el", 0x08}, {"en", 0x09}, {"es", 0x0A}, {"fi", 0x0B}, {"fr", 0x0C}, {"he", 0x0D},
        {"hu", 0x0E}, {"is", 0x0F}, {"it", 0x10}, {"ja", 0x11}, {"ko", 0x12}, {"nl", 0x13},
        {"nb", 0x14}, {"no", 0x14}, {"pl", 0x15}, {"pt", 0x16}, {"ro", 0x18}, {"ru", 0x19},
        {"hr", 0x1A}, {"sk", 0x1B}, {"sv", 0x1D}, {"th", 0x1E}, {"tr", 0x1F}, {"uk", 0x22},
    };
    for (const Primary& p : table)
        if (lang == p.Code)
            return static_cast<unsigned short>(0x0400 | p.Id);  // sublanguage 1: the default one
    return 0x0409;
}
