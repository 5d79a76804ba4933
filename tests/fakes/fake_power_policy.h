// Control of the native fake of Windows' power policy (watch/power_policy.h).
#pragma once
#include "watch/power_policy.h"

namespace fake {
void setPowerPolicy(const PowerPolicy& policy);  // what readPowerPolicy gives from now on
int powerPolicyReads();                          // how often it was asked
}  // namespace fake
