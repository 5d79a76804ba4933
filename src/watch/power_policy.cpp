#include <sstream>

#include "watch/power_policy.h"

PowerPolicy powerPolicyFrom(unsigned low, unsigned reserve, unsigned critical, unsigned action) {
    constexpr unsigned mostAction = 3;  // shut down
    if (low > 100 || reserve > 100 || critical > 100 || action > mostAction) return {};
    return {true, static_cast<int>(low), static_cast<int>(reserve), static_cast<int>(critical),
            static_cast<CriticalAction>(action)};
}

PowerPolicy powerPolicyFromText(const std::string& text) {
    std::istringstream values(text);
    unsigned low = 0, reserve = 0, critical = 0, action = 0;
    char comma1 = 0, comma2 = 0, comma3 = 0;
    if (!(values >> low >> comma1 >> reserve >> comma2 >> critical >> comma3 >> action) || comma1 != ',' ||
        comma2 != ',' || comma3 != ',' || values.peek() != std::char_traits<char>::eof())
        return {};
    return powerPolicyFrom(low, reserve, critical, action);
}
