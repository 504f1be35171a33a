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
