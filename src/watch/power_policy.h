// Windows' own battery levels on battery power and what Windows does at the
// critical one, from the active power scheme.  power_policy_win.cpp reads
// them; the native tests link a fake.
#pragma once
#include <string>

enum class CriticalAction { none, sleep, hibernate, shutDown };

struct PowerPolicy {
    bool known = false;  // false where the scheme cannot be read (Wine)
    int low = 0;         // percent
    int reserve = 0;
    int critical = 0;
    CriticalAction criticalAction = CriticalAction::none;
};

// The active scheme's values on battery; unknown when any of them cannot be
// read.  VOLTANOR_POWER_POLICY="LOW,RESERVE,CRITICAL,ACTION" stands in for the
// scheme, for the tests under Wine, which has none.
PowerPolicy readPowerPolicy();

// The policy the stored values give: levels 0 to 100, the action as Windows
// numbers it (0 nothing, 1 sleep, 2 hibernate, 3 shut down); unknown when a
// value is beyond those.
PowerPolicy powerPolicyFrom(unsigned low, unsigned reserve, unsigned critical, unsigned action);
// The same from "LOW,RESERVE,CRITICAL,ACTION"; unknown when it is not that.
PowerPolicy powerPolicyFromText(const std::string& text);
